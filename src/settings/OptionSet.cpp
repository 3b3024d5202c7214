#include "settings/OptionSet.h"

namespace vantrel::settings {

OptionSet OptionSet::defaults() {
    OptionSet set;
    for (const OptionSpec& spec : optionTable()) {
        if (spec.isNumeric())
            set.setNumber(spec.id, spec.defaultNumber);
        else
            set.setText(spec.id, spec.defaultTextValue());
    }
    return set;
}

QString OptionSet::display(OptionId id) const {
    return optionSpec(id).isNumeric() ? QString::number(number(id)) : text(id);
}

} // namespace vantrel::settings
