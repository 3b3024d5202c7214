#pragma once

#include "net/EchoSocket.h"
#include "net/EchoSweep.h"
#include "net/SendMoment.h"

#include <array>
#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace vantrel::net {

// The sweep engine on Linux ICMP sockets: queued requests leave at most one per `pace`, each gets the
// next sequence number of its family's socket, and answers are told apart by family and sequence (and
// identifier and source, as for a single request) with one poll for all of them. The IPv4 socket opens
// with the sweep; the IPv6 one at the first IPv6 request, so one sweep carries both families.
class SocketEchoSweep final : public EchoSweep {
public:
    static constexpr std::chrono::microseconds kDefaultPace{1000};

    // Opens the IPv4 socket as IcmpCreateFile does (datagram, else raw; or `kind`, which the IPv6 socket
    // follows too). Answers nullptr and sets `error` when neither can be opened.
    static std::unique_ptr<EchoSweep> open(std::optional<EchoSocketKind> kind, int& error,
                                           std::chrono::microseconds pace = kDefaultPace);

    void send(std::uint64_t ticket, const IpAddress& destination, std::span<const std::byte> data,
              std::uint32_t timeoutMs, std::uint8_t hopLimit) override;
    std::vector<SweepAnswer> wait(std::chrono::milliseconds wait) override;
    void cancel() override;
    void interrupt() override { m_v4->interrupt(); }

    // The errno with which the IPv6 socket was refused (its requests then fail with IP_GENERAL_FAILURE);
    // 0 while it opened or was not needed. EAFNOSUPPORT: the system has no IPv6.
    int ipv6OpenError() const { return m_v6OpenError; }

private:
    using Clock = std::chrono::steady_clock;
    SocketEchoSweep(std::unique_ptr<EchoSocket> socket, std::optional<EchoSocketKind> kind,
                    std::chrono::microseconds pace);

    struct Queued {
        std::uint64_t ticket;
        IpAddress destination;
        std::vector<std::byte> data;
        std::uint32_t timeoutMs;
        std::uint8_t hopLimit;
    };
    struct InFlight {
        std::uint64_t ticket;
        IpAddress destination;
        SendMoment sent;
        Clock::time_point deadline;
    };
    using Key = std::pair<IpFamily, std::uint16_t>; // family, sequence

    // The socket of `family`, opened now if it is the first IPv6 request; nullptr when it cannot open.
    EchoSocket* socketFor(IpFamily family);
    // Sends the queued requests that are due; a refused send is decided at once.
    void sendDue(std::vector<SweepAnswer>& decided);
    // Decides the requests whose time is up.
    void expire(std::vector<SweepAnswer>& decided);
    void readAnswers(EchoSocket& socket, std::vector<SweepAnswer>& decided);
    std::uint16_t nextSequence(IpFamily family);
    // When the next request is due or the next deadline passes, whichever is first.
    std::optional<Clock::time_point> nextEvent() const;

    const std::unique_ptr<EchoSocket> m_v4;
    std::unique_ptr<EchoSocket> m_v6;
    const std::optional<EchoSocketKind> m_kind;
    int m_v6OpenError = 0;
    const std::chrono::microseconds m_pace;
    std::deque<Queued> m_queue;
    std::map<Key, InFlight> m_inFlight;
    std::array<std::uint16_t, 2> m_sequence{}; // the last of each family
    Clock::time_point m_nextSend{};
};

} // namespace vantrel::net
