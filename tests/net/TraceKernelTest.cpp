// Route traces, lookups and list scans on the real kernel: vantrel-cli run inside the host namespace of
// the chain that topology.sh builds (four routers between the host and the target, names in the
// namespace's own hosts file). Needs root (namespaces); skipped with a reason otherwise.

#include "support/TopologyScript.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vantrel {
namespace {

struct CliRun {
    int exitCode = -1;
    std::vector<std::string> lines; // without the empty lines
};

// The rows of a trace table, one cell per word.
std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> all;
    for (std::string word; in >> word;)
        all.push_back(word);
    return all;
}

class TraceKernelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (::geteuid() != 0)
            return;
        test::removeTopologyLeftovers("vtt", "thost", "trace-down");
        test::removeTopologyLeftovers("vtt", "lhost", "lan-down");
        s_prefix = test::topologyPrefix("vtt");
        s_up = test::runTopology("trace-up", s_prefix) && test::runTopology("lan-up", s_prefix);
        s_configDir = std::filesystem::temp_directory_path() / (s_prefix + "-config");
        std::filesystem::create_directories(s_configDir);
    }

    static void TearDownTestSuite() {
        if (s_prefix.empty())
            return;
        test::runTopology("trace-down", s_prefix);
        test::runTopology("lan-down", s_prefix);
        std::error_code error;
        std::filesystem::remove_all(s_configDir, error);
    }

    void SetUp() override {
        if (::geteuid() != 0) {
            if (test::rootTestsRequired())
                FAIL()
                    << "needs root (network namespaces, private hosts files); VANTREL_REQUIRE_ROOT_TESTS=1";
            GTEST_SKIP() << "needs root: network namespaces and a private hosts file per namespace";
        }
        ASSERT_TRUE(s_up) << "topology.sh trace-up or lan-up " << s_prefix << " failed";
    }

    // vantrel-cli with these arguments in the chain's host namespace (or another role's), with a settings
    // store of its own; `runAs` goes before the program (to drop privileges).
    static CliRun cli(const std::string& arguments, const std::string& role = "thost",
                      const std::string& runAs = {}) {
        const std::string command = "ip netns exec " + s_prefix + "-" + role + " " + runAs + " " +
                                    VANTREL_CLI + " --config-dir '" + s_configDir.string() + "' " +
                                    arguments + " 2>&1";
        CliRun run;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe)
            return run;
        std::string line;
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe)) {
            line += buffer;
            if (line.back() != '\n')
                continue;
            line.pop_back();
            if (!words(line).empty())
                run.lines.push_back(line);
            line.clear();
        }
        const int status = ::pclose(pipe);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }

    static std::string dump(const CliRun& run) {
        std::string all;
        for (const std::string& line : run.lines)
            all += line + "\n";
        return all;
    }

    static inline std::string s_prefix;
    static inline bool s_up = false;
    static inline std::filesystem::path s_configDir;
};

// Switches a change of the chain on (topology.sh's trace-mute or trace-drop) while the test runs.
class ChainSwitch {
public:
    explicit ChainSwitch(const std::string& script)
        : m_script(script) {
        m_on = std::system((m_script + " on").c_str()) == 0;
    }
    ~ChainSwitch() { [[maybe_unused]] const int ignored = std::system((m_script + " off").c_str()); }
    bool on() const { return m_on; }

private:
    std::string m_script;
    bool m_on = false;
};

using Words = std::vector<std::string>;

TEST_F(TraceKernelTest, TheTraceShowsEveryRouterInOrderAndReachesTheTarget) {
    const CliRun run = cli("--set TraceDNS=0 --set Verbose=1 trace 10.201.15.2");
    ASSERT_EQ(run.exitCode, 0) << dump(run);
    ASSERT_EQ(run.lines.size(), 8u) << dump(run);
    EXPECT_EQ(run.lines[0].rfind("Starting trace to 10.201.15.2 - ", 0), 0u) << dump(run);
    EXPECT_EQ(words(run.lines[1]), (Words{"Hops", "IP", "Address", "RTT(ms)"}));
    const char* const hops[] = {"10.201.11.2", "10.201.12.2", "10.201.13.2", "10.201.14.2", "10.201.15.2"};
    for (int hop = 1; hop <= 5; ++hop) {
        const Words row = words(run.lines[std::size_t(hop) + 1]);
        ASSERT_EQ(row.size(), 3u) << dump(run);
        EXPECT_EQ(row[0], std::to_string(hop));
        EXPECT_EQ(row[1], hops[hop - 1]);
    }
    EXPECT_EQ(run.lines.back(), "Host reached");
}

TEST_F(TraceKernelTest, RoutersNamedInTheHostsFileShowTheirNames) {
    const CliRun run = cli("--set TraceDNS=1 trace chain-target.vantrel.test");
    ASSERT_EQ(run.exitCode, 0) << dump(run);
    ASSERT_GE(run.lines.size(), 7u) << dump(run);
    const std::size_t first = run.lines.size() - 6; // after the lookup and start lines and the header
    EXPECT_EQ(words(run.lines[first - 1]), (Words{"Hops", "IP", "Address", "RTT(ms)", "DNS", "Name"}));
    const Words names[] = {{"chain-r1.vantrel.test"},
                           {"chain-r2.vantrel.test"},
                           {"No", "DNS", "Name", "Found"},
                           {"chain-r4.vantrel.test"},
                           {"chain-target.vantrel.test"}};
    for (std::size_t hop = 0; hop < 5; ++hop) {
        const Words row = words(run.lines[first + hop]);
        ASSERT_GE(row.size(), 4u) << dump(run);
        EXPECT_EQ(Words(row.begin() + 3, row.end()), names[hop]) << dump(run);
    }
    EXPECT_EQ(run.lines.back(), "Host reached");
}

TEST_F(TraceKernelTest, ARouterThatSendsNoTimeExceededGivesATimedOutHop) {
    const ChainSwitch muted(test::topologyCommand("trace-mute", s_prefix));
    ASSERT_TRUE(muted.on());

    CliRun run = cli("--set TraceDNS=0 --set Verbose=1 --set Timeout=1 trace 10.201.15.2");
    ASSERT_EQ(run.exitCode, 0) << dump(run);
    ASSERT_EQ(run.lines.size(), 8u) << dump(run);
    EXPECT_EQ(words(run.lines[4]), (Words{"3", "TIMED", "OUT"})) << dump(run);
    EXPECT_EQ(words(run.lines[5])[1], "10.201.14.2");
    EXPECT_EQ(run.lines.back(), "Host reached");

    run = cli("--set TraceDNS=0 --set Verbose=0 --set Timeout=1 trace 10.201.15.2");
    ASSERT_EQ(run.lines.size(), 7u) << dump(run);
    EXPECT_EQ(words(run.lines[3])[0], "2");
    EXPECT_EQ(words(run.lines[4])[0], "4") << "the silent hop leaves a gap";
}

TEST_F(TraceKernelTest, CtrlCAndSigtermEndTheRequestInFlightAtOnce) {
    // The muted router answers no echo request: each one would wait its whole minute.
    const ChainSwitch muted(test::topologyCommand("trace-mute", s_prefix));
    ASSERT_TRUE(muted.on());
    for (const std::string signal : {"INT", "TERM"}) {
        SCOPED_TRACE(signal);
        // A program still waiting 20 s after the signal is killed, and its status shows it.
        const CliRun run = cli("--set Packets=3 --set Timeout=60 ping 10.201.13.2", "thost",
                               "timeout --foreground --preserve-status -k 20 -s " + signal + " 1");
        EXPECT_EQ(run.exitCode, 1) << dump(run);
        ASSERT_EQ(run.lines.size(), 6u) << dump(run);
        EXPECT_EQ(run.lines[2], "Canceling ping...");
        EXPECT_EQ(run.lines[3], "Ping canceled");
        EXPECT_EQ(run.lines[4], "Ping Unsuccessful");
        EXPECT_EQ(run.lines[5], "0 of 1 packets returned successfully : 100.0% PACKET LOSS");
    }
}

TEST_F(TraceKernelTest, ListScanPingsTheStoredListInItsOrder) {
    // The muted router answers no echo request of its own: 10.201.13.2 is silent.
    const ChainSwitch muted(test::topologyCommand("trace-mute", s_prefix));
    ASSERT_TRUE(muted.on());
    const std::string hosts[] = {"10.201.15.2", "chain-r4.vantrel.test", "10.201.13.2",
                                 "nowhere.vantrel.test"};
    for (const std::string& host : hosts)
        ASSERT_EQ(cli("list add " + host).exitCode, 0) << host;
    CliRun run = cli("list");
    EXPECT_EQ(run.lines, std::vector<std::string>(std::begin(hosts), std::end(hosts)));

    run = cli("--set ListDNS=1 --set ListScanTimeout20=1 listscan");
    EXPECT_EQ(run.exitCode, 0) << dump(run);
    ASSERT_EQ(run.lines.size(), 7u) << dump(run);
    EXPECT_EQ(run.lines[0].rfind("Starting List Scan - ", 0), 0u) << dump(run);
    EXPECT_EQ(words(run.lines[1]), (Words{"IP", "Address", "RTT(ms)", "DNS", "Name"}));
    Words row = words(run.lines[2]);
    ASSERT_EQ(row.size(), 3u) << dump(run);
    EXPECT_EQ(row[0], "10.201.15.2");
    EXPECT_EQ(row[2], "chain-target.vantrel.test") << "the name the hosts file gives the address";
    row = words(run.lines[3]);
    ASSERT_EQ(row.size(), 3u) << dump(run);
    EXPECT_EQ(row[0], "10.201.14.2");
    EXPECT_EQ(row[2], "chain-r4.vantrel.test");
    EXPECT_EQ(words(run.lines[4]), (Words{"10.201.13.2", "Timeout", "No", "DNS", "Name", "Found"}));
    EXPECT_EQ(words(run.lines[5]), (Words{"No", "IP", "Address", "Found", "nowhere.vantrel.test"}));
    EXPECT_EQ(run.lines[6].rfind("ListScan ended - ", 0), 0u) << dump(run);

    for (const std::string& host : hosts)
        EXPECT_EQ(cli("list del " + host).exitCode, 0) << host;
    run = cli("--set ListScanTimeout20=1 listscan 10.201.13.2 nowhere.vantrel.test");
    EXPECT_EQ(run.exitCode, 1) << "no host answered: " << dump(run);
    EXPECT_EQ(run.lines.size(), 5u) << dump(run);
    EXPECT_TRUE(cli("list").lines.empty()) << "hosts given to listscan are not stored";
}

// IPv6 along the same chain: a ping of a name with only an IPv6 address, a trace through every router, a
// lookup of a name with both families, and one ListScan of both.
TEST_F(TraceKernelTest, Ipv6HostsArePingedTracedLookedUpAndScanned) {
    // The first IPv6 packets through fresh links may wait about a second: one echo with time to spare.
    cli("--set Packets=1 --set Timeout=5 ping fd42:211:15::2");

    const CliRun ping = cli("-6 --set Packets=2 ping chain6-target.vantrel.test");
    ASSERT_EQ(ping.exitCode, 0) << dump(ping);
    EXPECT_EQ(words(ping.lines[3]).at(1), "fd42:211:15::2") << dump(ping);
    EXPECT_EQ(words(ping.lines[3]).at(3), "60") << "the hop limit after four routers: " << dump(ping);

    const CliRun trace = cli("--set TraceDNS=0 --set Verbose=1 trace fd42:211:15::2");
    ASSERT_EQ(trace.exitCode, 0) << dump(trace);
    ASSERT_EQ(trace.lines.size(), 8u) << dump(trace);
    const char* const hops[] = {"fd42:211:11::2", "fd42:211:12::2", "fd42:211:13::2", "fd42:211:14::2",
                                "fd42:211:15::2"};
    for (int hop = 1; hop <= 5; ++hop)
        EXPECT_EQ(words(trace.lines[std::size_t(hop) + 1]).at(1), hops[hop - 1]) << dump(trace);
    EXPECT_EQ(trace.lines.back(), "Host reached");

    const CliRun lookup = cli("--set AddressFamily=1 lookup chain-dual.vantrel.test");
    ASSERT_EQ(lookup.exitCode, 0) << dump(lookup);
    EXPECT_EQ(words(lookup.lines.at(2)), (Words{"IP", "addresses:", "10.201.15.2"})) << dump(lookup);
    EXPECT_EQ(words(lookup.lines.at(3)), (Words{"fd42:211:15::2"})) << dump(lookup);

    for (const char* parallel : {"1", "4"}) {
        const CliRun scan =
            cli(std::string("--set ListScanPackets=1 --set ParallelProbes=") + parallel +
                " listscan 10.201.15.2 fd42:211:15::2 chain6-target.vantrel.test fd42:211:15::77");
        ASSERT_EQ(scan.exitCode, 0) << dump(scan);
        ASSERT_EQ(scan.lines.size(), 7u) << dump(scan);
        EXPECT_EQ(words(scan.lines[2]).at(0), "10.201.15.2") << dump(scan);
        EXPECT_EQ(words(scan.lines[3]).at(0), "fd42:211:15::2") << dump(scan);
        EXPECT_EQ(words(scan.lines[4]),
                  (Words{"fd42:211:15::2", words(scan.lines[4]).at(1), "chain6-target.vantrel.test"}))
            << dump(scan);
        EXPECT_EQ(words(scan.lines[5]), (Words{"fd42:211:15::77", "Timeout"})) << dump(scan);
    }
}

// A router that drops about half of the probes whose time runs out at it: the path monitor reports that
// loss at its hop only, and the target reached.
TEST_F(TraceKernelTest, ThePathMonitorShowsTheLossOfARouterThatDropsProbes) {
    const ChainSwitch drop(test::topologyCommand("trace-drop", s_prefix));
    ASSERT_TRUE(drop.on());
    const CliRun run =
        cli("--set PathMonitorInterval=1 --set Timeout=1 monitor 10.201.15.2 --cycles 20 --report");
    ASSERT_EQ(run.exitCode, 0) << dump(run);
    ASSERT_EQ(run.lines.size(), 9u) << dump(run);
    EXPECT_EQ(words(run.lines[1])[0], "Hop");
    const char* const hops[] = {"10.201.11.2", "10.201.12.2", "10.201.13.2", "10.201.14.2", "10.201.15.2"};
    for (std::size_t hop = 1; hop <= 5; ++hop) {
        const Words row = words(run.lines[hop + 1]);
        ASSERT_GE(row.size(), 10u) << dump(run);
        EXPECT_EQ(row[0], std::to_string(hop));
        EXPECT_EQ(row[1], hops[hop - 1]);
        EXPECT_EQ(row[3], "20") << "sent";
        const double loss = std::stod(row[2]);
        if (hop == 2)
            EXPECT_TRUE(loss > 0 && loss < 100) << dump(run);
        else
            EXPECT_EQ(row[2], "0.0%") << dump(run);
    }
    EXPECT_EQ(run.lines[7], "Host reached");
    EXPECT_EQ(run.lines[8].rfind("Path monitor stopped after 20 rounds - ", 0), 0u) << dump(run);
}

TEST_F(TraceKernelTest, TooFewHopsEndWithHostNotReached) {
    const CliRun run = cli("--set TraceDNS=0 --set Hops=3 trace 10.201.15.2");
    EXPECT_EQ(run.exitCode, 1) << "the trace ran, but did not reach the host";
    ASSERT_EQ(run.lines.size(), 6u) << dump(run);
    EXPECT_EQ(words(run.lines[4])[1], "10.201.13.2");
    EXPECT_EQ(run.lines.back(), "Host not reached.");
}

TEST_F(TraceKernelTest, AHostThatRefusesEchoIsNotAnAnswer) {
    // 10.201.15.3 answers every echo request with "administratively prohibited", from its own address.
    CliRun run = cli("--set Packets=2 ping 10.201.15.3");
    EXPECT_EQ(run.exitCode, 1) << dump(run);
    ASSERT_EQ(run.lines.size(), 6u) << dump(run);
    EXPECT_EQ(words(run.lines[2]), (Words{"1", "ERROR", "-", "IP", "DESTINATION", "HOST", "UNREACHABLE"}));
    EXPECT_EQ(words(run.lines[3])[0], "2");
    EXPECT_EQ(run.lines[4], "Ping Unsuccessful");
    EXPECT_EQ(run.lines[5], "0 of 2 packets returned successfully : 100.0% PACKET LOSS");

    run = cli("--set TraceDNS=0 trace 10.201.15.3");
    EXPECT_EQ(run.exitCode, 1) << dump(run);
    ASSERT_GE(run.lines.size(), 3u) << dump(run);
    EXPECT_EQ(words(run.lines[run.lines.size() - 2])[1], "10.201.15.3") << dump(run);
    EXPECT_EQ(run.lines.back(), "Host not reached.");
}

TEST_F(TraceKernelTest, WithoutIcmpPermissionNothingRunsAndTheExitStatusSaysSo) {
    // A router's namespace admits no group to ICMP datagram sockets, and nobody may open raw ones.
    const CliRun run =
        cli("ping 127.0.0.1", "tr1", "setpriv --reuid=65534 --regid=65534 --clear-groups --inh-caps=-all");
    EXPECT_EQ(run.exitCode, 2) << dump(run);
    // The start line is followed by the failure; the guidance is given once and names the real file
    // that a capability would go to.
    const std::string failure =
        "Ping - IcmpCreateFile() couldn't create handle m_hICMPHandle for IcmpSendEcho()";
    EXPECT_NE(std::find(run.lines.begin(), run.lines.end(), failure), run.lines.end()) << dump(run);
    const std::string all = dump(run);
    const std::string sysctl = "sudo sysctl -w net.ipv4.ping_group_range=\"0 2147483647\"";
    EXPECT_NE(all.find(sysctl), std::string::npos) << all;
    EXPECT_EQ(all.find(sysctl), all.rfind(sysctl)) << "once: " << all;
    EXPECT_NE(all.find("/etc/sysctl.d/"), std::string::npos) << all;
    const std::string program = std::filesystem::canonical(VANTREL_CLI).string();
    EXPECT_NE(all.find("sudo setcap cap_net_raw+ep " + program), std::string::npos) << all;
}

TEST_F(TraceKernelTest, LookupReportsWhatTheNamespacesHostsFileSays) {
    CliRun run = cli("lookup chain-r4.vantrel.test");
    ASSERT_EQ(run.exitCode, 0) << dump(run);
    ASSERT_EQ(run.lines.size(), 3u) << dump(run);
    EXPECT_EQ(words(run.lines[1]), (Words{"Official", "Name:", "chain-r4.vantrel.test"}));
    EXPECT_EQ(words(run.lines[2]), (Words{"IP", "address:", "10.201.14.2"}));

    run = cli("lookup 10.201.12.2");
    ASSERT_EQ(run.exitCode, 0) << dump(run);
    ASSERT_EQ(run.lines.size(), 3u) << dump(run);
    EXPECT_EQ(words(run.lines[1]), (Words{"Official", "Name:", "chain-r2.vantrel.test"}));

    run = cli("lookup nowhere.vantrel.test");
    EXPECT_EQ(run.exitCode, 2) << "a name that does not resolve: " << dump(run);
    ASSERT_FALSE(run.lines.empty());
    EXPECT_NE(run.lines.back().find("Host lookup failed"), std::string::npos) << dump(run);
}

TEST_F(TraceKernelTest, ASeqScanOfTheLanShowsEveryAddressInOrderWithTheAnsweringOnesAndTheirNames) {
    const CliRun run = cli("--set SeqScanTimeout20=1 --set SeqScanPackets=1 --set SeqDNS=1 "
                           "seqscan 10.202.3.9 10.202.3.13",
                           "lhost");
    ASSERT_EQ(run.exitCode, 0) << dump(run);
    ASSERT_EQ(run.lines.size(), 8u) << dump(run);
    EXPECT_EQ(run.lines[0].rfind("Starting Sequence Scan - ", 0), 0u) << dump(run);
    EXPECT_EQ(words(run.lines[1]), (Words{"IP", "Address", "RTT(ms)", "DNS", "Name"}));
    const Words noName{"No", "DNS", "Name", "Found"};
    const auto row = [&](std::size_t i) { return words(run.lines[i]); };
    EXPECT_EQ(row(2), (Words{"10.202.3.9", "----", "No", "DNS", "Name", "Found"}));
    ASSERT_EQ(row(3).size(), 3u) << dump(run);
    EXPECT_EQ(row(3)[0], "10.202.3.10");
    EXPECT_NE(row(3)[1], "----");
    EXPECT_EQ(row(3)[2], "lan-a.vantrel.test");
    EXPECT_EQ(row(4), (Words{"10.202.3.11", "----", "lan-quiet.vantrel.test"}));
    ASSERT_EQ(row(5).size(), 6u) << dump(run);
    EXPECT_EQ(row(5)[0], "10.202.3.12");
    EXPECT_NE(row(5)[1], "----");
    EXPECT_EQ(row(6), (Words{"10.202.3.13", "----", "No", "DNS", "Name", "Found"}));
    EXPECT_EQ(run.lines[7].rfind("Sequence Scan ended - ", 0), 0u) << dump(run);

    // With many addresses in flight the rows are the same, in order, and every answering address is found.
    const CliRun parallel = cli("--set SeqScanTimeout20=1 --set SeqScanPackets=2 --set ParallelProbes=64 "
                                "seqscan 10.202.3.1 10.202.3.40",
                                "lhost");
    ASSERT_EQ(parallel.exitCode, 0) << dump(parallel);
    ASSERT_EQ(parallel.lines.size(), 43u) << dump(parallel);
    for (int last = 1; last <= 40; ++last) {
        const Words cells = words(parallel.lines[std::size_t(last) + 1]);
        ASSERT_EQ(cells.size(), 2u) << dump(parallel);
        EXPECT_EQ(cells[0], "10.202.3." + std::to_string(last));
        const bool answers = last == 10 || last == 12 || last == 15 || last == 17;
        EXPECT_EQ(cells[1] != "----", answers) << cells[0];
    }

    // Nothing answering is a scan without success; a reversed range does not run.
    EXPECT_EQ(cli("--set SeqScanTimeout20=1 seqscan 10.202.3.20 10.202.3.20", "lhost").exitCode, 1);
    const CliRun reversed = cli("seqscan 10.202.3.20 10.202.3.19", "lhost");
    EXPECT_EQ(reversed.exitCode, 2);
    EXPECT_EQ(dump(reversed),
              "vantrel-cli: IP Address Error: Ending IP address octet 4 must be greater than or "
              "equal to Starting IP address octet 4.\n");
}

} // namespace
} // namespace vantrel
