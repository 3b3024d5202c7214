#include "ops/ListScanThread.h"

#include "net/IcmpApi.h"
#include "net/ResolvePolicy.h"
#include "net/SocketLibrary.h"
#include "ops/AddressPolicy.h"
#include "ops/EchoCall.h"
#include "ops/HostText.h"
#include "ops/ParallelSweep.h"
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
    net::ResolvePolicy policy = net::ResolvePolicy::Ipv4ThenIpv6;
    bool wideTable = false; // an IPv6 address in the list: every row has the wide columns
};

// A host of the list that is an address, as typed: IPv4 in every form inet_addr takes, or IPv6.
std::optional<net::IpAddress> literalOf(const QString& host) {
    return net::IpAddress::parse(host.toLocal8Bit().toStdString());
}

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
        // Once cancelled, the status says so until the scan ends, whatever the worker is still doing.
        if (m_context.flags.stopRequested())
            return;
        m_context.status.set(text);
        m_context.link.SendStatus();
    }
    void send(const output::ResultRow& row, const ResultRecord& record) {
        m_context.link.SendResult(row);
        m_context.link.SendRecord(record);
    }
    // The address a host of the list stands for: the typed one (none when the policy refuses its family),
    // or its name's first address (none when it does not resolve). `isName` tells which.
    std::optional<net::IpAddress> addressOf(const QString& host, bool& isName);
    // The DNS column of a typed address: empty, or with ListDNS on what the reverse lookup found, which
    // also goes to `name`.
    QString dnsColumn(const net::IpAddress& target, const QString& host, QString& name);
    // Resolves a name to its first address by the policy; nothing when it does not resolve.
    std::optional<net::IpAddress> lookUp(const QString& name) const;
    // `shown` is the address as the row shows it: as typed, or as the lookup found it.
    bool ping(const net::IpAddress& target, const QString& shown, const QString& dns, const QString& name);
    void sendUnresolved(const QString& name);
    // Writes the row of a decided host; true when it answered.
    bool finish(const QString& shown, bool ipv6, const QString& dns, const QString& name,
                const SweepResult& result);

    const WorkerContext& m_context;
    ScanRules m_rules;
    std::array<std::byte, echoReplySize(kRequestData.size())> m_reply{};
    bool m_ipv6Refused = false; // no IPv6 echo handle could be opened (said once)
};

std::optional<net::IpAddress> ListScanner::addressOf(const QString& host, bool& isName) {
    if (const std::optional<net::IpAddress> typed = literalOf(host)) {
        isName = false;
        if (net::literalRefusal(*typed, m_rules.policy) != 0)
            return std::nullopt;
        return typed;
    }
    isName = true;
    status(output::fill(res::kLookingUpAddress, host));
    return lookUp(host);
}

QString ListScanner::dnsColumn(const net::IpAddress& target, const QString& host, QString& name) {
    if (!m_context.options.isOn(OptionId::ListDNS)) // read afresh for every host
        return {};
    status(output::fill(res::kLookingUpDnsName, host));
    const std::optional<net::HostEntry> entry = m_context.sockets->gethostbyaddr(target);
    if (!entry || entry->h_name.empty())
        return output::text(res::kNoDnsNameFound);
    name = QString::fromLocal8Bit(entry->h_name);
    return name;
}

std::optional<net::IpAddress> ListScanner::lookUp(const QString& name) const {
    const std::optional<net::HostEntry> entry =
        m_context.sockets->gethostbyname(name.toLocal8Bit().toStdString(), m_rules.policy);
    if (!entry || entry->h_addr_list.empty())
        return std::nullopt;
    return entry->h_addr_list.front();
}

void ListScanner::sendUnresolved(const QString& name) {
    ResultRecord record = scanRecord(RecordOperation::ListScan, QString(), {}, kRecordNoAddress);
    record.name = name;
    send(output::makeRow(
             ResultKind::Red,
             output::rowFor(m_rules.wideTable, res::kScanNoAnswerNameRow, res::kScanNoAnswerNameRowWide),
             output::text(res::kNoIpAddressFound), QString(), name),
         record);
}

bool ListScanner::scanHost(const QString& entry) {
    const QString host = cleanHostText(entry).host;
    bool isName = false;
    const std::optional<net::IpAddress> target = addressOf(host, isName);
    if (!target) {
        sendUnresolved(host);
        return false; // no echo request for a host without an address
    }
    if (isName)
        return ping(*target, target->toQString(), host, host); // a name shows itself in the DNS column
    QString name;
    const QString dns = dnsColumn(*target, host, name);
    return ping(*target, host, dns, name);
}

bool ListScanner::ping(const net::IpAddress& target, const QString& shown, const QString& dns,
                       const QString& name) {
    // A cancel during the host's lookups sends it nothing: no request goes out after a cancel, as in a
    // scan with several hosts in flight, so the rows come out the same either way.
    if (m_context.flags.stopRequested())
        return false;
    // The IPv6 handle is opened at the list's first IPv6 host; without one its requests fail.
    if (target.isV6() && !m_ipv6Refused &&
        !openEchoHandle(m_context, net::IpFamily::V6, res::kListScanNoEchoHandle))
        m_ipv6Refused = true;
    SweepResult result;
    for (int attempt = 1; attempt <= m_rules.packets; ++attempt) {
        status(output::fill(res::kPingingScanHost, shown));
        m_reply.fill(std::byte{0});
        const EchoAnswer answer = sendEcho(m_context.icmp, m_context.echoHandleFor(target.family()), target,
                                           kRequestData, nullptr, m_reply, m_rules.timeoutMs);
        if (answer.isReply()) {
            result.roundTrip = answer.record->roundTrip;
            break;
        }
        result.allSent = attempt == m_rules.packets;
        if (m_context.flags.stopRequested())
            break;
    }
    return finish(shown, target.isV6(), dns, name, result);
}

bool ListScanner::finish(const QString& shown, bool ipv6, const QString& dns, const QString& name,
                         const SweepResult& result) {
    const bool wide = ipv6 || m_rules.wideTable;
    ResultRecord record = scanRecord(RecordOperation::ListScan, shown, result.roundTrip, kRecordTimeout);
    record.name = name;
    if (result.roundTrip) {
        if (!m_rules.failuresOnly) {
            output::ResultRow row = output::makeRow(
                ResultKind::Plain,
                output::rowFor(wide, res::kScanAnsweredNameRow, res::kScanAnsweredNameRowWide), shown,
                output::wholeMilliseconds(*result.roundTrip), dns);
            output::showRoundTrip(row, 1, *result.roundTrip, m_context.options.isOn(OptionId::PreciseTimes));
            send(row, record);
        }
        return true;
    }
    if (result.allSent)
        send(output::makeRow(ResultKind::Red,
                             output::rowFor(wide, res::kScanNoAnswerNameRow, res::kScanNoAnswerNameRowWide),
                             shown, output::text(res::kTimeoutMark), dns),
             record);
    return false;
}

bool ListScanner::scanInParallel(net::EchoSweep& engine, const QStringList& hosts) {
    // A host sent to whose row is not written yet: its address and how the row shows it, and the name
    // typed for a name (nothing when it did not resolve), or nothing for an address, whose DNS column
    // comes with its row.
    struct Waiting {
        std::optional<net::IpAddress> target;
        QString shown;
        std::optional<QString> name;
    };
    std::deque<Waiting> waiting;
    std::size_t written = 0;
    bool anyAnswered = false;
    // The names are looked up a few hosts ahead of the sends, each on a thread of its own: a slow name
    // service then holds back neither the sends nor the reading of answers (their round-trip times).
    constexpr std::size_t kLookAhead = 4;
    std::map<std::size_t, std::future<std::optional<net::IpAddress>>> lookups; // by index in the list
    const auto hostAt = [&](std::size_t index) { return cleanHostText(hosts[qsizetype(index)]).host; };
    const auto lookAhead = [&](std::size_t from) {
        for (std::size_t i = from; i < std::min(from + kLookAhead, std::size_t(hosts.size())); ++i) {
            const QString host = hostAt(i);
            if (!literalOf(host) && lookups.count(i) == 0)
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
            if (const std::optional<net::IpAddress> typed = literalOf(host)) {
                const bool refused = net::literalRefusal(*typed, m_rules.policy) != 0;
                waiting.push_back(
                    {refused ? std::nullopt : typed, host, refused ? std::optional(host) : std::nullopt});
                return std::optional(waiting.back().target);
            }
            status(output::fill(res::kLookingUpAddress, host));
            const std::optional<net::IpAddress> address = lookups.at(index).get();
            lookups.erase(index);
            waiting.push_back({address, address ? address->toQString() : QString(), host});
            return std::optional(address);
        },
        .sending =
            [&](std::size_t index) {
                status(output::fill(res::kPingingScanHost, waiting[index - written].shown));
            },
        .decided =
            [&](std::size_t, const SweepResult& result) {
                const Waiting host = std::move(waiting.front());
                waiting.pop_front();
                ++written;
                if (!host.target) {
                    sendUnresolved(*host.name);
                    return;
                }
                // An address's own name is looked up only for a row that shows.
                const bool shows = result.roundTrip ? !m_rules.failuresOnly : result.allSent;
                QString name = host.name.value_or(QString());
                const QString dns = host.name ? name
                                    : shows   ? dnsColumn(*host.target, host.shown, name)
                                              : QString();
                anyAnswered = finish(host.shown, host.target->isV6(), dns, name, result) || anyAnswered;
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
    if (!openEchoHandle(context, net::IpFamily::V4, res::kListScanNoEchoHandle) ||
        (parallel > 1 && !(engine = openSweepEngine(context, res::kListScanNoEchoHandle)))) {
        // Nothing runs any more: the flags end as after a normal end, so the command works again.
        return endWorker(context, {.outcome = OperationOutcome::NotRun});
    }

    // An IPv6 address in the list widens the table; names that resolve to one come in its rows alone.
    const bool wide = std::any_of(hosts.begin(), hosts.end(), [](const QString& host) {
        const std::optional<net::IpAddress> typed = literalOf(cleanHostText(host).host);
        return typed && typed->isV6();
    });
    const ScanRules rules{std::uint32_t(options.number(OptionId::ListScanTimeout20)) * 1000u,
                          options.number(OptionId::ListScanPackets),
                          options.isOn(OptionId::ListScanShowFail),
                          parallel,
                          resolvePolicy(context.start.addressFamily),
                          wide};
    link.SendResult(output::makeRow(
        ResultKind::HeaderRow, output::rowFor(wide, res::kScanDnsHeaderRow, res::kScanDnsHeaderRowWide)));
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
