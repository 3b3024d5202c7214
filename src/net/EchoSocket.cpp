#include "net/EchoSocket.h"

#include "net/IpStatus.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <linux/errqueue.h>
#include <netinet/icmp6.h>
#include <netinet/in.h>
#include <poll.h>
#include <random>
#include <set>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <vector>

namespace vantrel::net {

namespace {

// ICMP_FILTER of <linux/icmp.h>, whose other declarations clash with the C library's headers.
constexpr int kIcmpFilterOption = 1;
constexpr std::size_t kReceiveBufferSize = 65536;
// Enough for the hop limit, the traffic class, an arrival stamp and an extended error with its offender.
constexpr std::size_t kControlSize = 512;
// How many stale packets one drain reads at most, so a flood cannot hold a request back.
constexpr int kDrainLimit = 256;

// One datagram read with recvmsg into a caller's buffer, with its sender and its ancillary data. The
// message header points into the object itself, so it stays where it was made.
class ReceivedMessage {
public:
    explicit ReceivedMessage(std::span<std::byte> buffer)
        : m_buffer(buffer) {}
    ReceivedMessage(const ReceivedMessage&) = delete;
    ReceivedMessage& operator=(const ReceivedMessage&) = delete;

    // Reads one datagram with `flags`; false (errno set) when nothing was read.
    bool read(int fd, int flags) {
        m_peer = {};
        m_iov = {m_buffer.data(), m_buffer.size()};
        m_message = {};
        m_message.msg_name = &m_peer;
        m_message.msg_namelen = sizeof m_peer;
        m_message.msg_iov = &m_iov;
        m_message.msg_iovlen = 1;
        m_message.msg_control = m_control;
        m_message.msg_controllen = sizeof m_control;
        const ssize_t received = ::recvmsg(fd, &m_message, flags);
        m_bytes = received < 0 ? std::span<const std::byte>()
                               : std::span<const std::byte>(m_buffer).first(
                                     std::min<std::size_t>(std::size_t(received), m_buffer.size()));
        return received >= 0;
    }

    std::span<const std::byte> bytes() const { return m_bytes; }
    // The sender (on the error queue: our request's destination).
    IpAddress peer(IpFamily family) const {
        if (family == IpFamily::V4) {
            sockaddr_in v4{};
            std::memcpy(&v4, &m_peer, sizeof v4);
            return IpAddress::fromV4(v4.sin_addr.s_addr);
        }
        sockaddr_in6 v6{};
        std::memcpy(&v6, &m_peer, sizeof v6);
        IpAddress::V6Bytes bytes{};
        std::memcpy(bytes.data(), &v6.sin6_addr, bytes.size());
        return IpAddress::fromV6(bytes, v6.sin6_scope_id);
    }
    cmsghdr* firstControl() { return CMSG_FIRSTHDR(&m_message); }
    cmsghdr* nextControl(cmsghdr* control) { return CMSG_NXTHDR(&m_message, control); }
    // When the kernel says the datagram arrived (SO_TIMESTAMPNS), if it says.
    std::optional<std::chrono::nanoseconds> arrival() {
        for (cmsghdr* c = firstControl(); c != nullptr; c = nextControl(c)) {
            if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMPNS &&
                c->cmsg_len >= CMSG_LEN(sizeof(timespec))) {
                timespec stamp;
                std::memcpy(&stamp, CMSG_DATA(c), sizeof stamp);
                return std::chrono::seconds(stamp.tv_sec) + std::chrono::nanoseconds(stamp.tv_nsec);
            }
        }
        return std::nullopt;
    }

private:
    std::span<std::byte> m_buffer;
    std::span<const std::byte> m_bytes;
    sockaddr_storage m_peer{};
    iovec m_iov{};
    msghdr m_message{};
    alignas(cmsghdr) char m_control[kControlSize];
};

std::mutex g_identifierMutex;
std::set<std::uint16_t> g_rawIdentifiers; // in use by this process's raw sockets

std::uint16_t takeRawIdentifier() {
    static std::mt19937 generator{std::random_device{}()};
    std::lock_guard lock(g_identifierMutex);
    for (;;) {
        const auto identifier = std::uint16_t(generator());
        if (g_rawIdentifiers.insert(identifier).second)
            return identifier;
    }
}

void releaseRawIdentifier(std::uint16_t identifier) {
    std::lock_guard lock(g_identifierMutex);
    g_rawIdentifiers.erase(identifier);
}

bool setIntOption(int fd, int level, int name, int value) {
    return ::setsockopt(fd, level, name, &value, sizeof value) == 0;
}

// The socket options that differ between the families.
struct FamilyTraits {
    int domain;
    int protocol;
    int level;         // of the options below
    int receiveErrors; // IP_RECVERR
    int errorOrigin;   // of the ICMP errors on the error queue
    int hopLimit;      // IP_TTL
    int trafficClass;  // IP_TOS
    int pathMtuDiscovery;
    int discoveryOn;
    int discoveryOff;
    std::optional<std::uint32_t> (*statusOfError)(std::uint8_t type, std::uint8_t code);
};

constexpr FamilyTraits kIpv4{
    AF_INET, IPPROTO_ICMP,    SOL_IP,         IP_RECVERR,       SO_EE_ORIGIN_ICMP, IP_TTL,
    IP_TOS,  IP_MTU_DISCOVER, IP_PMTUDISC_DO, IP_PMTUDISC_DONT, &statusOfIcmpError};
constexpr FamilyTraits kIpv6{AF_INET6,           IPPROTO_ICMPV6,     SOL_IPV6,           IPV6_RECVERR,
                             SO_EE_ORIGIN_ICMP6, IPV6_UNICAST_HOPS,  IPV6_TCLASS,        IPV6_MTU_DISCOVER,
                             IPV6_PMTUDISC_DO,   IPV6_PMTUDISC_DONT, &statusOfIcmp6Error};

const FamilyTraits& traitsOf(IpFamily family) {
    return family == IpFamily::V4 ? kIpv4 : kIpv6;
}

int openSocket(IpFamily family, EchoSocketKind kind) {
    const int type = kind == EchoSocketKind::Datagram ? SOCK_DGRAM : SOCK_RAW;
    return ::socket(traitsOf(family).domain, type | SOCK_CLOEXEC, traitsOf(family).protocol);
}

bool prepareIpv4Socket(int fd, EchoSocketKind kind) {
    if (kind == EchoSocketKind::Datagram)
        return setIntOption(fd, SOL_IP, IP_RECVERR, 1) && setIntOption(fd, SOL_IP, IP_RECVTTL, 1) &&
               setIntOption(fd, SOL_IP, IP_RECVTOS, 1);
    // A raw socket sees all ICMP traffic of the host; let through only what can answer an echo request.
    const std::uint32_t wanted = 1u << kIcmpEchoReply | 1u << kIcmpDestUnreachable | 1u << kIcmpSourceQuench |
                                 1u << kIcmpTimeExceeded | 1u << kIcmpParameterProblem;
    const std::uint32_t blocked = ~wanted;
    return ::setsockopt(fd, SOL_RAW, kIcmpFilterOption, &blocked, sizeof blocked) == 0;
}

// An ICMPv6 socket of either kind receives no IPv6 header: hop limit and traffic class come as control
// messages. A raw one reads ICMPv6 errors as packets, as a raw ICMP socket does.
bool prepareIpv6Socket(int fd, EchoSocketKind kind) {
    if (!setIntOption(fd, SOL_IPV6, IPV6_RECVHOPLIMIT, 1) || !setIntOption(fd, SOL_IPV6, IPV6_RECVTCLASS, 1))
        return false;
    if (kind == EchoSocketKind::Datagram)
        return setIntOption(fd, SOL_IPV6, IPV6_RECVERR, 1);
    icmp6_filter filter;
    ICMP6_FILTER_SETBLOCKALL(&filter);
    for (const std::uint8_t type : {kIcmp6EchoReply, kIcmp6DestUnreachable, kIcmp6PacketTooBig,
                                    kIcmp6TimeExceeded, kIcmp6ParameterProblem})
        ICMP6_FILTER_SETPASS(type, &filter);
    return ::setsockopt(fd, IPPROTO_ICMPV6, ICMP6_FILTER, &filter, sizeof filter) == 0;
}

// Sets a socket up for its family and kind; false when the kernel refuses.
bool prepareSocket(int fd, IpFamily family, EchoSocketKind kind) {
    return family == IpFamily::V4 ? prepareIpv4Socket(fd, kind) : prepareIpv6Socket(fd, kind);
}

// The hop limit and traffic class of a received message, from its control messages: IP_TTL (an int) and
// IP_TOS (a byte) on an IPv4 socket, IPV6_HOPLIMIT and IPV6_TCLASS (ints) on an IPv6 one.
void readHopsAndClass(ReceivedMessage& message, IpFamily family, EchoOutcome& outcome) {
    const FamilyTraits& traits = traitsOf(family);
    const int hopsType = family == IpFamily::V4 ? IP_TTL : IPV6_HOPLIMIT;
    for (cmsghdr* c = message.firstControl(); c != nullptr; c = message.nextControl(c)) {
        if (c->cmsg_level != traits.level)
            continue;
        if (c->cmsg_type == hopsType && c->cmsg_len >= CMSG_LEN(sizeof(int))) {
            int hops = 0;
            std::memcpy(&hops, CMSG_DATA(c), sizeof hops);
            outcome.ttl = std::uint8_t(hops);
        } else if (c->cmsg_type == traits.trafficClass && family == IpFamily::V6 &&
                   c->cmsg_len >= CMSG_LEN(sizeof(int))) {
            int trafficClass = 0;
            std::memcpy(&trafficClass, CMSG_DATA(c), sizeof trafficClass);
            outcome.tos = std::uint8_t(trafficClass);
        } else if (c->cmsg_type == IP_TOS && family == IpFamily::V4 && c->cmsg_len >= CMSG_LEN(1)) {
            outcome.tos = std::to_integer<std::uint8_t>(*reinterpret_cast<const std::byte*>(CMSG_DATA(c)));
        }
    }
}

// Link-local unicast (fe80::/10) and interface- or link-local multicast: the addresses that need an
// interface.
bool isLinkScoped(const IpAddress::V6Bytes& bytes) {
    return (bytes[0] == 0xfe && (bytes[1] & 0xc0) == 0x80) || (bytes[0] == 0xff && (bytes[1] & 0x0f) <= 2);
}

} // namespace

std::unique_ptr<EchoSocket> EchoSocket::open(IpFamily family, std::optional<EchoSocketKind> kind,
                                             int& error) {
    const std::vector<EchoSocketKind> kinds =
        kind ? std::vector{*kind} : std::vector{EchoSocketKind::Datagram, EchoSocketKind::Raw};
    for (const EchoSocketKind candidate : kinds) {
        UniqueFd fd(openSocket(family, candidate));
        if (!fd.valid()) {
            error = errno;
            continue;
        }
        if (!prepareSocket(fd.get(), family, candidate)) {
            error = errno;
            continue;
        }
        UniqueFd wakeup(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
        if (!wakeup.valid()) {
            error = errno;
            return nullptr;
        }
        const std::uint16_t identifier = candidate == EchoSocketKind::Raw ? takeRawIdentifier() : 0;
        std::unique_ptr<EchoSocket> socket(
            new EchoSocket(family, candidate, std::move(fd), std::move(wakeup), identifier));
        // Without stamps, round trips are measured to the reading instead.
        socket->stampArrivals();
        return socket;
    }
    return nullptr;
}

EchoSocket::EchoSocket(IpFamily family, EchoSocketKind kind, UniqueFd socket, UniqueFd wakeup,
                       std::uint16_t identifier)
    : m_family(family)
    , m_kind(kind)
    , m_socket(std::move(socket))
    , m_wakeup(std::move(wakeup))
    , m_identifier(identifier)
    , m_receiveStorage(std::make_unique_for_overwrite<std::byte[]>(kReceiveBufferSize))
    , m_receiveBuffer(m_receiveStorage.get(), kReceiveBufferSize) {}

EchoSocket::~EchoSocket() {
    if (m_kind == EchoSocketKind::Raw)
        releaseRawIdentifier(m_identifier);
}

void EchoSocket::interrupt() {
    m_interrupted = true;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeup.get(), &one, sizeof one);
}

std::optional<std::uint32_t> EchoSocket::echo(const IpAddress& destination, std::span<const std::byte> data,
                                              const IP_OPTION_INFORMATION* options, std::uint32_t timeoutMs,
                                              std::span<std::byte> replyBuffer, const sockaddr_in6* source) {
    std::lock_guard lock(m_echoMutex);
    if (m_interrupted)
        return std::nullopt;
    const std::optional<EchoOutcome> outcome = waitForAnswer(destination, data, options, timeoutMs, source);
    if (!outcome)
        return std::nullopt;
    return m_family == IpFamily::V4 ? writeEchoReply(replyBuffer, *outcome)
                                    : writeEcho6Reply(replyBuffer, *outcome);
}

std::optional<EchoOutcome> EchoSocket::waitForAnswer(const IpAddress& destination,
                                                     std::span<const std::byte> data,
                                                     const IP_OPTION_INFORMATION* options,
                                                     std::uint32_t timeoutMs, const sockaddr_in6* source) {
    if (const std::optional<std::uint32_t> refused = applyOptions(options))
        return EchoOutcome::failure(*refused);
    discardPending();

    const EchoProbe probe{destination, m_identifier, ++m_sequence};
    const ProbeLookup probes = [&probe](std::uint16_t sequence) {
        return sequence == probe.sequence ? std::optional(probe) : std::nullopt;
    };
    m_sent = SendMoment::now();
    if (const std::optional<std::uint32_t> refused = send(destination, probe.sequence, data, source))
        return EchoOutcome::failure(*refused);

    const auto deadline = m_sent.steady() + std::chrono::milliseconds(timeoutMs);
    for (bool first = true;; first = false) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 && !first)
            return EchoOutcome::failure(IP_REQ_TIMED_OUT);
        switch (waitReadable(left)) {
        case Readiness::TimedOut:
            return EchoOutcome::failure(IP_REQ_TIMED_OUT);
        case Readiness::Interrupted:
            return std::nullopt;
        case Readiness::Failed:
            return EchoOutcome::failure(IP_GENERAL_FAILURE);
        case Readiness::Readable:
            break;
        }
        std::optional<EchoOutcome> answer;
        readAnswers(probes, [&](std::uint16_t, const EchoOutcome& outcome,
                                std::optional<std::chrono::nanoseconds> arrived) {
            answer = outcome;
            answer->roundTrip = m_sent.roundTrip(arrived);
            return true;
        });
        if (answer)
            return answer;
    }
}

std::optional<std::uint32_t> EchoSocket::send(const IpAddress& destination, std::uint16_t sequence,
                                              std::span<const std::byte> data, const sockaddr_in6* source) {
    // An IPv4 address (an unmapped ::ffff:a.b.c.d among them) cannot go out on an IPv6 socket, nor the
    // reverse; nor can an IPv4 request name its source.
    if (destination.family() != m_family || (source != nullptr && m_family == IpFamily::V4))
        return IP_BAD_DESTINATION;
    // A link-local address without its interface names no link: a datagram socket refuses it (EINVAL), a
    // raw one would send it out of whichever link the routes list first. Refused alike.
    if (destination.isV6() && destination.scopeId() == 0 && isLinkScoped(destination.v6()))
        return IP_BAD_DESTINATION;
    // On a datagram socket the kernel puts in its own identifier and the checksum.
    const std::vector<std::byte> request = buildEchoRequest(m_identifier, sequence, data, m_family);
    sockaddr_storage to;
    const socklen_t toLength = destination.toSockaddr(to);
    // A source address (and its interface) goes with the one request, as IPV6_PKTINFO.
    iovec part{const_cast<std::byte*>(request.data()), request.size()};
    msghdr message{};
    message.msg_name = &to;
    message.msg_namelen = toLength;
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in6_pktinfo))]{};
    if (source != nullptr) {
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        cmsghdr* c = CMSG_FIRSTHDR(&message);
        c->cmsg_level = SOL_IPV6;
        c->cmsg_type = IPV6_PKTINFO;
        c->cmsg_len = CMSG_LEN(sizeof(in6_pktinfo));
        in6_pktinfo info{};
        info.ipi6_addr = source->sin6_addr;
        info.ipi6_ifindex = source->sin6_scope_id;
        std::memcpy(CMSG_DATA(c), &info, sizeof info);
    }
    // An ICMP error about an earlier request that arrives just before this send leaves a socket error which
    // the send reports (and clears) as its own; a second attempt gives this request's true outcome.
    const int attempts = m_kind == EchoSocketKind::Datagram ? 2 : 1;
    ssize_t sent = -1;
    for (int attempt = 0; attempt < attempts && sent < 0; ++attempt) {
        do {
            sent = source == nullptr ? ::sendto(m_socket.get(), request.data(), request.size(), 0,
                                                reinterpret_cast<sockaddr*>(&to), toLength)
                                     : ::sendmsg(m_socket.get(), &message, 0);
        } while (sent < 0 && errno == EINTR);
    }
    if (sent < 0)
        return statusOfSendError(errno);
    return std::nullopt;
}

EchoSocket::Readiness EchoSocket::waitReadable(std::chrono::nanoseconds wait, EchoSocket* other) {
    m_readyEvents = 0;
    if (other != nullptr)
        other->m_readyEvents = 0;
    const auto seconds = std::chrono::floor<std::chrono::seconds>(std::max(wait, std::chrono::nanoseconds{}));
    const timespec timeout{std::min<long long>(seconds.count(), INT_MAX),
                           long((std::max(wait, std::chrono::nanoseconds{}) - seconds).count())};
    for (;;) {
        pollfd fds[3] = {{m_socket.get(), POLLIN, 0},
                         {m_wakeup.get(), POLLIN, 0},
                         {other != nullptr ? other->m_socket.get() : -1, POLLIN, 0}};
        const int ready = ::ppoll(fds, other != nullptr ? 3 : 2, &timeout, nullptr);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return Readiness::Failed;
        }
        if (ready == 0)
            return Readiness::TimedOut;
        if (fds[1].revents != 0)
            return Readiness::Interrupted;
        // POLLHUP or POLLNVAL alone: the socket is unusable.
        const auto unusable = [](const pollfd& fd) {
            return fd.revents != 0 && (fd.revents & (POLLIN | POLLERR)) == 0;
        };
        if (unusable(fds[0]) || (other != nullptr && unusable(fds[2])) ||
            (other == nullptr && fds[0].revents == 0))
            return Readiness::Failed;
        m_readyEvents = fds[0].revents;
        if (other != nullptr)
            other->m_readyEvents = fds[2].revents;
        return Readiness::Readable;
    }
}

bool EchoSocket::stampArrivals() {
    return setIntOption(m_socket.get(), SOL_SOCKET, SO_TIMESTAMPNS, 1);
}

void EchoSocket::readAnswers(const ProbeLookup& probes, const AnswerSink& found) {
    if (m_readyEvents & POLLERR) {
        if (readErrorQueue(probes, found))
            return;
        // Whatever was pending is read; a stale socket error must not wake every poll.
        int pending = 0;
        socklen_t length = sizeof pending;
        ::getsockopt(m_socket.get(), SOL_SOCKET, SO_ERROR, &pending, &length);
    }
    if (m_readyEvents & POLLIN)
        readReplies(probes, found);
}

std::optional<std::uint32_t> EchoSocket::applyOptions(const IP_OPTION_INFORMATION* options) {
    if (options && options->OptionsSize != 0)
        return IP_BAD_OPTION;
    if (const std::optional<std::uint32_t> refused = setHopLimit(options ? options->Ttl : 0))
        return refused;
    const int tos = options ? options->Tos : 0;
    // Without the don't-fragment bit the kernel may fragment, as the request expects. IPv6 routers never
    // fragment: the source does, once a router has told it the path MTU.
    const bool dontFragment = options && (options->Flags & IP_FLAG_DF);
    const FamilyTraits& traits = traitsOf(m_family);
    const int fd = m_socket.get();
    if (tos != m_tos) {
        if (!setIntOption(fd, traits.level, traits.trafficClass, tos))
            return IP_BAD_OPTION;
        m_tos = tos;
    }
    if (dontFragment != m_dontFragment) {
        const int discovery = dontFragment ? traits.discoveryOn : traits.discoveryOff;
        if (!setIntOption(fd, traits.level, traits.pathMtuDiscovery, discovery) ||
            (m_family == IpFamily::V6 && !setIntOption(fd, SOL_IPV6, IPV6_DONTFRAG, dontFragment ? 1 : 0)))
            return IP_BAD_OPTION;
        m_dontFragment = dontFragment;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> EchoSocket::setHopLimit(std::uint8_t hops) {
    const int ttl = hops != 0 ? hops : -1; // -1: the system's default
    if (ttl == m_ttl)
        return std::nullopt;
    if (!setIntOption(m_socket.get(), traitsOf(m_family).level, traitsOf(m_family).hopLimit, ttl))
        return IP_BAD_OPTION;
    m_ttl = ttl;
    return std::nullopt;
}

void EchoSocket::discardPending() {
    const int fd = m_socket.get();
    for (int i = 0; i < kDrainLimit; ++i) {
        if (::recv(fd, m_receiveBuffer.data(), m_receiveBuffer.size(), MSG_DONTWAIT) < 0 &&
            (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
    }
    if (m_kind == EchoSocketKind::Datagram) {
        ReceivedMessage message(m_receiveBuffer);
        for (int i = 0; i < kDrainLimit; ++i) {
            if (!message.read(fd, MSG_ERRQUEUE | MSG_DONTWAIT) && errno != EINTR)
                break; // the error queue answers EAGAIN when empty
        }
    }
    // An ICMP error also leaves a pending socket error, which the next send would report as its own.
    int pending = 0;
    socklen_t length = sizeof pending;
    ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &pending, &length);
}

bool EchoSocket::readErrorQueue(const ProbeLookup& probes, const AnswerSink& found) {
    ReceivedMessage message(m_receiveBuffer);
    for (int i = 0; i < kDrainLimit; ++i) {
        // The error queue gives back our request, addressed to its destination.
        if (!message.read(m_socket.get(), MSG_ERRQUEUE | MSG_DONTWAIT)) {
            if (errno == EINTR)
                continue;
            return false;
        }
        const std::optional<std::uint16_t> sequence =
            quotedProbe(message.bytes(), message.peer(m_family), probes);
        if (!sequence)
            continue;
        const FamilyTraits& traits = traitsOf(m_family);
        for (cmsghdr* c = message.firstControl(); c != nullptr; c = message.nextControl(c)) {
            if (c->cmsg_level != traits.level || c->cmsg_type != traits.receiveErrors ||
                c->cmsg_len < CMSG_LEN(sizeof(sock_extended_err)))
                continue;
            sock_extended_err error;
            std::memcpy(&error, CMSG_DATA(c), sizeof error);
            // Local errors come back from sendto itself; only errors sent by a router or host count here.
            if (error.ee_origin != traits.errorOrigin)
                continue;
            const std::optional<std::uint32_t> status = traits.statusOfError(error.ee_type, error.ee_code);
            if (!status)
                continue;
            EchoOutcome outcome;
            outcome.replied = true;
            outcome.status = *status;
            // The offender's address follows the error, as a sockaddr of the socket's family.
            const std::size_t offenderSize = c->cmsg_len - CMSG_LEN(sizeof error);
            sockaddr_storage offender{};
            std::memcpy(&offender, CMSG_DATA(c) + sizeof error, std::min(offenderSize, sizeof offender));
            const std::optional<IpAddress> from = IpAddress::fromSockaddr(
                reinterpret_cast<const sockaddr*>(&offender), socklen_t(offenderSize));
            if (from && from->family() == m_family)
                outcome.address = *from;
            if (found(*sequence, outcome, message.arrival()))
                return true;
            break;
        }
    }
    return false;
}

bool EchoSocket::readReplies(const ProbeLookup& probes, const AnswerSink& found) {
    ReceivedMessage message(m_receiveBuffer);
    for (int i = 0; i < kDrainLimit; ++i) {
        if (!message.read(m_socket.get(), MSG_DONTWAIT)) {
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return false;
            continue; // EINTR, or a pending socket error reported once: the queue may hold more
        }
        const std::span<const std::byte> packet = message.bytes();
        if (m_kind == EchoSocketKind::Raw && m_family == IpFamily::V4) {
            const std::optional<EchoAnswer> answer = matchRawPacket(packet, probes);
            if (!answer)
                continue;
            EchoOutcome outcome;
            outcome.replied = true;
            outcome.address = answer->from;
            outcome.ttl = answer->ttl;
            outcome.tos = answer->tos;
            if (answer->type == kIcmpEchoReply)
                outcome.data = answer->data;
            else
                outcome.status = statusOfIcmpError(answer->type, answer->code).value_or(IP_GENERAL_FAILURE);
            if (found(answer->sequence, outcome, message.arrival()))
                return true;
            continue;
        }
        const IpAddress from = message.peer(m_family);
        const std::optional<EchoAnswer> answer = m_kind == EchoSocketKind::Raw
                                                     ? matchRaw6Message(packet, from, probes)
                                                     : matchDatagramReply(packet, from, probes);
        if (!answer)
            continue;
        EchoOutcome outcome;
        outcome.replied = true;
        outcome.address = answer->from;
        if (answer->type == kIcmp6EchoReply || answer->type == kIcmpEchoReply)
            outcome.data = answer->data;
        else
            outcome.status = statusOfIcmp6Error(answer->type, answer->code).value_or(IP_GENERAL_FAILURE);
        readHopsAndClass(message, m_family, outcome);
        if (found(answer->sequence, outcome, message.arrival()))
            return true;
    }
    return false;
}

} // namespace vantrel::net
