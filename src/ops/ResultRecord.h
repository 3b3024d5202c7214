#pragma once

#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

namespace vantrel::ops {

// The operation a record belongs to.
enum class RecordOperation { Ping, ContinuousPing, Trace, Lookup, SeqScan, ListScan, ISPinger, PathMonitor };

// A run's sums: requests (or addresses) sent and answered, the loss in percent and, once something was
// answered, the round-trip times and their mean deviation.
struct RecordSummary {
    unsigned sent = 0;
    unsigned received = 0;
    double loss = 0.0;
    std::optional<std::chrono::microseconds> minimum;
    std::optional<std::chrono::microseconds> average;
    std::optional<std::chrono::microseconds> maximum;
    std::optional<std::chrono::microseconds> deviation;
};

// A path monitor's hop: its probes, and its round trips in microseconds once one was answered.
struct RecordHop {
    unsigned sent = 0;
    unsigned received = 0;
    double loss = 0.0;
    std::optional<std::int64_t> last, average, best, worst, deviation, jitter;
};

// One result of an operation as typed values, sent beside the fragment that shows it, for the programs
// and panes that want numbers rather than text. Only the fields the operation has are set.
struct ResultRecord {
    // Start: a run begins (a plot starts afresh). Row: a table row. Line: an end or cancel line, named by
    // `line`. Summary: the run's sums.
    enum class Kind { Start, Row, Line, Summary };

    Kind kind = Kind::Row;
    RecordOperation operation = RecordOperation::Ping;
    std::optional<std::uint32_t> packet;                // request number, from 1 (ping, ISPinger)
    std::optional<std::uint32_t> hop;                   // trace
    QString address;                                    // dotted responder, scanned address or list entry
    std::optional<std::chrono::microseconds> roundTrip; // of an answer
    std::optional<std::uint32_t> ttl;                   // ping replies
    std::optional<std::uint32_t> bytes;                 // echo data received (ping replies)
    QString status;                                     // "reply", or what went wrong
    std::optional<std::uint32_t> statusCode;            // the echo service's status of a failure
    QString name;                                       // DNS name, or a lookup row's name
    QString label;                                      // lookup rows: "name", "address", "alias"
    QString data;                                       // returned data (ping, when RetData is on)
    std::optional<std::int64_t> elapsedMs;              // ISPinger: time since the run started
    QString line;                                       // Line records: which line
    std::optional<RecordSummary> summary;               // Summary records
    std::optional<RecordHop> pathHop;                   // path monitor rows (not a further address's)

    // Whether this record is a request that went unanswered (a plot marks it on its axis).
    bool lost() const { return kind == Kind::Row && !roundTrip && operation != RecordOperation::PathMonitor; }
};

// Where records go, on the GUI thread.
using RecordSink = std::function<void(const ResultRecord&)>;

// Status texts of records for an answer and for the scans' rows without one.
inline constexpr const char* kRecordReply = "reply";
inline constexpr const char* kRecordNoAnswer = "no answer";
inline constexpr const char* kRecordTimeout = "timeout";
inline constexpr const char* kRecordNoAddress = "no address";

// The name of an operation in records ("ping", "continuous-ping", "trace", ...).
QString recordOperationName(RecordOperation operation);
// A record of `operation` with no fields: a run's start, or a line named `line`.
ResultRecord eventRecord(ResultRecord::Kind kind, RecordOperation operation, const char* line = "");
// A scan's row for `address`: answered in `roundTrip`, or not with the status `silent`.
ResultRecord scanRecord(RecordOperation operation, const QString& address,
                        std::optional<std::chrono::microseconds> roundTrip, const char* silent);
// The summary of `sent` requests of which `received` were answered (no times yet).
RecordSummary recordSummary(unsigned sent, unsigned received);

} // namespace vantrel::ops
