#include "ops/FrameDispatcher.h"
#include "ops/WorkerQueue.h"
#include "ops/WorkerThreads.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

namespace vantrel::ops {
namespace {

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "ops_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Runs the GUI thread's event loop until the condition holds (or a generous limit passes).
void pumpUntil(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

TEST(WorkerPlumbingTest, WorkerMessagesRunOnTheGuiThreadInOrderWhileTheWorkerWaits) {
    application();
    FrameDispatcher dispatcher;
    WorkerThreads workers;
    std::vector<int> received;
    std::atomic<bool> allOnGuiThread{true};
    std::atomic<bool> workerDone{false};
    const QThread* guiThread = QThread::currentThread();

    ASSERT_TRUE(workers.start([&] {
        for (int i = 0; i < 200; ++i) {
            int onTheStack = i; // stays valid only because the send waits for the handler
            dispatcher.send([&] {
                allOnGuiThread = allOnGuiThread && QThread::currentThread() == guiThread;
                received.push_back(onTheStack);
            });
            if (int(received.size()) != i + 1)
                allOnGuiThread = false; // the send returned before the handler ran
        }
        workerDone = true;
    }));
    pumpUntil([&] { return workerDone.load(); });
    workers.joinAll();

    ASSERT_EQ(received.size(), 200u);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(received[std::size_t(i)], i);
    EXPECT_TRUE(allOnGuiThread);
    EXPECT_EQ(workers.running(), 0);
}

// A handler that runs an event loop of its own (a message box) while the worker fills the queue: the frames
// that come meanwhile cannot take it, and once the handler is done the rest still arrives, in order,
// without another push to wake the GUI thread.
TEST(WorkerPlumbingTest, TheQueueKeepsOrderAndLosesNothingAfterAHandlerRanItsOwnEventLoop) {
    application();
    std::vector<int> received;
    std::atomic<int> pushed{0};
    std::atomic<bool> handlingFirst{false};
    WorkerQueue<int>* queueSeen = nullptr;
    WorkerQueue<int> queue(
        [&](int& message) {
            if (message == 0) {
                handlingFirst = true;
                pumpUntil([&] { return pushed.load() >= 9; }); // the worker waits on a full queue
                QElapsedTimer box;
                box.start();
                pumpUntil([&] { return box.elapsed() > 100; }); // and the frames asked for meanwhile pass
            }
            received.push_back(message);
        },
        {}, 8);
    queueSeen = &queue;
    WorkerThreads workers;
    ASSERT_TRUE(workers.start([&] {
        for (int i = 0; i < 200; ++i) {
            queueSeen->push(i);
            ++pushed;
            while (i == 0 && !handlingFirst) // the first message is taken alone
                QThread::msleep(1);
        }
    }));
    pumpUntil([&] { return received.size() == 200u; });
    queue.close(); // a worker still waiting for room goes on, so a failure ends rather than hangs
    workers.joinAll();

    ASSERT_EQ(received.size(), 200u);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(received[std::size_t(i)], i);
}

TEST(WorkerPlumbingTest, ASendFromTheGuiThreadRunsAtOnce) {
    application();
    FrameDispatcher dispatcher;
    bool ran = false;
    dispatcher.send([&] { ran = true; });
    EXPECT_TRUE(ran);
}

TEST(WorkerPlumbingTest, ManyShortWorkersAreAllJoined) {
    std::atomic<int> ran{0};
    {
        WorkerThreads workers;
        for (int i = 0; i < 50; ++i)
            ASSERT_TRUE(workers.start([&] { ++ran; }));
    }
    EXPECT_EQ(ran.load(), 50);
}

} // namespace
} // namespace vantrel::ops
