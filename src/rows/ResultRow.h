#pragma once

#include "rows/RowLine.h"
#include "rtf/ResultKind.h"
#include "text/StringResource.h"

#include <array>
#include <type_traits>

namespace vantrel::output {

// What fills a template's argument in a row: its number, or for a text argument the text itself (from
// outside the program or a fixed text of the catalogue); the row escapes it where it is written as RTF.
template <typename T> using RowArgument = std::conditional_t<std::is_same_v<T, RtfText>, QString, T>;

// One fragment of the Results window as a typed value: a line of the catalogue and the values that fill
// it, with how the window presents it. Workers hand rows over as they are; whoever shows one renders it:
// as RTF for the log and --rtf, as a document for the window and the terminal.
struct ResultRow {
    const RowLine* line = nullptr;
    std::array<RowValue, RowLine::kMaxValues> values{};
    ResultKind kind = ResultKind::Plain;
    // The line's last value is the time stamp of the moment the row is appended (the scans' end lines
    // and the start lines), filled in from the front end's clock.
    bool timeStamped = false;

    QString rtf() const;
    RtfDocument document() const;
    std::span<const RowValue> filled() const;
};

template <typename... Args>
ResultRow makeRow(ResultKind kind, const RtfTemplate<Args...>& line,
                  const std::type_identity_t<RowArgument<Args>>&... args) {
    ResultRow row;
    row.line = &RowLine::of(line.text);
    row.kind = kind;
    std::size_t i = 0;
    ((row.values[i++] = RowValue(args)), ...);
    return row;
}

// A line whose last argument is the time stamp of the moment it is appended.
template <typename... Args>
ResultRow makeStampedRow(ResultKind kind, const RtfTemplate<Args...>& line,
                         const std::type_identity_t<RowArgument<Args>>&... args) {
    ResultRow row = makeRow(kind, line, args...);
    row.timeStamped = true;
    return row;
}

// An operation's start line, in bold between empty lines: the template's first argument is the host and
// its last (or, with one argument, a "%s" after it) the time stamp.
ResultRow startRow(const RtfTemplate<RtfText, RtfText>& line, const QString& host);
ResultRow startRow(const RtfTemplate<RtfText>& line, const QString& host);

// A line of the program that is not in the catalogue and has no values (kept once per distinct text).
ResultRow fixedRow(ResultKind kind, const std::string& programRtf);

// A row whose text argument at `slot` (counted from 0) is itself a line of the catalogue, filled with its
// own arguments after the row's values before that slot.
ResultRow nestedRow(ResultKind kind, std::string_view outer, std::size_t slot, std::string_view inner,
                    std::initializer_list<RowValue> values);

} // namespace vantrel::output
