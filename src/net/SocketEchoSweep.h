#pragma once

#include "net/EchoSocket.h"
#include "net/EchoSweep.h"

#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <optional>

namespace vantrel::net {

// The sweep engine on a Linux ICMP socket: queued requests leave at most one per `pace`, each gets the
// next sequence number of the socket, and answers are told apart by sequence (and identifier and source,
// as for a single request) with one poll for all of them.
class SocketEchoSweep final : public EchoSweep {
public:
    static constexpr std::chrono::microseconds kDefaultPace{1000};

    // Opens the socket as IcmpCreateFile does (datagram, else raw; or `kind`). Answers nullptr and sets
    // `error` when neither can be opened.
    static std::unique_ptr<EchoSweep> open(std::optional<EchoSocketKind> kind, int& error,
                                           std::chrono::microseconds pace = kDefaultPace);

    void send(std::uint64_t ticket, IPAddr destination, std::span<const std::byte> data,
              std::uint32_t timeoutMs) override;
    std::vector<SweepAnswer> wait(std::chrono::milliseconds wait) override;
    void cancel() override;
    void interrupt() override { m_socket->interrupt(); }

private:
    using Clock = std::chrono::steady_clock;
    SocketEchoSweep(std::unique_ptr<EchoSocket> socket, std::chrono::microseconds pace);

    struct Queued {
        std::uint64_t ticket;
        IPAddr destination;
        std::vector<std::byte> data;
        std::uint32_t timeoutMs;
    };
    struct InFlight {
        std::uint64_t ticket;
        IPAddr destination;
        Clock::time_point sentAt;
        std::chrono::nanoseconds sentAtWall; // CLOCK_REALTIME, as the kernel stamps arrivals
        Clock::time_point deadline;
    };

    // Sends the queued requests that are due; a refused send is decided at once.
    void sendDue(std::vector<SweepAnswer>& decided);
    // Decides the requests whose time is up.
    void expire(std::vector<SweepAnswer>& decided);
    void readAnswers(std::vector<SweepAnswer>& decided);
    std::uint16_t nextSequence();
    // The round-trip time of a request answered by a packet that arrived at `arrived` (the kernel's stamp).
    static std::uint32_t roundTripMs(const InFlight& request,
                                     std::optional<std::chrono::nanoseconds> arrived);
    // When the next request is due or the next deadline passes, whichever is first.
    std::optional<Clock::time_point> nextEvent() const;

    const std::unique_ptr<EchoSocket> m_socket;
    const std::chrono::microseconds m_pace;
    std::deque<Queued> m_queue;
    std::map<std::uint16_t, InFlight> m_inFlight; // by sequence
    std::uint16_t m_sequence = 0;
    Clock::time_point m_nextSend{};
};

} // namespace vantrel::net
