#pragma once

#include "net/UniqueFd.h"

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace vantrel::cli {

// Ctrl+C (SIGINT) and SIGTERM for a command-line run, delivered on the GUI thread through a pipe the
// handler writes to (the only thing a signal handler may safely do). The first of either signal emits
// interrupted(); the signal's default action is restored at once, so a second Ctrl+C ends the program
// immediately. Only one instance may live at a time; it restores the default actions when it goes away.
class InterruptSignals : public QObject {
    Q_OBJECT
public:
    InterruptSignals();
    ~InterruptSignals() override;
    InterruptSignals(const InterruptSignals&) = delete;
    InterruptSignals& operator=(const InterruptSignals&) = delete;

signals:
    void interrupted();

private:
    net::UniqueFd m_readEnd;
    net::UniqueFd m_writeEnd;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace vantrel::cli
