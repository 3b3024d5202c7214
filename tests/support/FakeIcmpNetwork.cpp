#include "support/FakeIcmpNetwork.h"

#include "net/AddressText.h"
#include "net/EchoOutcome.h"
#include "net/IpStatus.h"

#include <algorithm>
#include <map>

namespace vantrel::test {

net::IPAddr address(const char* dotted) {
    return net::inet_addr(dotted);
}

// A sweep on the scripted network, on a clock of its own that each wait moves on to the next decision.
class FakeIcmpNetwork::Sweep final : public net::EchoSweep {
public:
    explicit Sweep(FakeIcmpNetwork& network)
        : m_network(network) {}

    void send(std::uint64_t ticket, const net::IpAddress& destination, std::span<const std::byte> data,
              std::uint32_t timeoutMs, std::uint8_t hopLimit) override {
        SentRequest request;
        request.ttl = hopLimit;
        request.handle = net::INVALID_HANDLE_VALUE;
        if (destination.isV4())
            request.destination = destination.v4();
        else
            request.destination6 = destination;
        request.data.assign(data.begin(), data.end());
        request.timeoutMs = timeoutMs;
        m_network.record(request, false);
        const std::optional<Answer> answer = m_network.takeAnswer(destination);
        net::SweepAnswer decided{ticket, {}};
        std::uint64_t after = timeoutMs;
        if (!answer || !answer->replied) {
            decided.outcome.status = answer ? answer->status : net::IP_REQ_TIMED_OUT;
            // A refused send is decided at once; no answer at all, when the time is up.
            if (decided.outcome.status != net::IP_REQ_TIMED_OUT)
                after = 0;
        } else {
            decided.outcome = outcomeOf(*answer);
            decided.outcome.data = {};
            after = std::min<std::uint64_t>(answer->roundTripMs, timeoutMs);
        }
        m_pending.emplace(std::pair{m_now + after, m_order++}, decided);
        std::lock_guard lock(m_network.m_mutex);
        m_network.m_sweepMostInFlight = std::max(m_network.m_sweepMostInFlight, m_pending.size());
    }

    std::vector<net::SweepAnswer> wait(std::chrono::milliseconds) override {
        std::vector<net::SweepAnswer> decided;
        if (m_pending.empty())
            return decided;
        m_now = m_pending.begin()->first.first;
        while (!m_pending.empty() && m_pending.begin()->first.first == m_now) {
            decided.push_back(m_pending.begin()->second);
            m_pending.erase(m_pending.begin());
        }
        return decided;
    }

    void cancel() override { m_pending.clear(); }
    void interrupt() override {}

private:
    FakeIcmpNetwork& m_network;
    std::uint64_t m_now = 0;
    std::uint64_t m_order = 0;
    std::map<std::pair<std::uint64_t, std::uint64_t>, net::SweepAnswer> m_pending; // by time, then order
};

net::IcmpApi FakeIcmpNetwork::api() {
    net::IcmpApi api;
    api.IcmpCreateFile = [this] { return create(net::IpFamily::V4); };
    api.IcmpCloseHandle = [this](net::IcmpHandle handle) { return close(handle); };
    api.IcmpSendEcho = [this](net::IcmpHandle handle, net::IPAddr destination,
                              std::span<const std::byte> data, const net::IP_OPTION_INFORMATION* options,
                              std::span<std::byte> reply, std::uint32_t timeoutMs) {
        SentRequest request;
        request.destination = destination;
        request.data.assign(data.begin(), data.end());
        request.timeoutMs = timeoutMs;
        return sendEcho(net::IpFamily::V4, handle, net::IpAddress::fromV4(destination), std::move(request),
                        options, reply);
    };
    api.Icmp6CreateFile = [this] { return create(net::IpFamily::V6); };
    api.Icmp6SendEcho2 = [this](net::IcmpHandle handle, const sockaddr_in6* source,
                                const sockaddr_in6& destination, std::span<const std::byte> data,
                                const net::IP_OPTION_INFORMATION* options, std::span<std::byte> reply,
                                std::uint32_t timeoutMs) {
        // As the service: an IPv4-mapped address comes back as IPv4, which this entry refuses.
        const net::IpAddress to =
            net::IpAddress::fromSockaddr(reinterpret_cast<const sockaddr*>(&destination), sizeof destination)
                .value_or(net::IpAddress());
        SentRequest request;
        request.destination6 = to;
        request.hadSource = source != nullptr;
        request.data.assign(data.begin(), data.end());
        request.timeoutMs = timeoutMs;
        return sendEcho(net::IpFamily::V6, handle, to, std::move(request), options, reply);
    };
    api.openEchoSweep = [this]() -> std::unique_ptr<net::EchoSweep> {
        std::lock_guard lock(m_mutex);
        if (m_refuseHandles)
            return nullptr;
        return std::make_unique<Sweep>(*this);
    };
    return api;
}

void FakeIcmpNetwork::script(Answer answer, std::optional<net::IPAddr> to) {
    script6(std::move(answer), to ? std::optional(net::IpAddress::fromV4(*to)) : std::nullopt);
}

void FakeIcmpNetwork::script6(Answer answer, std::optional<net::IpAddress> to) {
    std::lock_guard lock(m_mutex);
    m_script.push_back({std::move(answer), to});
}

void FakeIcmpNetwork::reply6(const net::IpAddress& from, std::uint32_t roundTripMs, std::uint8_t hopLimit,
                             std::optional<net::IpAddress> to) {
    Answer answer = echoReply(0, roundTripMs);
    answer.from6 = from;
    answer.ttl = hopLimit;
    script6(std::move(answer), to);
}

void FakeIcmpNetwork::error6(const net::IpAddress& from, std::uint32_t status, std::uint32_t roundTripMs,
                             std::optional<net::IpAddress> to) {
    Answer answer = echoReply(0, roundTripMs);
    answer.from6 = from;
    answer.status = status;
    answer.data = std::vector<std::byte>{};
    script6(std::move(answer), to);
}

void FakeIcmpNetwork::fail6(std::uint32_t status, std::optional<net::IpAddress> to) {
    Answer answer;
    answer.replied = false;
    answer.status = status;
    answer.ttl = 0;
    answer.data = std::vector<std::byte>{};
    script6(std::move(answer), to);
}

void FakeIcmpNetwork::reply(net::IPAddr from, std::uint32_t roundTripMs, std::uint8_t ttl,
                            std::optional<net::IPAddr> to) {
    Answer answer;
    answer.from = from;
    answer.roundTripMs = roundTripMs;
    answer.ttl = ttl;
    script(std::move(answer), to);
}

void FakeIcmpNetwork::replyWithData(net::IPAddr from, std::uint32_t roundTripMs, std::vector<std::byte> data,
                                    std::optional<net::IPAddr> to) {
    Answer answer;
    answer.from = from;
    answer.roundTripMs = roundTripMs;
    answer.data = std::move(data);
    script(std::move(answer), to);
}

void FakeIcmpNetwork::error(net::IPAddr from, std::uint32_t status, std::uint32_t roundTripMs,
                            std::optional<net::IPAddr> to) {
    Answer answer;
    answer.from = from;
    answer.status = status;
    answer.roundTripMs = roundTripMs;
    answer.data = std::vector<std::byte>{};
    script(std::move(answer), to);
}

void FakeIcmpNetwork::fail(std::uint32_t status, std::optional<net::IPAddr> to) {
    fail6(status, to ? std::optional(net::IpAddress::fromV4(*to)) : std::nullopt);
}

void FakeIcmpNetwork::failSilently(std::optional<net::IPAddr> to) {
    std::lock_guard lock(m_mutex);
    m_script.push_back({std::nullopt, to ? std::optional(net::IpAddress::fromV4(*to)) : std::nullopt});
}

void FakeIcmpNetwork::setDefaultAnswer(std::optional<Answer> answer) {
    std::lock_guard lock(m_mutex);
    m_defaultAnswer = std::move(answer);
}

void FakeIcmpNetwork::refuseHandles(bool refuse) {
    std::lock_guard lock(m_mutex);
    m_refuseHandles = refuse;
}

void FakeIcmpNetwork::onRequest(std::function<void(const SentRequest&)> hook) {
    std::lock_guard lock(m_mutex);
    m_hook = std::move(hook);
}

std::vector<FakeIcmpNetwork::SentRequest> FakeIcmpNetwork::sent() const {
    std::lock_guard lock(m_mutex);
    return m_sent;
}

std::size_t FakeIcmpNetwork::openHandles() const {
    std::lock_guard lock(m_mutex);
    return m_handles.size();
}

int FakeIcmpNetwork::handlesCreated() const {
    std::lock_guard lock(m_mutex);
    return m_created;
}

int FakeIcmpNetwork::handlesClosed() const {
    std::lock_guard lock(m_mutex);
    return m_closed;
}

std::size_t FakeIcmpNetwork::scriptedLeft() const {
    std::lock_guard lock(m_mutex);
    return m_script.size();
}

net::IcmpHandle FakeIcmpNetwork::create(net::IpFamily family) {
    std::lock_guard lock(m_mutex);
    if (m_refuseHandles)
        return net::INVALID_HANDLE_VALUE;
    const std::uintptr_t number = m_nextHandle++;
    m_handles.emplace(number, family);
    ++m_created;
    return net::IcmpHandle{number};
}

bool FakeIcmpNetwork::close(net::IcmpHandle handle) {
    std::lock_guard lock(m_mutex);
    if (m_handles.erase(std::uintptr_t(handle)) == 0)
        return false;
    ++m_closed;
    return true;
}

std::uint32_t FakeIcmpNetwork::sendEcho(net::IpFamily entry, net::IcmpHandle handle,
                                        const net::IpAddress& destination, SentRequest request,
                                        const net::IP_OPTION_INFORMATION* options,
                                        std::span<std::byte> reply) {
    const bool v4 = entry == net::IpFamily::V4;
    const auto write = [&](const net::EchoOutcome& outcome) {
        return v4 ? net::writeEchoReply(reply, outcome) : net::writeEcho6Reply(reply, outcome);
    };
    request.handle = handle;
    request.hadOptions = options != nullptr;
    if (options) {
        request.ttl = options->Ttl;
        request.tos = options->Tos;
        request.dontFragment = (options->Flags & net::IP_FLAG_DF) != 0;
    }
    request.replySize = reply.size();

    {
        std::lock_guard lock(m_mutex);
        // As the service: a reply that could not be stored is not asked for, nor one of the other family.
        const auto open = m_handles.find(std::uintptr_t(handle));
        const std::size_t needed =
            v4 ? net::IcmpReplySize(request.data.size()) : net::Icmp6ReplySize(request.data.size());
        if (open != m_handles.end() && reply.size() < needed)
            return write(net::EchoOutcome::failure(net::IP_BUF_TOO_SMALL));
        if (open != m_handles.end() && (open->second != entry || destination.family() != entry))
            return write(net::EchoOutcome::failure(net::IP_BAD_DESTINATION));
    }
    const std::vector<std::byte> data = request.data;
    if (!record(request, true))
        return 0; // not an open handle: nothing sent, nothing written
    std::optional<Answer> answer = takeAnswer(destination);
    if (!answer)
        return 0;
    net::EchoOutcome outcome = outcomeOf(*answer);
    if (!answer->data)
        outcome.data = data;
    return write(outcome);
}

net::EchoOutcome FakeIcmpNetwork::outcomeOf(const Answer& answer) {
    net::EchoOutcome outcome;
    outcome.replied = answer.replied;
    outcome.status = answer.status;
    outcome.address = answer.from6 ? *answer.from6 : net::IpAddress::fromV4(answer.from);
    outcome.roundTrip =
        std::chrono::milliseconds(answer.roundTripMs) + std::chrono::microseconds(answer.extraMicroseconds);
    outcome.ttl = answer.ttl;
    if (answer.data)
        outcome.data = *answer.data;
    return outcome;
}

std::size_t FakeIcmpNetwork::sweepMostInFlight() const {
    std::lock_guard lock(m_mutex);
    return m_sweepMostInFlight;
}

bool FakeIcmpNetwork::record(const SentRequest& request, bool checkHandle) {
    std::function<void(const SentRequest&)> hook;
    {
        std::lock_guard lock(m_mutex);
        if (checkHandle && m_handles.count(std::uintptr_t(request.handle)) == 0)
            return false;
        m_sent.push_back(request);
        hook = m_hook;
    }
    if (hook)
        hook(request);
    return true;
}

std::optional<FakeIcmpNetwork::Answer> FakeIcmpNetwork::takeAnswer(const net::IpAddress& destination) {
    std::lock_guard lock(m_mutex);
    const auto next = std::find_if(m_script.begin(), m_script.end(),
                                   [&](const Scripted& s) { return !s.to || *s.to == destination; });
    if (next != m_script.end()) {
        std::optional<Answer> answer = next->answer;
        m_script.erase(next);
        return answer;
    }
    if (m_defaultAnswer)
        return m_defaultAnswer;
    Answer timeout;
    timeout.replied = false;
    timeout.status = net::IP_REQ_TIMED_OUT;
    timeout.ttl = 0;
    timeout.data = std::vector<std::byte>{};
    return timeout;
}

} // namespace vantrel::test
