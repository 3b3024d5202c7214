#include "settings/StoreFileFormat.h"

#include "settings/SqliteStatement.h"

#include <QCryptographicHash>
#include <sqlite3.h>

namespace vantrel::settings {

namespace {

const char* const kCreateSchema = R"sql(
    CREATE TABLE IF NOT EXISTS registry_key(
        id INTEGER PRIMARY KEY,
        parent INTEGER REFERENCES registry_key(id) ON DELETE CASCADE,
        name TEXT NOT NULL,
        folded TEXT NOT NULL,
        UNIQUE(parent, folded));
    CREATE TABLE IF NOT EXISTS registry_value(
        id INTEGER PRIMARY KEY,
        key INTEGER NOT NULL REFERENCES registry_key(id) ON DELETE CASCADE,
        name TEXT NOT NULL,
        folded TEXT NOT NULL,
        kind INTEGER NOT NULL CHECK(kind IN (1, 3, 4)),
        data BLOB,
        UNIQUE(key, folded));
    INSERT OR IGNORE INTO registry_key(id, parent, name, folded) VALUES(1, NULL, '', '');
)sql";

// A digest of every key and value, in a fixed order. A saved file carries it, so that damage inside the
// data itself, which SQLite's own checks cannot see, stops a restore.
QByteArray contentDigest(SqliteConnection& db) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    SqliteStatement keys(db.handle(), "SELECT id, ifnull(parent, 0), name FROM registry_key ORDER BY id");
    while (keys.step() == SQLITE_ROW)
        hash.addData(QStringLiteral("k%1/%2/%3\n")
                         .arg(keys.columnInt(0))
                         .arg(keys.columnInt(1))
                         .arg(keys.columnText(2))
                         .toUtf8());
    SqliteStatement values(db.handle(),
                           "SELECT id, key, name, kind, typeof(data), data FROM registry_value ORDER BY id");
    while (values.step() == SQLITE_ROW) {
        hash.addData(QStringLiteral("v%1/%2/%3/%4/%5/")
                         .arg(values.columnInt(0))
                         .arg(values.columnInt(1))
                         .arg(values.columnText(2))
                         .arg(values.columnInt(3))
                         .arg(values.columnText(4))
                         .toUtf8());
        const QByteArray data = values.columnBlob(5);
        hash.addData(QByteArray::number(data.size()) + '/' + data + '\n');
    }
    return hash.result();
}

// Whether a saved file's digest, where it has one, matches its content.
bool digestMatches(SqliteConnection& db) {
    if (db.queryNumber("SELECT count(*) FROM sqlite_schema WHERE name = 'saved_digest'") != 1)
        return true; // a plain store file, copied by hand
    SqliteStatement read(db.handle(), "SELECT digest FROM saved_digest");
    return read.step() == SQLITE_ROW && read.columnBlob(0) == contentDigest(db);
}

} // namespace

StoreFileState inspectStoreFile(SqliteConnection& db, bool strict) {
    SqliteStatement check(db.handle(), "PRAGMA quick_check");
    const int checked = check.step();
    if (checked != SQLITE_ROW) {
        // Only a file that SQLite reads and finds wrong is damaged; one it cannot read at all (no
        // permission, locked for too long, an I/O error) is left alone.
        const int code = sqlite3_extended_errcode(db.handle());
        if ((code & 0xff) == SQLITE_NOTADB || (code & 0xff) == SQLITE_CORRUPT)
            return StoreFileState::Damaged;
        db.noteError(code);
        return StoreFileState::Unreadable;
    }
    if (check.columnText(0) != QLatin1String("ok"))
        return StoreFileState::Damaged;

    const qint64 applicationId = db.queryNumber("PRAGMA application_id");
    const qint64 objectCount = db.queryNumber("SELECT count(*) FROM sqlite_schema");
    if (applicationId < 0 || objectCount < 0)
        return StoreFileState::Damaged;
    if (applicationId == 0 && objectCount == 0)
        return StoreFileState::Empty;
    if (applicationId != kStoreApplicationId)
        return StoreFileState::Foreign;
    if (db.queryNumber("PRAGMA user_version") > kStoreSchemaVersion)
        return StoreFileState::Newer;

    const bool tablesComplete =
        db.queryNumber("SELECT count(*) FROM pragma_table_info('registry_key') "
                       "WHERE name IN ('id', 'parent', 'name', 'folded')") == 4 &&
        db.queryNumber("SELECT count(*) FROM pragma_table_info('registry_value') "
                       "WHERE name IN ('id', 'key', 'name', 'folded', 'kind', 'data')") == 6;
    if (!tablesComplete)
        return StoreFileState::Foreign;
    if (db.queryNumber("SELECT count(*) FROM registry_key WHERE id = 1 AND parent IS NULL") != 1 ||
        db.queryNumber("SELECT count(*) FROM pragma_foreign_key_check") != 0)
        return StoreFileState::Damaged;
    if (strict) {
        const qint64 badValues = db.queryNumber(R"sql(
            SELECT count(*) FROM registry_value WHERE NOT (
                (kind = 4 AND typeof(data) = 'integer' AND data BETWEEN -2147483648 AND 2147483647) OR
                (kind = 1 AND typeof(data) = 'text') OR
                (kind = 3 AND typeof(data) = 'blob'))
            )sql");
        const qint64 badKeys = db.queryNumber(
            "SELECT count(*) FROM registry_key WHERE (parent IS NULL) != (id = 1) OR typeof(name) != 'text'");
        // Nothing beside the store's own tables and their indexes: a file that would bring triggers,
        // views or tables of its own is not one we wrote.
        const qint64 unknownObjects = db.queryNumber(R"sql(
            SELECT count(*) FROM sqlite_schema WHERE NOT (
                (type = 'table' AND name IN ('registry_key', 'registry_value', 'saved_digest')) OR
                (type = 'index' AND name LIKE 'sqlite\_autoindex\_registry\_%' ESCAPE '\'))
            )sql");
        if (badValues != 0 || badKeys != 0 || unknownObjects != 0 || !digestMatches(db))
            return StoreFileState::Damaged;
    }
    return StoreFileState::Ours;
}

bool writeStoreDigest(const QString& file) {
    SqliteConnection saved;
    if (!saved.open(file, SqliteConnection::Mode::ReadWriteCreate) ||
        saved.exec("CREATE TABLE saved_digest(digest BLOB NOT NULL)") != SQLITE_OK)
        return false;
    SqliteStatement insert(saved.handle(), "INSERT INTO saved_digest(digest) VALUES(?)");
    return insert.bindBlob(1, contentDigest(saved)).run();
}

bool createStoreSchema(SqliteConnection& db) {
    const QByteArray pragmas = QStringLiteral("PRAGMA application_id = %1; PRAGMA user_version = %2;")
                                   .arg(kStoreApplicationId)
                                   .arg(kStoreSchemaVersion)
                                   .toUtf8();
    return db.exec("BEGIN IMMEDIATE") == SQLITE_OK && db.exec(pragmas.constData()) == SQLITE_OK &&
           db.exec(kCreateSchema) == SQLITE_OK && db.exec("COMMIT") == SQLITE_OK;
}

} // namespace vantrel::settings
