#include "ops/SeqScanThread.h"

#include "net/AddressText.h"
#include "net/IcmpApi.h"
#include "net/SocketLibrary.h"
#include "ops/EchoCall.h"
#include "ops/ParallelSweep.h"
#include "ops/SeqScanChecks.h"
#include "ops/SharedStatus.h"
#include "ops/WorkerEchoHandle.h"
#include "ops/WorkerEnd.h"
#include "ops/WorkerLink.h"
#include "rows/RoundTripText.h"
#include "settings/LiveOptions.h"
#include "text/MessageTexts.h"
#include "text/ResultTexts.h"

#include <array>
#include <deque>

namespace vantrel::ops {

namespace {

using output::ResultKind;
using settings::OptionId;
namespace res = output::res;

// Two bytes of echo data: "Yi".
constexpr std::array<std::byte, 2> kScanData{std::byte{'Y'}, std::byte{'i'}};

class SeqScanRun {
public:
    SeqScanRun(const WorkerContext& context, const SeqScanJob& job)
        : m_context(context)
        , m_job(job)
        , m_reply(net::IcmpReplySize(kScanData.size())) {} // IPv4 only

    // Probes every address until the end or a stop; answers whether any answered.
    bool sweep();
    // The same with up to the job's parallel addresses in flight on `engine`, rows still in order.
    bool sweepInParallel(net::EchoSweep& engine);

private:
    void status(const QString& text) {
        m_context.status.set(text);
        m_context.link.SendStatus();
    }
    SweepResult probe(const QString& address, net::IPAddr target);
    // Writes the row of a decided address; answers whether it answered.
    bool finish(const QString& address, const SweepResult& result);
    void writeRow(const QString& address, net::IPAddr target,
                  std::optional<std::chrono::microseconds> roundTrip);
    std::uint32_t timeoutMs() const { return std::uint32_t(m_job.timeoutSeconds) * 1000u; }

    const WorkerContext& m_context;
    const SeqScanJob& m_job;
    std::vector<std::byte> m_reply;
};

SweepResult SeqScanRun::probe(const QString& address, net::IPAddr target) {
    for (int attempt = 1; attempt <= m_job.packets; ++attempt) {
        status(output::fill(res::kPingingScanHost, address));
        std::fill(m_reply.begin(), m_reply.end(), std::byte{0});
        const EchoAnswer answer =
            sendEcho(m_context.icmp, m_context.echoHandle, net::IpAddress::fromV4(target), kScanData, nullptr,
                     m_reply, timeoutMs());
        if (answer.isReply())
            return {answer.record->roundTrip};
        if (attempt == m_job.packets)
            return {std::nullopt, true};
        if (m_context.flags.stopRequested())
            break;
    }
    return {};
}

void SeqScanRun::writeRow(const QString& address, net::IPAddr target,
                          std::optional<std::chrono::microseconds> roundTrip) {
    const QString& shown = address;
    const unsigned ms = roundTrip ? output::wholeMilliseconds(*roundTrip) : 0;
    const QString noAnswer = output::text(res::kNoAnswerMark);
    const ResultKind kind = roundTrip ? ResultKind::Plain : ResultKind::Red;
    ResultRecord record = scanRecord(RecordOperation::SeqScan, address, roundTrip, kRecordNoAnswer);
    output::ResultRow row;
    if (!m_context.options.isOn(OptionId::SeqDNS)) {
        row = roundTrip ? output::makeRow(kind, res::kScanAnsweredRow, shown, ms)
                        : output::makeRow(kind, res::kScanNoAnswerRow, shown, noAnswer);
    } else {
        status(output::fill(res::kLookingUpDnsAddress, address));
        std::optional<net::HostEntry> entry;
        if (m_context.sockets)
            entry = m_context.sockets->gethostbyaddr(net::IpAddress::fromV4(target));
        if (entry && !entry->h_name.empty()) {
            record.name = QString::fromLocal8Bit(entry->h_name);
            const QString& name = record.name;
            row = roundTrip ? output::makeRow(kind, res::kScanAnsweredNameRow, shown, ms, name)
                            : output::makeRow(kind, res::kScanNoAnswerNameRow, shown, noAnswer, name);
        } else {
            const QString none = output::text(res::kNoDnsNameFoundBlank);
            row = roundTrip ? output::makeRow(kind, res::kScanAnsweredNoNameRow, shown, ms, none)
                            : output::makeRow(kind, res::kScanNoAnswerNoNameRow, shown, noAnswer, none);
        }
    }
    if (roundTrip)
        output::showRoundTrip(row, 1, *roundTrip, m_context.options.isOn(OptionId::PreciseTimes));
    m_context.link.SendResult(row);
    m_context.link.SendRecord(record);
}

bool SeqScanRun::finish(const QString& address, const SweepResult& result) {
    // An address stopped before its last request has not been found silent: it gets no row.
    if (result.roundTrip ? !m_job.failuresOnly : result.allSent)
        writeRow(address, net::inet_addr(address.toStdString()), result.roundTrip);
    return result.roundTrip.has_value();
}

bool SeqScanRun::sweep() {
    bool anyAnswered = false;
    for (SeqScanRange range(m_job.octets);; range.advance()) {
        const QString address = range.address();
        anyAnswered = finish(address, probe(address, net::inet_addr(address.toStdString()))) || anyAnswered;
        if (m_context.flags.stopRequested() || range.atEnd())
            break;
    }
    return anyAnswered;
}

bool SeqScanRun::sweepInParallel(net::EchoSweep& engine) {
    bool anyAnswered = false;
    SeqScanRange range(m_job.octets);
    bool begun = false;
    std::deque<QString> waiting; // sent to, row not yet written
    std::size_t written = 0;
    ParallelSweep sweep(engine, {m_job.parallel, m_job.packets, timeoutMs(), kScanData}, m_context.flags);
    sweep.run({
        .next = [&]() -> std::optional<std::optional<net::IpAddress>> {
            if (begun) {
                if (range.atEnd())
                    return std::nullopt;
                range.advance();
            }
            begun = true;
            waiting.push_back(range.address());
            return std::optional(net::IpAddress::fromV4(net::inet_addr(waiting.back().toStdString())));
        },
        .sending =
            [&](std::size_t index) { status(output::fill(res::kPingingScanHost, waiting[index - written])); },
        .decided =
            [&](std::size_t, const SweepResult& result) {
                anyAnswered = finish(waiting.front(), result) || anyAnswered;
                waiting.pop_front();
                ++written;
            },
    });
    return anyAnswered;
}

} // namespace

OperationOutcome SeqScanThread(const WorkerContext& context, const SeqScanJob& job) {
    const WorkerFlags& flags = context.flags;
    SeqScanRun run(context, job);
    std::unique_ptr<net::EchoSweep> engine;
    if (!openEchoHandle(context, net::IpFamily::V4, res::kSeqScanNoEchoHandle) ||
        (job.parallel > 1 && !(engine = openSweepEngine(context, res::kSeqScanNoEchoHandle)))) {
        // Nothing ran: the commands work again at once rather than wait for an end that never comes.
        return endWorker(context, {.outcome = OperationOutcome::NotRun});
    }

    const bool dnsColumn = context.options.isOn(OptionId::SeqDNS);
    context.link.SendResult(
        output::makeRow(ResultKind::HeaderRow, dnsColumn ? res::kScanDnsHeaderRow : res::kScanHeaderRow));
    context.link.SendRecord(eventRecord(ResultRecord::Kind::Start, RecordOperation::SeqScan));
    context.status.set(output::text(res::kPerformingSeqScan));
    context.link.SendStatus();

    const bool anyAnswered = engine ? run.sweepInParallel(*engine) : run.sweep();

    const bool canceled = flags.cancelRequested();
    context.link.SendResult(output::makeStampedRow(
        ResultKind::Bold, canceled ? res::kSeqScanCanceledLine : res::kSeqScanEndLine, QString()));
    context.link.SendRecord(
        eventRecord(ResultRecord::Kind::Line, RecordOperation::SeqScan, canceled ? "canceled" : "end"));
    if (!canceled && !flags.shuttingDown() && context.options.isOn(OptionId::Beep))
        context.link.Beep();
    return endWorker(context,
                     {.outcome = anyAnswered ? OperationOutcome::Succeeded : OperationOutcome::Failed});
}

} // namespace vantrel::ops
