#include "ops/ListScanThread.h"

#include "net/AddressText.h"
#include "net/IcmpApi.h"
#include "net/SocketLibrary.h"
#include "ops/EchoAnswer.h"
#include "ops/HostText.h"
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

// Each request carries two zero bytes and no options.
constexpr std::array<std::byte, 2> kRequestData{};

// What the scan takes once, when it starts.
struct ScanRules {
    std::uint32_t timeoutMs = 0;
    int packets = 0;
    bool failuresOnly = false;
};

class ListScanner {
public:
    ListScanner(const WorkerContext& context, ScanRules rules)
        : m_context(context)
        , m_rules(rules) {}

    // Scans one host of the list; true when it answered.
    bool scanHost(const QString& entry);

private:
    void status(const QString& text) {
        m_context.status.set(text);
        m_context.link.SendStatus();
    }
    void send(const RtfText& row, ResultKind kind, const ResultRecord& record) {
        m_context.link.SendResult({row.rtf(), QString(), kind});
        m_context.link.SendRecord(record);
    }
    // The DNS column of a dotted address: empty, or with ListDNS on what the reverse lookup found.
    RtfText dnsColumn(net::IPAddr target, const QString& host, QString& name);
    // Resolves a name to its first address in dotted form; nothing when it does not resolve.
    std::optional<QString> resolve(const QString& name);
    bool ping(const QString& host, const RtfText& dns, const QString& name);

    const WorkerContext& m_context;
    ScanRules m_rules;
    std::array<std::byte, net::IcmpReplySize(kRequestData.size())> m_reply{};
};

RtfText ListScanner::dnsColumn(net::IPAddr target, const QString& host, QString& name) {
    if (!m_context.options.isOn(OptionId::ListDNS)) // read afresh for every host
        return {};
    status(output::fill(res::kLookingUpDnsName, host));
    const std::optional<net::HostEntry> entry = m_context.sockets->gethostbyaddr(target);
    if (!entry || entry->h_name.empty())
        return output::fill(res::kNoDnsNameFound);
    name = QString::fromLocal8Bit(entry->h_name);
    return RtfText::escape(name);
}

std::optional<QString> ListScanner::resolve(const QString& name) {
    status(output::fill(res::kLookingUpAddress, name));
    const std::optional<net::HostEntry> entry =
        m_context.sockets->gethostbyname(name.toLocal8Bit().toStdString());
    if (!entry || entry->h_addr_list.empty())
        return std::nullopt;
    return QString::fromStdString(net::inet_ntoa(entry->h_addr_list.front()));
}

bool ListScanner::scanHost(const QString& entry) {
    const QString host = cleanHostText(entry).host;
    const net::IPAddr target = net::inet_addr(host.toLocal8Bit().toStdString());
    if (target == net::kInaddrNone) {
        const std::optional<QString> address = resolve(host);
        if (!address) {
            ResultRecord record = scanRecord(RecordOperation::ListScan, QString(), {}, kRecordNoAddress);
            record.name = host;
            send(output::fill(res::kScanNoAnswerNameRow, output::fill(res::kNoIpAddressFound), RtfText(),
                              RtfText::escape(host)),
                 ResultKind::Red, record);
            return false; // no echo request for a name without an address
        }
        return ping(*address, RtfText::escape(host), host); // a name shows itself in the DNS column
    }
    QString name;
    const RtfText dns = dnsColumn(target, host, name);
    return ping(host, dns, name);
}

bool ListScanner::ping(const QString& host, const RtfText& dns, const QString& name) {
    const net::IPAddr target = net::inet_addr(host.toLocal8Bit().toStdString());
    for (int attempt = 1; attempt <= m_rules.packets; ++attempt) {
        status(output::fill(res::kPingingScanHost, host));
        m_reply.fill(std::byte{0});
        const std::uint32_t replies = m_context.icmp.IcmpSendEcho(m_context.echoHandle, target, kRequestData,
                                                                  nullptr, m_reply, m_rules.timeoutMs);
        const EchoAnswer answer = classifyEchoAnswer(replies, m_reply, target);
        if (answer.isReply()) {
            ResultRecord record =
                scanRecord(RecordOperation::ListScan, host, answer.record->RoundTripTime, kRecordTimeout);
            record.name = name;
            if (!m_rules.failuresOnly)
                send(output::fill(res::kScanAnsweredNameRow, RtfText::escape(host),
                                  unsigned(answer.record->RoundTripTime), dns),
                     ResultKind::Plain, record);
            return true;
        }
        if (attempt == m_rules.packets) {
            ResultRecord record = scanRecord(RecordOperation::ListScan, host, {}, kRecordTimeout);
            record.name = name;
            send(output::fill(res::kScanNoAnswerNameRow, RtfText::escape(host),
                              output::fill(res::kTimeoutMark), dns),
                 ResultKind::Red, record);
        }
        if (m_context.flags.stopRequested())
            break;
    }
    return false;
}

} // namespace

OperationOutcome ListScanThread(const WorkerContext& context, const QStringList& hosts) {
    const settings::LiveOptions& options = context.options;
    WorkerLink& link = context.link;
    WorkerFlags flags = context.flags;
    flags.started();

    if (!openEchoHandle(context, res::kListScanNoEchoHandle)) {
        // Nothing runs any more: the flags end as after a normal end, so the command works again.
        flags.endOperations();
        context.status.set(output::text(res::kReady));
        link.SendStatus();
        flags.finished();
        return OperationOutcome::NotRun;
    }

    const ScanRules rules{std::uint32_t(options.number(OptionId::ListScanTimeout20)) * 1000u,
                          options.number(OptionId::ListScanPackets),
                          options.isOn(OptionId::ListScanShowFail)};
    link.SendResult({output::fill(res::kScanDnsHeaderRow).rtf(), QString(), ResultKind::HeaderRow});
    link.SendRecord(eventRecord(ResultRecord::Kind::Start, RecordOperation::ListScan));
    ListScanner scanner(context, rules);
    bool anyAnswered = false;
    for (const QString& host : hosts) {
        anyAnswered = scanner.scanHost(host) || anyAnswered;
        if (flags.stopRequested())
            break;
    }

    // The frame stamps the end line with the moment it shows it.
    const RtfText stamp = RtfText::markup(QStringLiteral("%s"));
    link.SendResult(
        {output::fill(flags.cancelRequested() ? res::kListScanCanceledLine : res::kListScanEndLine, stamp)
             .rtf(),
         QString(), ResultKind::Bold, true});
    link.SendRecord(eventRecord(ResultRecord::Kind::Line, RecordOperation::ListScan,
                                flags.cancelRequested() ? "canceled" : "end"));
    if (options.isOn(OptionId::Beep))
        link.Beep();
    // The handle goes before the flags: a command started once they are clear gets a handle of its own.
    closeEchoHandle(context);
    flags.endOperations();
    if (!flags.shuttingDown()) {
        context.status.set(output::text(res::kReady));
        link.SendStatus();
    }
    flags.finished();
    return anyAnswered ? OperationOutcome::Succeeded : OperationOutcome::Failed;
}

} // namespace vantrel::ops
