#include "settings/RegistryStore.h"

#include "settings/FileReplacement.h"
#include "settings/SqliteStatement.h"
#include "settings/StoreFileFormat.h"
#include "text/MessageTexts.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <string>
#include <unistd.h>

namespace vantrel::settings {

namespace {

constexpr qint64 kRootKeyId = 1;

// Whether the file and its folder (where the journal goes) take writes.
bool writableWithJournal(const QString& file) {
    const QByteArray path = QFile::encodeName(file);
    const QByteArray folder = QFile::encodeName(QFileInfo(file).absolutePath());
    return ::access(path.constData(), W_OK) == 0 && ::access(folder.constData(), W_OK) == 0;
}

// Why a write failed, as a clause for the user's message.
QString writeFailureReason(int code) {
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return lockedReason();
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return QStringLiteral("the file is read-only");
    case SQLITE_FULL:
        return QStringLiteral("the disk is full");
    default:
        return QString::fromUtf8(sqlite3_errstr(code));
    }
}

// Why a store that runs in memory takes no change.
QString inMemoryReason(const QString& why) {
    return QStringLiteral("the settings run in memory only, since %1").arg(why);
}

QStringList keyPath(const QString& section) {
    return section.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

QString folded(const QString& name) {
    return name.toCaseFolded();
}

// An expression for the id of the key of a section `depth` parts deep, whose parts, folded, are the
// parameters ?1 to ?depth: a section's path costs one statement, not one per part, and what lies below
// the key is read in the same statement. NULL when there is no such key.
std::string keyOf(qsizetype depth) {
    if (depth == 0)
        return std::to_string(kRootKeyId);
    return "(SELECT id FROM registry_key WHERE parent = " + keyOf(depth - 1) + " AND folded = ?" +
           std::to_string(depth) + ")";
}

void bindPath(SqliteStatement& statement, const QStringList& path) {
    for (int i = 0; i < path.size(); ++i)
        statement.bind(i + 1, folded(path[i]));
}

QString asideName(const QString& file) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString candidate = QStringLiteral("%1.broken-%2").arg(file, stamp);
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = QStringLiteral("%1.broken-%2-%3").arg(file, stamp).arg(n);
    return candidate;
}

bool syncFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// Why a file could not be read or written, in words for the notice.
QString failureReason(const SqliteConnection& db) {
    const int code = db.lastErrorCode() & 0xff;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED ? lockedReason() : db.lastErrorText();
}

// A new store file is made under a name of its own and linked into place whole, so that the store file
// is never seen empty, not even by a second process starting at the same time: an empty store file
// always means that saved settings were lost. Where links cannot be made, the open creates the file.
void createStoreFile(const QString& file) {
    const QString fresh = QStringLiteral("%1.new-%2").arg(file).arg(::getpid());
    {
        SqliteConnection db;
        if (!db.open(fresh, SqliteConnection::Mode::ReadWriteCreate) || !createStoreSchema(db)) {
            db.close();
            QFile::remove(fresh);
            return;
        }
    }
    syncFile(fresh);
    ::link(QFile::encodeName(fresh).constData(), QFile::encodeName(file).constData()); // taken: as good
    QFile::remove(fresh);
}

// Rolls a transaction back unless it was committed.
class Transaction {
public:
    explicit Transaction(SqliteConnection& db)
        : m_db(db)
        , m_open(db.exec("BEGIN IMMEDIATE") == SQLITE_OK) {}
    ~Transaction() {
        if (m_open)
            sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool isOpen() const { return m_open; }
    bool commit() {
        if (!m_open || m_db.exec("COMMIT") != SQLITE_OK)
            return false;
        m_open = false;
        return true;
    }

private:
    SqliteConnection& m_db;
    bool m_open;
};

} // namespace

std::unique_ptr<RegistryStore> RegistryStore::open(const StoreLocation& location, StoreNoticeSink sink,
                                                   std::chrono::milliseconds lockWait) {
    const QString file = location.storeFile();
    // The file is left alone; the store runs in memory with what could be read of it.
    auto inMemory = [&](SqliteConnection* source, const QString& reason) {
        bool copied = false;
        std::unique_ptr<RegistryStore> store = memoryCopy(source, std::move(sink), copied, {});
        const bool read = copied || !QFileInfo::exists(file);
        store->m_notWritable = inMemoryReason(
            read ? reason : QStringLiteral("the saved settings could not be read (%1)").arg(reason));
        store->tell(read ? notWritableNotice(reason) : unreadableNotice(file, reason));
        return store;
    };

    if (!QDir().mkpath(location.directory))
        return inMemory(nullptr, QStringLiteral("the settings folder cannot be created"));
    if (!QFileInfo::exists(file))
        createStoreFile(file);
    const QFileInfo found(file);
    const bool foundEmpty = found.exists() && found.size() == 0;

    SqliteConnection db;
    if (!db.open(file, SqliteConnection::Mode::ReadWriteCreate, lockWait)) {
        SqliteConnection readable;
        readable.open(file, SqliteConnection::Mode::ReadOnly, lockWait);
        return inMemory(readable.isOpen() ? &readable : nullptr, db.lastErrorText());
    }

    const StoreFileState state = inspectStoreFile(db, false);
    if (state == StoreFileState::Unreadable)
        return inMemory(nullptr, failureReason(db));
    if (state == StoreFileState::Newer) {
        bool copied = false;
        std::unique_ptr<RegistryStore> store = memoryCopy(
            &db, std::move(sink), copied,
            inMemoryReason(QStringLiteral("the settings file was written by a newer version of Vantrel")));
        store->tell(newerVersionNotice(file));
        return store;
    }
    if (state == StoreFileState::Empty && foundEmpty && sink)
        sink(lostNotice(file));
    if (state == StoreFileState::Damaged || state == StoreFileState::Foreign) {
        db.close();
        const QString aside = asideName(file);
        if (::rename(QFile::encodeName(file).constData(), QFile::encodeName(aside).constData()) != 0)
            return inMemory(nullptr, QStringLiteral("the file is damaged and cannot be moved aside: %1")
                                         .arg(QString::fromLocal8Bit(std::strerror(errno))));
        // A journal left beside a foreign file belongs to it, not to the fresh store.
        const QString journal = file + QStringLiteral("-journal");
        if (QFileInfo::exists(journal))
            ::rename(QFile::encodeName(journal).constData(),
                     QFile::encodeName(aside + QStringLiteral("-journal")).constData());
        if (sink)
            sink(movedAsideNotice(file, aside));
        createStoreFile(file);
        db.open(file, SqliteConnection::Mode::ReadWriteCreate, lockWait);
    }

    // A read-only file or folder is found now, not at the first change. A new file proves it by taking
    // its schema; one of ours already has it and is asked of the file system, which spares every start
    // (each vantrel-cli run above all) a journaled commit.
    const bool takesWrites =
        state == StoreFileState::Ours ? writableWithJournal(file) : createStoreSchema(db);
    if (db.isReadOnly() || !takesWrites) {
        const QString reason = db.isReadOnly() || state == StoreFileState::Ours
                                   ? QStringLiteral("the file is read-only")
                                   : failureReason(db);
        return inMemory(&db, reason);
    }
    return std::unique_ptr<RegistryStore>(new RegistryStore(std::move(db), file, std::move(sink)));
}

std::unique_ptr<RegistryStore> RegistryStore::memoryCopy(SqliteConnection* source, StoreNoticeSink sink,
                                                         bool& copied, const QString& notWritable) {
    SqliteConnection memory;
    memory.openInMemory();
    copied = source && source->isOpen() && source->copyTo(memory);
    if (!copied || inspectStoreFile(memory, false) != StoreFileState::Ours)
        createStoreSchema(memory);
    return std::unique_ptr<RegistryStore>(
        new RegistryStore(std::move(memory), QString(), std::move(sink), notWritable));
}

std::unique_ptr<RegistryStore> RegistryStore::openInMemory() {
    SqliteConnection memory;
    memory.openInMemory();
    createStoreSchema(memory);
    return std::unique_ptr<RegistryStore>(new RegistryStore(std::move(memory), QString(), {}));
}

RegistryStore::RegistryStore(SqliteConnection connection, QString filePath, StoreNoticeSink sink,
                             QString notWritable)
    : m_db(std::move(connection))
    , m_filePath(std::move(filePath))
    , m_sink(std::move(sink))
    , m_notWritable(std::move(notWritable)) {}

RegistryStore::~RegistryStore() = default;

QString RegistryStore::filePath() const {
    std::lock_guard lock(m_mutex);
    return m_filePath;
}

bool RegistryStore::isInMemory() const {
    std::lock_guard lock(m_mutex);
    return m_filePath.isEmpty();
}

void RegistryStore::tell(const StoreNotice& notice) {
    if (m_told)
        return;
    m_told = true;
    if (m_sink)
        m_sink(notice);
}

std::optional<qint64> RegistryStore::findKey(const QString& section) const {
    const QStringList path = keyPath(section);
    if (path.isEmpty())
        return kRootKeyId;
    const auto find = m_db.prepared("SELECT " + keyOf(path.size()));
    bindPath(*find, path);
    if (find->step() != SQLITE_ROW || find->columnIsNull(0))
        return std::nullopt;
    return find->columnInt(0);
}

StoreSection RegistryStore::readSection(const QString& section) const {
    std::lock_guard lock(m_mutex);
    const QStringList path = keyPath(section);
    const auto read = m_db.prepared(
        "SELECT name, kind, data FROM registry_value WHERE key = " + keyOf(path.size()) + " ORDER BY id");
    bindPath(*read, path);
    // A failed read ends the section where it failed; what is missing reads as its default.
    StoreSection values;
    while (read->step() == SQLITE_ROW) {
        StoreSection::Value value{read->columnText(0), {}};
        switch (ValueKind(read->columnInt(1))) {
        case ValueKind::Number:
            if (read->columnIsInteger(2))
                value.data = int(read->columnInt(2));
            break;
        case ValueKind::Text:
            value.data = read->columnText(2);
            break;
        case ValueKind::Binary:
            value.data = read->columnBlob(2);
            break;
        }
        values.append(std::move(value));
    }
    return values;
}

std::optional<qint64> RegistryStore::createKey(const QString& section) {
    qint64 id = kRootKeyId;
    for (const QString& part : keyPath(section)) {
        const auto insert = m_db.prepared("INSERT OR IGNORE INTO registry_key(parent, name, folded) "
                                          "VALUES(?, ?, ?)");
        if (!insert->bind(1, id).bind(2, part).bind(3, folded(part)).run())
            return std::nullopt;
        const auto find = m_db.prepared("SELECT id FROM registry_key WHERE parent = ? AND folded = ?");
        find->bind(1, id).bind(2, folded(part));
        if (find->step() != SQLITE_ROW)
            return std::nullopt;
        id = find->columnInt(0);
    }
    return id;
}

StoreWrite RegistryStore::runWrite(const std::function<int()>& write) {
    static_assert(StoreWrite::kNothingThere == SQLITE_NOTFOUND && kContentRefused == SQLITE_CONSTRAINT);
    std::lock_guard lock(m_mutex);
    if (!m_notWritable.isEmpty())
        return StoreWrite({SQLITE_READONLY, m_notWritable});
    const int code = write();
    if (code == SQLITE_OK)
        return {};
    if (code == SQLITE_NOTFOUND)
        return StoreWrite({code, QStringLiteral("there is nothing to delete")});
    return StoreWrite({code, writeFailureReason(code)});
}

int RegistryStore::lastErrorCode() const {
    const int code = sqlite3_extended_errcode(m_db.handle());
    return code == SQLITE_OK ? SQLITE_ERROR : code;
}

int RegistryStore::upsertValues(const QString& section, std::span<const NamedValue> values) {
    const std::optional<qint64> key = createKey(section);
    if (!key)
        return lastErrorCode();
    // An existing value keeps its place in the enumeration and the name it was first written with.
    const auto upsert = m_db.prepared(R"sql(
        INSERT INTO registry_value(key, name, folded, kind, data) VALUES(?, ?, ?, ?, ?)
        ON CONFLICT(key, folded) DO UPDATE SET kind = excluded.kind, data = excluded.data)sql");
    for (const NamedValue& value : values) {
        upsert->bind(1, *key).bind(2, value.name).bind(3, folded(value.name));
        if (const int* number = std::get_if<int>(&value.data))
            upsert->bind(4, qint64(ValueKind::Number)).bind(5, qint64(*number));
        else if (const QString* text = std::get_if<QString>(&value.data))
            upsert->bind(4, qint64(ValueKind::Text)).bind(5, *text);
        else
            upsert->bind(4, qint64(ValueKind::Binary)).bindBlob(5, std::get<QByteArray>(value.data));
        if (!upsert->run())
            return lastErrorCode();
        upsert->reset();
    }
    return SQLITE_OK;
}

StoreWrite RegistryStore::writeValues(const QString& section, std::span<const NamedValue> values) {
    const SectionValues one{section, values};
    return writeSections({&one, 1});
}

StoreWrite RegistryStore::writeSections(std::span<const SectionValues> sections) {
    return runWrite([&] {
        Transaction transaction(m_db);
        if (!transaction.isOpen())
            return lastErrorCode();
        for (const SectionValues& section : sections)
            if (const int written = upsertValues(section.section, section.values); written != SQLITE_OK)
                return written;
        return transaction.commit() ? SQLITE_OK : lastErrorCode();
    });
}

StoreWrite RegistryStore::replaceValue(const QString& section, const QString& oldName,
                                       const NamedValue& value) {
    return runWrite([&] {
        Transaction transaction(m_db);
        if (!transaction.isOpen())
            return lastErrorCode();
        if (const std::optional<qint64> key = findKey(section)) {
            const auto remove = m_db.prepared("DELETE FROM registry_value WHERE key = ? AND folded = ?");
            if (!remove->bind(1, *key).bind(2, folded(oldName)).run())
                return lastErrorCode();
        }
        const int written = upsertValues(section, {&value, 1});
        if (written != SQLITE_OK)
            return written;
        return transaction.commit() ? SQLITE_OK : lastErrorCode();
    });
}

int RegistryStore::GetProfileInt(const QString& section, const QString& name, int defaultValue) const {
    std::lock_guard lock(m_mutex);
    const std::optional<qint64> key = findKey(section);
    if (!key)
        return defaultValue;
    const auto read = m_db.prepared("SELECT data FROM registry_value WHERE key = ? AND folded = ? "
                                    "AND kind = 4 AND typeof(data) = 'integer'");
    read->bind(1, *key).bind(2, folded(name));
    return read->step() == SQLITE_ROW ? int(read->columnInt(0)) : defaultValue;
}

void RegistryStore::readTogether(const std::function<void()>& reads) const {
    std::lock_guard lock(m_mutex);
    // Inside a transaction already (a nested call), the reads simply join it.
    const bool began = sqlite3_get_autocommit(m_db.handle()) != 0 && m_db.prepared("BEGIN")->run();
    reads();
    if (began)
        m_db.prepared("COMMIT")->run();
}

QString RegistryStore::GetProfileString(const QString& section, const QString& name,
                                        const QString& defaultValue) const {
    std::lock_guard lock(m_mutex);
    const std::optional<qint64> key = findKey(section);
    if (!key)
        return defaultValue;
    const auto read = m_db.prepared("SELECT data FROM registry_value WHERE key = ? AND folded = ? "
                                    "AND kind = 1");
    read->bind(1, *key).bind(2, folded(name));
    return read->step() == SQLITE_ROW ? read->columnText(0) : defaultValue;
}

std::optional<QByteArray> RegistryStore::GetProfileBinary(const QString& section, const QString& name) const {
    std::lock_guard lock(m_mutex);
    const std::optional<qint64> key = findKey(section);
    if (!key)
        return std::nullopt;
    const auto read = m_db.prepared("SELECT data FROM registry_value WHERE key = ? AND folded = ? "
                                    "AND kind = 3");
    read->bind(1, *key).bind(2, folded(name));
    if (read->step() != SQLITE_ROW)
        return std::nullopt;
    return read->columnBlob(0);
}

StoreWrite RegistryStore::WriteProfileInt(const QString& section, const QString& name, int value) {
    const NamedValue one{name, value};
    return writeValues(section, {&one, 1});
}

StoreWrite RegistryStore::WriteProfileString(const QString& section, const QString& name,
                                             const QString& value) {
    const NamedValue one{name, value};
    return writeValues(section, {&one, 1});
}

StoreWrite RegistryStore::WriteProfileBinary(const QString& section, const QString& name,
                                             const QByteArray& value) {
    const NamedValue one{name, value};
    return writeValues(section, {&one, 1});
}

std::optional<ValueKind> RegistryStore::valueKind(const QString& section, const QString& name) const {
    std::lock_guard lock(m_mutex);
    const std::optional<qint64> key = findKey(section);
    if (!key)
        return std::nullopt;
    const auto read = m_db.prepared("SELECT kind FROM registry_value WHERE key = ? AND folded = ?");
    read->bind(1, *key).bind(2, folded(name));
    if (read->step() != SQLITE_ROW)
        return std::nullopt;
    return ValueKind(read->columnInt(0));
}

QStringList RegistryStore::valueNames(const QString& section) const {
    return namesBelow(section, "SELECT name FROM registry_value WHERE key = ? ORDER BY id");
}

QStringList RegistryStore::subKeyNames(const QString& section) const {
    return namesBelow(section, "SELECT name FROM registry_key WHERE parent = ? ORDER BY id");
}

QStringList RegistryStore::namesBelow(const QString& section, const char* query) const {
    std::lock_guard lock(m_mutex);
    QStringList names;
    if (const std::optional<qint64> key = findKey(section)) {
        const auto list = m_db.prepared(query);
        list->bind(1, *key);
        while (list->step() == SQLITE_ROW)
            names.append(list->columnText(0));
    }
    return names;
}

bool RegistryStore::keyExists(const QString& section) const {
    std::lock_guard lock(m_mutex);
    return findKey(section).has_value();
}

StoreWrite RegistryStore::deleteValue(const QString& section, const QString& name) {
    return runWrite([&] {
        const std::optional<qint64> key = findKey(section);
        if (!key)
            return SQLITE_NOTFOUND;
        const auto remove = m_db.prepared("DELETE FROM registry_value WHERE key = ? AND folded = ?");
        if (!remove->bind(1, *key).bind(2, folded(name)).run())
            return lastErrorCode();
        return sqlite3_changes(m_db.handle()) > 0 ? SQLITE_OK : SQLITE_NOTFOUND;
    });
}

StoreWrite RegistryStore::deleteKey(const QString& section) {
    return runWrite([&] {
        const std::optional<qint64> key = findKey(section);
        if (!key)
            return SQLITE_NOTFOUND;
        // Subkeys and values go with their key through the cascade; the root itself always stays.
        Transaction transaction(m_db);
        if (!transaction.isOpen())
            return lastErrorCode();
        const auto removeKeys = m_db.prepared(*key == kRootKeyId ? "DELETE FROM registry_key WHERE parent = ?"
                                                                 : "DELETE FROM registry_key WHERE id = ?");
        const auto removeRootValues = m_db.prepared("DELETE FROM registry_value WHERE key = ?");
        const bool removed =
            removeKeys->bind(1, *key).run() && (*key != kRootKeyId || removeRootValues->bind(1, *key).run());
        return removed && transaction.commit() ? SQLITE_OK : lastErrorCode();
    });
}

std::optional<StoreError> RegistryStore::saveToFile(const QString& path) const {
    std::lock_guard lock(m_mutex);
    FileReplacement replacement(path);
    const auto failed = [](const FileProblem& problem) { return StoreError{problem.code, problem.text}; };
    if (replacement.problem())
        return failed(*replacement.problem());
    SqliteStatement vacuum(m_db.handle(), "VACUUM INTO ?");
    vacuum.bind(1, replacement.temporaryPath());
    if (!vacuum.run())
        return StoreError{sqlite3_extended_errcode(m_db.handle()),
                          QString::fromUtf8(sqlite3_errmsg(m_db.handle()))};
    if (!writeStoreDigest(replacement.temporaryPath()))
        return StoreError{EIO, output::text(output::res::kStoreSaveIncomplete)};
    // The copy reaches the disk before it takes the name, so the file is either the old or the new one.
    if (const std::optional<FileProblem> problem = replacement.commit())
        return failed(*problem);
    return std::nullopt;
}

std::optional<StoreError> RegistryStore::restoreFromFile(const QString& path, const RestoreCheck& accept) {
    if (!QFileInfo(path).isFile())
        return StoreError{ENOENT, QString::fromLocal8Bit(std::strerror(ENOENT))};
    {
        SqliteConnection source;
        if (!source.open(path, SqliteConnection::Mode::ReadOnly))
            return StoreError{source.lastErrorCode(), source.lastErrorText()};
        switch (inspectStoreFile(source, true)) {
        case StoreFileState::Ours:
            break;
        case StoreFileState::Damaged:
            return StoreError{SQLITE_CORRUPT, output::text(output::res::kStoreDamaged)};
        case StoreFileState::Unreadable:
            return StoreError{source.lastErrorCode(), source.lastErrorText()};
        case StoreFileState::Newer:
            return StoreError{SQLITE_NOTADB, output::text(output::res::kStoreFromNewerVersion)};
        case StoreFileState::Empty:
        case StoreFileState::Foreign:
            return StoreError{SQLITE_NOTADB, output::text(output::res::kStoreNotOurs)};
        }
    }

    bool refused = false;
    const StoreWrite written = runWrite([&] {
        SqliteStatement attach(m_db.handle(), "ATTACH DATABASE ? AS source");
        if (!attach.bind(1, path).run())
            return lastErrorCode();
        int code = SQLITE_OK;
        {
            Transaction transaction(m_db);
            // Names are folded again here, so a file cannot smuggle in two values that the store
            // would take for one.
            const bool replaced = transaction.isOpen() && m_db.exec(R"sql(
                    PRAGMA defer_foreign_keys = ON;
                    DELETE FROM registry_value;
                    DELETE FROM registry_key;
                    INSERT INTO registry_key(id, parent, name, folded)
                        SELECT id, parent, name, casefold(name) FROM source.registry_key ORDER BY id;
                    INSERT INTO registry_value(id, key, name, folded, kind, data)
                        SELECT id, key, name, casefold(name), kind, data FROM source.registry_value ORDER BY id;
                )sql") == SQLITE_OK;
            // The check reads the new content inside the transaction, which a refusal rolls back.
            refused = replaced && accept && !accept(*this);
            if (refused)
                code = kContentRefused;
            else if (!replaced || !transaction.commit())
                code = lastErrorCode();
        }
        m_db.exec("DETACH DATABASE source");
        return code;
    });
    if (written)
        return std::nullopt;
    if (refused)
        return StoreError{kContentRefused, output::text(output::res::kStoreContentRefused)};
    return StoreError{written.code(), written.reason()};
}

} // namespace vantrel::settings
