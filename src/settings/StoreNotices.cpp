#include "settings/StoreNotices.h"

namespace vantrel::settings {
namespace {

StoreNotice notice(StoreNotice::Kind kind, const QString& text) {
    return {kind, QStringLiteral("Settings Error"), text};
}

} // namespace

StoreNotice movedAsideNotice(const QString& file, const QString& aside) {
    return notice(
        StoreNotice::Kind::MovedAside,
        QStringLiteral("The settings file \"%1\" was damaged or was not a Vantrel settings file. It was "
                       "renamed to \"%2\", and Vantrel starts with default settings.")
            .arg(file, aside));
}

StoreNotice lostNotice(const QString& file) {
    return notice(
        StoreNotice::Kind::Lost,
        QStringLiteral("The settings file \"%1\" was empty: the saved settings are lost, and Vantrel "
                       "starts with default settings.")
            .arg(file));
}

StoreNotice newerVersionNotice(const QString& file) {
    return notice(
        StoreNotice::Kind::NewerVersion,
        QStringLiteral("The settings file \"%1\" was written by a newer version of Vantrel. This "
                       "version uses the settings it can read from it and leaves the file as it is: "
                       "changes made now will not be saved.")
            .arg(file));
}

StoreNotice unreadableNotice(const QString& file, const QString& reason) {
    return notice(
        StoreNotice::Kind::Unreadable,
        QStringLiteral("The saved settings in \"%1\" could not be read (%2). Vantrel runs with default "
                       "settings, and changes made now will not be saved.")
            .arg(file, reason));
}

StoreNotice notWritableNotice(const QString& reason) {
    return notice(StoreNotice::Kind::NotWritable,
                  QStringLiteral("Vantrel cannot save its settings (%1). Options changed now hold until "
                                 "Vantrel closes; profiles and saved lists cannot be changed.")
                      .arg(reason));
}

QString lockedReason() {
    return QStringLiteral("another program keeps the file locked");
}

} // namespace vantrel::settings
