#include "ops/EchoAnswer.h"

#include "net/IpStatus.h"

namespace vantrel::ops {

namespace {

template <class Record>
EchoRecord neutral(const Record& record, net::IpAddress from, std::span<const std::byte> replyBuffer) {
    return {from,
            record.Status,
            record.RoundTripTime,
            record.DataSize,
            record.Options,
            net::echoReplyData(record, replyBuffer),
            net::recordRoundTrip(record)};
}

std::optional<EchoRecord> readRecord(std::span<const std::byte> replyBuffer, net::IpFamily family) {
    if (family == net::IpFamily::V4) {
        const std::optional<net::ICMP_ECHO_REPLY> record = net::readEchoReply(replyBuffer);
        if (!record)
            return std::nullopt;
        return neutral(*record, net::IpAddress::fromV4(record->Address), replyBuffer);
    }
    const std::optional<net::ICMPV6_ECHO_REPLY> record = net::readEcho6Reply(replyBuffer);
    if (!record)
        return std::nullopt;
    const std::optional<net::IpAddress> from = net::IpAddress::fromSockaddr(
        reinterpret_cast<const sockaddr*>(&record->Address), sizeof record->Address);
    return neutral(*record, from.value_or(net::IpAddress()), replyBuffer);
}

} // namespace

EchoAnswer classifyEchoAnswer(std::uint32_t replies, std::span<const std::byte> replyBuffer,
                              const net::IpAddress& target) {
    EchoAnswer answer;
    answer.replies = replies;
    answer.record = readRecord(replyBuffer, target.family());
    if (replies == 0 || !answer.record)
        return answer;
    answer.kind = replyKind(answer.record->Status, answer.record->Address, target);
    return answer;
}

EchoAnswer::Kind replyKind(std::uint32_t status, const net::IpAddress& from, const net::IpAddress& target) {
    if (from != target)
        return EchoAnswer::Kind::Stranger;
    return status == net::IP_SUCCESS ? EchoAnswer::Kind::Reply : EchoAnswer::Kind::Failure;
}

} // namespace vantrel::ops
