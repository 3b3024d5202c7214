#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QLineEdit;
class QToolButton;

namespace vantrel::ui {

// The name a file dialog starts with for the text of a file-name box: the home folder and
// "VtrLog.rtf" for an empty box, the home folder and the name for a bare name, the folder for a
// folder without a name, and the text unchanged otherwise. `homeDir` ends in a slash.
QString browseStartName(const QString& text, const QString& homeDir);

// A file-name box with a browse button on its right. While read-only the button is gone.
class CNxEditBrowseControl : public QWidget {
    Q_OBJECT
public:
    // Asks the user for a file, starting from a name; an empty answer when the user cancels.
    using FileChooser = std::function<QString(QWidget* parent, const QString& startName)>;

    CNxEditBrowseControl(int id, QWidget* parent = nullptr);

    QLineEdit* lineEdit() const { return m_edit; }
    QToolButton* browseButton() const { return m_browse; }
    QString text() const;
    void setText(const QString& text);
    void setReadOnly(bool readOnly);
    bool isReadOnly() const;
    void setHomeDir(const QString& homeDir) { m_homeDir = homeDir; }
    // Tests replace the file dialog.
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    // The browse button's action: the dialog, then the chosen path into the box.
    void browse();

signals:
    void textChanged(const QString& text);

private:
    QLineEdit* m_edit;
    QToolButton* m_browse;
    QString m_homeDir;
    FileChooser m_chooser;
};

} // namespace vantrel::ui
