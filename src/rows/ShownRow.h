#pragma once

#include "rows/ResultRow.h"

#include <optional>

namespace vantrel::output {

// A row on its way to the log and the views, rendered only into the forms they ask for, each at most once:
// the RTF fragment (the log, --rtf) and the document (the window, the terminal, a printout). A row of the
// program is rendered from its typed values; RTF from outside (a pasted or read fragment) is read as it is.
class ShownRow {
public:
    explicit ShownRow(const ResultRow& row)
        : m_row(&row)
        , m_kind(row.kind) {}
    // A balanced fragment from outside the program.
    ShownRow(QString fragment, ResultKind kind)
        : m_kind(kind)
        , m_rtf(std::move(fragment)) {}

    ResultKind kind() const { return m_kind; }
    const QString& rtf() const;
    const RtfDocument& document() const;
    // Whether the fragment is a table row (the tables' rows, not the lines between them).
    bool isTableRow() const;

private:
    const ResultRow* m_row = nullptr;
    ResultKind m_kind;
    mutable std::optional<QString> m_rtf;
    mutable std::optional<RtfDocument> m_document;
};

} // namespace vantrel::output
