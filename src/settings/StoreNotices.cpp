#include "settings/StoreNotices.h"

#include "text/MessageTexts.h"

namespace vantrel::settings {
namespace {

namespace res = output::res;

StoreNotice notice(StoreNotice::Kind kind, const QString& text) {
    return {kind, output::text(res::kSettingsErrorCaption), text};
}

} // namespace

StoreNotice movedAsideNotice(const QString& file, const QString& aside) {
    return notice(StoreNotice::Kind::MovedAside, output::fill(res::kStoreMovedAside, file, aside));
}

StoreNotice lostNotice(const QString& file) {
    return notice(StoreNotice::Kind::Lost, output::fill(res::kStoreLost, file));
}

StoreNotice newerVersionNotice(const QString& file) {
    return notice(StoreNotice::Kind::NewerVersion, output::fill(res::kStoreNewerVersion, file));
}

StoreNotice unreadableNotice(const QString& file, const QString& reason) {
    return notice(StoreNotice::Kind::Unreadable, output::fill(res::kStoreUnreadable, file, reason));
}

StoreNotice notWritableNotice(const QString& reason) {
    return notice(StoreNotice::Kind::NotWritable, output::fill(res::kStoreNotWritable, reason));
}

QString lockedReason() {
    return output::text(res::kStoreLocked);
}

} // namespace vantrel::settings
