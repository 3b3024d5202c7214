#pragma once

#include "settings/SqliteConnection.h"

#include <QString>

namespace vantrel::settings {

// What marks a store file as the program's: SQLite's application id and the schema's version.
inline constexpr qint64 kStoreApplicationId = 0x5654524C; // "VTRL"
inline constexpr qint64 kStoreSchemaVersion = 1;

// What a database file holds, as far as the store is concerned.
enum class StoreFileState { Ours, Empty, Newer, Foreign, Damaged, Unreadable };

// Checks a database for being a store of ours. With `strict`, every value must also be well-typed and a
// saved file's digest must match its content, as a file about to replace the whole store must be.
StoreFileState inspectStoreFile(SqliteConnection& db, bool strict);
// Gives a database the store's marks, tables and root key in one transaction; false when it cannot.
bool createStoreSchema(SqliteConnection& db);
// Adds the digest of its keys and values to a saved file, so that damage inside the data itself, which
// SQLite's own checks cannot see, stops a restore.
bool writeStoreDigest(const QString& file);

} // namespace vantrel::settings
