#include "net/IcmpPacket.h"

#include "PacketBuilder.h"
#include "net/EchoOutcome.h"
#include "net/IcmpRecords.h"
#include "net/IpStatus.h"
#include "net/SendMoment.h"
#include "support/FakeIcmpNetwork.h"

#include <QStringList>
#include <cerrno>
#include <gtest/gtest.h>

namespace vantrel::net {
namespace {

using test::address;
using test::bytesOf;
using test::icmpError;
using test::icmpMessage;
using test::ipv4Packet;

const IPAddr kUs = address("10.201.1.1");
const IPAddr kTarget = address("10.201.3.2");
const IPAddr kRouter = address("10.201.1.2");
constexpr std::uint16_t kId = 0x4242;
constexpr std::uint16_t kSeq = 7;
const EchoProbe kProbe{IpAddress::fromV4(kTarget), kId, kSeq};

IpAddress at(IPAddr address) {
    return IpAddress::fromV4(address);
}

// The request as it left us, IP header included, which an ICMP error quotes.
std::vector<std::byte> ourRequest(std::uint16_t id = kId, std::uint16_t seq = kSeq, IPAddr to = kTarget) {
    return ipv4Packet(kUs, to, buildEchoRequest(id, seq, bytesOf("Yiv")));
}

TEST(IcmpChecksum, MatchesKnownValuesAndVerifiesToZero) {
    // RFC 1071's example words 0001 f203 f4f5 f6f7 sum to ddf2, whose complement is 220d.
    const std::vector<std::byte> words{std::byte{0x00}, std::byte{0x01}, std::byte{0xf2}, std::byte{0x03},
                                       std::byte{0xf4}, std::byte{0xf5}, std::byte{0xf6}, std::byte{0xf7}};
    EXPECT_EQ(internetChecksum(words), 0x220d);
    // An odd length pads the last byte with zero.
    EXPECT_EQ(internetChecksum(std::vector{std::byte{0x01}}), 0xfeff);
    const std::vector<std::byte> request = buildEchoRequest(1, 2, bytesOf("odd"));
    EXPECT_EQ(internetChecksum(request), 0);
    EXPECT_EQ(std::to_integer<int>(request[0]), kIcmpEchoRequest);
}

TEST(RawPacketMatching, TakesOnlyTheEchoReplyWithOurIdentifierAndSequence) {
    const auto reply = [](std::uint16_t id, std::uint16_t seq) {
        return ipv4Packet(kTarget, kUs, icmpMessage(kIcmpEchoReply, 0, id, seq, bytesOf("Yiv")), 57);
    };
    const std::vector<std::byte> packet = reply(kId, kSeq); // the answer's data points into it
    const std::optional<EchoAnswer> answer = matchRawPacket(packet, kProbe);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->from, at(kTarget));
    EXPECT_EQ(answer->type, kIcmpEchoReply);
    EXPECT_EQ(answer->ttl, 57);
    EXPECT_EQ(std::vector(answer->data.begin(), answer->data.end()), bytesOf("Yiv"));

    EXPECT_FALSE(matchRawPacket(reply(kId + 1, kSeq), kProbe)) << "another handle or program";
    EXPECT_FALSE(matchRawPacket(reply(kId, kSeq - 1), kProbe)) << "an earlier request of ours";
    // Our own request, seen on loopback, is no answer.
    EXPECT_FALSE(matchRawPacket(ipv4Packet(kUs, kTarget, buildEchoRequest(kId, kSeq, {})), kProbe));
}

TEST(RawPacketMatching, RefusesDamagedPackets) {
    std::vector<std::byte> good = ipv4Packet(kTarget, kUs, icmpMessage(kIcmpEchoReply, 0, kId, kSeq, {}));
    ASSERT_TRUE(matchRawPacket(good, kProbe));

    for (std::size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(matchRawPacket(std::span(good).first(length), kProbe)) << "cut to " << length;

    std::vector<std::byte> badSum = good;
    badSum[20 + 6] ^= std::byte{0x01};
    EXPECT_FALSE(matchRawPacket(badSum, kProbe));

    std::vector<std::byte> longHeader = good;
    longHeader[0] = std::byte{0x4f}; // 60-byte header claimed in a 28-byte packet
    EXPECT_FALSE(matchRawPacket(longHeader, kProbe));

    std::vector<std::byte> shortHeader = good;
    shortHeader[0] = std::byte{0x44}; // 16 bytes: less than any IPv4 header
    EXPECT_FALSE(matchRawPacket(shortHeader, kProbe));

    std::vector<std::byte> ipv6 = good;
    ipv6[0] = std::byte{0x65};
    EXPECT_FALSE(matchRawPacket(ipv6, kProbe));

    std::vector<std::byte> notIcmp = ipv4Packet(kTarget, kUs, icmpMessage(0, 0, kId, kSeq, {}), 64, 20, 17);
    EXPECT_FALSE(matchRawPacket(notIcmp, kProbe));

    std::vector<std::byte> shortTotal = good;
    test::putU16(shortTotal, 2, 12); // total length shorter than the header
    EXPECT_FALSE(matchRawPacket(shortTotal, kProbe));
}

TEST(RawPacketMatching, HonoursHeaderOptionsAndTotalLength) {
    // A 24-byte header (one option word) and link-layer padding after the total length.
    std::vector<std::byte> packet =
        ipv4Packet(kTarget, kUs, icmpMessage(kIcmpEchoReply, 0, kId, kSeq, bytesOf("ab")), 64, 24);
    packet.push_back(std::byte{0xee});
    packet.push_back(std::byte{0xee});
    const std::optional<EchoAnswer> answer = matchRawPacket(packet, kProbe);
    ASSERT_TRUE(answer);
    EXPECT_EQ(std::vector(answer->data.begin(), answer->data.end()), bytesOf("ab"));
}

TEST(RawPacketMatching, TakesErrorsQuotingOurRequestAsTheRoutersAnswer) {
    const std::optional<EchoAnswer> answer =
        matchRawPacket(icmpError(kRouter, kUs, kIcmpTimeExceeded, 0, ourRequest()), kProbe);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->from, at(kRouter));
    EXPECT_EQ(answer->type, kIcmpTimeExceeded);
    EXPECT_TRUE(answer->data.empty());

    // Errors quoting just the 8 bytes of ICMP header that every router must return still count.
    std::vector<std::byte> minimal = ourRequest();
    minimal.resize(28);
    EXPECT_TRUE(matchRawPacket(icmpError(kRouter, kUs, kIcmpDestUnreachable, 1, minimal), kProbe));

    for (const std::uint8_t type : {kIcmpDestUnreachable, kIcmpSourceQuench, kIcmpParameterProblem})
        EXPECT_TRUE(matchRawPacket(icmpError(kRouter, kUs, type, 0, ourRequest()), kProbe)) << int(type);
    // A redirect quotes our request too but is no answer to it.
    EXPECT_FALSE(matchRawPacket(icmpError(kRouter, kUs, 5, 1, ourRequest()), kProbe));
}

TEST(RawPacketMatching, IgnoresErrorsAboutOtherRequests) {
    const auto error = [](const std::vector<std::byte>& quoted) {
        return icmpError(kRouter, kUs, kIcmpTimeExceeded, 0, quoted);
    };
    EXPECT_FALSE(matchRawPacket(error(ourRequest(kId + 1)), kProbe)) << "other identifier";
    EXPECT_FALSE(matchRawPacket(error(ourRequest(kId, kSeq + 1)), kProbe)) << "other sequence";
    EXPECT_FALSE(matchRawPacket(error(ourRequest(kId, kSeq, address("10.9.9.9"))), kProbe)) << "other target";

    // A UDP datagram of someone else's trace, with bytes that look like our header where ICMP would be.
    std::vector<std::byte> udp = ourRequest();
    udp[9] = std::byte{17};
    EXPECT_FALSE(matchRawPacket(error(udp), kProbe));

    // A quoted echo reply (not a request) with our numbers.
    EXPECT_FALSE(matchRawPacket(
        error(ipv4Packet(kUs, kTarget, icmpMessage(kIcmpEchoReply, 0, kId, kSeq, {}))), kProbe));

    // Quotes cut inside the inner header or inside the inner ICMP header.
    std::vector<std::byte> quoted = ourRequest();
    for (const std::size_t keep : {0u, 10u, 19u, 20u, 27u}) {
        std::vector<std::byte> cut(quoted.begin(), quoted.begin() + keep);
        EXPECT_FALSE(matchRawPacket(error(cut), kProbe)) << "quote of " << keep << " bytes";
    }
    // An inner header that claims more length than was quoted.
    std::vector<std::byte> lying = ourRequest();
    lying[0] = std::byte{0x4f};
    EXPECT_FALSE(matchRawPacket(error(lying), kProbe));
}

TEST(DatagramMatching, TakesOnlyEchoRepliesWithOurSequence) {
    const std::vector<std::byte> reply = icmpMessage(kIcmpEchoReply, 0, 999, kSeq, bytesOf("data"));
    const std::optional<EchoAnswer> answer = matchDatagramReply(reply, at(kTarget), kProbe);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->from, at(kTarget));
    EXPECT_EQ(answer->data.size(), 4u);

    EXPECT_FALSE(matchDatagramReply(icmpMessage(kIcmpEchoReply, 0, 999, kSeq + 1, {}), at(kTarget), kProbe));
    EXPECT_FALSE(matchDatagramReply(icmpMessage(kIcmpEchoRequest, 0, 999, kSeq, {}), at(kTarget), kProbe));
    EXPECT_FALSE(matchDatagramReply(std::span(reply).first(7), at(kTarget), kProbe));
}

TEST(DatagramMatching, RecognisesQuotedRequestsOfTheErrorQueue) {
    const std::vector<std::byte> quoted = buildEchoRequest(0, kSeq, bytesOf("Yiv"));
    EXPECT_TRUE(quotesProbe(quoted, at(kTarget), kProbe));
    EXPECT_FALSE(quotesProbe(quoted, at(kRouter), kProbe)) << "sent elsewhere";
    EXPECT_FALSE(quotesProbe(buildEchoRequest(0, kSeq + 1, {}), at(kTarget), kProbe)) << "stale sequence";
    EXPECT_FALSE(quotesProbe(std::span(quoted).first(7), at(kTarget), kProbe));
    EXPECT_FALSE(quotesProbe({}, at(kTarget), kProbe)) << "a local error quotes nothing";
}

const IpAddress kUs6 = *IpAddress::parse("fd42:201:1::1");
const IpAddress kTarget6 = *IpAddress::parse("fd42:201:3::2");
const IpAddress kRouter6 = *IpAddress::parse("fd42:201:1::2");
const EchoProbe kProbe6{kTarget6, kId, kSeq};

// Our ICMPv6 request as an error quotes it: its IPv6 header, then the message.
std::vector<std::byte> ourRequest6(std::uint16_t id = kId, std::uint16_t seq = kSeq,
                                   const IpAddress& to = kTarget6) {
    return test::ipv6Packet(kUs6, to, buildEchoRequest(id, seq, bytesOf("Yiv"), IpFamily::V6));
}

TEST(Icmp6Matching, BuildsRequestsOfType128AndLeavesTheChecksumToTheKernel) {
    const std::vector<std::byte> request = buildEchoRequest(kId, kSeq, bytesOf("Yiv"), IpFamily::V6);
    ASSERT_EQ(request.size(), 11u);
    EXPECT_EQ(std::to_integer<int>(request[0]), kIcmp6EchoRequest);
    EXPECT_EQ(std::to_integer<int>(request[2]) | std::to_integer<int>(request[3]), 0);
    EXPECT_EQ(std::to_integer<int>(request[4]) << 8 | std::to_integer<int>(request[5]), kId);
}

TEST(Icmp6Matching, TakesOnlyTheEchoReplyWithOurIdentifierAndSequence) {
    const std::vector<std::byte> reply = icmpMessage(kIcmp6EchoReply, 0, kId, kSeq, bytesOf("Yiv"));
    const std::optional<EchoAnswer> answer = matchRaw6Message(reply, kTarget6, kProbe6);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->from, kTarget6);
    EXPECT_EQ(answer->type, kIcmp6EchoReply);
    EXPECT_EQ(std::vector(answer->data.begin(), answer->data.end()), bytesOf("Yiv"));

    EXPECT_FALSE(matchRaw6Message(icmpMessage(kIcmp6EchoReply, 0, kId + 1, kSeq, {}), kTarget6, kProbe6))
        << "another handle or program";
    EXPECT_FALSE(matchRaw6Message(icmpMessage(kIcmp6EchoReply, 0, kId, kSeq - 1, {}), kTarget6, kProbe6))
        << "an earlier request of ours";
    EXPECT_FALSE(matchRaw6Message(icmpMessage(kIcmpEchoReply, 0, kId, kSeq, {}), kTarget6, kProbe6))
        << "an ICMPv4 echo reply's type";
    EXPECT_FALSE(matchRaw6Message(buildEchoRequest(kId, kSeq, {}, IpFamily::V6), kUs6, kProbe6))
        << "our own request, seen on loopback";
    EXPECT_FALSE(matchRaw6Message(std::span(reply).first(7), kTarget6, kProbe6));

    // A datagram socket's replies: 129 with our sequence (the kernel has matched its identifier).
    EXPECT_TRUE(matchDatagramReply(icmpMessage(kIcmp6EchoReply, 0, 999, kSeq, {}), kTarget6, kProbe6));
    EXPECT_FALSE(matchDatagramReply(icmpMessage(kIcmp6EchoReply, 0, 999, kSeq + 1, {}), kTarget6, kProbe6));
    EXPECT_FALSE(matchDatagramReply(icmpMessage(kIcmpEchoReply, 0, 999, kSeq, {}), kTarget6, kProbe6));
}

TEST(Icmp6Matching, TakesErrorsQuotingOurRequestAsTheSendersAnswer) {
    for (const std::uint8_t type :
         {kIcmp6DestUnreachable, kIcmp6PacketTooBig, kIcmp6TimeExceeded, kIcmp6ParameterProblem}) {
        SCOPED_TRACE(int(type));
        const std::vector<std::byte> error = icmpMessage(type, 3, 0, 0, ourRequest6());
        const std::optional<EchoAnswer> answer = matchRaw6Message(error, kRouter6, kProbe6);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->from, kRouter6);
        EXPECT_EQ(answer->type, type);
        EXPECT_EQ(answer->code, 3);
        EXPECT_EQ(answer->sequence, kSeq);
        EXPECT_TRUE(answer->data.empty());
    }
    // The quote may stop right after the request's ICMPv6 header.
    std::vector<std::byte> minimal = ourRequest6();
    minimal.resize(48);
    EXPECT_TRUE(matchRaw6Message(icmpMessage(kIcmp6DestUnreachable, 3, 0, 0, minimal), kRouter6, kProbe6));
    // The first fragment of a request the kernel fragmented: a fragment header before the ICMPv6 one.
    std::vector<std::byte> fragment = ourRequest6();
    fragment[6] = std::byte{44};
    const std::vector<std::byte> fragmentHeader{std::byte{58}, {}, {}, std::byte{1}, {}, {}, {},
                                                std::byte{9}};
    fragment.insert(fragment.begin() + 40, fragmentHeader.begin(), fragmentHeader.end());
    EXPECT_TRUE(matchRaw6Message(icmpMessage(kIcmp6TimeExceeded, 0, 0, 0, fragment), kRouter6, kProbe6));
    std::vector<std::byte> laterFragment = fragment;
    laterFragment[43] = std::byte{0x08}; // offset 1: holds no ICMPv6 header
    EXPECT_FALSE(
        matchRaw6Message(icmpMessage(kIcmp6TimeExceeded, 0, 0, 0, laterFragment), kRouter6, kProbe6));
    // A redirect quotes a packet too but is no answer.
    EXPECT_FALSE(matchRaw6Message(icmpMessage(137, 0, 0, 0, ourRequest6()), kRouter6, kProbe6));
}

TEST(Icmp6Matching, IgnoresErrorsAboutOtherRequests) {
    const auto error = [](const std::vector<std::byte>& quoted) {
        return matchRaw6Message(icmpMessage(kIcmp6TimeExceeded, 0, 0, 0, quoted), kRouter6, kProbe6);
    };
    EXPECT_FALSE(error(ourRequest6(kId + 1))) << "other identifier";
    EXPECT_FALSE(error(ourRequest6(kId, kSeq + 1))) << "other sequence";
    EXPECT_FALSE(error(ourRequest6(kId, kSeq, kRouter6))) << "other target";
    EXPECT_FALSE(error(test::ipv6Packet(kUs6, kTarget6, icmpMessage(kIcmp6EchoReply, 0, kId, kSeq, {}))))
        << "a quoted echo reply";
    std::vector<std::byte> udp = ourRequest6();
    udp[6] = std::byte{17};
    EXPECT_FALSE(error(udp)) << "next header is not ICMPv6";
    std::vector<std::byte> ipv4 = ourRequest6();
    ipv4[0] = std::byte{0x45};
    EXPECT_FALSE(error(ipv4)) << "not an IPv6 header";
    for (const std::size_t keep : {0u, 20u, 39u, 40u, 47u}) {
        std::vector<std::byte> cut = ourRequest6();
        cut.resize(keep);
        EXPECT_FALSE(error(cut)) << "quote of " << keep << " bytes";
    }
    // An extension header running past the quote.
    std::vector<std::byte> longOptions = ourRequest6();
    longOptions[6] = std::byte{60};
    longOptions.insert(longOptions.begin() + 40, {std::byte{58}, std::byte{200}, {}, {}, {}, {}, {}, {}});
    EXPECT_FALSE(error(longOptions));
}

TEST(Icmp6Matching, RecognisesQuotedRequestsOfTheErrorQueue) {
    const std::vector<std::byte> quoted = buildEchoRequest(0, kSeq, bytesOf("Yiv"), IpFamily::V6);
    EXPECT_TRUE(quotesProbe(quoted, kTarget6, kProbe6));
    EXPECT_FALSE(quotesProbe(quoted, kRouter6, kProbe6)) << "sent elsewhere";
    EXPECT_FALSE(quotesProbe(buildEchoRequest(0, kSeq, {}), kTarget6, kProbe6)) << "an ICMPv4 request";
    EXPECT_FALSE(quotesProbe(quoted, at(kTarget), kProbe6)) << "another family";
    // A link-local destination comes back with its interface: the same host.
    const IpAddress linkLocal = *IpAddress::parse("fe80::2%1");
    EXPECT_TRUE(quotesProbe(quoted, linkLocal, {IpAddress::fromV6(linkLocal.v6()), kId, kSeq}));
}

TEST(IpStatusMapping, Icmp6ErrorsMapOntoTheExistingStatuses) {
    const struct {
        std::uint8_t type, code;
        std::optional<std::uint32_t> status;
    } cases[] = {
        {1, 0, IP_DEST_NET_UNREACHABLE},
        {1, 1, IP_DEST_HOST_UNREACHABLE},
        {1, 2, IP_DEST_HOST_UNREACHABLE},
        {1, 3, IP_DEST_HOST_UNREACHABLE},
        {1, 4, IP_DEST_PORT_UNREACHABLE},
        {1, 5, IP_DEST_HOST_UNREACHABLE},
        {1, 6, IP_DEST_NET_UNREACHABLE},
        {1, 7, IP_BAD_ROUTE},
        {1, 99, IP_DEST_HOST_UNREACHABLE},
        {2, 0, IP_PACKET_TOO_BIG},
        {3, 0, IP_TTL_EXPIRED_TRANSIT},
        {3, 1, IP_TTL_EXPIRED_REASSEM},
        {4, 0, IP_PARAM_PROBLEM},
        {4, 1, IP_DEST_PROT_UNREACHABLE},
        {4, 2, IP_PARAM_PROBLEM},
        {128, 0, std::nullopt},
        {129, 0, std::nullopt},
        {137, 0, std::nullopt},
        {135, 0, std::nullopt},
        {0, 0, std::nullopt},
        {11, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(statusOfIcmp6Error(c.type, c.code), c.status) << int(c.type) << "/" << int(c.code);
        if (c.status) {
            EXPECT_STRNE(IpStatusText(*c.status), kUnknownReasonText);
        }
    }
    EXPECT_EQ(statusOfSendError(EINVAL), IP_BAD_DESTINATION) << "link-local without its interface";
}

TEST(IpStatusMapping, IcmpErrorsMapOntoTheStatusTable) {
    EXPECT_EQ(statusOfIcmpError(kIcmpTimeExceeded, 0), IP_TTL_EXPIRED_TRANSIT);
    EXPECT_EQ(statusOfIcmpError(kIcmpTimeExceeded, 1), IP_TTL_EXPIRED_REASSEM);
    EXPECT_EQ(statusOfIcmpError(kIcmpDestUnreachable, 0), IP_DEST_NET_UNREACHABLE);
    EXPECT_EQ(statusOfIcmpError(kIcmpDestUnreachable, 1), IP_DEST_HOST_UNREACHABLE);
    EXPECT_EQ(statusOfIcmpError(kIcmpDestUnreachable, 2), IP_DEST_PROT_UNREACHABLE);
    EXPECT_EQ(statusOfIcmpError(kIcmpDestUnreachable, 3), IP_DEST_PORT_UNREACHABLE);
    EXPECT_EQ(statusOfIcmpError(kIcmpDestUnreachable, 4), IP_PACKET_TOO_BIG);
    EXPECT_EQ(statusOfIcmpError(kIcmpDestUnreachable, 5), IP_BAD_ROUTE);
    EXPECT_EQ(statusOfIcmpError(kIcmpDestUnreachable, 9), IP_DEST_NET_UNREACHABLE);
    EXPECT_EQ(statusOfIcmpError(kIcmpDestUnreachable, 10), IP_DEST_HOST_UNREACHABLE);
    EXPECT_EQ(statusOfIcmpError(kIcmpDestUnreachable, 13), IP_DEST_HOST_UNREACHABLE);
    EXPECT_EQ(statusOfIcmpError(kIcmpDestUnreachable, 200), IP_DEST_HOST_UNREACHABLE);
    EXPECT_EQ(statusOfIcmpError(kIcmpParameterProblem, 0), IP_PARAM_PROBLEM);
    EXPECT_EQ(statusOfIcmpError(kIcmpSourceQuench, 0), IP_SOURCE_QUENCH);
    EXPECT_FALSE(statusOfIcmpError(kIcmpEchoReply, 0));
    EXPECT_FALSE(statusOfIcmpError(5, 0));

    EXPECT_EQ(statusOfSendError(ENETUNREACH), IP_DEST_NET_UNREACHABLE);
    EXPECT_EQ(statusOfSendError(EHOSTUNREACH), IP_DEST_HOST_UNREACHABLE);
    EXPECT_EQ(statusOfSendError(EMSGSIZE), IP_PACKET_TOO_BIG);
    EXPECT_EQ(statusOfSendError(ENOBUFS), IP_NO_RESOURCES);
    EXPECT_EQ(statusOfSendError(EACCES), IP_BAD_DESTINATION);
    EXPECT_EQ(statusOfSendError(EPERM), IP_GENERAL_FAILURE);
}

TEST(IpStatusMapping, EveryMappedStatusHasItsOwnText) {
    EXPECT_STREQ(IpStatusText(IP_REQ_TIMED_OUT), "TIMED OUT");
    EXPECT_STREQ(IpStatusText(IP_TTL_EXPIRED_TRANSIT), "ERROR - IP TTL EXPIRED IN TRANSIT");
    EXPECT_STREQ(IpStatusText(IP_PENDING), "ERROR - IP PENDING");
    EXPECT_STREQ(IpStatusText(0), "ERROR - UNKNOWN REASON");
    EXPECT_STREQ(IpStatusText(11023), "ERROR - UNKNOWN REASON");
    for (int type = 0; type < 256; ++type) {
        for (int code = 0; code < 256; ++code) {
            if (const auto status = statusOfIcmpError(std::uint8_t(type), std::uint8_t(code))) {
                ASSERT_STRNE(IpStatusText(*status), kUnknownReasonText) << type << "/" << code;
            }
        }
    }
    for (int error = 1; error < 134; ++error)
        ASSERT_STRNE(IpStatusText(statusOfSendError(error)), kUnknownReasonText) << error;
}

TEST(EchoReplyRecord, WritesRecordAndDataAndReadsThemBack) {
    alignas(ICMP_ECHO_REPLY) std::array<std::byte, 128> buffer{};
    const std::vector<std::byte> data = bytesOf("Yiv\0");
    EchoOutcome outcome;
    outcome.replied = true;
    outcome.address = at(kTarget);
    outcome.roundTrip = std::chrono::microseconds(12045);
    outcome.ttl = 63;
    outcome.data = data;
    ASSERT_EQ(writeEchoReply(buffer, outcome), 1u);

    const std::optional<ICMP_ECHO_REPLY> reply = readEchoReply(buffer);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Address, kTarget);
    EXPECT_EQ(reply->Status, IP_SUCCESS);
    EXPECT_EQ(reply->RoundTripTime, 12u) << "whole milliseconds, as the record always held";
    EXPECT_EQ(recordRoundTrip(*reply), std::chrono::microseconds(12045)) << "the rest kept beside them";
    EXPECT_EQ(reply->Options.Ttl, 63);
    EXPECT_EQ(reply->DataSize, data.size());
    EXPECT_EQ(reply->Data, buffer.data() + sizeof(ICMP_ECHO_REPLY));
    const std::span<const std::byte> returned = echoReplyData(*reply, buffer);
    EXPECT_EQ(std::vector(returned.begin(), returned.end()), data);
}

TEST(EchoReplyRecord, BufferSizesAreEnforced) {
    const std::vector<std::byte> data(10, std::byte{'x'});
    EchoOutcome outcome;
    outcome.replied = true;
    outcome.data = data;

    // Exactly big enough.
    std::vector<std::byte> exact(IcmpReplySize(data.size()));
    EXPECT_EQ(writeEchoReply(exact, outcome), 1u);

    // One byte short for the data: no reply, Status IP_BUF_TOO_SMALL, no data written past the record.
    std::vector<std::byte> tight(IcmpReplySize(data.size()) - 1, std::byte{0x55});
    EXPECT_EQ(writeEchoReply(tight, outcome), 0u);
    EXPECT_EQ(readEchoReply(tight)->Status, IP_BUF_TOO_SMALL);
    EXPECT_EQ(readEchoReply(tight)->Data, nullptr);
    EXPECT_EQ(tight.back(), std::byte{0x55});

    // Too small for the record itself: untouched.
    std::vector<std::byte> tiny(sizeof(ICMP_ECHO_REPLY) - 1, std::byte{0x55});
    EXPECT_EQ(writeEchoReply(tiny, outcome), 0u);
    EXPECT_EQ(tiny, std::vector<std::byte>(sizeof(ICMP_ECHO_REPLY) - 1, std::byte{0x55}));
    EXPECT_FALSE(readEchoReply(tiny));
}

TEST(EchoReplyRecord, TheIpv6RecordCarriesTheResponderHopLimitAndData) {
    const std::vector<std::byte> data = bytesOf("Yiv\0");
    EchoOutcome outcome;
    outcome.replied = true;
    outcome.address = *IpAddress::parse("fe80::2%1");
    outcome.roundTrip = std::chrono::microseconds(3999);
    outcome.ttl = 63;
    outcome.tos = 0x20;
    outcome.data = data;
    std::vector<std::byte> buffer(Icmp6ReplySize(data.size()));
    ASSERT_EQ(writeEcho6Reply(buffer, outcome), 1u);
    const std::optional<ICMPV6_ECHO_REPLY> reply = readEcho6Reply(buffer);
    ASSERT_TRUE(reply);
    EXPECT_EQ(
        IpAddress::fromSockaddr(reinterpret_cast<const sockaddr*>(&reply->Address), sizeof reply->Address),
        outcome.address);
    EXPECT_EQ(reply->Status, IP_SUCCESS);
    EXPECT_EQ(reply->RoundTripTime, 3u);
    EXPECT_EQ(recordRoundTrip(*reply), std::chrono::microseconds(3999));
    EXPECT_EQ(reply->Options.Ttl, 63);
    EXPECT_EQ(reply->Options.Tos, 0x20);
    EXPECT_EQ(reply->DataSize, data.size());
    const std::span<const std::byte> returned = echoReplyData(*reply, buffer);
    EXPECT_EQ(std::vector(returned.begin(), returned.end()), data);

    // One byte short for the data: no reply, IP_BUF_TOO_SMALL; a failure names no responder (::).
    std::vector<std::byte> tight(Icmp6ReplySize(data.size()) - 1);
    EXPECT_EQ(writeEcho6Reply(tight, outcome), 0u);
    EXPECT_EQ(readEcho6Reply(tight)->Status, IP_BUF_TOO_SMALL);
    EXPECT_EQ(writeEcho6Reply(tight, EchoOutcome::failure(IP_REQ_TIMED_OUT)), 0u);
    EXPECT_EQ(readEcho6Reply(tight)->Address.sin6_family, AF_INET6);
    EXPECT_EQ(IpAddress::fromSockaddr(reinterpret_cast<const sockaddr*>(&readEcho6Reply(tight)->Address),
                                      sizeof(sockaddr_in6))
                  ->text(),
              "::");
    // Too small for the record: untouched.
    std::vector<std::byte> tiny(sizeof(ICMPV6_ECHO_REPLY) - 1, std::byte{0x55});
    EXPECT_EQ(writeEcho6Reply(tiny, outcome), 0u);
    EXPECT_EQ(tiny, std::vector<std::byte>(sizeof(ICMPV6_ECHO_REPLY) - 1, std::byte{0x55}));
    EXPECT_FALSE(readEcho6Reply(tiny));
}

TEST(EchoReplyRecord, DataPointersOutsideTheBufferAreNotFollowed) {
    std::vector<std::byte> buffer(IcmpReplySize(8));
    std::vector<std::byte> elsewhere(8);
    ICMP_ECHO_REPLY reply;
    reply.Data = elsewhere.data();
    reply.DataSize = 8;
    EXPECT_TRUE(echoReplyData(reply, buffer).empty());
    reply.Data = buffer.data() + buffer.size() - 4; // runs past the end
    EXPECT_TRUE(echoReplyData(reply, buffer).empty());
    reply.Data = buffer.data() + sizeof(ICMP_ECHO_REPLY);
    EXPECT_EQ(echoReplyData(reply, buffer).size(), 8u);
}

// A round trip runs to the kernel's arrival stamp when it lies between the send and the reading; without
// one, or when the wall clock was set in between, to the reading on the steady clock.
TEST(SendMomentTest, TheArrivalStampCountsOnlyBetweenTheSendAndTheReading) {
    using namespace std::chrono;
    const SendMoment sent(SendMoment::Clock::time_point(seconds(100)), seconds(5000));
    const SendMoment::Clock::time_point readAt = sent.steady() + milliseconds(30);
    EXPECT_EQ(sent.roundTrip(seconds(5000) + microseconds(45), readAt), microseconds(45));
    EXPECT_EQ(sent.roundTrip(std::nullopt, readAt), milliseconds(30));
    EXPECT_EQ(sent.roundTrip(seconds(4999), readAt), milliseconds(30)) << "stamped before the send";
    EXPECT_EQ(sent.roundTrip(seconds(5001), readAt), milliseconds(30)) << "stamped after the reading";
}

} // namespace
} // namespace vantrel::net
