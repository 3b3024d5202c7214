#pragma once

#include <QString>
#include <functional>
#include <mutex>

namespace vantrel::ops {

// The status text of the first status-bar pane: a value that workers and the GUI thread assign and the
// GUI thread reads once a frame for display. The lock makes sure a reader never sees a text half
// assigned; each change asks for a frame.
class SharedStatus {
public:
    SharedStatus(); // "Ready"

    void set(const QString& text) {
        {
            std::lock_guard lock(m_mutex);
            if (m_text == text)
                return;
            m_text = text;
        }
        if (m_changed)
            m_changed();
    }
    QString get() const {
        std::lock_guard lock(m_mutex);
        return m_text;
    }
    // The pane shows its label and the text, joined by one blank.
    QString paneText() const;

    // Called from any thread after each change; set while no worker runs.
    void setChangeHook(std::function<void()> changed) { m_changed = std::move(changed); }

private:
    mutable std::mutex m_mutex;
    QString m_text;
    std::function<void()> m_changed;
};

} // namespace vantrel::ops
