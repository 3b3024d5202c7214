// Name lookups by every resolution policy: through the C library's resolver against a hosts file of the
// test's own, in a mount and network namespace the test makes (so no name server is ever asked), and
// through the scripted resolver the operations' tests use. The real resolver needs root (namespaces);
// skipped with a reason otherwise.

#include "net/SystemHostDatabase.h"
#include "net/WinsockErrors.h"
#include "support/FakeHostDatabase.h"
#include "support/TopologyScript.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vantrel::net {
namespace {

using test::ipAddress;

constexpr char kHosts[] = "127.0.0.1 localhost\n"
                          "10.9.9.1 a-only.vantrel.test\n"
                          "fd09:2::2 aaaa-only.vantrel.test six.vantrel.test\n"
                          "10.9.9.9 dual.vantrel.test four.vantrel.test\n"
                          "fd09:2::9 dual.vantrel.test dual-six.vantrel.test\n";

// The same hosts for the scripted resolver, in the order the system prefers them: glibc's built-in
// precedence puts an IPv6 address (but a few special ones) before any IPv4 address.
const std::vector<test::FakeHost> kScripted{
    {"a-only.vantrel.test", {}, {ipAddress("10.9.9.1")}},
    {"aaaa-only.vantrel.test", {"six.vantrel.test"}, {ipAddress("fd09:2::2")}},
    {"dual.vantrel.test",
     {"four.vantrel.test", "dual-six.vantrel.test"},
     {ipAddress("fd09:2::9"), ipAddress("10.9.9.9")}},
};

struct PolicyCase {
    const char* name;
    ResolvePolicy policy;
    std::vector<const char*> addresses; // none for a failure
    // The failure's code from the hosts file ("try again": what it cannot answer goes on to the name
    // server, which refuses), and from the scripted resolver ("no data" for no address of the family).
    int hostsFileError = 0;
    int scriptedError = 0;
};

constexpr auto V4Then6 = ResolvePolicy::Ipv4ThenIpv6;
constexpr auto Both = ResolvePolicy::Both;
constexpr auto System = ResolvePolicy::SystemOrder;
constexpr auto V4 = ResolvePolicy::Ipv4Only;
constexpr auto V6 = ResolvePolicy::Ipv6Only;

const std::vector<PolicyCase> kPolicyCases{
    {"a-only.vantrel.test", V4Then6, {"10.9.9.1"}},
    {"a-only.vantrel.test", Both, {"10.9.9.1"}},
    {"a-only.vantrel.test", System, {"10.9.9.1"}},
    {"a-only.vantrel.test", V4, {"10.9.9.1"}},
    {"a-only.vantrel.test", V6, {}, WSATRY_AGAIN, WSANO_DATA},
    {"aaaa-only.vantrel.test", V4Then6, {"fd09:2::2"}},
    {"aaaa-only.vantrel.test", Both, {"fd09:2::2"}},
    {"aaaa-only.vantrel.test", System, {"fd09:2::2"}},
    {"aaaa-only.vantrel.test", V4, {}, WSATRY_AGAIN, WSANO_DATA},
    {"aaaa-only.vantrel.test", V6, {"fd09:2::2"}},
    {"six.vantrel.test", V4Then6, {"fd09:2::2"}},
    {"dual.vantrel.test", V4Then6, {"10.9.9.9"}},
    {"dual.vantrel.test", Both, {"10.9.9.9", "fd09:2::9"}},
    {"dual.vantrel.test", System, {"fd09:2::9", "10.9.9.9"}},
    {"dual.vantrel.test", V4, {"10.9.9.9"}},
    {"dual.vantrel.test", V6, {"fd09:2::9"}},
    {"unknown.vantrel.test", V4Then6, {}, WSATRY_AGAIN, WSAHOST_NOT_FOUND},
    {"unknown.vantrel.test", Both, {}, WSATRY_AGAIN, WSAHOST_NOT_FOUND},
    {"unknown.vantrel.test", System, {}, WSATRY_AGAIN, WSAHOST_NOT_FOUND},
    {"unknown.vantrel.test", V4, {}, WSATRY_AGAIN, WSAHOST_NOT_FOUND},
    {"unknown.vantrel.test", V6, {}, WSATRY_AGAIN, WSAHOST_NOT_FOUND},
};

std::string describe(const PolicyCase& c) {
    return std::string(c.name) + " by policy " + std::to_string(int(c.policy));
}

void expectCase(const PolicyCase& c, const HostLookupResult& found, int error) {
    std::vector<IpAddress> expected;
    for (const char* address : c.addresses)
        expected.push_back(ipAddress(address));
    EXPECT_EQ(found.error, expected.empty() ? error : 0) << describe(c);
    EXPECT_EQ(found.entry.h_addr_list, expected) << describe(c);
}

// Runs `body` on a thread with a mount and a network namespace of its own, where /etc/hosts holds
// `hosts`, the name server is on the namespace's loopback (nothing listens: it refuses at once) and
// getaddrinfo orders addresses by its built-in table (an empty gai.conf). An empty answer, or why not.
std::string withPrivateNames(const std::string& hosts, const std::function<void()>& body) {
    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / ("vantrel-names-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    const auto write = [&directory](const char* name, const std::string& text) {
        std::ofstream(directory / name) << text;
        return (directory / name).string();
    };
    const std::vector<std::pair<std::string, std::string>> mounts{
        {write("hosts", hosts), "/etc/hosts"},
        {write("resolv.conf", "nameserver 127.0.0.1\noptions timeout:1 attempts:1\n"), "/etc/resolv.conf"},
        {write("gai.conf", ""), "/etc/gai.conf"},
    };
    std::string failure;
    std::thread worker([&] {
        // The namespaces are this thread's alone; private mounts never reach the rest of the system.
        if (::unshare(CLONE_NEWNS | CLONE_NEWNET) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            failure = "cannot make a mount and a network namespace";
            return;
        }
        for (const auto& [file, over] : mounts)
            if (std::filesystem::exists(over) &&
                ::mount(file.c_str(), over.c_str(), nullptr, MS_BIND, nullptr))
                failure = "cannot mount a private " + over;
        // The child of this thread starts in its namespaces.
        if (failure.empty() && std::system("ip link set lo up") != 0)
            failure = "cannot bring the namespace's loopback up";
        if (failure.empty())
            body();
    });
    worker.join();
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
    return failure;
}

class HostLookupKernelTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) {
            if (test::rootTestsRequired())
                FAIL() << "needs root (mount and network namespaces); VANTREL_REQUIRE_ROOT_TESTS=1";
            GTEST_SKIP() << "needs root: a mount and a network namespace with a hosts file of its own";
        }
    }
};

TEST_F(HostLookupKernelTest, EveryPolicyOnEveryKindOfNameThroughTheSystemResolver) {
    std::vector<HostLookupResult> found;
    const std::string failure = withPrivateNames(kHosts, [&] {
        SystemHostDatabase system;
        for (const PolicyCase& c : kPolicyCases)
            found.push_back(system.hostByName(c.name, c.policy));
    });
    ASSERT_EQ(failure, "");
    ASSERT_EQ(found.size(), kPolicyCases.size());
    for (std::size_t i = 0; i < found.size(); ++i)
        expectCase(kPolicyCases[i], found[i], kPolicyCases[i].hostsFileError);
}

TEST(HostLookupScriptedTest, EveryPolicyOnEveryKindOfNameThroughTheScriptedResolver) {
    test::FakeHostDatabase scripted;
    for (const test::FakeHost& host : kScripted)
        scripted.addHost(host);
    for (const PolicyCase& c : kPolicyCases)
        expectCase(c, scripted.hostByName(c.name, c.policy), c.scriptedError);
    // A reverse lookup gives the host with the addresses of the family asked, as the hosts file does.
    const HostLookupResult back = scripted.hostByAddress(ipAddress("fd09:2::9"));
    EXPECT_EQ(back.entry.h_name, "dual.vantrel.test");
    EXPECT_EQ(back.entry.h_addr_list, std::vector{ipAddress("fd09:2::9")});
}

TEST_F(HostLookupKernelTest, BothFamiliesKeepEveryNameAndIpv6AddressesResolveBack) {
    HostLookupResult dual;
    HostLookupResult six;
    HostLookupResult four;
    HostLookupResult dualBack;
    const std::string failure = withPrivateNames(kHosts, [&] {
        SystemHostDatabase system;
        dual = system.hostByName("dual.vantrel.test", ResolvePolicy::Both);
        six = system.hostByAddress(ipAddress("fd09:2::2"));
        four = system.hostByAddress(ipAddress("10.9.9.1"));
        dualBack = system.hostByAddress(ipAddress("fd09:2::9"));
    });
    ASSERT_EQ(failure, "");
    EXPECT_EQ(dual.entry.h_name, "dual.vantrel.test");
    EXPECT_EQ(dual.entry.h_aliases, (std::vector<std::string>{"four.vantrel.test", "dual-six.vantrel.test"}));
    EXPECT_EQ(six.entry.h_name, "aaaa-only.vantrel.test");
    EXPECT_EQ(six.entry.h_aliases, std::vector<std::string>{"six.vantrel.test"});
    EXPECT_EQ(six.entry.h_addr_list, std::vector{ipAddress("fd09:2::2")});
    EXPECT_EQ(six.entry.h_addrtype(), IpFamily::V6);
    EXPECT_EQ(four.entry.h_name, "a-only.vantrel.test");
    EXPECT_EQ(dualBack.entry.h_name, "dual.vantrel.test");
    EXPECT_EQ(dualBack.entry.h_addr_list, std::vector{ipAddress("fd09:2::9")});
}

TEST(ResolvePolicyTest, ALiteralOfTheOtherFamilyIsRefusedOnlyUnderASingleFamily) {
    const IpAddress v4 = ipAddress("10.9.9.1");
    const IpAddress v6 = ipAddress("fd09:2::2");
    for (const ResolvePolicy policy : {V4Then6, Both, System}) {
        EXPECT_EQ(literalRefusal(v4, policy), 0);
        EXPECT_EQ(literalRefusal(v6, policy), 0);
    }
    EXPECT_EQ(literalRefusal(v4, V4), 0);
    EXPECT_EQ(literalRefusal(v6, V4), WSANO_DATA);
    EXPECT_EQ(literalRefusal(v4, V6), WSANO_DATA);
    EXPECT_EQ(literalRefusal(v6, V6), 0);
}

} // namespace
} // namespace vantrel::net
