#pragma once

#include "rtf/RtfDocument.h"

#include <QString>
#include <array>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vantrel::output {

// One value of a row: a number, or a text from outside the program (a host, a name, returned data, an
// error text), which is escaped where the row is written as RTF.
using RowValue = std::variant<unsigned, int, double, QString>;

// A line of the catalogue made ready for rows that carry their values apart from the line: its text cut
// once into literal pieces and conversions and balanced, so that writing a row is a concatenation, and its
// document form read once with a mark where each value goes, so that a row shown in a window is never written
// as RTF and read back. Lines live for the whole program and are shared by all threads.
class RowLine {
public:
    static constexpr std::size_t kMaxValues = 11; // the path monitor's hop rows have the most
    // Room for a number's decimal digits and sign.
    using Digits = std::array<char16_t, 16>;

    // The line of a catalogue text, which must have static storage (the catalogue's own texts).
    static const RowLine& of(std::string_view catalogueText);
    // A line put together from catalogue texts (a start line's frame around its template, a link inside
    // a row), kept once per distinct text.
    static const RowLine& composed(const std::string& text);

    std::size_t valueCount() const { return m_conversions.size(); }

    // The line as RTF with its values in place, texts escaped.
    QString rtf(std::span<const RowValue> values) const;
    // The line as a document with its values in place: what RtfReader makes of rtf(values).
    RtfDocument document(std::span<const RowValue> values) const;

    // The text a value stands for in a document: what escaping it for RTF and reading it back gives.
    static QString shownText(const QString& outside);

    RowLine(const RowLine&) = delete;
    RowLine& operator=(const RowLine&) = delete;

private:
    struct Conversion {
        char type = 's';  // s, u, d or f
        std::string spec; // the whole conversion, "%s", "%.2f", ...
    };

    explicit RowLine(std::string text);
    QString valueText(std::size_t index, const RowValue& value, bool escaped) const;
    // The text a value stands for in a document: a plain number written in `digits`, any other value kept
    // in `text`.
    QStringView shownValue(std::size_t index, const RowValue& value, QString& text, Digits& digits) const;
    const RtfDocument& templateDocument() const;
    // The line with U+E000 + i standing for value i.
    QString markedText() const;
    void balanceLiterals();

    std::string m_text;
    std::vector<QString> m_literals; // one more than the conversions, "%%" already made "%"
    std::vector<Conversion> m_conversions;
    mutable std::once_flag m_read;
    mutable RtfDocument m_template; // the document with U+E000 + i standing for value i
};

} // namespace vantrel::output
