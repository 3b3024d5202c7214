#pragma once

#include "net/IcmpApi.h"
#include "net/IcmpRecords.h"
#include "net/IpAddress.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace vantrel::test {

// A scripted network behind the IcmpApi seam. Each echo request takes the next scripted answer (the first
// one queued for its destination, or for any destination) and returns at once; with nothing scripted a
// request times out. Everything sent is recorded. Replies are written with the service's own rules, so a
// reply buffer that is too small fails here as it does on the real network. Thread-safe.
//
// Sweeps (IcmpApi::openEchoSweep) take their answers from the same script, on a clock of their own: a
// reply is decided its round-trip time after its request, a timeout its timeout after it, and each wait
// hands back the requests decided first. Replies thus come back out of order as their times say, and no
// test waits for real time.
//
//   FakeIcmpNetwork network;
//   network.reply(address("10.0.0.1"), 12);           // echo reply after 12 ms
//   network.error(address("10.0.0.254"), net::IP_TTL_EXPIRED_TRANSIT);  // a router's ICMP error
//   network.fail(net::IP_REQ_TIMED_OUT);              // no reply, Status 11010
//   network.reply6(*net::IpAddress::parse("fd42::2"), 3); // an ICMPv6 echo reply, for the IPv6 twin
//   net::IcmpApi api = network.api();
//
// The IPv6 twin (Icmp6CreateFile, Icmp6SendEcho2) and sweeps take their answers from the same script (the
// *6 calls script IPv6 responders and destinations). As the service, each handle sends its own family
// only (IP_BAD_DESTINATION otherwise).
class FakeIcmpNetwork {
public:
    struct Answer {
        bool replied = true;      // counts as a reply (returns 1)
        std::uint32_t status = 0; // IP status written into the record
        net::IPAddr from = 0;     // the responder (0 for failures)
        std::uint32_t roundTripMs = 0;
        std::uint8_t ttl = 64;
        std::optional<std::vector<std::byte>> data; // returned data; the request's own data when unset
        std::optional<net::IpAddress> from6;        // an IPv6 responder instead of `from`
        std::uint32_t extraMicroseconds = 0;        // of the round trip, past roundTripMs
    };

    struct SentRequest {
        net::IcmpHandle handle{};
        net::IPAddr destination = 0;
        std::optional<net::IpAddress> destination6; // an IPv6 destination instead
        bool hadSource = false;                     // the twin was given a source address
        bool hadOptions = false;
        std::uint8_t ttl = 0; // the options' TTL, or a sweep request's hop limit
        std::uint8_t tos = 0;
        bool dontFragment = false;
        std::vector<std::byte> data;
        std::size_t replySize = 0;
        std::uint32_t timeoutMs = 0;
    };

    FakeIcmpNetwork() = default;
    FakeIcmpNetwork(const FakeIcmpNetwork&) = delete;
    FakeIcmpNetwork& operator=(const FakeIcmpNetwork&) = delete;

    // The entry points bound to this network. The network must outlive every copy of the record.
    net::IcmpApi api();

    // Scripting. `to` restricts an answer to requests for that destination.
    void script(Answer answer, std::optional<net::IPAddr> to = std::nullopt);
    void reply(net::IPAddr from, std::uint32_t roundTripMs, std::uint8_t ttl = 64,
               std::optional<net::IPAddr> to = std::nullopt);
    void replyWithData(net::IPAddr from, std::uint32_t roundTripMs, std::vector<std::byte> data,
                       std::optional<net::IPAddr> to = std::nullopt);
    // An ICMP error from a router or host: counts as a reply, with this status.
    void error(net::IPAddr from, std::uint32_t status, std::uint32_t roundTripMs = 1,
               std::optional<net::IPAddr> to = std::nullopt);
    // No reply: returns 0 with this status in the record (IP_REQ_TIMED_OUT for a timeout).
    void fail(std::uint32_t status, std::optional<net::IPAddr> to = std::nullopt);
    // The same for the IPv6 twin: `from` and `to` are IPv6 addresses.
    void script6(Answer answer, std::optional<net::IpAddress> to = std::nullopt);
    void reply6(const net::IpAddress& from, std::uint32_t roundTripMs, std::uint8_t hopLimit = 64,
                std::optional<net::IpAddress> to = std::nullopt);
    void error6(const net::IpAddress& from, std::uint32_t status, std::uint32_t roundTripMs = 1,
                std::optional<net::IpAddress> to = std::nullopt);
    void fail6(std::uint32_t status, std::optional<net::IpAddress> to = std::nullopt);
    // No reply and nothing written to the reply buffer (Status stays as the caller left it).
    void failSilently(std::optional<net::IPAddr> to = std::nullopt);
    // The answer for requests with nothing scripted (a timeout unless set).
    void setDefaultAnswer(std::optional<Answer> answer);
    // An echo reply from `from` after `roundTripMs`, with the default TTL and the request's own data.
    static Answer echoReply(net::IPAddr from, std::uint32_t roundTripMs) {
        Answer answer;
        answer.from = from;
        answer.roundTripMs = roundTripMs;
        return answer;
    }
    // IcmpCreateFile answers INVALID_HANDLE_VALUE while set.
    void refuseHandles(bool refuse);
    // Called with every request before it is answered, on the requesting thread (for example to cancel an
    // operation during its second request).
    void onRequest(std::function<void(const SentRequest&)> hook);

    std::vector<SentRequest> sent() const;
    std::size_t openHandles() const;
    int handlesCreated() const;
    int handlesClosed() const;
    std::size_t scriptedLeft() const;
    // The most requests a sweep had in flight at once.
    std::size_t sweepMostInFlight() const;

private:
    net::IcmpHandle create(net::IpFamily family);
    bool close(net::IcmpHandle handle);
    class Sweep;
    // Records a request and calls the hook; false (nothing recorded) for a handle that is not open.
    bool record(const SentRequest& request, bool checkHandle);
    // The scripted answer for a request to `destination`: nothing for a silent failure.
    std::optional<Answer> takeAnswer(const net::IpAddress& destination);
    // A request through the entry point of `entry`'s family.
    std::uint32_t sendEcho(net::IpFamily entry, net::IcmpHandle handle, const net::IpAddress& destination,
                           SentRequest request, const net::IP_OPTION_INFORMATION* options,
                           std::span<std::byte> reply);
    static net::EchoOutcome outcomeOf(const Answer& answer);

    struct Scripted {
        std::optional<Answer> answer; // std::nullopt: a silent failure
        std::optional<net::IpAddress> to;
    };

    mutable std::mutex m_mutex;
    std::deque<Scripted> m_script;
    std::optional<Answer> m_defaultAnswer;
    bool m_refuseHandles = false;
    std::function<void(const SentRequest&)> m_hook;
    std::vector<SentRequest> m_sent;
    std::map<std::uintptr_t, net::IpFamily> m_handles; // open handles
    std::uintptr_t m_nextHandle = 1;
    int m_created = 0;
    int m_closed = 0;
    std::size_t m_sweepMostInFlight = 0;
};

// An address in network byte order from its dotted text (for scripts and expectations).
net::IPAddr address(const char* dotted);

} // namespace vantrel::test
