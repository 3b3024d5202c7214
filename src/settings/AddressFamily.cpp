#include "settings/AddressFamily.h"

#include "settings/OptionTable.h"

namespace vantrel::settings {

AddressFamily addressFamilyOf(int number) {
    return AddressFamily(correctedNumber(optionSpec(OptionId::AddressFamily), number));
}

} // namespace vantrel::settings
