#pragma once

#include "net/EchoOutcome.h"
#include "net/IcmpPacket.h"
#include "net/IcmpRecords.h"
#include "net/SendMoment.h"
#include "net/UniqueFd.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>

namespace vantrel::net {

// The two ways Linux lets a program send echo requests, for IPv4 (ICMP) and IPv6 (ICMPv6) alike. A
// datagram socket needs no privilege where net.ipv4.ping_group_range admits the user's group (it governs
// both families); the kernel owns its identifier, matches replies to it and reports ICMP errors through
// the error queue (IP_RECVERR, IPV6_RECVERR). A raw socket needs CAP_NET_RAW and sees every ICMP packet of
// the host, so it matches replies and quoted requests by its own identifier.
enum class EchoSocketKind { Datagram, Raw };

// One ICMP socket sending one echo request at a time and waiting for its answer. Thread-safe: concurrent
// echo() calls take turns; interrupt() may come from any thread and ends a wait at once.
// A sweep (EchoSweep) instead keeps many requests in flight on a socket of its own with the request
// level calls below (send, waitReadable, readAnswers), which only its one thread uses.
class EchoSocket {
public:
    // Opens a socket of `family` and `kind`, or of the first kind the system allows (datagram, then raw).
    // Answers nullptr and sets `error` to the errno of the last refusal when none can be opened
    // (EAFNOSUPPORT: the system has no IPv6).
    static std::unique_ptr<EchoSocket> open(IpFamily family, std::optional<EchoSocketKind> kind, int& error);
    ~EchoSocket();
    EchoSocket(const EchoSocket&) = delete;
    EchoSocket& operator=(const EchoSocket&) = delete;

    EchoSocketKind kind() const { return m_kind; }
    IpFamily family() const { return m_family; }

    // Sends one echo request to `destination` (from `source` when given: IPv6 only), blocks until its
    // answer or until `timeoutMs` has passed, and writes the outcome into `replyBuffer` (writeEchoReply,
    // or writeEcho6Reply on an IPv6 socket). Answers the number of replies written, or std::nullopt when
    // interrupt() ended the wait (or had already been called).
    std::optional<std::uint32_t> echo(const IpAddress& destination, std::span<const std::byte> data,
                                      const IP_OPTION_INFORMATION* options, std::uint32_t timeoutMs,
                                      std::span<std::byte> replyBuffer, const sockaddr_in6* source = nullptr);

    // Ends a wait in progress and every later one: the handle is being closed.
    void interrupt();

    // The identifier our requests carry (the kernel's own on a datagram socket, so 0 here).
    std::uint16_t identifier() const { return m_identifier; }
    // Sends one echo request with `sequence`, default options. Answers the status of a refused send.
    std::optional<std::uint32_t> send(const IpAddress& destination, std::uint16_t sequence,
                                      std::span<const std::byte> data, const sockaddr_in6* source = nullptr);
    // The TTL (IPv4) or hop limit (IPv6) of the requests sent from now on, 0 for the system's default.
    // Answers IP_BAD_OPTION when the socket refuses it.
    std::optional<std::uint32_t> setHopLimit(std::uint8_t hops);
    enum class Readiness { Readable, TimedOut, Interrupted, Failed };
    // Waits until something can be read (here or on `other`, a socket of the same thread whose readAnswers
    // then reads it), the time is up or interrupt() is called on this socket.
    Readiness waitReadable(std::chrono::nanoseconds wait, EchoSocket* other = nullptr);
    // Has the kernel stamp every packet with the moment it arrived (CLOCK_REALTIME); false when refused.
    // Every socket asks for it as it opens; echo() measures its round trips to these stamps.
    bool stampArrivals();
    // Reads what is waiting and hands every answer to a request of `probes` to `found` (its sequence, the
    // outcome without a round-trip time, its data valid during the call, and the kernel's arrival stamp
    // when there is one) until `found` answers true.
    using AnswerSink = std::function<bool(std::uint16_t sequence, const EchoOutcome& outcome,
                                          std::optional<std::chrono::nanoseconds> arrived)>;
    void readAnswers(const ProbeLookup& probes, const AnswerSink& found);

private:
    EchoSocket(IpFamily family, EchoSocketKind kind, UniqueFd socket, UniqueFd wakeup,
               std::uint16_t identifier);

    // The outcome's data points into the receive buffer, valid until the next read.
    std::optional<EchoOutcome> waitForAnswer(const IpAddress& destination, std::span<const std::byte> data,
                                             const IP_OPTION_INFORMATION* options, std::uint32_t timeoutMs,
                                             const sockaddr_in6* source);
    std::optional<std::uint32_t> applyOptions(const IP_OPTION_INFORMATION* options);
    void discardPending();
    // One pass over what is waiting in the error queue or the receive queue. Everything that answers no
    // probe is dropped. Answer true when `found` asked to stop.
    bool readErrorQueue(const ProbeLookup& probes, const AnswerSink& found);
    bool readReplies(const ProbeLookup& probes, const AnswerSink& found);

    const IpFamily m_family;
    const EchoSocketKind m_kind;
    const UniqueFd m_socket;
    const UniqueFd m_wakeup; // an eventfd written by interrupt()
    const std::uint16_t m_identifier;
    std::atomic<bool> m_interrupted{false};
    std::mutex m_echoMutex;
    std::uint16_t m_sequence = 0;
    // Left unfilled: the kernel writes what is read, where zeroing 64 KiB would cost a page fault a page
    // for every handle.
    const std::unique_ptr<std::byte[]> m_receiveStorage;
    const std::span<std::byte> m_receiveBuffer;
    // What the socket is set to now, so unchanged options cost no system call (hop limit and traffic class
    // on an IPv6 socket).
    int m_ttl = -1;
    int m_tos = 0;
    std::optional<bool> m_dontFragment;
    SendMoment m_sent;       // of the request echo() waits for
    short m_readyEvents = 0; // what the last waitReadable found on the socket
};

} // namespace vantrel::net
