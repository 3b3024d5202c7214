#pragma once

#include <QString>
#include <optional>

namespace vantrel::settings {

// A failed save, restore or change of the store: a code and the text that explains it.
struct StoreError {
    int code = 0;
    QString text;
};

// What became of one change of the store: it reached the store, or the error says why not, and the
// store holds what it held before. True when the change was stored.
class StoreWrite {
public:
    // The code of a delete that found nothing to delete (SQLite's "not found").
    static constexpr int kNothingThere = 12;

    StoreWrite() = default;
    explicit StoreWrite(StoreError error)
        : m_error(std::move(error)) {}

    explicit operator bool() const { return !m_error; }
    // Why the change was not stored, as a clause ("another program keeps the file locked"); empty
    // when it was stored.
    QString reason() const { return m_error ? m_error->text : QString(); }
    int code() const { return m_error ? m_error->code : 0; }
    // Deleted, or there was nothing to delete: either way the store no longer holds it.
    bool gone() const { return !m_error || m_error->code == kNothingThere; }

private:
    std::optional<StoreError> m_error;
};

} // namespace vantrel::settings
