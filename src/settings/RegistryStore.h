#pragma once

#include "settings/SqliteConnection.h"
#include "settings/StoreLocation.h"
#include "settings/StoreNotices.h"
#include "settings/StoreSection.h"
#include "settings/StoreWrite.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <variant>

namespace vantrel::settings {

// The kinds of value, numbered as the registry numbers them so saved files keep one vocabulary.
enum class ValueKind { Text = 1, Binary = 3, Number = 4 };

// A value to write: a number, a text or binary data, under its name.
struct NamedValue {
    QString name;
    std::variant<int, QString, QByteArray> data;
};

// Values to write into one section.
struct SectionValues {
    QString section;
    std::span<const NamedValue> values;
};

// The per-user hierarchical settings store. Sections are backslash-separated key paths below the
// product's root key ("Options", "ListScan\Hosts"); "" is the root itself. Key and value names are
// compared without regard to case and kept as first written; values enumerate in creation order.
// Every write is committed and synced before it returns, and several processes may share one store.
// A write that cannot reach the file (locked past the wait, read-only, a full disk, a store that runs
// in memory because its file could not be used) changes nothing and says why. Thread-safe.
class RegistryStore {
public:
    // Opens the store file of a location, creating it when missing. A damaged or foreign file is moved
    // aside and a fresh store started; an empty one is taken over. A file of a newer version, one that
    // cannot be read (locked past lockWait) and a store that cannot be written are kept in memory: they
    // are read, every write is refused with the reason, and the file is never written. Each is reported
    // once through the sink. Never fails: the worst case is a store of defaults in memory.
    static std::unique_ptr<RegistryStore>
    open(const StoreLocation& location, StoreNoticeSink sink = {},
         std::chrono::milliseconds lockWait = SqliteConnection::kLockWait);
    // A store that lives only in memory and takes every write (tests).
    static std::unique_ptr<RegistryStore> openInMemory();

    // Runs `reads` in one read transaction: they see one state of the file and take its lock once
    // (LoadSettings reads three sections at every start).
    void readTogether(const std::function<void()>& reads) const;

    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // The profile functions: a missing value, or one of another kind, reads as the default given.
    int GetProfileInt(const QString& section, const QString& name, int defaultValue) const;
    QString GetProfileString(const QString& section, const QString& name,
                             const QString& defaultValue = {}) const;
    std::optional<QByteArray> GetProfileBinary(const QString& section, const QString& name) const;
    StoreWrite WriteProfileInt(const QString& section, const QString& name, int value);
    StoreWrite WriteProfileString(const QString& section, const QString& name, const QString& value);
    StoreWrite WriteProfileBinary(const QString& section, const QString& name, const QByteArray& value);
    // Writes several values of one section in one commit: all of them or none.
    StoreWrite writeValues(const QString& section, std::span<const NamedValue> values);
    // The same for values of several sections.
    StoreWrite writeSections(std::span<const SectionValues> sections);
    // Deletes the value `oldName` (when there is one) and writes `value` in one commit, so that a value
    // can take a new name, or a new spelling of its name, without a moment in which it is missing.
    StoreWrite replaceValue(const QString& section, const QString& oldName, const NamedValue& value);

    // Every value of a section, read in one statement: what a start reads of a section it wants whole.
    // A missing section, or one that cannot be read, reads as empty.
    StoreSection readSection(const QString& section) const;

    std::optional<ValueKind> valueKind(const QString& section, const QString& name) const;
    // Value names of a section in creation order, as first written; empty when the section is missing.
    QStringList valueNames(const QString& section) const;
    // Names of a section's direct subkeys in creation order.
    QStringList subKeyNames(const QString& section) const;
    bool keyExists(const QString& section) const;
    // A delete that finds nothing fails with StoreWrite::kNothingThere.
    StoreWrite deleteValue(const QString& section, const QString& name);
    // Deletes a key with all its values and subkeys; "" empties the whole store.
    StoreWrite deleteKey(const QString& section);

    // Saves the whole key to one file, replacing it atomically. Empty on success.
    std::optional<StoreError> saveToFile(const QString& path) const;
    // Whether the content about to replace the store may do so: it is read through the store, before
    // the replacement is committed.
    using RestoreCheck = std::function<bool(const RegistryStore& incoming)>;
    // Replaces the whole key with a file written by saveToFile. The file is validated first; the
    // store is then replaced completely or, on any failure or a content that `accept` refuses
    // (kContentRefused), left exactly as it was.
    std::optional<StoreError> restoreFromFile(const QString& path, const RestoreCheck& accept = {});
    static constexpr int kContentRefused = 19; // SQLite's "constraint"

    // The store file, or an empty text while the store lives in memory.
    QString filePath() const;
    bool isInMemory() const;

private:
    // `notWritable` is why a store in memory refuses writes; empty for a store that takes them.
    RegistryStore(SqliteConnection connection, QString filePath, StoreNoticeSink sink,
                  QString notWritable = {});

    std::optional<qint64> findKey(const QString& section) const;
    // The names a query finds below a section's key, in creation order.
    QStringList namesBelow(const QString& section, const char* query) const;
    std::optional<qint64> createKey(const QString& section);
    // Writes values into a section inside the caller's transaction; answers an SQLite result code.
    int upsertValues(const QString& section, std::span<const NamedValue> values);
    // Runs a write that answers an SQLite result code, unless the store refuses writes; a failure
    // comes back with its reason.
    StoreWrite runWrite(const std::function<int()>& write);
    int lastErrorCode() const;
    // A store in memory holding what could be copied from source, if any; copied says whether it was.
    // It refuses writes, saying `notWritable`.
    static std::unique_ptr<RegistryStore> memoryCopy(SqliteConnection* source, StoreNoticeSink sink,
                                                     bool& copied, const QString& notWritable);
    // Reports the store's state once per run (a store moves into memory at most once).
    void tell(const StoreNotice& notice);

    mutable std::recursive_mutex m_mutex;
    SqliteConnection m_db;
    QString m_filePath;
    StoreNoticeSink m_sink;
    QString m_notWritable;
    bool m_told = false;
};

} // namespace vantrel::settings
