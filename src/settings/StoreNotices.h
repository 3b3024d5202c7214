#pragma once

#include <QString>
#include <functional>

namespace vantrel::settings {

// What the store tells its front end about itself, at most once per kind and run.
struct StoreNotice {
    enum class Kind {
        MovedAside,   // the store file was damaged or not ours; it was renamed and a fresh one started
        Lost,         // the store file was empty: the saved settings are gone, a fresh store starts
        NewerVersion, // a newer version wrote the file: it is read into memory and never written
        Unreadable,   // the file could not be read (locked too long, an I/O error): defaults, in memory
        NotWritable,  // the store cannot be written: it is read into memory and takes no change
    };
    Kind kind;
    QString caption;
    QString text;
};
using StoreNoticeSink = std::function<void(const StoreNotice&)>;

StoreNotice movedAsideNotice(const QString& file, const QString& aside);
StoreNotice lostNotice(const QString& file);
StoreNotice newerVersionNotice(const QString& file);
StoreNotice unreadableNotice(const QString& file, const QString& reason);
StoreNotice notWritableNotice(const QString& reason);

// The reason given when another process holds the store's lock past the wait.
QString lockedReason();

} // namespace vantrel::settings
