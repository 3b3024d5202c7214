// ISPinger over a long watch: one request a second for the equivalent of 24 hours (86,400 requests, or
// --hours N), its timers fired by a fake clock as fast as the requests finish, on a scripted echo service
// that answers every request at once. Prints `name value` lines: requests, rss_start_mb and rss_end_mb,
// fds_start and fds_end (open files), measured after a warm-up hour and at the end. Both must stay flat:
// the exit status is 1 when the open files grew or the memory grew by more than 2 MB.
#include "ResidentMemory.h"
#include "log/ResultPipeline.h"
#include "net/EchoOutcome.h"
#include "net/IcmpApi.h"
#include "net/IcmpRecords.h"
#include "net/SocketLibrary.h"
#include "net/SystemHostDatabase.h"
#include "ops/ISPinger.h"
#include "ops/OperationFlags.h"
#include "ops/OperationFrontEnd.h"
#include "rows/ResultView.h"
#include "settings/LiveOptions.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <atomic>
#include <cstdio>

namespace {

using namespace vantrel;

constexpr int kWarmUpRequests = 3600;
constexpr double kMostGrowthMb = 2.0;

// An echo service where every request is answered by its destination at once.
net::IcmpApi answeringService() {
    auto handles = std::make_shared<std::atomic<std::uintptr_t>>(100);
    net::IcmpApi api;
    api.IcmpCreateFile = [handles] { return net::IcmpHandle(++*handles); };
    api.IcmpCloseHandle = [](net::IcmpHandle) { return true; };
    api.IcmpSendEcho = [](net::IcmpHandle, net::IPAddr destination, std::span<const std::byte> data,
                          const net::IP_OPTION_INFORMATION*, std::span<std::byte> reply, std::uint32_t) {
        net::EchoOutcome outcome;
        outcome.replied = true;
        outcome.address = net::IpAddress::fromV4(destination);
        outcome.data = data;
        return net::writeEchoReply(reply, outcome);
    };
    return api;
}

class QuietFrontEnd final : public ops::OperationFrontEnd {
public:
    QString hostBoxText() const override { return {}; }
    void addHostToHistory(const QString&, bool) override {}
    void returnFocusToHostBox() override {}
    void showMessageBox(const QString& caption, const QString& text, ops::MessageIcon) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    }
    bool balloonTipsEnabled() const override { return false; }
    bool showHostBalloonTip(const QString&, const QString&) override { return false; }
    void RefreshCommandUI() override {}
    void beep() override {}
};

class NoView final : public output::ResultView {
public:
    void showResult(const output::ShownRow&) override {}
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    int hours = 24;
    const QStringList arguments = QCoreApplication::arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--hours"));
        at > 0 && at + 1 < arguments.size())
        hours = std::max(1, arguments[at + 1].toInt());
    const int requests = hours * 3600;

    settings::LiveOptions options;
    options.setText(settings::OptionId::ISPAddress, QStringLiteral("10.0.0.9"));
    options.setNumber(settings::OptionId::ISPInterval, 1);
    ops::OperationFlags flags;
    net::SocketLibrary sockets(std::make_shared<net::SystemHostDatabase>());
    QuietFrontEnd frontEnd;
    NoView view;
    output::ResultPipeline pipeline(nullptr, view);
    ops::ISPinger isp({flags, options, answeringService(), sockets, frontEnd, pipeline});
    isp.setSecondLength(std::chrono::hours(1)); // the clock is ours: the timers never fire by themselves

    // Each tick waits until the request before it has ended, as a one-second tick does for an answer
    // that comes at once.
    const auto requestOver = [&](int sent) { return isp.sent() >= sent && !isp.requestRunning(); };
    const auto waitFor = [&](int sent) { ops::waitForFlags(flags, [&] { return requestOver(sent); }); };

    isp.OnISPinger();
    waitFor(1);
    double rssStart = 0;
    int fdsStart = 0;
    for (int sent = 2; sent <= requests; ++sent) {
        isp.OnTimer(ops::TIMER_ISPINGER_INDICATOR);
        isp.OnTimer(ops::TIMER_ISPINGER_REQUEST);
        waitFor(sent);
        if (sent == kWarmUpRequests) {
            rssStart = residentMegabytes();
            fdsStart = openFiles();
        }
    }
    const double rssEnd = residentMegabytes();
    const int fdsEnd = openFiles();
    isp.OnISPinger();

    std::printf("requests %d\nanswered %d\nrss_start_mb %.2f\nrss_end_mb %.2f\nfds_start %d\nfds_end %d\n",
                isp.sent(), isp.answered(), rssStart, rssEnd, fdsStart, fdsEnd);
    const bool flat = fdsEnd <= fdsStart && rssEnd - rssStart <= kMostGrowthMb && isp.answered() == requests;
    return flat ? 0 : 1;
}
