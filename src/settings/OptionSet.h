#pragma once

#include "settings/OptionTable.h"

#include <QString>
#include <array>

namespace vantrel::settings {

// One value for every option: numbers for flags, yes/no numbers and numbers, texts for text options.
// A plain value type, for loading, saving and snapshots.
class OptionSet {
public:
    // Every option at its default.
    static OptionSet defaults();

    int number(OptionId id) const { return m_numbers[index(id)]; }
    bool isOn(OptionId id) const { return number(id) != 0; }
    const QString& text(OptionId id) const { return m_texts[index(id)]; }
    void setNumber(OptionId id, int value) { m_numbers[index(id)] = value; }
    void setText(OptionId id, const QString& value) { m_texts[index(id)] = value; }

    // The value as the command line prints it and takes it: a number in decimal, or the text.
    QString display(OptionId id) const;

    bool operator==(const OptionSet&) const = default;

private:
    static std::size_t index(OptionId id) { return std::size_t(id); }

    std::array<int, kOptionCount> m_numbers{};
    std::array<QString, kOptionCount> m_texts{};
};

} // namespace vantrel::settings
