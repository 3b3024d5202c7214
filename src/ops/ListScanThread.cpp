#include "ops/ListScanThread.h"

#include "net/AddressText.h"
#include "net/IcmpApi.h"
#include "net/SocketLibrary.h"
#include "ops/EchoAnswer.h"
#include "ops/HostText.h"
#include "ops/ParallelSweep.h"
#include "ops/ResultRecord.h"
#include "ops/SharedStatus.h"
#include "ops/WorkerEchoHandle.h"
#include "ops/WorkerEnd.h"
#include "ops/WorkerLink.h"
#include "settings/LiveOptions.h"
#include "text/MessageTexts.h"
#include "text/ResultTexts.h"

#include <array>
#include <deque>
#include <future>
#include <map>

namespace vantrel::ops {

namespace {

using output::ResultKind;
using settings::OptionId;
namespace res = output::res;

// Each request carries two zero bytes and no options.
constexpr std::array<std::byte, 2> kRequestData{};

// What the scan takes once, when it starts.
struct ScanRules {
    std::uint32_t timeoutMs = 0;
    int packets = 0;
    bool failuresOnly = false;
    int parallel = 1;
};

class ListScanner {
public:
    ListScanner(const WorkerContext& context, ScanRules rules)
        : m_context(context)
        , m_rules(rules) {}

    // Scans one host of the list; true when it answered.
    bool scanHost(const QString& entry);
    // Scans the hosts with up to the rules' parallel ones in flight on `engine`; true when any answered.
    bool scanInParallel(net::EchoSweep& engine, const QStringList& hosts);

private:
    void status(const QString& text) {
        m_context.status.set(text);
        m_context.link.SendStatus();
    }
    void send(const output::ResultRow& row, const ResultRecord& record) {
        m_context.link.SendResult(row);
        m_context.link.SendRecord(record);
    }
    // The DNS column of a dotted address: empty, or with ListDNS on what the reverse lookup found, which
    // also goes to `name`.
    QString dnsColumn(net::IPAddr target, const QString& host, QString& name);
    // Resolves a name to its first address in dotted form; nothing when it does not resolve.
    std::optional<QString> resolve(const QString& name);
    std::optional<QString> lookUp(const QString& name) const; // the same without the status text
    bool ping(const QString& host, const QString& dns, const QString& name);
    void sendUnresolved(const QString& name);
    // Writes the row of a decided host; true when it answered.
    bool finish(const QString& host, const QString& dns, const QString& name, const SweepResult& result);

    const WorkerContext& m_context;
    ScanRules m_rules;
    std::array<std::byte, net::IcmpReplySize(kRequestData.size())> m_reply{};
};

QString ListScanner::dnsColumn(net::IPAddr target, const QString& host, QString& name) {
    if (!m_context.options.isOn(OptionId::ListDNS)) // read afresh for every host
        return {};
    status(output::fill(res::kLookingUpDnsName, host));
    const std::optional<net::HostEntry> entry =
        m_context.sockets->gethostbyaddr(net::IpAddress::fromV4(target));
    if (!entry || entry->h_name.empty())
        return output::text(res::kNoDnsNameFound);
    name = QString::fromLocal8Bit(entry->h_name);
    return name;
}

std::optional<QString> ListScanner::resolve(const QString& name) {
    status(output::fill(res::kLookingUpAddress, name));
    return lookUp(name);
}

std::optional<QString> ListScanner::lookUp(const QString& name) const {
    const std::optional<net::HostEntry> entry =
        m_context.sockets->gethostbyname(name.toLocal8Bit().toStdString());
    if (!entry || entry->h_addr_list.empty())
        return std::nullopt;
    return entry->h_addr_list.front().toQString();
}

void ListScanner::sendUnresolved(const QString& name) {
    ResultRecord record = scanRecord(RecordOperation::ListScan, QString(), {}, kRecordNoAddress);
    record.name = name;
    send(output::makeRow(ResultKind::Red, res::kScanNoAnswerNameRow, output::text(res::kNoIpAddressFound),
                         QString(), name),
         record);
}

bool ListScanner::scanHost(const QString& entry) {
    const QString host = cleanHostText(entry).host;
    const net::IPAddr target = net::inet_addr(host.toLocal8Bit().toStdString());
    if (target == net::kInaddrNone) {
        const std::optional<QString> address = resolve(host);
        if (!address) {
            sendUnresolved(host);
            return false; // no echo request for a name without an address
        }
        return ping(*address, host, host); // a name shows itself in the DNS column
    }
    QString name;
    const QString dns = dnsColumn(target, host, name);
    return ping(host, dns, name);
}

bool ListScanner::ping(const QString& host, const QString& dns, const QString& name) {
    // A cancel during the host's lookups sends it nothing: no request goes out after a cancel, as in a
    // scan with several hosts in flight, so the rows come out the same either way.
    if (m_context.flags.stopRequested())
        return false;
    const net::IPAddr target = net::inet_addr(host.toLocal8Bit().toStdString());
    SweepResult result;
    for (int attempt = 1; attempt <= m_rules.packets; ++attempt) {
        status(output::fill(res::kPingingScanHost, host));
        m_reply.fill(std::byte{0});
        const std::uint32_t replies = m_context.icmp.IcmpSendEcho(m_context.echoHandle, target, kRequestData,
                                                                  nullptr, m_reply, m_rules.timeoutMs);
        const EchoAnswer answer = classifyEchoAnswer(replies, m_reply, target);
        if (answer.isReply()) {
            result.roundTrip = answer.record->RoundTripTime;
            break;
        }
        result.allSent = attempt == m_rules.packets;
        if (m_context.flags.stopRequested())
            break;
    }
    return finish(host, dns, name, result);
}

bool ListScanner::finish(const QString& host, const QString& dns, const QString& name,
                         const SweepResult& result) {
    ResultRecord record = scanRecord(RecordOperation::ListScan, host, result.roundTrip, kRecordTimeout);
    record.name = name;
    if (result.roundTrip) {
        if (!m_rules.failuresOnly)
            send(output::makeRow(ResultKind::Plain, res::kScanAnsweredNameRow, host,
                                 unsigned(*result.roundTrip), dns),
                 record);
        return true;
    }
    if (result.allSent)
        send(output::makeRow(ResultKind::Red, res::kScanNoAnswerNameRow, host,
                             output::text(res::kTimeoutMark), dns),
             record);
    return false;
}

bool ListScanner::scanInParallel(net::EchoSweep& engine, const QStringList& hosts) {
    // A host sent to whose row is not written yet: the address pinged, and the name typed for a name
    // (nothing when it did not resolve), or nothing for an address, whose DNS column comes with its row.
    struct Waiting {
        QString host;
        std::optional<QString> name;
        bool resolved = true;
    };
    std::deque<Waiting> waiting;
    std::size_t written = 0;
    bool anyAnswered = false;
    // The names are looked up a few hosts ahead of the sends, each on a thread of its own: a slow name
    // service then holds back neither the sends nor the reading of answers (their round-trip times).
    constexpr std::size_t kLookAhead = 4;
    std::map<std::size_t, std::future<std::optional<QString>>> lookups; // by index in the list
    const auto hostAt = [&](std::size_t index) { return cleanHostText(hosts[qsizetype(index)]).host; };
    const auto isName = [](const QString& host) {
        return net::inet_addr(host.toLocal8Bit().toStdString()) == net::kInaddrNone;
    };
    const auto lookAhead = [&](std::size_t from) {
        for (std::size_t i = from; i < std::min(from + kLookAhead, std::size_t(hosts.size())); ++i) {
            const QString host = hostAt(i);
            if (isName(host) && lookups.count(i) == 0)
                lookups.emplace(i, std::async(std::launch::async, [this, host] { return lookUp(host); }));
        }
    };
    ParallelSweep sweep(engine, {m_rules.parallel, m_rules.packets, m_rules.timeoutMs, kRequestData},
                        m_context.flags);
    sweep.run({
        .next = [&]() -> std::optional<std::optional<net::IpAddress>> {
            const std::size_t index = written + waiting.size();
            if (index >= std::size_t(hosts.size()))
                return std::nullopt;
            const QString host = hostAt(index);
            lookAhead(index);
            if (!isName(host)) {
                waiting.push_back({host, std::nullopt});
                return std::optional(
                    net::IpAddress::fromV4(net::inet_addr(host.toLocal8Bit().toStdString())));
            }
            status(output::fill(res::kLookingUpAddress, host));
            const std::optional<QString> address = lookups.at(index).get();
            lookups.erase(index);
            if (!address) {
                waiting.push_back({QString(), host, false});
                return std::optional<std::optional<net::IpAddress>>(std::in_place);
            }
            waiting.push_back({*address, host});
            return std::optional(
                net::IpAddress::fromV4(net::inet_addr(address->toLocal8Bit().toStdString())));
        },
        .sending =
            [&](std::size_t index) {
                status(output::fill(res::kPingingScanHost, waiting[index - written].host));
            },
        .decided =
            [&](std::size_t, const SweepResult& result) {
                const Waiting host = std::move(waiting.front());
                waiting.pop_front();
                ++written;
                if (!host.resolved) {
                    sendUnresolved(*host.name);
                    return;
                }
                // An address's own name is looked up only for a row that shows.
                const bool shows = result.roundTrip ? !m_rules.failuresOnly : result.allSent;
                const net::IPAddr target = net::inet_addr(host.host.toLocal8Bit().toStdString());
                QString name = host.name.value_or(QString());
                const QString dns = host.name ? name : shows ? dnsColumn(target, host.host, name) : QString();
                anyAnswered = finish(host.host, dns, name, result) || anyAnswered;
            },
    });
    return anyAnswered;
}

} // namespace

OperationOutcome ListScanThread(const WorkerContext& context, const QStringList& hosts) {
    const settings::LiveOptions& options = context.options;
    WorkerLink& link = context.link;
    const WorkerFlags& flags = context.flags;

    const int parallel = options.number(OptionId::ParallelProbes);
    std::unique_ptr<net::EchoSweep> engine;
    if (!openEchoHandle(context, res::kListScanNoEchoHandle) ||
        (parallel > 1 && !(engine = openSweepEngine(context, res::kListScanNoEchoHandle)))) {
        // Nothing runs any more: the flags end as after a normal end, so the command works again.
        return endWorker(context, {.outcome = OperationOutcome::NotRun});
    }

    const ScanRules rules{std::uint32_t(options.number(OptionId::ListScanTimeout20)) * 1000u,
                          options.number(OptionId::ListScanPackets), options.isOn(OptionId::ListScanShowFail),
                          parallel};
    link.SendResult(output::makeRow(ResultKind::HeaderRow, res::kScanDnsHeaderRow));
    link.SendRecord(eventRecord(ResultRecord::Kind::Start, RecordOperation::ListScan));
    ListScanner scanner(context, rules);
    bool anyAnswered = false;
    if (engine) {
        anyAnswered = scanner.scanInParallel(*engine, hosts);
    } else {
        for (const QString& host : hosts) {
            anyAnswered = scanner.scanHost(host) || anyAnswered;
            if (flags.stopRequested())
                break;
        }
    }

    // The frame stamps the end line with the moment it shows it.
    link.SendResult(output::makeStampedRow(
        ResultKind::Bold, flags.cancelRequested() ? res::kListScanCanceledLine : res::kListScanEndLine,
        QString()));
    link.SendRecord(eventRecord(ResultRecord::Kind::Line, RecordOperation::ListScan,
                                flags.cancelRequested() ? "canceled" : "end"));
    if (options.isOn(OptionId::Beep))
        link.Beep();
    return endWorker(context,
                     {.outcome = anyAnswered ? OperationOutcome::Succeeded : OperationOutcome::Failed});
}

} // namespace vantrel::ops
