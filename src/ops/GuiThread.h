#pragma once

#include <QCoreApplication>
#include <QThread>

namespace vantrel::ops {

// Commands, timers, lookup completions and the handling of worker messages belong to the GUI thread
// (the application's thread); workers reach them only through what they hand over to it. Checked in debug
// builds at each entry point.
inline void assertGuiThread() {
    Q_ASSERT_X(!QCoreApplication::instance() ||
                   QThread::currentThread() == QCoreApplication::instance()->thread(),
               "vantrel", "a GUI-thread entry point was called from a worker");
}

} // namespace vantrel::ops
