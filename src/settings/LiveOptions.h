#pragma once

#include "settings/OptionSet.h"

#include <QString>
#include <array>
#include <atomic>
#include <mutex>

namespace vantrel::settings {

// The options in force while the program runs. The GUI thread changes them as the user edits a pane;
// worker threads read them during an operation. Numbers are atomics; texts are copied under a lock.
class LiveOptions {
public:
    LiveOptions() { assign(OptionSet::defaults()); }

    int number(OptionId id) const { return m_numbers[std::size_t(id)].load(std::memory_order_relaxed); }
    bool isOn(OptionId id) const { return number(id) != 0; }
    QString text(OptionId id) const;
    void setNumber(OptionId id, int value) {
        m_numbers[std::size_t(id)].store(value, std::memory_order_relaxed);
    }
    void setText(OptionId id, const QString& value);

    OptionSet snapshot() const;
    void assign(const OptionSet& values);

    // The number of characters of the echo data: shown beside it, never stored.
    int packetDataSize() const { return int(text(OptionId::PingString).size()); }

private:
    std::array<std::atomic<int>, kOptionCount> m_numbers{};
    mutable std::mutex m_textMutex;
    std::array<QString, kOptionCount> m_texts{};
};

} // namespace vantrel::settings
