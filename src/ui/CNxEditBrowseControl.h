#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QFileDialog;
class QLineEdit;
class QToolButton;

namespace vantrel::ui {

// The name a file dialog starts with for the text of a file-name box: the file the log writes to, with a
// bare or relative name taken in writeFolder (the folder the log opens it in), "VtrLog.rtf" there for an
// empty box, and the folder alone for a folder without a name. `writeFolder` ends in a slash.
QString browseStartName(const QString& text, const QString& writeFolder);

// The dialog that asks for a log file, at startName, with the log's file types.
std::unique_ptr<QFileDialog> makeLogFileDialog(QWidget* parent, const QString& startName);

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
    // Tests replace the file dialog.
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    // The browse button's action: the dialog, then the chosen path into the box.
    void browse();

signals:
    void textChanged(const QString& text);

private:
    QLineEdit* m_edit;
    QToolButton* m_browse;
    FileChooser m_chooser;
};

} // namespace vantrel::ui
