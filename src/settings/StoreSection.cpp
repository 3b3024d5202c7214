#include "settings/StoreSection.h"

#include <algorithm>

namespace vantrel::settings {

const StoreSection::Value* StoreSection::find(const QString& name) const {
    // A name is mostly asked for as it was written, which spares folding every name; the store folds
    // names as QString::toCaseFolded does.
    const auto exact = std::ranges::find(m_values, name, &Value::name);
    if (exact != m_values.end())
        return &*exact;
    if (m_foldedNames.size() != m_values.size()) {
        m_foldedNames.clear();
        for (const Value& value : m_values)
            m_foldedNames.push_back(value.name.toCaseFolded());
    }
    const auto similar = std::ranges::find(m_foldedNames, name.toCaseFolded());
    return similar == m_foldedNames.end() ? nullptr : &m_values[std::size_t(similar - m_foldedNames.begin())];
}

int StoreSection::number(const QString& name, int defaultValue) const {
    const Value* value = find(name);
    const int* number = value ? std::get_if<int>(&value->data) : nullptr;
    return number ? *number : defaultValue;
}

QString StoreSection::text(const QString& name, const QString& defaultValue) const {
    const Value* value = find(name);
    const QString* text = value ? std::get_if<QString>(&value->data) : nullptr;
    return text ? *text : defaultValue;
}

std::optional<QByteArray> StoreSection::binary(const QString& name) const {
    const Value* value = find(name);
    const QByteArray* data = value ? std::get_if<QByteArray>(&value->data) : nullptr;
    return data ? std::optional(*data) : std::nullopt;
}

} // namespace vantrel::settings
