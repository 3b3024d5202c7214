#include "net/IcmpRecords.h"

#include "net/EchoOutcome.h"
#include "net/IpStatus.h"

#include <algorithm>
#include <cstring>

namespace vantrel::net {

namespace {

// Fills in everything but the address, which `reply` already holds, and writes the record.
template <class Record>
std::uint32_t writeRecord(std::span<std::byte> replyBuffer, const EchoOutcome& outcome, Record reply) {
    reply.Status = outcome.status;
    reply.RoundTripTime = outcome.roundTripMs();
    reply.Reserved = outcome.roundTripFraction();
    reply.Options.Ttl = outcome.ttl;
    reply.Options.Tos = outcome.tos;
    std::uint32_t written = outcome.replied ? 1 : 0;

    const std::span<std::byte> room = replyBuffer.subspan(sizeof(Record));
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

template <class Record> std::optional<Record> readRecord(std::span<const std::byte> replyBuffer) {
    if (replyBuffer.size() < sizeof(Record))
        return std::nullopt;
    Record reply;
    std::memcpy(&reply, replyBuffer.data(), sizeof reply);
    return reply;
}

template <class Record>
std::span<const std::byte> recordData(const Record& reply, std::span<const std::byte> replyBuffer) {
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

} // namespace

std::uint32_t writeEchoReply(std::span<std::byte> replyBuffer, const EchoOutcome& outcome) {
    if (replyBuffer.size() < sizeof(ICMP_ECHO_REPLY))
        return 0;
    ICMP_ECHO_REPLY reply;
    reply.Address = outcome.address.isV4() ? outcome.address.v4() : 0;
    return writeRecord(replyBuffer, outcome, reply);
}

std::uint32_t writeEcho6Reply(std::span<std::byte> replyBuffer, const EchoOutcome& outcome) {
    if (replyBuffer.size() < sizeof(ICMPV6_ECHO_REPLY))
        return 0;
    ICMPV6_ECHO_REPLY reply;
    reply.Address.sin6_family = AF_INET6;
    if (outcome.address.isV6()) {
        std::memcpy(&reply.Address.sin6_addr, outcome.address.v6().data(), sizeof reply.Address.sin6_addr);
        reply.Address.sin6_scope_id = outcome.address.scopeId();
    }
    return writeRecord(replyBuffer, outcome, reply);
}

std::optional<ICMP_ECHO_REPLY> readEchoReply(std::span<const std::byte> replyBuffer) {
    return readRecord<ICMP_ECHO_REPLY>(replyBuffer);
}

std::optional<ICMPV6_ECHO_REPLY> readEcho6Reply(std::span<const std::byte> replyBuffer) {
    return readRecord<ICMPV6_ECHO_REPLY>(replyBuffer);
}

std::span<const std::byte> echoReplyData(const ICMP_ECHO_REPLY& reply,
                                         std::span<const std::byte> replyBuffer) {
    return recordData(reply, replyBuffer);
}

std::span<const std::byte> echoReplyData(const ICMPV6_ECHO_REPLY& reply,
                                         std::span<const std::byte> replyBuffer) {
    return recordData(reply, replyBuffer);
}

} // namespace vantrel::net
