#pragma once

#include "commands/CommandIds.h"
#include "ui/OptionPane.h"

class QCheckBox;
class QLabel;

namespace vantrel::ui {

class CNxEditBrowseControl;

// The Log options pane: the logging check box (1044), the label "Log File:" (1055) and the file-name
// box with its browse button (1027). It reports the user's acts; the frame decides what they do and
// sets the controls' state back on every refresh, and chooses their tips.
class CNxLogOptionsPaneDialog : public OptionPane {
    Q_OBJECT
public:
    explicit CNxLogOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent = nullptr);

    QCheckBox* logCheck() const { return m_check; }
    CNxEditBrowseControl* fileNameBox() const { return m_fileName; }
    QString fileName() const;
    // Shows a file name without taking it as the user's edit.
    void showFileName(const QString& name);
    void showState(bool checkEnabled, bool checked, bool fileNameReadOnly);

    static constexpr int kLogCheckId = cmd::kLogCheckBox;
    static constexpr int kLogFileLabelId = cmd::kLogFileLabel;
    static constexpr int kFileNameId = cmd::kLogFileBox;

signals:
    // A click on the check box: start or stop logging.
    void toggleRequested();
    void fileNameChanged(const QString& name);

private:
    QCheckBox* m_check;
    QLabel* m_label;
    CNxEditBrowseControl* m_fileName;
    bool m_showing = false;
};

} // namespace vantrel::ui
