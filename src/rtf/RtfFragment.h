#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace vantrel::output {

// Makes a fragment safe to write over a document's closing brace, whatever it holds: its groups balanced
// and its very last character the one "}" that closes the document. A "}" that would close the document
// before the end is dropped; braces a fragment leaves open are closed, and the document's own "}" added
// when the fragment lacks it. Line breaks (never part of a fragment) are dropped, "\<newline>" becomes
// "\par ", other control characters vanish (a tab becomes "\tab "); a trailing lone backslash or
// truncated \'h escape is dropped, and \binN (which would swallow the bytes after it) removed.
// A well-formed fragment comes back unchanged.
QString balancedFragment(QStringView fragment);

// The 8-bit form of RTF text for the log file: 7-bit characters as they are, others escaped (\'hh for
// Windows-1252, \uN? beyond it).
QByteArray toRtfBytes(QStringView rtf);

} // namespace vantrel::output
