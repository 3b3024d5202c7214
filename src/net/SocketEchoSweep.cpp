#include "net/SocketEchoSweep.h"

#include "net/IpStatus.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace vantrel::net {

namespace {

SweepAnswer failed(std::uint64_t ticket, std::uint32_t status) {
    SweepAnswer answer{ticket, {}};
    answer.outcome.status = status;
    return answer;
}

} // namespace

std::unique_ptr<EchoSweep> SocketEchoSweep::open(std::optional<EchoSocketKind> kind, int& error,
                                                 std::chrono::microseconds pace) {
    std::unique_ptr<EchoSocket> socket = EchoSocket::open(IpFamily::V4, kind, error);
    if (!socket)
        return nullptr;
    // Answers are read when the sweep's thread gets to them (it may be writing a row or looking a name up
    // meanwhile): their round trips are measured to the kernel's arrival stamps (every socket asks for
    // them as it opens), not to the reading.
    return std::unique_ptr<EchoSweep>(new SocketEchoSweep(std::move(socket), kind, pace));
}

SocketEchoSweep::SocketEchoSweep(std::unique_ptr<EchoSocket> socket, std::optional<EchoSocketKind> kind,
                                 std::chrono::microseconds pace)
    : m_v4(std::move(socket))
    , m_kind(kind)
    , m_pace(pace) {}

EchoSocket* SocketEchoSweep::socketFor(IpFamily family) {
    if (family == IpFamily::V4)
        return m_v4.get();
    if (!m_v6 && m_v6OpenError == 0) {
        int error = 0;
        m_v6 = EchoSocket::open(IpFamily::V6, m_kind, error);
        if (!m_v6)
            m_v6OpenError = error != 0 ? error : EAFNOSUPPORT;
    }
    return m_v6.get();
}

void SocketEchoSweep::send(std::uint64_t ticket, const IpAddress& destination,
                           std::span<const std::byte> data, std::uint32_t timeoutMs, std::uint8_t hopLimit) {
    m_queue.push_back(
        {ticket, destination, std::vector<std::byte>(data.begin(), data.end()), timeoutMs, hopLimit});
}

void SocketEchoSweep::cancel() {
    m_queue.clear();
    m_inFlight.clear();
}

std::uint16_t SocketEchoSweep::nextSequence(IpFamily family) {
    // Never one still waiting for its answer: a late reply must not be taken for a new request's.
    std::uint16_t& sequence = m_sequence[family == IpFamily::V4 ? 0 : 1];
    do
        ++sequence;
    while (m_inFlight.count({family, sequence}) != 0);
    return sequence;
}

void SocketEchoSweep::sendDue(std::vector<SweepAnswer>& decided) {
    while (!m_queue.empty()) {
        const Clock::time_point now = Clock::now();
        if (now < m_nextSend)
            return;
        const Queued request = std::move(m_queue.front());
        m_queue.pop_front();
        // Counted from the send itself, so a late wake-up never makes up for lost time with a burst.
        m_nextSend = now + m_pace;
        const IpFamily family = request.destination.family();
        EchoSocket* socket = socketFor(family);
        if (socket == nullptr) {
            decided.push_back(failed(request.ticket, IP_GENERAL_FAILURE));
            continue;
        }
        const std::uint16_t sequence = nextSequence(family);
        std::optional<std::uint32_t> refused = socket->setHopLimit(request.hopLimit);
        if (!refused)
            refused = socket->send(request.destination, sequence, request.data);
        if (refused) {
            decided.push_back(failed(request.ticket, *refused));
            continue;
        }
        const SendMoment sent = SendMoment::now();
        m_inFlight[{family, sequence}] = {request.ticket, request.destination, sent,
                                          sent.steady() + std::chrono::milliseconds(request.timeoutMs)};
    }
}

void SocketEchoSweep::expire(std::vector<SweepAnswer>& decided) {
    const Clock::time_point now = Clock::now();
    for (auto it = m_inFlight.begin(); it != m_inFlight.end();) {
        if (it->second.deadline <= now) {
            decided.push_back(failed(it->second.ticket, IP_REQ_TIMED_OUT));
            it = m_inFlight.erase(it);
        } else {
            ++it;
        }
    }
}

void SocketEchoSweep::readAnswers(EchoSocket& socket, std::vector<SweepAnswer>& decided) {
    const std::uint16_t identifier = socket.identifier();
    const IpFamily family = socket.family();
    const ProbeLookup probes = [&](std::uint16_t sequence) -> std::optional<EchoProbe> {
        const auto found = m_inFlight.find({family, sequence});
        if (found == m_inFlight.end())
            return std::nullopt;
        return EchoProbe{found->second.destination, identifier, sequence};
    };
    socket.readAnswers(probes, [&](std::uint16_t sequence, const EchoOutcome& outcome,
                                   std::optional<std::chrono::nanoseconds> arrived) {
        const auto found = m_inFlight.find({family, sequence});
        SweepAnswer answer{found->second.ticket, outcome};
        answer.outcome.roundTrip = found->second.sent.roundTrip(arrived);
        answer.outcome.data = {};
        decided.push_back(answer);
        m_inFlight.erase(found);
        return false;
    });
}

std::optional<SocketEchoSweep::Clock::time_point> SocketEchoSweep::nextEvent() const {
    std::optional<Clock::time_point> next;
    if (!m_queue.empty())
        next = m_nextSend;
    for (const auto& [key, request] : m_inFlight)
        next = next ? std::min(*next, request.deadline) : request.deadline;
    return next;
}

std::vector<SweepAnswer> SocketEchoSweep::wait(std::chrono::milliseconds wait) {
    const Clock::time_point until = Clock::now() + wait;
    std::vector<SweepAnswer> decided;
    for (;;) {
        sendDue(decided);
        expire(decided);
        if (!decided.empty())
            return decided;
        const Clock::time_point now = Clock::now();
        if (now >= until)
            return decided;
        const Clock::time_point wake = std::min(until, nextEvent().value_or(until));
        switch (m_v4->waitReadable(std::max(wake - now, Clock::duration{}), m_v6.get())) {
        case EchoSocket::Readiness::Interrupted:
            return decided;
        case EchoSocket::Readiness::Failed:
            // The socket is unusable: every request fails rather than wait for answers that cannot come.
            for (const auto& [key, request] : m_inFlight)
                decided.push_back(failed(request.ticket, IP_GENERAL_FAILURE));
            for (const Queued& request : m_queue)
                decided.push_back(failed(request.ticket, IP_GENERAL_FAILURE));
            cancel();
            return decided;
        case EchoSocket::Readiness::TimedOut:
            break;
        case EchoSocket::Readiness::Readable:
            readAnswers(*m_v4, decided);
            if (m_v6)
                readAnswers(*m_v6, decided);
            break;
        }
    }
}

} // namespace vantrel::net
