#include "ops/TraceThread.h"

#include "net/IcmpApi.h"
#include "net/IpStatus.h"
#include "net/SocketLibrary.h"
#include "ops/EchoCall.h"
#include "ops/EchoRequestData.h"
#include "ops/ResultRecord.h"
#include "ops/SharedStatus.h"
#include "ops/WorkerEchoHandle.h"
#include "ops/WorkerEnd.h"
#include "ops/WorkerLink.h"
#include "rows/RoundTripText.h"
#include "settings/LiveOptions.h"
#include "text/MessageTexts.h"
#include "text/WideRowTexts.h"

#include <algorithm>
#include <vector>

namespace vantrel::ops {

namespace {

using output::ResultKind;
using settings::OptionId;
namespace res = output::res;

constexpr std::uint32_t kContactTimeoutMs = 1500;
constexpr int kContactAttempts = 2;
// The time-to-live is one byte: a hop past 255 would go out with 0, the system's default, and answer as
// if the target were one hop further.
constexpr int kLastHop = 255;

class TraceRun {
public:
    explicit TraceRun(const WorkerContext& context)
        : m_context(context)
        , m_start(context.start)
        , m_options(context.options)
        , m_link(context.link)
        , m_flags(context.flags)
        , m_request(echoRequestData(QStringLiteral("Yiv")))
        , m_reply(echoReplySize(m_request.size()))
        , m_handle(context.echoHandleFor(context.start.target.family()))
        , m_wide(context.start.target.isV6()) {}

    OperationOutcome run();

private:
    enum class Contact { Contacted, NotContacted, Stopped };

    void send(const output::ResultRow& row) { m_link.SendResult(row); }
    // A line with its record.
    void sendLine(const output::ResultRow& row, const char* line) {
        send(row);
        m_link.SendRecord(eventRecord(ResultRecord::Kind::Line, RecordOperation::Trace, line));
    }
    void status(const QString& text) {
        m_context.status.set(text);
        m_link.SendStatus();
    }
    bool openHandle();
    void closeHandle();
    OperationOutcome failWithoutHandle();
    Contact contact();
    void hopLoop();
    // The row of a hop that answered: with the responder's name when TraceDNS is on, which goes into
    // the hop's record too.
    output::ResultRow hopRow(unsigned hop, const net::IpAddress& responder,
                             std::chrono::microseconds roundTrip, ResultRecord& record);
    output::ResultRow namedHopRow(unsigned hop, const net::IpAddress& responder, unsigned ms,
                                  ResultRecord& record);
    template <class Template> const Template& table(const Template& narrow, const Template& wide) const {
        return output::rowFor(m_wide, narrow, wide);
    }

    const WorkerContext& m_context;
    const WorkerStart& m_start;
    const settings::LiveOptions& m_options;
    WorkerLink& m_link;
    WorkerFlags m_flags;
    const std::vector<std::byte> m_request;
    std::vector<std::byte> m_reply;
    std::atomic<net::IcmpHandle>& m_handle; // the shared handle of the target's family
    const bool m_wide;                      // the tables' wide twins, for an IPv6 target
    bool m_reached = false;
    net::IpAddress m_lastResponder;
};

bool TraceRun::openHandle() {
    if (m_handle == net::INVALID_HANDLE_VALUE)
        m_handle = createEchoHandle(m_context.icmp, m_start.target.family());
    return m_handle != net::INVALID_HANDLE_VALUE;
}

void TraceRun::closeHandle() {
    closeEchoHandle(m_context);
}

OperationOutcome TraceRun::failWithoutHandle() {
    m_link.ReportNoEchoHandle(res::kPingNoEchoHandle);
    // Nothing runs any more: the flags end as after a normal end, so the commands work again.
    return endWorker(m_context, {.outcome = OperationOutcome::NotRun});
}

TraceRun::Contact TraceRun::contact() {
    const net::IpAddress& target = m_start.target;
    for (int attempt = 0; attempt < kContactAttempts; ++attempt) {
        if (m_flags.cancelRequested())
            return Contact::Stopped;
        if (m_flags.shuttingDown())
            break;
        std::fill(m_reply.begin(), m_reply.end(), std::byte{0});
        if (sendEcho(m_context.icmp, m_handle, target, m_request, nullptr, m_reply, kContactTimeoutMs)
                .isReply()) {
            m_context.status.set(output::text(res::kHostContacted));
            return m_flags.stopRequested() ? Contact::Stopped : Contact::Contacted;
        }
    }
    return m_flags.stopRequested() ? Contact::Stopped : Contact::NotContacted;
}

output::ResultRow TraceRun::hopRow(unsigned hop, const net::IpAddress& responder,
                                   std::chrono::microseconds roundTrip, ResultRecord& record) {
    const unsigned ms = output::wholeMilliseconds(roundTrip);
    output::ResultRow row =
        m_options.isOn(OptionId::TraceDNS)
            ? namedHopRow(hop, responder, ms, record)
            : output::makeRow(ResultKind::Plain, table(res::kTraceHopRow, res::kTraceHopRowWide), hop,
                              record.address, ms);
    output::showRoundTrip(row, 2, roundTrip, m_options.isOn(OptionId::PreciseTimes));
    return row;
}

output::ResultRow TraceRun::namedHopRow(unsigned hop, const net::IpAddress& responder, unsigned ms,
                                        ResultRecord& record) {
    const QString shown = record.address;
    status(output::fill(res::kLookingUpHopName, hop, shown));
    std::optional<net::HostEntry> entry;
    if (m_context.sockets)
        entry = m_context.sockets->gethostbyaddr(responder);
    if (entry && !entry->h_name.empty()) {
        record.name = QString::fromLocal8Bit(entry->h_name);
        return output::makeRow(ResultKind::Plain, table(res::kTraceNameRow, res::kTraceNameRowWide), hop,
                               shown, ms, record.name);
    }
    return output::makeRow(ResultKind::Plain, table(res::kTraceNoNameRow, res::kTraceNoNameRowWide), hop,
                           shown, ms, output::text(res::kNoDnsNameFound));
}

void TraceRun::hopLoop() {
    const bool dnsColumn = m_options.isOn(OptionId::TraceDNS);
    net::IP_OPTION_INFORMATION requestOptions{};
    for (int hop = 1; hop <= kLastHop && hop <= m_options.number(OptionId::Hops); ++hop) {
        requestOptions.Ttl = std::uint8_t(hop);
        std::fill(m_reply.begin(), m_reply.end(), std::byte{0});
        status(output::fill(res::kTracingHop, unsigned(requestOptions.Ttl)));
        const net::IpAddress& target = m_start.target;
        m_context.shownAddress = target;
        if (m_flags.stopRequested() || m_handle == net::INVALID_HANDLE_VALUE)
            return;

        const EchoAnswer answer =
            sendEcho(m_context.icmp, m_handle, target, m_request, &requestOptions, m_reply,
                     std::uint32_t(m_options.number(OptionId::Timeout)) * 1000u);
        if (answer.replies == 0 || !answer.record) {
            if (m_options.isOn(OptionId::Verbose)) {
                if (m_flags.cancelRequested()) {
                    sendLine(output::makeRow(ResultKind::RedBold, res::kTraceCanceledLine), "canceled");
                    return;
                }
                if (!m_flags.shuttingDown())
                    m_link.SendIcmpError({answer.status(), 0, unsigned(hop),
                                          dnsColumn ? ErrorLayout::TraceDnsTable : ErrorLayout::TraceTable,
                                          m_wide});
            }
        } else {
            // A router whose time-to-live ran out, one that cannot forward, or the target: the hop's row.
            const EchoRecord& record = *answer.record;
            m_context.shownAddress = record.Address;
            m_lastResponder = record.Address;
            ResultRecord row = eventRecord(ResultRecord::Kind::Row, RecordOperation::Trace);
            row.hop = unsigned(hop);
            row.address = record.Address.toQString();
            row.roundTrip = record.roundTrip;
            row.status = answer.isReply() ? QString::fromLatin1(kRecordReply)
                                          : QString::fromLatin1(net::IpStatusText(record.Status));
            row.statusCode = record.Status;
            send(hopRow(unsigned(hop), record.Address, record.roundTrip, row));
            m_link.SendRecord(row);
            if (answer.isReply()) {
                sendLine(output::makeRow(ResultKind::Bold, res::kHostReachedLine), "reached");
                m_reached = true;
                return;
            }
            // Destination unreachable is the route's end: asking again with a higher TTL only gets the
            // same answer from the same router.
            if (net::isDestinationUnreachable(record.Status))
                return;
        }

        if (m_flags.stopRequested()) {
            sendLine(output::makeRow(ResultKind::RedBold, res::kTraceCanceledLine), "canceled");
            return;
        }
    }
}

OperationOutcome TraceRun::run() {
    if (m_flags.stopRequested()) {
        return endWorker(m_context, {.showReady = false, .outcome = OperationOutcome::None});
    }
    if (!openHandle())
        return failWithoutHandle();

    const QString& host = m_start.host;
    const QString shown = m_start.shown.toQString();
    status(m_start.hostResolved ? output::fill(res::kContactingResolved, host, shown)
                                : output::fill(res::kContactingHost, host));

    const Contact contacted = contact();
    m_link.SendRecord(eventRecord(ResultRecord::Kind::Start, RecordOperation::Trace));
    if (contacted == Contact::Stopped) {
        sendLine(output::makeRow(ResultKind::RedBold, res::kTraceCanceledLine), "canceled");
        return endWorker(m_context, {.outcome = OperationOutcome::Failed});
    }
    closeHandle();
    if (contacted == Contact::NotContacted) {
        sendLine(output::makeRow(ResultKind::Red, res::kCouldNotBeContactedLine, host), "not contacted");
        status(output::fill(res::kCouldNotBeContacted, host));
        send(output::makeRow(ResultKind::Plain, res::kEmptyLine));
    }
    if (!openHandle())
        return failWithoutHandle();

    send(output::makeRow(ResultKind::HeaderRow,
                         m_options.isOn(OptionId::TraceDNS)
                             ? table(res::kTraceDnsHeaderRow, res::kTraceDnsHeaderRowWide)
                             : table(res::kTraceHeaderRow, res::kTraceHeaderRowWide)));
    hopLoop();

    if (m_options.isOn(OptionId::Beep))
        m_link.Beep();
    const bool reached = m_reached && m_lastResponder == m_start.target;
    if (!reached)
        sendLine(output::makeRow(ResultKind::Bold, res::kHostNotReachedLine), "not reached");
    return endWorker(m_context,
                     {.outcome = reached ? OperationOutcome::Succeeded : OperationOutcome::Failed});
}

} // namespace

OperationOutcome TraceThread(const WorkerContext& context) {
    return TraceRun(context).run();
}

} // namespace vantrel::ops
