#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace vantrel::settings {

// The values of one section as a single read found them, in creation order: a start reads whole
// sections this way rather than value by value. It answers as the store does: names compared without
// regard to case, and a missing value or one of another kind reads as the default given.
class StoreSection {
public:
    struct Value {
        QString name; // as first written
        // A number, a text or binary data; nothing for a number stored as some other type.
        std::variant<std::monostate, int, QString, QByteArray> data;

        // The text; a null text for a value of another kind.
        QString text() const {
            const QString* text = std::get_if<QString>(&data);
            return text ? *text : QString();
        }
    };

    void append(Value value) { m_values.push_back(std::move(value)); }

    const std::vector<Value>& values() const { return m_values; }
    int number(const QString& name, int defaultValue) const;
    QString text(const QString& name, const QString& defaultValue = {}) const;
    std::optional<QByteArray> binary(const QString& name) const;

private:
    const Value* find(const QString& name) const;

    std::vector<Value> m_values;                // a few dozen at most: looked up one by one
    mutable std::vector<QString> m_foldedNames; // folded at the first name not found as written
};

} // namespace vantrel::settings
