#include "settings/LiveOptions.h"

namespace vantrel::settings {

QString LiveOptions::text(OptionId id) const {
    std::lock_guard lock(m_textMutex);
    return m_texts[std::size_t(id)];
}

void LiveOptions::setText(OptionId id, const QString& value) {
    std::lock_guard lock(m_textMutex);
    m_texts[std::size_t(id)] = value;
}

OptionSet LiveOptions::snapshot() const {
    OptionSet set;
    std::lock_guard lock(m_textMutex);
    for (const OptionSpec& spec : optionTable()) {
        if (spec.isNumeric())
            set.setNumber(spec.id, number(spec.id));
        else
            set.setText(spec.id, m_texts[std::size_t(spec.id)]);
    }
    return set;
}

void LiveOptions::assign(const OptionSet& values) {
    std::lock_guard lock(m_textMutex);
    for (const OptionSpec& spec : optionTable()) {
        if (spec.isNumeric())
            setNumber(spec.id, values.number(spec.id));
        else
            m_texts[std::size_t(spec.id)] = values.text(spec.id);
    }
}

} // namespace vantrel::settings
