#include "ops/PingThread.h"

#include "net/AddressText.h"
#include "net/IcmpAccessHint.h"
#include "net/IcmpApi.h"
#include "ops/EchoRequestData.h"
#include "ops/OperationState.h"
#include "ops/WorkerLink.h"
#include "output/MessageTexts.h"
#include "output/ResultTexts.h"
#include "settings/LiveOptions.h"

#include <vector>

namespace vantrel::ops {

namespace {

using settings::OptionId;
namespace res = output::res;

constexpr std::uint8_t kPingTtl = 200;

// The running sums of one ping.
struct PingTally {
    unsigned sent = 0;
    unsigned received = 0;
    std::uint32_t sum = 0;
    std::uint32_t maximum = 0;
    std::uint32_t minimum = 0;

    void addReply(std::uint32_t roundTrip) {
        ++received;
        sum += roundTrip;
        maximum = std::max(maximum, roundTrip);
        if (received == 1 || roundTrip < minimum)
            minimum = roundTrip;
    }
};

QString dotted(net::IPAddr address) {
    return QString::fromStdString(net::inet_ntoa(address));
}

void send(WorkerLink& link, const output::RtfText& fragment, output::ResultKind kind) {
    link.SendResult({fragment.rtf(), QString(), kind});
}

} // namespace

int PingThread(const WorkerContext& context) {
    OperationState& state = context.state;
    const settings::LiveOptions& options = context.options;
    WorkerLink& link = context.link;
    OperationFlags& flags = state.flags;
    flags.m_bPingThread = true;

    net::IP_OPTION_INFORMATION requestOptions{};
    requestOptions.Ttl = kPingTtl;
    if (options.isOn(OptionId::Fragment))
        requestOptions.Flags = net::IP_FLAG_DF;

    if (state.m_hICMPHandle == net::INVALID_HANDLE_VALUE)
        state.m_hICMPHandle = context.icmp.IcmpCreateFile();
    if (state.m_hICMPHandle == net::INVALID_HANDLE_VALUE) {
        link.ShowStandardMessage(net::pingHandleFailureMessage());
        // Nothing runs any more: the flags end as after a normal end, so the commands work again.
        flags.clearOperations();
        state.status.set(output::text(res::kReady));
        link.SendStatus();
        flags.m_bPingThread = false;
        return 1;
    }

    QString responder = dotted(state.m_dwShownAddr);
    const std::vector<std::byte> request = echoRequestData(pingDataText(options.text(OptionId::PingString)));
    std::vector<std::byte> reply(net::IcmpReplySize(request.size()));
    const QString host = state.host();

    if (options.isOn(OptionId::Verbose))
        send(link, output::fill(res::kPingHeaderRow), output::ResultKind::HeaderRow);

    PingTally tally;
    for (unsigned packet = 1;
         options.number(OptionId::Packets) >= 1 && packet <= unsigned(options.number(OptionId::Packets));
         ++packet) {
        ++tally.sent;
        std::fill(reply.begin(), reply.end(), std::byte{0});
        state.status.set(state.m_bHostResolved == 1 ? output::fill(res::kPingingResolved, host, responder)
                                                    : output::fill(res::kPingingHost, host));
        link.SendStatus();

        const net::IPAddr target = state.m_dwTargetAddr;
        const std::uint32_t replies =
            context.icmp.IcmpSendEcho(state.m_hICMPHandle, target, request, &requestOptions, reply,
                                      std::uint32_t(options.number(OptionId::Timeout)) * 1000u);
        const std::optional<net::ICMP_ECHO_REPLY> record = net::readEchoReply(reply);
        if (replies != 0 && record && record->Address == target) {
            tally.addReply(record->RoundTripTime);
            state.m_dwShownAddr = record->Address;
            responder = dotted(record->Address);
            if (options.isOn(OptionId::Verbose))
                send(link,
                     output::fill(res::kPingReplyRow, packet, output::RtfText::escape(responder),
                                  unsigned(record->RoundTripTime), unsigned(record->Options.Ttl),
                                  unsigned(std::max<int>(0, record->DataSize - 2))),
                     output::ResultKind::Plain);
            if (options.isOn(OptionId::RetData)) {
                const std::span<const std::byte> data = net::echoReplyData(*record, reply);
                send(link,
                     output::fill(res::kPingReturnedDataRow,
                                  output::RtfText::escape(returnedDataText(data.data(), data.size()))),
                     output::ResultKind::Plain);
            }
        } else if (replies != 0 && record) {
            if (options.isOn(OptionId::Verbose)) {
                state.m_dwShownAddr = record->Address;
                send(link,
                     output::fill(res::kHostRespondedLine, output::RtfText::escape(dotted(record->Address))),
                     output::ResultKind::Red);
            }
        } else if (options.isOn(OptionId::Verbose) && state.m_hICMPHandle != net::INVALID_HANDLE_VALUE) {
            link.SendIcmpError({record ? record->Status : 0u, packet, 0, ErrorLayout::PingTable});
        }

        if (flags.stopRequested()) {
            send(link, output::fill(res::kPingCanceledLine), output::ResultKind::RedBold);
            break;
        }
    }

    if (tally.received != 0)
        send(link, output::fill(res::kPingSuccessfulLine), output::ResultKind::Bold);
    else
        send(link, output::fill(res::kPingUnsuccessfulLine), output::ResultKind::RedBold);

    if (options.isOn(OptionId::Statistics) && !flags.m_bShuttingDown) {
        if (tally.sent != 0) {
            const double loss = (100.0 / double(tally.sent)) * double(tally.sent - tally.received);
            send(link,
                 output::fill(res::kPingLossLine, tally.received, tally.sent, loss,
                              output::RtfText::markup(QStringLiteral("%"))),
                 output::ResultKind::Plain);
        }
        if (tally.received != 0)
            send(link,
                 output::fill(res::kPingRoundTripLine, int(tally.maximum), int(tally.minimum),
                              int(tally.sum / tally.received)),
                 output::ResultKind::Plain);
    }

    if (options.isOn(OptionId::Beep))
        link.Beep();

    const net::IcmpHandle handle = state.m_hICMPHandle;
    if (handle != net::INVALID_HANDLE_VALUE && context.icmp.IcmpCloseHandle(handle))
        state.m_hICMPHandle = net::INVALID_HANDLE_VALUE;

    flags.clearOperations();
    if (!flags.m_bShuttingDown) {
        state.status.set(output::text(res::kReady));
        link.SendStatus();
    }
    flags.m_bPingThread = false;
    if (options.isOn(OptionId::ContPing))
        link.SendPingAgain();
    return 0;
}

} // namespace vantrel::ops
