#pragma once

#include "rtf/RtfDocument.h"

#include <QByteArrayView>
#include <QStringView>

namespace vantrel::output {

// Reads the RTF subset the program writes into an RtfDocument: groups, \par, \line, \tab, \b, \ul, \cfN
// with \colortbl, table rows (\trowd, \cellxN, \clcbpatN, \clbrdrl/t/r/b with \brdrwN, \intbl, \cell,
// \row, \pard), HYPERLINK fields (\field, \*\fldinst, \fldrslt), \'hh (Windows-1252) and \uN with its
// fallback. Other destinations (\fonttbl, \stylesheet, any \* group) are skipped, other control words
// ignored. Each \colortbl replaces the colours in force from there on, as every fragment brings its own.
//
// Any input is accepted and never crashes the reader: unbalanced or stray braces, truncated escapes,
// numbers of any length (clamped), nesting of any depth (groups deeper than kMaxDepth share the state of
// the deepest), and text outside any group. Time and memory grow linearly with the input.
class RtfReader {
public:
    static constexpr int kMaxDepth = 100;

    // A whole document, "{\rtf1 ...}".
    static RtfDocument readDocument(QStringView rtf);
    // The same from 8-bit bytes, as the log file holds them (bytes above 0x7F read as Windows-1252).
    static RtfDocument readDocument(QByteArrayView rtf);
    // A fragment: the body of a document without its opening "{\rtf1 ", ending in the document's "}".
    static RtfDocument readFragment(QStringView fragment);
    // The target of a field instruction "HYPERLINK target" (the target may be quoted); empty for others.
    static QString hyperlinkTarget(const QString& instruction);
};

} // namespace vantrel::output
