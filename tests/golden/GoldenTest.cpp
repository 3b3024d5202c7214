// Every row and line the operations write, as the Results window, the terminal, the log and the data
// formats get them, compared byte for byte with the files in data/. After a deliberate change of the
// output, run the test program with VANTREL_UPDATE_GOLDEN=1 to rewrite the files, and review their diff.

#include "log/ResultLog.h"
#include "net/IpStatus.h"
#include "net/WinsockErrors.h"
#include "ops/ContinuousPing.h"
#include "ops/ISPinger.h"
#include "ops/OperationHarness.h"
#include "ops/SeqScanChecks.h"
#include "ops/WatchProber.h"
#include "ops/WatchRows.h"
#include "ops/WinsockReports.h"
#include "support/GoldenCapture.h"
#include "text/ResultTexts.h"
#include "text/StringResource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace vantrel::ops {
namespace {

using settings::OptionId;
using test::address;
using test::FakeIcmpNetwork;

// The log's news goes to the Results window, as in the desktop program.
class ResultsLogFrontEnd final : public output::LogFrontEnd {
public:
    void ShowMessageBox(const QString&, const QString&, output::MessageIcon) override {}
    void showLogOptionsPane() override {}
    bool showFileNameBalloon(const QString&, const QString&) override { return false; }
    std::optional<output::OpenFailure> openWithDesktop(const QString&) override { return std::nullopt; }
    void showResultLine(const output::ResultRow& line) override { results->AppendRow(line); }
    output::ResultPipeline* results = nullptr;
};

// A harness whose pipeline logs into a fresh file, and which keeps every record.
struct GoldenRun {
    GoldenRun() {
        logOptions.setText(OptionId::LogString, logPath());
        logOptions.setNumber(OptionId::LogCheck, 0);
        logFrontEnd.results = &h.pipeline;
        log.ToggleLogging();
        h.control->setRecordSink([this](const ResultRecord& record) { records.push_back(record); });
        set({{OptionId::Beep, 0}, {OptionId::ParallelProbes, 1}});
    }
    QString logPath() const { return dir.filePath(QStringLiteral("golden.rtf")); }
    // ISPinger's sink: its records' times are real time since the run started, shown as 0.
    RecordSink keepWithoutTimes() {
        return [this](ResultRecord record) {
            if (record.elapsedMs)
                record.elapsedMs = 0;
            records.push_back(record);
        };
    }

    void set(std::initializer_list<std::pair<OptionId, int>> numbers) {
        for (const auto& [option, value] : numbers)
            h.options.setNumber(option, value);
    }
    // A router's answer to the request whose time-to-live ran out at hop `ttl`.
    void router(const char* dotted, std::uint8_t ttl) {
        h.network.error(address(dotted), net::IP_TTL_EXPIRED_TRANSIT, ttl);
    }
    // An answer from `from` after `micros` microseconds: an echo reply, or the ICMP error `status`.
    void answerIn(const net::IpAddress& from, std::uint32_t micros, std::uint32_t status = net::IP_SUCCESS) {
        FakeIcmpNetwork::Answer answer;
        answer.status = status;
        answer.roundTripMs = micros / 1000;
        answer.extraMicroseconds = micros % 1000;
        if (from.isV4()) {
            answer.from = from.v4();
            h.network.script(answer, status == net::IP_SUCCESS ? std::optional(from.v4()) : std::nullopt);
        } else {
            answer.from6 = from;
            h.network.script6(answer, from);
        }
    }
    void ping(const QString& host) { h.ping(host); }
    void trace(const QString& host) {
        h.frontEnd.hostText = host;
        h.control->OnTrace();
        h.runUntilIdle();
    }
    void lookup(const QString& host) {
        h.frontEnd.hostText = host;
        h.control->OnLookup();
        h.runUntilIdle();
    }
    void seqScan(const char* first, const char* lastTwo) {
        SeqScanOctets octets;
        const QStringList s = QString::fromLatin1(first).split(QLatin1Char('.'));
        const QStringList e = QString::fromLatin1(lastTwo).split(QLatin1Char('.'));
        octets.texts = {s[0], s[1], s[2], s[3], e[0], e[1]};
        octets.toOptions(h.options);
        h.control->OnSeqScan();
        h.runUntilIdle();
    }
    void listScan(const QStringList& hosts) {
        h.control->OnListScan(hosts);
        h.runUntilIdle();
    }
    // Calls `cancel` on the GUI thread while the worker waits in its `request`th echo request.
    void cancelAtRequest(int request, std::function<void()> cancel) {
        h.network.onRequest([this, request, cancel](const FakeIcmpNetwork::SentRequest&) {
            if (++requests == request)
                QMetaObject::invokeMethod(QCoreApplication::instance(), cancel, Qt::BlockingQueuedConnection);
        });
    }
    void cancelFlagAtRequest(int request) {
        cancelAtRequest(request, [this] { h.state().flags.requestCancel(); });
    }

    QTemporaryDir dir;
    settings::LiveOptions logOptions;
    ResultsLogFrontEnd logFrontEnd;
    output::ResultLog log{logOptions, logFrontEnd, &test::OperationHarness::now};
    test::OperationHarness h{&log};
    std::vector<ResultRecord> records;
    std::atomic<int> requests{0}; // echo requests sent since cancelAtRequest
};

// The watch list's lines as the window writes them: each change of state appended as it comes.
class WatchLines final : public WatchFrontEnd {
public:
    explicit WatchLines(output::ResultPipeline& results)
        : m_results(results) {}
    void watchProbed(const WatchHostView&) override {}
    void watchStateChanged(const history::StateChange& change, const WatchHostView& host) override {
        m_results.AppendRow(watchChangeRow(change, host.name));
    }

private:
    output::ResultPipeline& m_results;
};

// A host text with RTF's own characters and one outside ASCII.
const QString kOddHost = QStringLiteral("h\\{\u00f6}");
const std::string kOddHostName = kOddHost.toStdString();

std::vector<std::byte> bytes(const QByteArray& text) {
    std::vector<std::byte> data;
    for (const char c : text)
        data.push_back(std::byte(c));
    return data;
}

struct Scenario {
    const char* name;
    void (*drive)(GoldenRun&);
};

const Scenario kScenarios[] = {
    {"ping_verbose",
     [](GoldenRun& g) {
         const net::IPAddr target = address("10.0.0.1");
         g.set({{OptionId::Packets, 6}, {OptionId::Verbose, 1}, {OptionId::Fragment, 1}});
         g.h.network.reply(target, 10, 57);
         g.h.network.fail(net::IP_REQ_TIMED_OUT);
         g.h.network.error(address("10.0.0.254"), net::IP_DEST_HOST_UNREACHABLE);
         g.h.network.error(target, net::IP_DEST_PORT_UNREACHABLE);
         g.h.network.failSilently();
         g.h.network.reply(target, 15, 57);
         g.ping(QStringLiteral("10.0.0.1"));
     }},
    {"ping_quiet_returned_data",
     [](GoldenRun& g) {
         const net::IPAddr target = address("10.0.0.1");
         g.set({{OptionId::Packets, 3}, {OptionId::Verbose, 0}, {OptionId::RetData, 1}});
         std::vector<std::byte> data = bytes(QByteArray("}{\\par \\rtf1 100% \xe9 \\'41 {x}"));
         data.push_back(std::byte(0));
         g.h.network.replyWithData(target, 4, data);
         g.h.network.fail(net::IP_REQ_TIMED_OUT);
         g.h.network.reply(target, 8);
         g.ping(QStringLiteral("10.0.0.1"));
     }},
    {"ping_unsuccessful",
     [](GoldenRun& g) {
         g.set({{OptionId::Packets, 2}, {OptionId::Verbose, 0}});
         g.ping(QStringLiteral("10.0.0.1"));
     }},
    {"ping_odd_host_cancelled",
     [](GoldenRun& g) {
         const net::IPAddr target = address("10.0.0.7");
         g.h.names->addHost({kOddHostName, {}, {target}});
         g.set({{OptionId::Packets, 5}});
         g.h.network.setDefaultAnswer(FakeIcmpNetwork::echoReply(target, 3));
         g.cancelAtRequest(3, [&g] { g.h.control->OnPing(); });
         g.ping(kOddHost);
     }},
    {"ping_cancel_flag",
     [](GoldenRun& g) {
         g.set({{OptionId::Packets, 5}});
         g.h.network.setDefaultAnswer(FakeIcmpNetwork::echoReply(address("10.0.0.1"), 3));
         g.cancelFlagAtRequest(2);
         g.ping(QStringLiteral("10.0.0.1"));
     }},
    {"trace_plain",
     [](GoldenRun& g) {
         g.set({{OptionId::TraceDNS, 0}, {OptionId::Verbose, 1}});
         const net::IPAddr target = address("10.201.9.2");
         g.h.network.reply(target, 7);            // contact
         g.router("10.201.1.1", 1);               // hop 1
         g.h.network.fail(net::IP_REQ_TIMED_OUT); // hop 2
         g.router("10.201.3.1", 3);               // hop 3
         g.h.network.reply(target, 7);            // hop 4
         g.trace(QStringLiteral("10.201.9.2"));
     }},
    {"trace_dns",
     [](GoldenRun& g) {
         g.set({{OptionId::TraceDNS, 1}, {OptionId::Verbose, 1}});
         const net::IPAddr target = address("10.201.9.2");
         g.h.names->addHost({"edge{1}.lab", {}, {address("10.201.1.1")}});
         g.h.names->addHost({"far.lab", {}, {target}});
         g.h.network.reply(target, 7);
         g.router("10.201.1.1", 1);
         g.router("10.201.2.1", 2);
         g.h.network.fail(net::IP_REQ_TIMED_OUT);
         g.h.network.reply(target, 7);
         g.trace(QStringLiteral("far.lab"));
     }},
    {"trace_odd_host_not_reached",
     [](GoldenRun& g) {
         g.set({{OptionId::TraceDNS, 0}, {OptionId::Verbose, 1}, {OptionId::Hops, 3}});
         g.h.names->addHost({kOddHostName, {}, {address("10.201.9.2")}});
         g.h.network.error(address("10.201.1.1"), net::IP_TTL_EXPIRED_TRANSIT, 1, address("10.201.9.2"));
         g.trace(kOddHost);
     }},
    {"trace_dns_unreachable",
     [](GoldenRun& g) {
         g.set({{OptionId::TraceDNS, 1}, {OptionId::Verbose, 1}});
         const net::IPAddr target = address("10.201.9.2");
         g.h.network.reply(target, 7);
         g.h.network.fail(net::IP_REQ_TIMED_OUT);
         g.h.network.error(address("10.201.2.1"), net::IP_DEST_NET_UNREACHABLE, 2);
         g.trace(QStringLiteral("10.201.9.2"));
     }},
    {"trace_cancelled",
     [](GoldenRun& g) {
         g.set({{OptionId::TraceDNS, 0}});
         const net::IPAddr target = address("10.201.9.2");
         g.h.network.reply(target, 7);
         g.router("10.201.1.1", 1);
         g.router("10.201.2.1", 2);
         g.cancelAtRequest(3, [&g] { g.h.control->OnTrace(); });
         g.trace(QStringLiteral("10.201.9.2"));
     }},
    {"seqscan_plain",
     [](GoldenRun& g) {
         g.set({{OptionId::SeqScanPackets, 1}, {OptionId::SeqDNS, 0}});
         g.h.network.reply(address("10.1.0.1"), 17, 64, address("10.1.0.1"));
         g.h.network.reply(address("10.1.0.9"), 2, 64, address("10.1.0.3")); // a stranger's reply
         g.seqScan("10.1.0.1", "0.3");
     }},
    {"seqscan_dns",
     [](GoldenRun& g) {
         g.set({{OptionId::SeqScanPackets, 1}, {OptionId::SeqDNS, 1}});
         g.h.names->addHost({"gw.lab.test", {}, {address("10.3.0.1")}});
         g.h.names->addHost({"dark{\u00e9}.lab", {}, {address("10.3.0.2")}});
         g.h.network.reply(address("10.3.0.1"), 5, 64, address("10.3.0.1"));
         g.h.network.reply(address("10.3.0.3"), 6, 64, address("10.3.0.3"));
         g.seqScan("10.3.0.1", "0.4");
     }},
    {"seqscan_cancelled",
     [](GoldenRun& g) {
         g.set({{OptionId::SeqScanPackets, 1}});
         g.h.network.reply(address("10.4.0.0"), 1, 64, address("10.4.0.0"));
         g.cancelFlagAtRequest(3);
         g.seqScan("10.4.0.0", "0.255");
     }},
    {"listscan_plain",
     [](GoldenRun& g) {
         g.set({{OptionId::ListDNS, 0}});
         g.h.names->addHost({"host.test", {}, {address("10.0.0.2")}});
         g.h.names->addHost({"silent.test", {}, {address("10.0.0.3")}});
         g.h.names->addHost({kOddHostName, {}, {address("10.0.0.4")}});
         g.h.network.reply(address("10.0.0.1"), 4, 64, address("10.0.0.1"));
         g.h.network.reply(address("10.0.0.2"), 9, 64, address("10.0.0.2"));
         g.h.network.reply(address("10.0.0.4"), 3, 64, address("10.0.0.4"));
         g.listScan({"10.0.0.1", "host.test", "nowhere.test", "silent.test", kOddHost});
     }},
    {"listscan_dns",
     [](GoldenRun& g) {
         g.set({{OptionId::ListDNS, 1}});
         g.h.names->addHost({"named.lab", {}, {address("10.0.0.5")}});
         g.h.network.reply(address("10.0.0.5"), 1, 64, address("10.0.0.5"));
         g.h.network.reply(address("10.0.0.6"), 2, 64, address("10.0.0.6"));
         g.listScan({"10.0.0.5", "10.0.0.6", "10.0.0.7", "nowhere.test"});
     }},
    {"listscan_cancelled",
     [](GoldenRun& g) {
         g.h.network.reply(address("10.0.0.1"), 4, 64, address("10.0.0.1"));
         g.cancelAtRequest(2, [&g] { g.h.control->OnListScan({}); });
         g.listScan({"10.0.0.1", "10.0.0.2", "10.0.0.3"});
     }},
    // IPv6 hosts get the wide twins of the tables; mixed lists are ragged.
    {"ipv6_ping_and_trace",
     [](GoldenRun& g) {
         const net::IpAddress target = test::ipAddress("fd42:9::2");
         g.set({{OptionId::Packets, 4},
                {OptionId::Verbose, 1},
                {OptionId::RetData, 1},
                {OptionId::TraceDNS, 1}});
         g.h.names->addHost({"far6.lab", {}, {target}});
         g.h.names->addHost({"edge6.lab", {}, {test::ipAddress("fd42:1::1")}});
         g.h.network.reply6(target, 2, 61);
         g.h.network.fail6(net::IP_REQ_TIMED_OUT);
         g.h.network.error6(test::ipAddress("fd42:1::1"), net::IP_DEST_HOST_UNREACHABLE);
         g.h.network.reply6(target, 3, 61);
         g.ping(QStringLiteral("far6.lab"));
         g.set({{OptionId::RetData, 0}});
         g.h.network.reply6(target, 2);                                                 // contact
         g.h.network.error6(test::ipAddress("fd42:1::1"), net::IP_TTL_EXPIRED_TRANSIT); // hop 1, named
         g.h.network.error6(test::ipAddress("fd42:2::1"), net::IP_TTL_EXPIRED_TRANSIT); // hop 2, unnamed
         g.h.network.fail6(net::IP_REQ_TIMED_OUT);                                      // hop 3
         g.h.network.reply6(target, 4);                                                 // hop 4
         g.trace(QStringLiteral("far6.lab"));
         g.set({{OptionId::TraceDNS, 0}});
         g.h.network.reply6(target, 2);
         g.h.network.fail6(net::IP_REQ_TIMED_OUT);
         g.h.network.reply6(target, 4);
         g.trace(QStringLiteral("[fd42:9::2]"));
     }},
    {"path_monitor",
     [](GoldenRun& g) {
         g.set({{OptionId::PathMonitorInterval, 1}, {OptionId::Hops, 5}});
         // Hop 1 answers, hop 2 never, hop 3 from another address in round 2, the target from hop 4 on;
         // over IPv6 hop 1 changes its address too, and the target is hop 2.
         auto probes = std::make_shared<std::map<int, int>>();
         g.h.network.onRequest([&g, probes](const FakeIcmpNetwork::SentRequest& request) {
             const int round = ++(*probes)[request.ttl + (request.destination6 ? 100 : 0)];
             if (request.destination6 && request.ttl == 1)
                 g.h.network.error6(test::ipAddress(round == 1 ? "fd42:1::1" : "fd42:7::1"),
                                    net::IP_TTL_EXPIRED_TRANSIT, 1);
             else if (request.destination6)
                 g.h.network.reply6(*request.destination6, 2);
             else if (request.ttl == 1)
                 g.h.network.error(address("10.0.0.1"), net::IP_TTL_EXPIRED_TRANSIT, std::uint32_t(round));
             else if (request.ttl == 3)
                 g.router(round == 1 ? "10.0.0.3" : "10.0.7.3", 3);
             else if (request.ttl >= 4)
                 g.h.network.reply(address("10.0.0.9"), 4);
         });
         for (const char* host : {"10.0.0.9", "fd42:9::2"}) {
             g.h.frontEnd.hostText = QString::fromLatin1(host);
             g.h.control->OnPathMonitor(2);
             g.h.runUntilIdle();
         }
     }},
    {"ipv6_lookup_and_listscan",
     [](GoldenRun& g) {
         g.set({{OptionId::AddressFamily, 1}, {OptionId::ListDNS, 0}});
         g.h.names->addHost(
             {"dual.lab", {"www.dual.lab"}, {address("10.0.0.1"), test::ipAddress("fd42::1")}});
         g.h.names->addHost({"pair6.lab", {}, {test::ipAddress("fd42::2"), test::ipAddress("fd42::3")}});
         g.lookup(QStringLiteral("dual.lab"));
         g.lookup(QStringLiteral("pair6.lab"));
         g.h.network.reply(address("10.0.0.1"), 4, 64, address("10.0.0.1"));
         g.h.network.reply6(test::ipAddress("fd42::5"), 6, 64, test::ipAddress("fd42::5"));
         g.h.network.reply6(test::ipAddress("fd42::2"), 3, 64, test::ipAddress("fd42::2"));
         g.listScan({"10.0.0.1", "fd42::5", "pair6.lab", "[fd42::6]"});
         g.set({{OptionId::AddressFamily, 3}});
         g.listScan({"fd42::5"});
     }},
    {"watch_lines",
     [](GoldenRun& g) {
         // A host answers twice, then never again: up, degraded, down, between the watch's start and end.
         const QString stamp = output::formatTimeStamp(test::OperationHarness::now());
         g.h.pipeline.AppendRow(
             output::makeRow(output::ResultKind::Bold, output::res::kWatchStartLine, stamp));
         g.h.network.reply(address("10.0.0.1"), 3, 64, address("10.0.0.1"));
         g.h.network.reply(address("10.0.0.1"), 3, 64, address("10.0.0.1"));
         settings::WatchEntry entry;
         entry.host = QStringLiteral("10.0.0.1");
         entry.name = QStringLiteral("gw {lab}");
         entry.intervalSeconds = 1;
         WatchLines lines(g.h.pipeline);
         const std::int64_t start = test::OperationHarness::now().toMSecsSinceEpoch();
         WatchProber prober({entry}, WatchRules{}, g.h.network.api().openEchoSweep(), g.h.names, lines,
                            nullptr, start);
         for (std::int64_t second = 0; second <= 5; ++second)
             prober.step(start + second * 1000, std::chrono::milliseconds(0));
         g.h.pipeline.AppendRow(output::makeRow(output::ResultKind::Bold, output::res::kWatchEndLine, stamp));
     }},
    {"lookup_forward",
     [](GoldenRun& g) {
         g.h.names->addHost({"multi.lab",
                             {"www.multi.lab", "odd{}\\x.lab", "caf\u00e9.lab"},
                             {address("10.0.0.1"), address("10.0.0.2")}});
         g.h.names->addHost(
             {"three.lab", {}, {address("10.0.1.1"), address("10.0.1.2"), address("10.0.1.3")}});
         g.h.names->addHost({kOddHostName, {}, {address("10.0.2.1")}});
         g.lookup(QStringLiteral("multi.lab"));
         g.lookup(QStringLiteral("three.lab"));
         g.lookup(kOddHost);
     }},
    {"lookup_reverse_and_failures",
     [](GoldenRun& g) {
         g.h.names->addHost({"router.lab", {}, {address("10.0.0.9")}});
         g.lookup(QStringLiteral("10.0.0.9"));
         g.lookup(QStringLiteral("10.0.0.77"));
         g.lookup(QStringLiteral("nowhere.test"));
         g.ping(QStringLiteral("nowhere.test"));
         g.h.names->refuseRequests(net::WSAENOBUFS);
         g.lookup(QStringLiteral("refused.test"));
         g.lookup(QStringLiteral("10.0.0.9"));
         g.ping(QStringLiteral("refused.test"));
         g.h.names->refuseRequests(0);
         g.h.control->CancelLookup();
         g.h.names->hold();
         g.h.frontEnd.hostText = QStringLiteral("router.lab");
         g.h.control->OnLookup();
         g.h.control->OnLookup(); // the command again: cancel
         g.h.names->release();
         g.h.runUntilIdle();
         g.h.names->addNameError("local.box", net::WSATRY_AGAIN);
         const std::size_t shown = g.h.view.shown.size();
         g.h.control->StartLocalHostLookup(QStringLiteral("local.box"));
         test::runEventsUntil([&g, shown] { return g.h.view.shown.size() > shown; });
     }},
    {"contping",
     [](GoldenRun& g) {
         g.set({{OptionId::Packets, 2}, {OptionId::ContPing, 1}});
         ContinuousPing continuous{*g.h.control, g.h.frontEnd, g.h.pipeline, g.h.options};
         continuous.setSecondLength(std::chrono::hours(1));
         // Two cycles, cancelled during the countdown: the summary alone.
         g.h.network.reply(address("10.0.0.1"), 10);
         g.h.network.reply(address("10.0.0.1"), 12);
         g.h.network.fail(net::IP_REQ_TIMED_OUT);
         g.h.network.reply(address("10.0.0.1"), 30);
         g.h.frontEnd.hostText = QStringLiteral("10.0.0.1");
         g.h.control->OnPing();
         const auto countingDown = [&] {
             return !g.h.state().flags.m_bContPingThread &&
                    continuous.isTimerActive(TIMER_CONTPING_COUNTDOWN);
         };
         test::runEventsUntil(countingDown);
         continuous.OnTimer(TIMER_CONTPING_NEXT);
         test::runEventsUntil([&] { return g.h.network.sent().size() == 4 && countingDown(); });
         g.h.control->OnPing();
         g.h.runUntilIdle();
         // Cancelled during a cycle: the cancel line, then the summary.
         g.set({{OptionId::Packets, 3}});
         g.h.names->addHost({kOddHostName, {}, {address("10.0.0.7")}});
         g.h.network.setDefaultAnswer(FakeIcmpNetwork::echoReply(address("10.0.0.7"), 6));
         g.cancelAtRequest(2, [&g] { g.h.control->OnPing(); });
         g.ping(kOddHost);
     }},
    {"ispinger",
     [](GoldenRun& g) {
         ISPinger isp{
             {g.h.state().flags, g.h.options, g.h.network.api(), g.h.sockets, g.h.frontEnd, g.h.pipeline}};
         isp.setSecondLength(std::chrono::hours(1));
         isp.setRecordSink(g.keepWithoutTimes());
         const auto start = [&](const char* server) {
             g.h.options.setText(OptionId::ISPAddress, QString::fromUtf8(server));
             isp.OnISPinger();
             test::runEventsUntil([&] { return !isp.lookupPending() && !isp.requestRunning(); });
         };
         g.h.names->addHost({"isp{1}.example", {}, {address("10.0.0.9")}});
         g.h.network.reply(address("10.0.0.9"), 3);
         g.h.network.fail(net::IP_REQ_TIMED_OUT);
         start("isp{1}.example");
         isp.OnTimer(TIMER_ISPINGER_REQUEST);
         test::runEventsUntil([&] { return isp.sent() == 2 && !isp.requestRunning(); });
         isp.OnISPinger();
         g.h.network.refuseHandles(true);
         start("10.0.0.9");
         isp.OnISPinger();
         g.h.network.refuseHandles(false);
         g.h.names->hold();
         g.h.options.setText(OptionId::ISPAddress, QStringLiteral("isp.example"));
         isp.OnISPinger();
         isp.OnISPinger(); // stopped during the lookup
         g.h.names->release();
         g.h.names->addNameError("isp.example", net::WSAHOST_NOT_FOUND);
         start("isp.example");
         g.h.names->refuseRequests(net::WSAENOBUFS);
         start("isp.example");
         g.h.names->refuseRequests(0);
         g.h.network.reply(address("10.0.0.9"), 3);
         start("10.0.0.9");
         g.h.state().flags.beginShutdown();
         isp.OnISPinger();
     }},
    {"startup_banner_and_winsock",
     [](GoldenRun& g) {
         const auto append = [&g](const output::ResultRow& line) { g.h.pipeline.AppendRow(line); };
         append(output::makeRow(output::ResultKind::Plain, output::res::kBanner));
         const net::WSADATA data = test::winsockData(0x0202, QStringLiteral("odd {layer} \\ caf\u00e9"));
         append(winsockStartedLine(data));
         append(winsockStartupFailedLine(net::WSAVERNOTSUPPORTED));
         append(localHostNameFailedLine(net::WSAEINVAL));
         for (const output::ResultRow& line : additionalLocalAddressLines(
                  {"box", {}, {test::ipAddress("192.168.1.5"), test::ipAddress("10.0.0.2")}}))
             append(line);
         for (const output::ResultRow& line : aboutWinsockReport(data))
             append(line);
     }},
    {"precise_times",
     [](GoldenRun& g) {
         g.set({{OptionId::PreciseTimes, 1},
                {OptionId::Packets, 3},
                {OptionId::Verbose, 1},
                {OptionId::TraceDNS, 0},
                {OptionId::SeqScanPackets, 1},
                {OptionId::SeqDNS, 0},
                {OptionId::ListDNS, 0}});
         const net::IpAddress host = test::ipAddress("10.0.0.1");
         g.answerIn(host, 45);
         g.answerIn(host, 1250);
         g.answerIn(host, 80);
         g.ping(QStringLiteral("10.0.0.1"));
         const net::IpAddress far = test::ipAddress("10.201.9.2");
         g.answerIn(far, 700);                                                        // contact
         g.answerIn(test::ipAddress("10.201.1.1"), 234, net::IP_TTL_EXPIRED_TRANSIT); // hop 1
         g.answerIn(far, 3007);                                                       // hop 2
         g.trace(QStringLiteral("10.201.9.2"));
         g.answerIn(test::ipAddress("10.1.0.1"), 17);
         g.seqScan("10.1.0.1", "0.2");
         g.answerIn(host, 999);
         g.answerIn(test::ipAddress("fd42::5"), 12);
         g.listScan({"10.0.0.1", "fd42::5"});
         // A continuous ping's cycle, cancelled during the countdown: its statistics.
         g.set({{OptionId::Packets, 2}, {OptionId::ContPing, 1}});
         ContinuousPing continuous{*g.h.control, g.h.frontEnd, g.h.pipeline, g.h.options};
         continuous.setSecondLength(std::chrono::hours(1));
         g.answerIn(host, 310);
         g.answerIn(host, 2005);
         g.h.frontEnd.hostText = QStringLiteral("10.0.0.1");
         g.h.control->OnPing();
         test::runEventsUntil([&] {
             return !g.h.state().flags.m_bContPingThread &&
                    continuous.isTimerActive(TIMER_CONTPING_COUNTDOWN);
         });
         g.h.control->OnPing();
         g.h.runUntilIdle();
     }},
    {"log_news",
     [](GoldenRun& g) {
         g.logOptions.setNumber(OptionId::PurgeLog, 1);
         g.log.WriteLogFragment(QString(1'000'001, QLatin1Char('x'))); // straight to the file: past its limit
         g.log.refreshLogSizePane();
         const auto startLog = [&g](const QString& name) {
             settings::LiveOptions options;
             options.setText(OptionId::LogString, g.dir.filePath(name));
             options.setNumber(OptionId::LogCheck, 1);
             output::ResultLog(options, g.logFrontEnd, &test::OperationHarness::now).OpenLogAtStartup();
         };
         QFile notALog(g.dir.filePath(QStringLiteral("notes.rtf")));
         if (notALog.open(QIODevice::WriteOnly))
             notALog.write("plain notes\n");
         notALog.close();
         startLog(QStringLiteral("notes.rtf"));
         startLog(QStringLiteral("missing/log.rtf"));
     }},
};

QString goldenPath(const char* name) {
    return QStringLiteral(VANTREL_GOLDEN_DIR "/%1.txt").arg(QLatin1String(name));
}

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class GoldenTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(GoldenTest, OutputIsByteForByteAsRecorded) {
    const Scenario& scenario = GetParam();
    QString actual;
    {
        GoldenRun run;
        scenario.drive(run);
        // The temporary folder's name changes from run to run.
        actual = test::goldenCapture(run.h.view, run.logPath(), run.records)
                     .replace(run.dir.path(), QStringLiteral("<dir>"));
    }
    const QString path = goldenPath(scenario.name);
    if (qEnvironmentVariable("VANTREL_UPDATE_GOLDEN") == QLatin1String("1")) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(actual.toUtf8());
        return;
    }
    EXPECT_EQ(actual.toStdString(), readText(path).toStdString()) << "golden file " << path.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Scenarios, GoldenTest, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& scenario) {
                             return std::string(scenario.param.name);
                         });

// The RTF the golden files hold: each fragment on a line, and the log of each file on one line.
QString recordedRtf() {
    QString all;
    for (const QFileInfo& file :
         QDir(QStringLiteral(VANTREL_GOLDEN_DIR)).entryInfoList({QStringLiteral("*.txt")})) {
        bool inLog = false;
        for (const QString& line : readText(file.filePath()).split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("=== ")))
                inLog = line == QLatin1String("=== log");
            if (inLog)
                all += line;
            else if (line.startsWith(QLatin1String("rtf: ")))
                all += line + QLatin1Char('\n');
        }
        all += QLatin1Char('\n');
    }
    return all;
}

// Every RTF text of the catalogue is in some golden file, but those no run can reach.
TEST(GoldenCoverage, EveryResultTextIsRecordedButTheUnreachableOnes) {
    const QString recorded = recordedRtf();
    QStringList missing;
    for (const output::StringResourceInfo& info : output::allStringResources()) {
        if (!info.isRtf)
            continue;
        QString text = QString::fromUtf8(info.text.data(), qsizetype(info.text.size()));
        if (text.endsWith(QLatin1Char('}'))) // in the log the next piece replaces the closing brace
            text.chop(1);
        QStringList pieces = text.split(QRegularExpression(QStringLiteral("%(\\.1)?[sudf]")));
        for (QString& piece : pieces)
            piece = QRegularExpression::escape(piece);
        const QString pattern = pieces.join(QStringLiteral("[^\\n]*?"));
        if (!recorded.contains(QRegularExpression(pattern)))
            missing.append(QString::fromUtf8(info.name.data(), qsizetype(info.name.size())));
    }
    // A lookup's handle is forgotten when its answer is delivered, so cancelling one never fails.
    EXPECT_EQ(missing, QStringList{QStringLiteral("CancelLookupFailedLine")});
}

} // namespace
} // namespace vantrel::ops
