// One echo round trip on loopback through the ICMP echo service, and the system's `ping -c 1` in the same
// run for reference (which includes starting a process). Needs a socket kind the system allows: a
// datagram ICMP socket under net.ipv4.ping_group_range, or root for a raw one.

#include "net/AddressText.h"
#include "net/IcmpEcho.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <vector>

namespace {

using namespace vantrel::net;

void echoRoundTrip(benchmark::State& state, std::optional<EchoSocketKind> kind) {
    const IcmpHandle handle = openIcmpHandle(kind);
    if (handle == INVALID_HANDLE_VALUE) {
        state.SkipWithError("no ICMP socket of this kind: see net.ipv4.ping_group_range or run as root");
        return;
    }
    const std::vector<std::byte> request{std::byte{'Y'}, std::byte{'i'}, std::byte{'v'}, std::byte{0},
                                         std::byte{0}};
    std::vector<std::byte> reply(IcmpReplySize(request.size()));
    const IPAddr loopback = inet_addr("127.0.0.1");
    for (auto _ : state) {
        if (IcmpSendEcho(handle, loopback, request, nullptr, reply, 1000) != 1) {
            state.SkipWithError("loopback did not answer");
            break;
        }
    }
    IcmpCloseHandle(handle);
}

void BM_IcmpSendEchoLoopback(benchmark::State& state) {
    echoRoundTrip(state, std::nullopt);
}
BENCHMARK(BM_IcmpSendEchoLoopback)->Unit(benchmark::kMicrosecond);

void BM_IcmpSendEchoLoopbackRaw(benchmark::State& state) {
    echoRoundTrip(state, EchoSocketKind::Raw);
}
BENCHMARK(BM_IcmpSendEchoLoopbackRaw)->Unit(benchmark::kMicrosecond);

void BM_SystemPingOnce(benchmark::State& state) {
    for (auto _ : state) {
        if (std::system("ping -c 1 -q -W 1 127.0.0.1 >/dev/null 2>&1") != 0) {
            state.SkipWithError("ping -c 1 127.0.0.1 failed (is iputils-ping installed?)");
            break;
        }
    }
}
BENCHMARK(BM_SystemPingOnce)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
