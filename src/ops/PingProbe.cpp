#include "ops/PingProbe.h"

#include "net/IcmpApi.h"
#include "net/IpStatus.h"
#include "ops/EchoCall.h"
#include "ops/EchoRequestData.h"
#include "ops/SharedStatus.h"
#include "ops/WorkerEchoHandle.h"
#include "ops/WorkerLink.h"
#include "rows/RoundTripText.h"
#include "settings/LiveOptions.h"
#include "text/MessageTexts.h"
#include "text/WideRowTexts.h"

#include <algorithm>
#include <cmath>

namespace vantrel::ops {

namespace {

using output::ResultKind;
using settings::OptionId;
namespace res = output::res;

constexpr std::uint8_t kPingTtl = 200;

} // namespace

void PingTally::addReply(std::chrono::microseconds roundTrip) {
    const std::uint32_t ms = output::wholeMilliseconds(roundTrip);
    ++received;
    sum += ms;
    maximum = std::max(maximum, ms);
    preciseSum += roundTrip;
    preciseMaximum = std::max(preciseMaximum, roundTrip);
    squares += double(roundTrip.count()) * double(roundTrip.count());
    if (received == 1 || ms < minimum)
        minimum = ms;
    if (received == 1 || roundTrip < preciseMinimum)
        preciseMinimum = roundTrip;
}

std::chrono::microseconds PingTally::average() const {
    return received == 0 ? std::chrono::microseconds(0) : preciseSum / received;
}

std::chrono::microseconds PingTally::deviation() const {
    if (received == 0)
        return std::chrono::microseconds(0);
    const double mean = double(preciseSum.count()) / double(received);
    const double variance = std::max(0.0, squares / double(received) - mean * mean);
    return std::chrono::microseconds(std::llround(std::sqrt(variance)));
}

PingProbe::PingProbe(const WorkerContext& context)
    : m_context(context)
    , m_reply(echoReplySize(context.start.pingData.size()))
    , m_responder(context.start.shown.toQString())
    , m_wide(context.start.target.isV6()) {}

void PingProbe::showStatus() {
    // The same text for every request until another address answers: built once.
    const WorkerStart& start = m_context.start;
    if (m_statusText.isEmpty())
        m_statusText = start.hostResolved ? output::fill(res::kPingingResolved, start.host, m_responder)
                                          : output::fill(res::kPingingHost, start.host);
    m_context.status.set(m_statusText);
    m_context.link.SendStatus();
}

bool PingProbe::openHandle() {
    return openEchoHandle(m_context, m_context.start.target.family(), res::kPingNoEchoHandle);
}

void PingProbe::closeHandle() {
    closeEchoHandle(m_context);
}

void PingProbe::sendHeader() {
    if (m_context.options.isOn(OptionId::Verbose))
        m_context.link.SendResult(output::makeRow(
            ResultKind::HeaderRow, output::rowFor(m_wide, res::kPingHeaderRow, res::kPingHeaderRowWide)));
}

unsigned PingProbe::run(PingTally& tally, const ProbeRules& rules) {
    const WorkerStart& start = m_context.start;
    const settings::LiveOptions& options = m_context.options;
    const WorkerFlags& flags = m_context.flags;

    net::IP_OPTION_INFORMATION requestOptions{};
    requestOptions.Ttl = kPingTtl;
    if (start.dontFragment)
        requestOptions.Flags = net::IP_FLAG_DF;

    unsigned received = 0;
    for (unsigned count = 1;
         options.number(OptionId::Packets) >= 1 && count <= unsigned(options.number(OptionId::Packets));
         ++count) {
        const unsigned packet = ++tally.sent;
        std::fill(m_reply.begin(), m_reply.end(), std::byte{0});
        showStatus();

        const std::atomic<net::IcmpHandle>& handle = m_context.echoHandleFor(start.target.family());
        const EchoAnswer answer =
            sendEcho(m_context.icmp, handle, start.target, start.pingData, &requestOptions, m_reply,
                     std::uint32_t(options.number(OptionId::Timeout)) * 1000u);
        const bool verbose = options.isOn(OptionId::Verbose);
        if (answer.isReply()) {
            const EchoRecord& record = *answer.record;
            ResultRecord row;
            row.operation = rules.operation;
            row.packet = packet;
            row.address = record.Address.toQString();
            row.roundTrip = record.roundTrip;
            row.ttl = record.Options.Ttl;
            row.bytes = unsigned(std::max<int>(0, record.DataSize - 2));
            row.status = QString::fromLatin1(kRecordReply);
            tally.addReply(record.roundTrip);
            ++received;
            m_context.shownAddress = record.Address;
            if (row.address != m_responder) {
                m_responder = row.address;
                m_statusText.clear();
            }
            if (verbose) {
                output::ResultRow shown = output::makeRow(
                    ResultKind::Plain, output::rowFor(m_wide, res::kPingReplyRow, res::kPingReplyRowWide),
                    packet, m_responder, unsigned(record.RoundTripTime), unsigned(record.Options.Ttl),
                    *row.bytes);
                output::showRoundTrip(shown, 2, record.roundTrip, options.isOn(OptionId::PreciseTimes));
                m_context.link.SendResult(shown);
            }
            if (options.isOn(OptionId::RetData) && !(rules.quietWhenStopping && flags.stopRequested())) {
                row.data = returnedDataText(record.data.data(), record.data.size());
                m_context.link.SendResult(output::makeRow(
                    ResultKind::Plain,
                    output::rowFor(m_wide, res::kPingReturnedDataRow, res::kPingReturnedDataRowWide),
                    row.data));
            }
            // Every request is a point of the plot, shown as a row or not.
            m_context.link.SendRecord(row);
        } else if (answer.kind == EchoAnswer::Kind::Stranger) {
            ResultRecord lost = eventRecord(ResultRecord::Kind::Row, rules.operation);
            lost.packet = packet;
            lost.address = answer.record->Address.toQString();
            lost.status = QStringLiteral("stranger");
            m_context.link.SendRecord(lost);
            if (verbose) {
                m_context.shownAddress = answer.record->Address;
                m_context.link.SendResult(
                    output::makeRow(rules.wrongResponderKind, res::kHostRespondedLine, lost.address));
            }
        } else if (verbose && handle != net::INVALID_HANDLE_VALUE &&
                   !(rules.quietWhenStopping && flags.shuttingDown())) {
            m_context.link.SendIcmpError({answer.status(), packet, 0, ErrorLayout::PingTable, m_wide});
        } else {
            // No row, but still a lost request for the plot.
            ResultRecord lost = eventRecord(ResultRecord::Kind::Row, rules.operation);
            lost.packet = packet;
            lost.status = QString::fromLatin1(net::IpStatusText(answer.status()));
            lost.statusCode = answer.status();
            m_context.link.SendRecord(lost);
        }

        if (flags.stopRequested()) {
            m_context.link.SendResult(output::makeRow(ResultKind::RedBold, res::kPingCanceledLine));
            m_context.link.SendRecord(eventRecord(ResultRecord::Kind::Line, rules.operation, "canceled"));
            break;
        }
    }
    return received;
}

output::ResultRow pingEndLine(const PingTally& tally) {
    return tally.received != 0 ? output::makeRow(ResultKind::Bold, res::kPingSuccessfulLine)
                               : output::makeRow(ResultKind::RedBold, res::kPingUnsuccessfulLine);
}

std::vector<output::ResultRow> pingStatistics(const PingTally& tally, bool precise) {
    std::vector<output::ResultRow> lines;
    if (tally.sent != 0) {
        const double loss = (100.0 / double(tally.sent)) * double(tally.sent - tally.received);
        lines.push_back(output::makeRow(ResultKind::Plain, res::kPingLossLine, tally.received, tally.sent,
                                        loss, output::text(res::kPercentSign)));
    }
    if (tally.received != 0 && precise)
        lines.push_back(output::makeRow(ResultKind::Plain, res::kPingPreciseRoundTripLine,
                                        output::preciseMilliseconds(tally.preciseMaximum),
                                        output::preciseMilliseconds(tally.preciseMinimum),
                                        output::preciseMilliseconds(tally.average()),
                                        output::preciseMilliseconds(tally.deviation())));
    else if (tally.received != 0)
        lines.push_back(output::makeRow(ResultKind::Plain, res::kPingRoundTripLine, int(tally.maximum),
                                        int(tally.minimum), int(tally.sum / tally.received)));
    return lines;
}

std::vector<ResultRecord> pingEndRecords(const PingTally& tally, RecordOperation operation) {
    ResultRecord record = eventRecord(ResultRecord::Kind::Summary, operation);
    RecordSummary summary = recordSummary(tally.sent, tally.received);
    if (tally.received != 0) {
        summary.minimum = tally.preciseMinimum;
        summary.average = tally.average();
        summary.maximum = tally.preciseMaximum;
        summary.deviation = tally.deviation();
    }
    record.summary = summary;
    return {
        eventRecord(ResultRecord::Kind::Line, operation, tally.received != 0 ? "successful" : "unsuccessful"),
        record};
}

} // namespace vantrel::ops
