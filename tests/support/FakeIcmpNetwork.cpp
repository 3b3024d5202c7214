#include "support/FakeIcmpNetwork.h"

#include "net/AddressText.h"
#include "net/IpStatus.h"

#include <algorithm>

namespace vantrel::test {

net::IPAddr address(const char* dotted) {
    return net::inet_addr(dotted);
}

net::IcmpApi FakeIcmpNetwork::api() {
    net::IcmpApi api;
    api.IcmpCreateFile = [this] { return create(); };
    api.IcmpCloseHandle = [this](net::IcmpHandle handle) { return close(handle); };
    api.IcmpSendEcho = [this](net::IcmpHandle handle, net::IPAddr destination,
                              std::span<const std::byte> data, const net::IP_OPTION_INFORMATION* options,
                              std::span<std::byte> reply, std::uint32_t timeoutMs) {
        return sendEcho(handle, destination, data, options, reply, timeoutMs);
    };
    return api;
}

void FakeIcmpNetwork::script(Answer answer, std::optional<net::IPAddr> to) {
    std::lock_guard lock(m_mutex);
    m_script.push_back({std::move(answer), to});
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
    Answer answer;
    answer.replied = false;
    answer.status = status;
    answer.ttl = 0;
    answer.data = std::vector<std::byte>{};
    script(std::move(answer), to);
}

void FakeIcmpNetwork::failSilently(std::optional<net::IPAddr> to) {
    std::lock_guard lock(m_mutex);
    m_script.push_back({std::nullopt, to});
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

net::IcmpHandle FakeIcmpNetwork::create() {
    std::lock_guard lock(m_mutex);
    if (m_refuseHandles)
        return net::INVALID_HANDLE_VALUE;
    const std::uintptr_t number = m_nextHandle++;
    m_handles.emplace(number, true);
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

std::uint32_t FakeIcmpNetwork::sendEcho(net::IcmpHandle handle, net::IPAddr destination,
                                        std::span<const std::byte> data,
                                        const net::IP_OPTION_INFORMATION* options, std::span<std::byte> reply,
                                        std::uint32_t timeoutMs) {
    SentRequest request;
    request.handle = handle;
    request.destination = destination;
    request.hadOptions = options != nullptr;
    if (options) {
        request.ttl = options->Ttl;
        request.tos = options->Tos;
        request.dontFragment = (options->Flags & net::IP_FLAG_DF) != 0;
    }
    request.data.assign(data.begin(), data.end());
    request.replySize = reply.size();
    request.timeoutMs = timeoutMs;

    std::function<void(const SentRequest&)> hook;
    {
        std::lock_guard lock(m_mutex);
        if (m_handles.count(std::uintptr_t(handle)) == 0)
            return 0; // not an open handle: nothing sent, nothing written
        // As the service: a reply that could not be stored is not asked for.
        if (reply.size() < net::IcmpReplySize(data.size())) {
            net::EchoOutcome tooSmall;
            tooSmall.status = net::IP_BUF_TOO_SMALL;
            return net::writeEchoReply(reply, tooSmall);
        }
        m_sent.push_back(request);
        hook = m_hook;
    }
    if (hook)
        hook(request);

    std::optional<Answer> answer;
    bool silent = false;
    {
        std::lock_guard lock(m_mutex);
        const auto next = std::find_if(m_script.begin(), m_script.end(),
                                       [&](const Scripted& s) { return !s.to || *s.to == destination; });
        if (next != m_script.end()) {
            answer = next->answer;
            silent = !next->answer;
            m_script.erase(next);
        } else {
            answer = m_defaultAnswer;
        }
    }
    if (silent)
        return 0;
    if (!answer) {
        answer = Answer{};
        answer->replied = false;
        answer->status = net::IP_REQ_TIMED_OUT;
        answer->ttl = 0;
        answer->data = std::vector<std::byte>{};
    }
    net::EchoOutcome outcome;
    outcome.replied = answer->replied;
    outcome.status = answer->status;
    outcome.address = answer->from;
    outcome.roundTripMs = answer->roundTripMs;
    outcome.ttl = answer->ttl;
    outcome.data = answer->data ? std::span<const std::byte>(*answer->data) : data;
    return net::writeEchoReply(reply, outcome);
}

} // namespace vantrel::test
