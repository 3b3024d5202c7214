#include "commands/AddressEditMessage.h"

#include "text/MessageTexts.h"

namespace vantrel::output {

QString addressEditMessage(settings::AddressEdit result, const settings::ListScanAddressList& list,
                           const QString& typed) {
    using settings::AddressEdit;
    switch (result) {
    case AddressEdit::Added:
    case AddressEdit::Deleted:
        break;
    case AddressEdit::Empty:
        return text(res::kNoAddressSpecified);
    case AddressEdit::TooLong:
        return text(res::kHostTooLong);
    case AddressEdit::ControlCharacter:
        return text(res::kHostControlCharacter);
    case AddressEdit::CaseTwin:
        return fill(res::kAddressCaseTwin, list.caseTwin(typed));
    case AddressEdit::AlreadyListed:
        return fill(res::kAddressAlreadyListed, typed);
    case AddressEdit::NotListed:
        return fill(res::kAddressNotListed, typed);
    case AddressEdit::NotSaved:
        return fill(res::kAddressNotSaved, list.notSavedReason());
    }
    return {};
}

} // namespace vantrel::output
