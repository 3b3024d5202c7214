#include "rows/ResultRow.h"

namespace vantrel::output {

namespace {

// The position of the `slot`th "%s" in a catalogue text (no other conversion comes before it there).
std::size_t slotPosition(std::string_view text, std::size_t slot) {
    std::size_t at = 0;
    for (std::size_t seen = 0;; ++seen, at += 2) {
        at = text.find("%s", at);
        if (at == std::string_view::npos || seen == slot)
            return at;
    }
}

ResultRow startRow(const std::string& text, const QString& host) {
    ResultRow row;
    row.line = &RowLine::composed(" \\par {" + text + "} \\par }");
    row.values[0] = host;
    row.values[1] = QString();
    row.kind = ResultKind::Bold;
    row.timeStamped = true;
    return row;
}

} // namespace

std::span<const RowValue> ResultRow::filled() const {
    return {values.data(), line ? line->valueCount() : 0};
}

QString ResultRow::rtf() const {
    return line ? line->rtf(filled()) : QString();
}

RtfDocument ResultRow::document() const {
    return line ? line->document(filled()) : RtfDocument{};
}

ResultRow startRow(const RtfTemplate<RtfText, RtfText>& line, const QString& host) {
    return startRow(std::string(line.text), host);
}

ResultRow startRow(const RtfTemplate<RtfText>& line, const QString& host) {
    return startRow(std::string(line.text) + "%s", host);
}

ResultRow fixedRow(ResultKind kind, const std::string& programRtf) {
    ResultRow row;
    row.line = &RowLine::composed(programRtf);
    row.kind = kind;
    return row;
}

ResultRow nestedRow(ResultKind kind, std::string_view outer, std::size_t slot, std::string_view inner,
                    std::initializer_list<RowValue> values) {
    std::string text(outer);
    const std::size_t at = slotPosition(outer, slot);
    if (at != std::string_view::npos)
        text.replace(at, 2, inner);
    ResultRow row;
    row.line = &RowLine::composed(text);
    row.kind = kind;
    std::size_t i = 0;
    for (const RowValue& value : values)
        if (i < RowLine::kMaxValues)
            row.values[i++] = value;
    return row;
}

} // namespace vantrel::output
