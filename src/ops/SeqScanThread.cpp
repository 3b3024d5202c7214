#include "ops/SeqScanThread.h"

#include "net/AddressText.h"
#include "net/IcmpApi.h"
#include "net/SocketLibrary.h"
#include "ops/EchoAnswer.h"
#include "ops/SeqScanChecks.h"
#include "ops/SharedStatus.h"
#include "ops/WorkerEchoHandle.h"
#include "ops/WorkerLink.h"
#include "output/MessageTexts.h"
#include "output/ResultTexts.h"
#include "settings/LiveOptions.h"

#include <array>

namespace vantrel::ops {

namespace {

using output::ResultKind;
using output::RtfText;
using settings::OptionId;
namespace res = output::res;

// Two bytes of echo data: "Yi".
constexpr std::array<std::byte, 2> kScanData{std::byte{'Y'}, std::byte{'i'}};

class SeqScanRun {
public:
    SeqScanRun(const WorkerContext& context, const SeqScanJob& job)
        : m_context(context)
        , m_job(job)
        , m_reply(net::IcmpReplySize(kScanData.size())) {}

    // Probes every address until the end or a stop; answers whether any answered.
    bool sweep();

private:
    void status(const QString& text) {
        m_context.status.set(text);
        m_context.link.SendStatus();
    }
    // What the requests to one address came to: the answer's round-trip time, or none.
    struct Probe {
        std::optional<std::uint32_t> roundTrip;
        bool allSent = false; // every request went out unanswered: the address is silent
    };
    Probe probe(const QString& address, net::IPAddr target);
    void writeRow(const QString& address, net::IPAddr target, std::optional<std::uint32_t> roundTrip);

    const WorkerContext& m_context;
    const SeqScanJob& m_job;
    std::vector<std::byte> m_reply;
};

SeqScanRun::Probe SeqScanRun::probe(const QString& address, net::IPAddr target) {
    for (int attempt = 1; attempt <= m_job.packets; ++attempt) {
        status(output::fill(res::kPingingScanHost, address));
        std::fill(m_reply.begin(), m_reply.end(), std::byte{0});
        const std::uint32_t replies =
            m_context.icmp.IcmpSendEcho(m_context.echoHandle, target, kScanData, nullptr, m_reply,
                                        std::uint32_t(m_job.timeoutSeconds) * 1000u);
        const EchoAnswer answer = classifyEchoAnswer(replies, m_reply, target);
        if (answer.isReply())
            return {answer.record->RoundTripTime};
        if (attempt == m_job.packets)
            return {std::nullopt, true};
        if (m_context.flags.stopRequested())
            break;
    }
    return {};
}

void SeqScanRun::writeRow(const QString& address, net::IPAddr target,
                          std::optional<std::uint32_t> roundTrip) {
    const RtfText shown = RtfText::escape(address);
    const RtfText noAnswer = output::fill(res::kNoAnswerMark);
    const ResultKind kind = roundTrip ? ResultKind::Plain : ResultKind::Red;
    RtfText row;
    if (!m_context.options.isOn(OptionId::SeqDNS)) {
        row = roundTrip ? output::fill(res::kScanAnsweredRow, shown, unsigned(*roundTrip))
                        : output::fill(res::kScanNoAnswerRow, shown, noAnswer);
    } else {
        status(output::fill(res::kLookingUpDnsAddress, address));
        std::optional<net::HostEntry> entry;
        if (m_context.sockets)
            entry = m_context.sockets->gethostbyaddr(target);
        if (entry && !entry->h_name.empty()) {
            const RtfText name = RtfText::escape(QString::fromLocal8Bit(entry->h_name));
            row = roundTrip ? output::fill(res::kScanAnsweredNameRow, shown, unsigned(*roundTrip), name)
                            : output::fill(res::kScanNoAnswerNameRow, shown, noAnswer, name);
        } else {
            const RtfText none = output::fill(res::kNoDnsNameFoundBlank);
            row = roundTrip ? output::fill(res::kScanAnsweredNoNameRow, shown, unsigned(*roundTrip), none)
                            : output::fill(res::kScanNoAnswerNoNameRow, shown, noAnswer, none);
        }
    }
    m_context.link.SendResult({row.rtf(), QString(), kind});
}

bool SeqScanRun::sweep() {
    bool anyAnswered = false;
    for (SeqScanRange range(m_job.octets);; range.advance()) {
        const QString address = range.address();
        const net::IPAddr target = net::inet_addr(address.toStdString());
        const Probe result = probe(address, target);
        anyAnswered = anyAnswered || result.roundTrip.has_value();
        // An address stopped before its last request has not been found silent: it gets no row.
        if (result.roundTrip ? !m_job.failuresOnly : result.allSent)
            writeRow(address, target, result.roundTrip);
        if (m_context.flags.stopRequested() || range.atEnd())
            break;
    }
    return anyAnswered;
}

} // namespace

OperationOutcome SeqScanThread(const WorkerContext& context, const SeqScanJob& job) {
    WorkerFlags flags = context.flags;
    flags.started();
    SeqScanRun run(context, job);
    if (!openEchoHandle(context, res::kSeqScanNoEchoHandle)) {
        // Nothing ran: the commands work again at once rather than wait for an end that never comes.
        flags.endOperations();
        context.status.set(output::text(res::kReady));
        context.link.SendStatus();
        flags.finished();
        return OperationOutcome::NotRun;
    }

    const bool dnsColumn = context.options.isOn(OptionId::SeqDNS);
    context.link.SendResult(
        {(dnsColumn ? output::fill(res::kScanDnsHeaderRow) : output::fill(res::kScanHeaderRow)).rtf(),
         QString(), ResultKind::HeaderRow});
    context.status.set(output::text(res::kPerformingSeqScan));
    context.link.SendStatus();

    const bool anyAnswered = run.sweep();

    const bool canceled = flags.cancelRequested();
    const RtfText stamp = RtfText::markup(QStringLiteral("%s"));
    context.link.SendResult(
        {output::fill(canceled ? res::kSeqScanCanceledLine : res::kSeqScanEndLine, stamp).rtf(), QString(),
         ResultKind::Bold, true});
    if (!canceled && !flags.shuttingDown() && context.options.isOn(OptionId::Beep))
        context.link.Beep();
    closeEchoHandle(context);

    flags.endOperations();
    if (!flags.shuttingDown()) {
        context.status.set(output::text(res::kReady));
        context.link.SendStatus();
    }
    flags.finished();
    return anyAnswered ? OperationOutcome::Succeeded : OperationOutcome::Failed;
}

} // namespace vantrel::ops
