#pragma once

#include "log/LogFrontEnd.h"

#include <QPointer>
#include <functional>
#include <utility>
#include <vector>

class QDockWidget;

namespace vantrel::ui {
class CNxLogOptionsPaneDialog;
}

namespace vantrel::app {

// What the log asks of the desktop: message boxes, the Log options pane with a balloon on its file-name
// box, and opening the log with the desktop's program for it.
class DesktopLogFrontEnd : public output::LogFrontEnd {
public:
    using MessageBox = std::function<void(const QString& caption, const QString& text, output::MessageIcon)>;
    // Opens a file with the desktop's program; false when no program took it.
    using Opener = std::function<bool(const QString& absolutePath)>;

    DesktopLogFrontEnd(QDockWidget* logPaneDock, ui::CNxLogOptionsPaneDialog* logPane, MessageBox messageBox,
                       std::function<bool()> balloonTipsEnabled);

    void ShowMessageBox(const QString& caption, const QString& text, output::MessageIcon icon) override;
    void showLogOptionsPane() override;
    bool showFileNameBalloon(const QString& title, const QString& text) override;
    std::optional<output::OpenFailure> openWithDesktop(const QString& path) override;
    void showResultLine(const output::ResultRow& line) override;

    // Where result lines go once the Results window exists; lines from before are handed over now.
    using ResultLines = std::function<void(const output::ResultRow& line)>;
    void setResultLines(ResultLines resultLines);

    // Tests open nothing.
    void setOpener(Opener opener) { m_opener = std::move(opener); }

private:
    QPointer<QDockWidget> m_dock;
    QPointer<ui::CNxLogOptionsPaneDialog> m_pane;
    MessageBox m_messageBox;
    std::function<bool()> m_balloonTipsEnabled;
    Opener m_opener;
    ResultLines m_resultLines;
    std::vector<output::ResultRow> m_heldLines;
};

} // namespace vantrel::app
