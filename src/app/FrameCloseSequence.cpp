#include "app/FrameCloseSequence.h"

#include "app/CMainFrame.h"
#include "app/FramePersistence.h"
#include "app/ProfileManager.h"
#include "log/ResultLog.h"
#include "log/ResultPipeline.h"
#include "settings/RegistryStore.h"
#include "text/FrameTexts.h"
#include "text/MessageTexts.h"
#include "ui/HostComboBox.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <array>

namespace vantrel::app {

namespace {

// The close sequence's line for each running operation, in order.
struct ExitingLine {
    bool (*running)(const ops::FlagSnapshot&);
    const output::TextTemplate<>& text;
};
constexpr std::array kExitingLines = {
    ExitingLine{[](const ops::FlagSnapshot& f) { return f.ping || f.contPingActive; },
                output::res::kExitingPing},
    ExitingLine{[](const ops::FlagSnapshot& f) { return f.trace; }, output::res::kExitingTrace},
    ExitingLine{[](const ops::FlagSnapshot& f) { return f.seqScan; }, output::res::kExitingSeqScan},
    ExitingLine{[](const ops::FlagSnapshot& f) { return f.listScan; }, output::res::kExitingListScan},
};

} // namespace

FrameCloseSequence::FrameCloseSequence(CMainFrame& frame, FrameParts& parts, FramePersistence& persistence)
    : m_frame(frame)
    , m_parts(parts)
    , m_persistence(persistence) {}

void FrameCloseSequence::OnClose(QCloseEvent* event) {
    if (m_closed) {
        event->accept();
        return;
    }
    if (m_closing) {
        // A close request that arrives while the sequence waits for the workers: the running
        // sequence will close the window.
        event->ignore();
        return;
    }
    m_closing = true;
    m_parts.state.flags.beginShutdown();
    emit m_frame.closing();
    writeExitingLines();
    emit m_frame.stoppingForClose();
    waitForWorkers();
    // The options are saved even when the program was told to quit during the wait: losing them would
    // gain nothing.
    // A store in memory said so at start; any other store that does not take them says why now.
    settings::StoreWrite saved = m_persistence.SaveSettings();
    if (saved)
        saved = m_parts.store.writeValues(
            kMruSection, std::array{settings::NamedValue{kMruHostName, m_parts.profileNameBox->text()},
                                    settings::NamedValue{kMruAddress, m_parts.hostBox->currentText()}});
    if (!saved && !m_parts.store.isInMemory())
        m_frame.showMessageBox(output::text(output::res::kShutdownErrorCaption),
                               output::fill(output::res::kOptionsNotSaved, saved.reason()),
                               ops::MessageIcon::Error);
    emit m_frame.shuttingDown();
    m_parts.resultLog->close();
    m_parts.profiles->close();
    // One box for a store that takes nothing: the layout's own failure is told when the options went in.
    if (const settings::StoreWrite layout = m_persistence.saveLayout(kWorkspaceSection);
        saved && !layout && !m_parts.store.isInMemory())
        m_frame.showMessageBox(output::text(output::res::kShutdownErrorCaption),
                               output::fill(output::res::kLayoutNotSaved, layout.reason()),
                               ops::MessageIcon::Error);
    m_closed = true;
    event->accept();
}

void FrameCloseSequence::writeExitingLines() {
    const ops::FlagSnapshot flags = m_parts.state.flags.snapshot();
    for (const ExitingLine& line : kExitingLines) {
        if (!line.running(flags))
            continue;
        const QString text = output::text(line.text);
        m_parts.state.status.set(text);
        m_frame.RefreshCommandUI();
        m_parts.pipeline->AppendRow(
            output::fixedRow(output::ResultKind::Red, (text + QStringLiteral("\\par }")).toStdString()));
    }
}

bool FrameCloseSequence::waitForWorkers() {
    // Workers hand their messages to this thread and wait for them to be handled, so it keeps
    // dispatching until the last of them has ended.
    const ops::OperationFlags& flags = m_parts.state.flags;
    const auto done = [&flags] { return !flags.anyBusy(); };
    if (ops::waitForFlags(flags, done))
        return true;
    // Told to quit meanwhile: the workers' messages are still answered, since the close goes on to join
    // their threads. Every worker's end is a flag change, which wakes this loop.
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return false;
}

} // namespace vantrel::app
