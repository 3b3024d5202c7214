#include "commands/ProfileCommands.h"

#include "commands/CommandIds.h"
#include "text/MessageTexts.h"

#include <array>

namespace vantrel::output {

namespace {

using settings::ProfileAction;

// Captions for add, update and delete, one row per source.
struct ProfileCaptions {
    int id;
    std::array<const TextTemplate<>*, 3> captions;
};
constexpr std::array kCaptions = {
    ProfileCaptions{cmd::kAddProfileButton,
                    {&res::kAddProfileButton, &res::kUpdateProfileButton, &res::kDeleteProfileButton}},
    ProfileCaptions{cmd::kProfilePaneButton,
                    {&res::kAddProfilePane, &res::kUpdateProfilePane, &res::kDeleteProfilePane}},
    ProfileCaptions{cmd::kAddProfile,
                    {&res::kAddProfileMenu, &res::kUpdateProfileMenu, &res::kDeleteProfileMenu}},
};

} // namespace

std::optional<CommandUpdate> profileCommandUpdate(int id, ProfileAction action, bool enabled) {
    for (const ProfileCaptions& source : kCaptions) {
        if (source.id == id)
            return CommandUpdate{enabled, text(*source.captions[std::size_t(action)]), std::nullopt,
                                 std::nullopt};
    }
    return std::nullopt;
}

QString profileButtonTip(ProfileAction action) {
    switch (action) {
    case ProfileAction::Update:
        return text(res::kUpdateProfileTip);
    case ProfileAction::Delete:
        return text(res::kDeleteProfileTip);
    case ProfileAction::Add:
        break;
    }
    return text(res::kAddProfileTip);
}

QString profileHeaderTip(int column, std::optional<settings::ProfileBook::SortState> sorted) {
    const bool names = column == settings::kNameColumn;
    if (!sorted || sorted->column != column)
        return text(names ? res::kSortNamesTip : res::kSortAddressesTip);
    if (sorted->ascending)
        return text(names ? res::kSortNamesDescendingTip : res::kSortAddressesDescendingTip);
    return text(names ? res::kSortNamesAscendingTip : res::kSortAddressesAscendingTip);
}

std::optional<ProfileMessage> profileRefusalMessage(settings::ProfileRefusal refusal, const QString& name,
                                                    const QString& reason) {
    switch (refusal) {
    case settings::ProfileRefusal::None:
        return std::nullopt;
    case settings::ProfileRefusal::Empty:
        return ProfileMessage{text(res::kInputErrorCaption), text(res::kProfileNeedsBoth)};
    case settings::ProfileRefusal::NameTooLong:
        return ProfileMessage{text(res::kInputErrorCaption), text(res::kProfileNameTooLong)};
    case settings::ProfileRefusal::AddressTooLong:
        return ProfileMessage{text(res::kInputErrorCaption), text(res::kHostTooLong)};
    case settings::ProfileRefusal::NameControlCharacter:
        return ProfileMessage{text(res::kInputErrorCaption), text(res::kProfileNameControlCharacter)};
    case settings::ProfileRefusal::AddressControlCharacter:
        return ProfileMessage{text(res::kInputErrorCaption), text(res::kHostControlCharacter)};
    case settings::ProfileRefusal::NameExists:
        return ProfileMessage{text(res::kProfileManagerTitle), fill(res::kProfileNameExists, name),
                              MessageIcon::Warning};
    case settings::ProfileRefusal::NotSaved:
        return ProfileMessage{text(res::kSettingsErrorCaption), fill(res::kProfileNotSaved, reason)};
    }
    return std::nullopt;
}

} // namespace vantrel::output
