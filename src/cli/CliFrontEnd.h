#pragma once

#include "ops/OperationFrontEnd.h"

namespace vantrel::cli {

class TerminalOutput;

// Operation control's front end on a terminal: the host comes from the command line, message boxes are
// printed on standard error, and there is no host history, focus or balloon tip.
class CliFrontEnd final : public ops::OperationFrontEnd {
public:
    CliFrontEnd(QString host, TerminalOutput& output);

    QString hostBoxText() const override { return m_host; }
    void addHostToHistory(const QString&, bool) override {}
    void returnFocusToHostBox() override {}
    void showMessageBox(const QString& caption, const QString& text, ops::MessageIcon icon) override;
    bool balloonTipsEnabled() const override { return false; }
    bool showHostBalloonTip(const QString&, const QString&) override { return false; }
    void RefreshCommandUI() override {}
    void beep() override;
    // A terminal program may be given raw-socket capability, unlike the desktop program.
    QString icmpAccessGuidance() const override {
        return ops::icmpAccessGuidance(ops::runningProgramPath(), true);
    }

private:
    QString m_host;
    TerminalOutput& m_output;
};

} // namespace vantrel::cli
