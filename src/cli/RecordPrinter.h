#pragma once

#include "ops/ResultRecord.h"

#include <QString>
#include <functional>
#include <vector>

namespace vantrel::cli {

// Prints an operation's records for other programs: as CSV, a header when a run starts and one line per
// table row with the operation's columns; as JSON, one compact object per line for every record (start,
// row, line, summary).
class RecordPrinter {
public:
    enum class Format { Csv, Json };
    using Write = std::function<void(const QString&)>;

    RecordPrinter(Format format, Write write)
        : m_format(format)
        , m_write(std::move(write)) {}

    void print(const ops::ResultRecord& record);
    // A path monitor's round as one JSON line: its number, whether the target answered so far, and its
    // hop records.
    void printRound(unsigned round, bool targetAnswered, const std::vector<ops::ResultRecord>& hops);

    // The CSV columns of an operation's rows, in order.
    static QStringList csvColumns(ops::RecordOperation operation);
    // One CSV field, quoted when it holds a comma, a quote or a line break.
    static QString csvField(const QString& value);

private:
    void printCsv(const ops::ResultRecord& record);

    Format m_format;
    Write m_write;
    std::optional<ops::RecordOperation> m_header; // the operation whose header was printed last
};

} // namespace vantrel::cli
