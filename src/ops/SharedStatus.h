#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <mutex>

namespace vantrel::ops {

class StatusChanges : public QObject {
    Q_OBJECT
signals:
    // Any thread: the text changed (carries nothing; the text is read on the GUI thread).
    void changed();
};

// The status text of the first status-bar pane: a value that workers and the GUI thread assign and the
// GUI thread reads once a frame for display. The lock makes sure a reader never sees a text half
// assigned. However fast workers change it, one change is announced until the text is read again.
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
        if (!m_announced.exchange(true))
            emit m_changes.changed();
    }
    QString get() const {
        std::lock_guard lock(m_mutex);
        return m_text;
    }
    // The pane shows its label and the text, joined by one blank.
    QString paneText() const;

    const StatusChanges& changes() const { return m_changes; }
    // The GUI thread is about to show the text: the next change is announced again.
    void readyForNextChange() { m_announced = false; }

private:
    mutable std::mutex m_mutex;
    QString m_text;
    std::atomic<bool> m_announced{false};
    StatusChanges m_changes;
};

} // namespace vantrel::ops
