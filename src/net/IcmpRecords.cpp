#include "net/IcmpRecords.h"

#include "net/IpStatus.h"

#include <algorithm>
#include <cstring>

namespace vantrel::net {

std::uint32_t writeEchoReply(std::span<std::byte> replyBuffer, const EchoOutcome& outcome) {
    if (replyBuffer.size() < sizeof(ICMP_ECHO_REPLY))
        return 0;

    ICMP_ECHO_REPLY reply;
    reply.Address = outcome.address;
    reply.Status = outcome.status;
    reply.RoundTripTime = outcome.roundTripMs;
    reply.Options.Ttl = outcome.ttl;
    reply.Options.Tos = outcome.tos;
    std::uint32_t written = outcome.replied ? 1 : 0;

    const std::span<std::byte> room = replyBuffer.subspan(sizeof(ICMP_ECHO_REPLY));
    if (outcome.data.size() > room.size() || outcome.data.size() > 0xffff) {
        reply.Status = IP_BUF_TOO_SMALL;
        written = 0;
    } else if (written != 0) {
        std::copy(outcome.data.begin(), outcome.data.end(), room.begin());
        reply.DataSize = std::uint16_t(outcome.data.size());
        reply.Data = room.data();
    }
    std::memcpy(replyBuffer.data(), &reply, sizeof reply);
    return written;
}

std::optional<ICMP_ECHO_REPLY> readEchoReply(std::span<const std::byte> replyBuffer) {
    if (replyBuffer.size() < sizeof(ICMP_ECHO_REPLY))
        return std::nullopt;
    ICMP_ECHO_REPLY reply;
    std::memcpy(&reply, replyBuffer.data(), sizeof reply);
    return reply;
}

std::span<const std::byte> echoReplyData(const ICMP_ECHO_REPLY& reply,
                                         std::span<const std::byte> replyBuffer) {
    if (reply.Data == nullptr || reply.DataSize == 0)
        return {};
    // Compare as addresses: the pointer may come from anywhere, so it is never formed into a span unless
    // the whole range lies inside the buffer.
    const auto begin = reinterpret_cast<std::uintptr_t>(replyBuffer.data());
    const auto end = begin + replyBuffer.size();
    const auto data = reinterpret_cast<std::uintptr_t>(reply.Data);
    if (data < begin || data > end || end - data < reply.DataSize)
        return {};
    return replyBuffer.subspan(data - begin, reply.DataSize);
}

} // namespace vantrel::net
