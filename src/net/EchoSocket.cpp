#include "net/EchoSocket.h"

#include "net/IpStatus.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <linux/errqueue.h>
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
// Enough for IP_TTL, IP_TOS, and an extended error with its offender address.
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
    const sockaddr_in& peer() const { return m_peer; }
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
    sockaddr_in m_peer{};
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

int openSocket(EchoSocketKind kind) {
    const int type = kind == EchoSocketKind::Datagram ? SOCK_DGRAM : SOCK_RAW;
    return ::socket(AF_INET, type | SOCK_CLOEXEC, IPPROTO_ICMP);
}

// Sets a socket up for its kind; false when the kernel refuses.
bool prepareSocket(int fd, EchoSocketKind kind) {
    if (kind == EchoSocketKind::Datagram)
        return setIntOption(fd, SOL_IP, IP_RECVERR, 1) && setIntOption(fd, SOL_IP, IP_RECVTTL, 1) &&
               setIntOption(fd, SOL_IP, IP_RECVTOS, 1);
    // A raw socket sees all ICMP traffic of the host; let through only what can answer an echo request.
    const std::uint32_t wanted = 1u << kIcmpEchoReply | 1u << kIcmpDestUnreachable | 1u << kIcmpSourceQuench |
                                 1u << kIcmpTimeExceeded | 1u << kIcmpParameterProblem;
    const std::uint32_t blocked = ~wanted;
    return ::setsockopt(fd, SOL_RAW, kIcmpFilterOption, &blocked, sizeof blocked) == 0;
}

EchoOutcome failure(std::uint32_t status) {
    EchoOutcome outcome;
    outcome.status = status;
    return outcome;
}

} // namespace

std::unique_ptr<EchoSocket> EchoSocket::open(std::optional<EchoSocketKind> kind, int& error) {
    const std::vector<EchoSocketKind> kinds =
        kind ? std::vector{*kind} : std::vector{EchoSocketKind::Datagram, EchoSocketKind::Raw};
    for (const EchoSocketKind candidate : kinds) {
        UniqueFd fd(openSocket(candidate));
        if (!fd.valid()) {
            error = errno;
            continue;
        }
        if (!prepareSocket(fd.get(), candidate)) {
            error = errno;
            continue;
        }
        UniqueFd wakeup(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
        if (!wakeup.valid()) {
            error = errno;
            return nullptr;
        }
        const std::uint16_t identifier = candidate == EchoSocketKind::Raw ? takeRawIdentifier() : 0;
        return std::unique_ptr<EchoSocket>(
            new EchoSocket(candidate, std::move(fd), std::move(wakeup), identifier));
    }
    return nullptr;
}

EchoSocket::EchoSocket(EchoSocketKind kind, UniqueFd socket, UniqueFd wakeup, std::uint16_t identifier)
    : m_kind(kind)
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

std::optional<std::uint32_t> EchoSocket::echo(IPAddr destination, std::span<const std::byte> data,
                                              const IP_OPTION_INFORMATION* options, std::uint32_t timeoutMs,
                                              std::span<std::byte> replyBuffer) {
    std::lock_guard lock(m_echoMutex);
    if (m_interrupted)
        return std::nullopt;
    const std::optional<EchoOutcome> outcome = waitForAnswer(destination, data, options, timeoutMs);
    if (!outcome)
        return std::nullopt;
    return writeEchoReply(replyBuffer, *outcome);
}

std::optional<EchoOutcome> EchoSocket::waitForAnswer(IPAddr destination, std::span<const std::byte> data,
                                                     const IP_OPTION_INFORMATION* options,
                                                     std::uint32_t timeoutMs) {
    if (const std::optional<std::uint32_t> refused = applyOptions(options))
        return failure(*refused);
    discardPending();

    const EchoProbe probe{destination, m_identifier, ++m_sequence};
    const ProbeLookup probes = [&probe](std::uint16_t sequence) {
        return sequence == probe.sequence ? std::optional(probe) : std::nullopt;
    };
    m_sentAt = std::chrono::steady_clock::now();
    if (const std::optional<std::uint32_t> refused = send(destination, probe.sequence, data))
        return failure(*refused);

    const auto deadline = m_sentAt + std::chrono::milliseconds(timeoutMs);
    for (bool first = true;; first = false) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 && !first)
            return failure(IP_REQ_TIMED_OUT);
        switch (waitReadable(left)) {
        case Readiness::TimedOut:
            return failure(IP_REQ_TIMED_OUT);
        case Readiness::Interrupted:
            return std::nullopt;
        case Readiness::Failed:
            return failure(IP_GENERAL_FAILURE);
        case Readiness::Readable:
            break;
        }
        std::optional<EchoOutcome> answer;
        readAnswers(probes, [&](std::uint16_t, const EchoOutcome& outcome, auto) {
            answer = outcome;
            return true;
        });
        if (answer) {
            answer->roundTripMs = elapsedMs();
            return answer;
        }
    }
}

std::optional<std::uint32_t> EchoSocket::send(IPAddr destination, std::uint16_t sequence,
                                              std::span<const std::byte> data) {
    // On a datagram socket the kernel puts in its own identifier and the checksum.
    const std::vector<std::byte> request = buildEchoRequest(m_identifier, sequence, data);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = destination;
    // An ICMP error about an earlier request that arrives just before this send leaves a socket error which
    // the send reports (and clears) as its own; a second attempt gives this request's true outcome.
    const int attempts = m_kind == EchoSocketKind::Datagram ? 2 : 1;
    ssize_t sent = -1;
    for (int attempt = 0; attempt < attempts && sent < 0; ++attempt) {
        do {
            sent = ::sendto(m_socket.get(), request.data(), request.size(), 0,
                            reinterpret_cast<sockaddr*>(&to), sizeof to);
        } while (sent < 0 && errno == EINTR);
    }
    if (sent < 0)
        return statusOfSendError(errno);
    return std::nullopt;
}

EchoSocket::Readiness EchoSocket::waitReadable(std::chrono::nanoseconds wait) {
    m_readyEvents = 0;
    const auto seconds = std::chrono::floor<std::chrono::seconds>(std::max(wait, std::chrono::nanoseconds{}));
    const timespec timeout{std::min<long long>(seconds.count(), INT_MAX),
                           long((std::max(wait, std::chrono::nanoseconds{}) - seconds).count())};
    for (;;) {
        pollfd fds[2] = {{m_socket.get(), POLLIN, 0}, {m_wakeup.get(), POLLIN, 0}};
        const int ready = ::ppoll(fds, 2, &timeout, nullptr);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return Readiness::Failed;
        }
        if (ready == 0)
            return Readiness::TimedOut;
        if (fds[1].revents != 0)
            return Readiness::Interrupted;
        if ((fds[0].revents & (POLLIN | POLLERR)) == 0) // POLLHUP or POLLNVAL: the socket is unusable
            return Readiness::Failed;
        m_readyEvents = fds[0].revents;
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
    const int ttl = options && options->Ttl != 0 ? options->Ttl : -1; // -1: the system's default
    const int tos = options ? options->Tos : 0;
    // Without the don't-fragment bit the kernel may fragment, as the request expects.
    const int discovery = options && (options->Flags & IP_FLAG_DF) ? IP_PMTUDISC_DO : IP_PMTUDISC_DONT;
    const int fd = m_socket.get();
    if (ttl != m_ttl) {
        if (!setIntOption(fd, SOL_IP, IP_TTL, ttl))
            return IP_BAD_OPTION;
        m_ttl = ttl;
    }
    if (tos != m_tos) {
        if (!setIntOption(fd, SOL_IP, IP_TOS, tos))
            return IP_BAD_OPTION;
        m_tos = tos;
    }
    if (discovery != m_pmtuDiscovery) {
        if (!setIntOption(fd, SOL_IP, IP_MTU_DISCOVER, discovery))
            return IP_BAD_OPTION;
        m_pmtuDiscovery = discovery;
    }
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

std::uint32_t EchoSocket::elapsedMs() const {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_sentAt);
    return std::uint32_t(std::clamp<long long>(elapsed.count(), 0, UINT32_MAX));
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
            quotedProbe(message.bytes(), message.peer().sin_addr.s_addr, probes);
        if (!sequence)
            continue;
        for (cmsghdr* c = message.firstControl(); c != nullptr; c = message.nextControl(c)) {
            if (c->cmsg_level != SOL_IP || c->cmsg_type != IP_RECVERR ||
                c->cmsg_len < CMSG_LEN(sizeof(sock_extended_err)))
                continue;
            sock_extended_err error;
            std::memcpy(&error, CMSG_DATA(c), sizeof error);
            // Local errors come back from sendto itself; only errors sent by a router or host count here.
            if (error.ee_origin != SO_EE_ORIGIN_ICMP)
                continue;
            const std::optional<std::uint32_t> status = statusOfIcmpError(error.ee_type, error.ee_code);
            if (!status)
                continue;
            EchoOutcome outcome;
            outcome.replied = true;
            outcome.status = *status;
            if (c->cmsg_len >= CMSG_LEN(sizeof error + sizeof(sockaddr_in))) {
                sockaddr_in offender;
                std::memcpy(&offender, CMSG_DATA(c) + sizeof error, sizeof offender);
                if (offender.sin_family == AF_INET)
                    outcome.address = offender.sin_addr.s_addr;
            }
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
        if (m_kind == EchoSocketKind::Raw) {
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
        const std::optional<EchoAnswer> answer =
            matchDatagramReply(packet, message.peer().sin_addr.s_addr, probes);
        if (!answer)
            continue;
        EchoOutcome outcome;
        outcome.replied = true;
        outcome.address = answer->from;
        outcome.data = answer->data;
        for (cmsghdr* c = message.firstControl(); c != nullptr; c = message.nextControl(c)) {
            if (c->cmsg_level != SOL_IP)
                continue;
            if (c->cmsg_type == IP_TTL && c->cmsg_len >= CMSG_LEN(sizeof(int))) {
                int ttl = 0;
                std::memcpy(&ttl, CMSG_DATA(c), sizeof ttl);
                outcome.ttl = std::uint8_t(ttl);
            } else if (c->cmsg_type == IP_TOS && c->cmsg_len >= CMSG_LEN(1)) {
                outcome.tos =
                    std::to_integer<std::uint8_t>(*reinterpret_cast<const std::byte*>(CMSG_DATA(c)));
            }
        }
        if (found(answer->sequence, outcome, message.arrival()))
            return true;
    }
    return false;
}

} // namespace vantrel::net
