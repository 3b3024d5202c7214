#include "ops/EchoAnswer.h"

#include "net/IpStatus.h"

namespace vantrel::ops {

EchoAnswer classifyEchoAnswer(std::uint32_t replies, std::span<const std::byte> replyBuffer,
                              net::IPAddr target) {
    EchoAnswer answer;
    answer.record = net::readEchoReply(replyBuffer);
    if (replies == 0 || !answer.record)
        return answer;
    answer.kind = replyKind(answer.record->Status, answer.record->Address, target);
    return answer;
}

EchoAnswer::Kind replyKind(std::uint32_t status, net::IPAddr from, net::IPAddr target) {
    return replyKind(status, net::IpAddress::fromV4(from), net::IpAddress::fromV4(target));
}

EchoAnswer::Kind replyKind(std::uint32_t status, const net::IpAddress& from, const net::IpAddress& target) {
    if (from != target)
        return EchoAnswer::Kind::Stranger;
    return status == net::IP_SUCCESS ? EchoAnswer::Kind::Reply : EchoAnswer::Kind::Failure;
}

} // namespace vantrel::ops
