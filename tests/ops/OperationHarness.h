#pragma once

#include "log/ResultPipeline.h"
#include "net/SocketLibrary.h"
#include "ops/OperationControl.h"
#include "settings/LiveOptions.h"
#include "support/FakeHostDatabase.h"
#include "support/FakeIcmpNetwork.h"
#include "support/QtPrinters.h"
#include "support/RecordingFrontEnd.h"
#include "support/RecordingResultView.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <memory>

namespace vantrel::test {

// The GUI thread of the tests: one application object for the whole test program.
inline void ensureApplication() {
    static int argc = 1;
    static char name[] = "ops_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

// Runs the GUI thread's events until `done` answers true; the guard only keeps a broken run from hanging
// the test program. Answers `done()`.
template <typename Predicate> bool runEventsUntil(Predicate done) {
    QElapsedTimer guard;
    guard.start();
    while (!done() && guard.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// Operation control on a scripted network and name service, with a recording front end and Results
// view, and a clock that always says 8 December 2026, 14:05:09. The pipeline writes to `log` when given.
class OperationHarness {
public:
    explicit OperationHarness(output::ResultLog* log = nullptr)
        : pipeline{log, view, &now} {
        ensureApplication();
        control = std::make_unique<ops::OperationControl>(ops::OperationControl::Services{
            operationState, options, network.api(), sockets, frontEnd, pipeline});
    }
    ~OperationHarness() { control.reset(); }

    static QDateTime now() { return QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)); }
    ops::OperationState& state() { return control->state(); }

    // Runs the GUI thread's events until no operation is selected, resolving or running.
    void runUntilIdle() {
        runEventsUntil([this] {
            return !state().flags.anyBusy() && !control->lookupPending() && !state().flags.m_bContPingActive;
        });
        control->joinWorkers();
        control->drainWorkerQueue(); // what the workers handed over on their way out
        QCoreApplication::processEvents();
    }

    void ping(const QString& host) {
        frontEnd.hostText = host;
        control->OnPing();
        runUntilIdle();
    }

    QStringList texts() const { return view.texts(); }

    // A worker that got no echo handle: the start line, then its own message in red, and nothing more;
    // the message box adds the guidance.
    void expectStartLineThenNoEchoHandle(const QString& failure) const {
        ASSERT_EQ(view.shown.size(), 2u) << view.texts().join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(view.shown[1].text.simplified(), failure.simplified()); // a tab shows as blanks
        EXPECT_EQ(view.shown[1].kind, output::ResultKind::Red);
        ASSERT_EQ(frontEnd.messageBoxes.size(), 1u);
        EXPECT_TRUE(frontEnd.messageBoxes[0].text.startsWith(failure + QLatin1Char('\n')));
    }

    ops::OperationState operationState;
    settings::LiveOptions options;
    FakeIcmpNetwork network;
    std::shared_ptr<FakeHostDatabase> names = std::make_shared<FakeHostDatabase>();
    net::SocketLibrary sockets{names};
    RecordingFrontEnd frontEnd;
    RecordingResultView view;
    output::ResultPipeline pipeline;
    std::unique_ptr<ops::OperationControl> control;
    // For a worker's step that must run on the GUI thread while the worker waits (a command during a
    // request): a hand-over ThreadSanitizer can follow.
    ops::FrameDispatcher gui;
};

} // namespace vantrel::test
