#include "ops/EchoAnswer.h"

#include "net/IpStatus.h"

namespace vantrel::ops {

EchoAnswer classifyEchoAnswer(std::uint32_t replies, std::span<const std::byte> replyBuffer,
                              net::IPAddr target) {
    EchoAnswer answer;
    answer.record = net::readEchoReply(replyBuffer);
    if (replies == 0 || !answer.record)
        return answer;
    const bool fromTarget = answer.record->Address == target;
    if (answer.record->Status == net::IP_SUCCESS)
        answer.kind = fromTarget ? EchoAnswer::Kind::Reply : EchoAnswer::Kind::Stranger;
    else
        answer.kind = fromTarget ? EchoAnswer::Kind::Failure : EchoAnswer::Kind::Stranger;
    return answer;
}

} // namespace vantrel::ops
