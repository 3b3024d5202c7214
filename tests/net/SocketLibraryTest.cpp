#include "net/SocketLibrary.h"

#include "net/SystemHostDatabase.h"
#include "net/WinsockErrors.h"
#include "support/FakeHostDatabase.h"
#include "support/FakeIcmpNetwork.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>
#include <thread>

namespace vantrel::net {
namespace {

using test::address;
using test::FakeHost;
using test::FakeHostDatabase;
using test::ipAddress;

// One completion as the GUI thread saw it.
struct Completion {
    AsyncLookupHandle request = 0;
    int error = 0;
    HostEntry entry;
    bool onMainThread = false;
};

class SocketLibraryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "net_tests";
            static char* argv[] = {name, nullptr};
            static QCoreApplication application(argc, argv);
        }
    }

    LookupCompletion recorder() {
        return [this](AsyncLookupHandle request, int error, const HostEntry& entry) {
            completions.push_back(
                {request, error, entry, QThread::currentThread() == QCoreApplication::instance()->thread()});
        };
    }

    // Runs the event loop until `count` completions have come and the library has nothing pending, then
    // a little longer, so that a second completion of any request would have arrived too.
    void deliverAll() {
        while (library.pendingLookups() != 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }

    std::shared_ptr<FakeHostDatabase> names = std::make_shared<FakeHostDatabase>();
    SocketLibrary library{names};
    std::vector<Completion> completions;
};

const FakeHost kExample{
    "example.org", {"www.example.org", "web.example.org"}, {address("10.0.0.1"), address("10.0.0.2")}};

TEST_F(SocketLibraryTest, EveryRequestCompletesExactlyOnceOnTheMainThread) {
    names->addHost(kExample);
    names->addNameError("flaky.test", WSATRY_AGAIN);
    const AsyncLookupHandle first = library.WSAAsyncGetHostByName("www.example.org", recorder());
    const AsyncLookupHandle second = library.WSAAsyncGetHostByName("nowhere.test", recorder());
    const AsyncLookupHandle third = library.WSAAsyncGetHostByName("flaky.test", recorder());
    const AsyncLookupHandle fourth = library.WSAAsyncGetHostByAddr(ipAddress("10.0.0.2"), recorder());
    ASSERT_NE(first, 0u);
    EXPECT_NE(first, second);
    EXPECT_NE(second, third);
    EXPECT_NE(third, fourth);
    // Nothing completes before the event loop runs: completions are queued, never called in the request.
    EXPECT_TRUE(completions.empty());

    deliverAll();
    ASSERT_EQ(completions.size(), 4u);
    std::map<AsyncLookupHandle, Completion> byRequest;
    for (const Completion& completion : completions) {
        EXPECT_TRUE(completion.onMainThread);
        EXPECT_TRUE(byRequest.emplace(completion.request, completion).second) << "a second completion";
    }
    EXPECT_EQ(byRequest[first].error, 0);
    EXPECT_EQ(byRequest[first].entry, kExample.entry());
    EXPECT_EQ(byRequest[second].error, WSAHOST_NOT_FOUND);
    EXPECT_TRUE(byRequest[second].entry.h_addr_list.empty());
    EXPECT_EQ(byRequest[third].error, WSATRY_AGAIN);
    EXPECT_EQ(byRequest[fourth].entry.h_name, "example.org");
    EXPECT_EQ(names->addressesAsked(), std::vector{ipAddress("10.0.0.2")});
}

TEST_F(SocketLibraryTest, NoCompletionAfterASuccessfulCancel) {
    names->addHost(kExample);
    names->hold();
    const AsyncLookupHandle cancelled = library.WSAAsyncGetHostByName("example.org", recorder());
    const AsyncLookupHandle kept = library.WSAAsyncGetHostByName("example.org", recorder());
    EXPECT_EQ(library.WSACancelAsyncRequest(cancelled), 0);
    names->release();
    deliverAll();
    ASSERT_EQ(completions.size(), 1u);
    EXPECT_EQ(completions[0].request, kept);

    // Cancelling what is no longer pending fails and says why.
    EXPECT_EQ(library.WSACancelAsyncRequest(cancelled), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
    EXPECT_EQ(library.WSACancelAsyncRequest(kept), SOCKET_ERROR);
    EXPECT_EQ(library.WSACancelAsyncRequest(0), SOCKET_ERROR);
}

TEST_F(SocketLibraryTest, CancelWinsOverAnAnswerAlreadyWaitingForDelivery) {
    names->addHost(kExample);
    const AsyncLookupHandle request = library.WSAAsyncGetHostByName("example.org", recorder());
    // Let the lookup finish and queue its completion without running the event loop.
    while (names->namesAsked().empty())
        std::this_thread::yield();
    QThread::msleep(20);
    EXPECT_EQ(library.WSACancelAsyncRequest(request), 0);
    deliverAll();
    EXPECT_TRUE(completions.empty());
}

TEST_F(SocketLibraryTest, CompletionsMayRequestTheNextLookup) {
    names->addHost(kExample);
    AsyncLookupHandle chained = 0;
    library.WSAAsyncGetHostByName("example.org", [&](AsyncLookupHandle, int error, const HostEntry& entry) {
        ASSERT_EQ(error, 0);
        chained = library.WSAAsyncGetHostByAddr(entry.h_addr_list.front(), recorder());
    });
    deliverAll();
    deliverAll();
    ASSERT_EQ(completions.size(), 1u);
    EXPECT_EQ(completions[0].request, chained);
}

TEST_F(SocketLibraryTest, RefusedRequestsAnswerZeroWithTheCode) {
    names->refuseRequests(WSAENOBUFS);
    EXPECT_EQ(library.WSAAsyncGetHostByName("example.org", recorder()), 0u);
    EXPECT_EQ(WSAGetLastError(), WSAENOBUFS);
    EXPECT_EQ(library.WSAAsyncGetHostByAddr(ipAddress("10.0.0.1"), recorder()), 0u);
    deliverAll();
    EXPECT_TRUE(completions.empty());
}

TEST_F(SocketLibraryTest, BlockingLookupsWorkFromAnyThreadAndSetTheThreadsError) {
    names->addHost(kExample);
    std::optional<HostEntry> found;
    std::optional<HostEntry> missing;
    int workerError = 0;
    WSASetLastError(0);
    std::thread worker([&] {
        found = library.gethostbyaddr(ipAddress("10.0.0.1"));
        missing = library.gethostbyname("nowhere.test");
        workerError = WSAGetLastError();
    });
    worker.join();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->h_aliases, kExample.h_aliases);
    EXPECT_FALSE(missing);
    EXPECT_EQ(workerError, WSAHOST_NOT_FOUND);
    EXPECT_EQ(WSAGetLastError(), 0) << "another thread's failure";
}

TEST_F(SocketLibraryTest, ThePolicyTravelsWithEveryNameLookup) {
    names->addHost({"dual.test", {}, {ipAddress("fd00::1"), address("10.0.0.1")}});
    const std::optional<HostEntry> six = library.gethostbyname("dual.test", ResolvePolicy::Ipv6Only);
    ASSERT_TRUE(six);
    EXPECT_EQ(six->h_addr_list, std::vector{ipAddress("fd00::1")});
    const AsyncLookupHandle both =
        library.WSAAsyncGetHostByName("dual.test", recorder(), ResolvePolicy::Both);
    library.WSAAsyncGetHostByName("dual.test", recorder());
    deliverAll();
    ASSERT_EQ(completions.size(), 2u);
    const std::vector<IpAddress> bothFamilies{ipAddress("10.0.0.1"), ipAddress("fd00::1")};
    const std::vector<IpAddress> ipv4Alone{ipAddress("10.0.0.1")};
    for (const Completion& completion : completions)
        EXPECT_EQ(completion.entry.h_addr_list, completion.request == both ? bothFamilies : ipv4Alone);
}

TEST_F(SocketLibraryTest, DestroyedWithLookupsInFlightDeliversNothing) {
    names->addHost(kExample);
    {
        SocketLibrary shortLived{names};
        for (int i = 0; i < 8; ++i)
            shortLived.WSAAsyncGetHostByName("example.org", recorder());
    }
    deliverAll();
    EXPECT_TRUE(completions.empty());
}

TEST(SystemHostDatabase, ResolvesLocalNamesThroughTheCLibrary) {
    SystemHostDatabase system;
    // "localhost" comes from /etc/hosts, so no network is asked.
    const HostLookupResult local = system.hostByName("localhost");
    ASSERT_TRUE(local.succeeded()) << local.error;
    EXPECT_FALSE(local.entry.h_addr_list.empty());
    EXPECT_EQ(local.entry.h_addr_list.front(), ipAddress("127.0.0.1"));

    EXPECT_EQ(system.hostByName(std::string("local\0host", 10)).error, WSAHOST_NOT_FOUND);
    // An IPv4 literal resolves to itself without any lookup.
    const HostLookupResult literal = system.hostByName("10.201.0.7");
    ASSERT_TRUE(literal.succeeded());
    EXPECT_EQ(literal.entry.h_addr_list, std::vector{ipAddress("10.201.0.7")});
}

} // namespace
} // namespace vantrel::net
