#pragma once

#include <QString>
#include <mutex>

namespace vantrel::ops {

// The status text of the first status-bar pane. Workers assign it and the GUI thread reads it for
// display; the lock makes sure a reader never sees a text half assigned.
class SharedStatus {
public:
    SharedStatus(); // "Ready"

    void set(const QString& text) {
        std::lock_guard lock(m_mutex);
        m_text = text;
    }
    QString get() const {
        std::lock_guard lock(m_mutex);
        return m_text;
    }
    // The pane shows its label and the text, joined by one blank.
    QString paneText() const;

private:
    mutable std::mutex m_mutex;
    QString m_text;
};

} // namespace vantrel::ops
