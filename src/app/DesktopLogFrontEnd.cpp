#include "app/DesktopLogFrontEnd.h"

#include "app/DefaultProgramOpener.h"
#include "ui/BalloonTip.h"
#include "ui/CNxEditBrowseControl.h"
#include "ui/CNxLogOptionsPaneDialog.h"

#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLineEdit>

namespace vantrel::app {

DesktopLogFrontEnd::DesktopLogFrontEnd(QDockWidget* logPaneDock, ui::CNxLogOptionsPaneDialog* logPane,
                                       MessageBox messageBox, std::function<bool()> balloonTipsEnabled)
    : m_dock(logPaneDock)
    , m_pane(logPane)
    , m_messageBox(std::move(messageBox))
    , m_balloonTipsEnabled(std::move(balloonTipsEnabled))
    , m_opener(&openWithDefaultProgram) {}

void DesktopLogFrontEnd::ShowMessageBox(const QString& caption, const QString& text,
                                        output::MessageIcon icon) {
    if (m_messageBox)
        m_messageBox(caption, text, icon);
}

void DesktopLogFrontEnd::showLogOptionsPane() {
    if (!m_dock)
        return;
    m_dock->show();
    m_dock->raise();
}

bool DesktopLogFrontEnd::showFileNameBalloon(const QString& title, const QString& text) {
    if (!m_pane || !m_balloonTipsEnabled || !m_balloonTipsEnabled())
        return false;
    QLineEdit* box = m_pane->fileNameBox()->lineEdit();
    return ui::BalloonTip::showOn(*box, title, text);
}

std::optional<output::OpenFailure> DesktopLogFrontEnd::openWithDesktop(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists())
        return file.absoluteDir().exists() ? output::OpenFailure::FileNotFound
                                           : output::OpenFailure::PathNotFound;
    if (!file.isReadable())
        return output::OpenFailure::AccessDenied;
    if (!m_opener(file.absoluteFilePath()))
        return output::OpenFailure::NoAssociation;
    return std::nullopt;
}

} // namespace vantrel::app

namespace vantrel::app {

void DesktopLogFrontEnd::showResultLine(const output::ResultRow& line) {
    if (m_resultLines)
        m_resultLines(line);
    else
        m_heldLines.push_back(line);
}

void DesktopLogFrontEnd::setResultLines(ResultLines resultLines) {
    m_resultLines = std::move(resultLines);
    for (const output::ResultRow& line : std::exchange(m_heldLines, {}))
        showResultLine(line);
}

} // namespace vantrel::app
