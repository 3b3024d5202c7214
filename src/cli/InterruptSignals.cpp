#include "cli/InterruptSignals.h"

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace vantrel::cli {

namespace {

std::atomic<int> g_writeEnd{-1};

extern "C" void onInterruptSignal(int signal) {
    const int savedErrno = errno;
    // One interrupt is all that is asked for: the next one gets the default action and ends the program.
    std::signal(signal, SIG_DFL);
    const char byte = 1;
    if (const int fd = g_writeEnd.load(); fd >= 0) [[maybe_unused]]
        const ssize_t written = ::write(fd, &byte, 1);
    errno = savedErrno;
}

void handleWith(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

} // namespace

InterruptSignals::InterruptSignals() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // without the pipe the signals keep their default action: they end the program
    m_readEnd.reset(ends[0]);
    m_writeEnd.reset(ends[1]);
    m_notifier = std::make_unique<QSocketNotifier>(m_readEnd.get(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(m_readEnd.get(), bytes, sizeof bytes) > 0) {
        }
        emit interrupted();
    });
    g_writeEnd = m_writeEnd.get();
    handleWith(&onInterruptSignal);
}

InterruptSignals::~InterruptSignals() {
    handleWith(SIG_DFL);
    g_writeEnd = -1;
}

} // namespace vantrel::cli
