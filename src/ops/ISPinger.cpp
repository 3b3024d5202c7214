#include "ops/ISPinger.h"

#include "log/ResultPipeline.h"
#include "net/AddressText.h"
#include "net/IpStatus.h"
#include "net/WinsockErrors.h"
#include "ops/AddressPolicy.h"
#include "ops/EchoCall.h"
#include "ops/EchoHandleFailure.h"
#include "ops/GuiThread.h"
#include "ops/OperationFlags.h"
#include "ops/OperationFrontEnd.h"
#include "settings/ControlCharacters.h"
#include "settings/LiveOptions.h"
#include "text/MessageTexts.h"
#include "text/ResultTexts.h"

#include <array>
#include <utility>
#include <vector>

namespace vantrel::ops {

namespace {

using output::fill;
using output::ResultKind;
using settings::OptionId;
namespace res = output::res;

// Every request carries the two bytes "Yi" and waits two seconds, whatever the interval.
constexpr std::array kRequestData{std::byte{'Y'}, std::byte{'i'}};
constexpr std::uint32_t kRequestTimeoutMs = 2000;
// The indicator stays lit for 400 ms at an interval of one second, otherwise for a second.
constexpr int kShortFlashPerMille = 400;

} // namespace

ISPinger::ISPinger(Services services)
    : m_services(std::move(services))
    , m_strISPStatus(output::text(res::kIspInactive)) {
    m_indicatorTimer.setSingleShot(true);
    for (QTimer* timer : {&m_requestTimer, &m_indicatorTimer})
        timer->setTimerType(Qt::PreciseTimer);
    connect(&m_requestTimer, &QTimer::timeout, this, [this] { OnTimer(TIMER_ISPINGER_REQUEST); });
    connect(&m_indicatorTimer, &QTimer::timeout, this, [this] { OnTimer(TIMER_ISPINGER_INDICATOR); });
}

ISPinger::~ISPinger() {
    if (m_hLookup != 0)
        m_services.sockets.WSACancelAsyncRequest(m_hLookup);
    m_requestTimer.stop();
    m_indicatorTimer.stop();
    m_workers.joinAll();
    const net::IcmpHandle handle = m_hISPingerICMP.exchange(net::INVALID_HANDLE_VALUE);
    if (handle != net::INVALID_HANDLE_VALUE)
        m_services.icmp.IcmpCloseHandle(handle);
}

QString ISPinger::statusText() const {
    std::lock_guard lock(m_statusMutex);
    return m_strISPStatus;
}

void ISPinger::setStatus(const QString& text) {
    {
        std::lock_guard lock(m_statusMutex);
        m_strISPStatus = text;
    }
    emit statusChanged(text);
}

bool ISPinger::requestRunning() const {
    // A request runs until the GUI thread has counted its answer, which its worker hands over without
    // waiting.
    return m_services.flags.m_bISPingerThread || m_answersToCount > 0;
}

std::optional<int> ISPinger::successRate() const {
    const int sent = m_nISPingsSent;
    if (sent == 0)
        return std::nullopt;
    return m_nISPingsAnswered * 100 / sent;
}

CommandUi ISPinger::buttonUi(bool serverBoxHasText) const {
    return {serverBoxHasText, output::text(m_bISPinger ? res::kPingCancelButton : res::kIspButton)};
}

CommandUi ISPinger::menuUi() const {
    return {true, output::text(m_bISPinger ? res::kIspStopMenu : res::kIspStartMenu)};
}

bool ISPinger::isTimerActive(int id) const {
    if (id == TIMER_ISPINGER_REQUEST)
        return m_requestTimer.isActive();
    if (id == TIMER_ISPINGER_INDICATOR)
        return m_indicatorTimer.isActive();
    return false;
}

std::chrono::milliseconds ISPinger::flashLength() const {
    const int perMille = m_services.options.number(OptionId::ISPInterval) == 1 ? kShortFlashPerMille : 1000;
    return m_second * perMille / 1000;
}

void ISPinger::light(IspIndicator indicator) {
    m_indicator = indicator;
    emit indicatorChanged(indicator);
}

void ISPinger::OnISPinger() {
    assertGuiThread();
    if (m_bISPinger)
        stop();
    else if (!m_services.flags.m_bShuttingDown) // nothing starts while the program exits
        start();
    m_services.frontEnd.RefreshCommandUI();
}

void ISPinger::start() {
    if (settings::containsControlCharacter(m_services.options.text(OptionId::ISPAddress))) {
        m_services.frontEnd.showMessageBox(output::text(res::kInputErrorCaption),
                                           output::text(res::kHostControlCharacter), MessageIcon::Error);
        return;
    }
    ++m_run;
    m_nISPingsSent = 0;
    m_nISPingsAnswered = 0;
    m_nISPingsPending = 0;
    m_bISPinger = true;
    setStatus(output::text(res::kIspActive));
    m_strISPAddress = m_services.options.text(OptionId::ISPAddress);
    emit activeChanged(true);
    m_runClock.start();
    record(eventRecord(ResultRecord::Kind::Start, RecordOperation::ISPinger));

    const QString& server = m_strISPAddress;
    const net::ResolvePolicy policy = resolvePolicy(m_services.options);
    const std::optional<net::IpAddress> address =
        net::IpAddress::parse(m_strISPAddress.toLocal8Bit().toStdString());
    const int refusal = address ? net::literalRefusal(*address, policy) : 0;
    if (address && refusal == 0) {
        m_dwISPAddr = *address;
        m_services.results.AppendRow(output::makeRow(ResultKind::Plain, res::kIspActivatedLine, server));
        emit trayIconChanged(IspTrayIcon::ISPinger, output::text(res::kIspActive));
        startFirstRequest();
        return;
    }
    setStatus(fill(res::kIspFinding, m_strISPAddress));
    m_services.results.AppendRow(output::makeRow(ResultKind::Plain, res::kIspFindingLine, server));
    if (refusal != 0) {
        // An address of the family the option leaves out fails as a name without such an address.
        showWinsockFailure(output::makeRow(ResultKind::Red, res::kIspLookupFailedLine), refusal);
        becomeInactive(output::text(res::kIspLookupFailed));
        return;
    }
    // A lookup slot of its own: the host-directed operations keep theirs.
    m_hLookup = m_services.sockets.WSAAsyncGetHostByName(
        m_strISPAddress.toLocal8Bit().toStdString(),
        [this](net::AsyncLookupHandle request, int error, const net::HostEntry& entry) {
            OnISPingerLookupDone(request, error, entry);
        },
        policy);
    if (m_hLookup == 0) {
        showWinsockFailure(output::makeRow(ResultKind::Red, res::kIspLookupRequestFailedLine),
                           net::WSAGetLastError());
        becomeInactive(output::text(res::kIspInactive));
    }
}

void ISPinger::record(const ResultRecord& record) const {
    if (m_recordSink)
        m_recordSink(record);
}

void ISPinger::showWinsockFailure(const output::ResultRow& line, int error) {
    m_services.results.AppendRow(line);
    m_services.results.AppendRow(
        output::makeRow(ResultKind::Red, res::kIspWinsockErrorLine, net::WinsockErrorText(error)));
}

void ISPinger::becomeInactive(const QString& status) {
    m_bISPinger = false;
    setStatus(status);
    // Nothing runs, so the server can be changed again for the next start.
    emit activeChanged(false);
    m_services.frontEnd.RefreshCommandUI();
}

void ISPinger::OnISPingerLookupDone(net::AsyncLookupHandle request, int error, const net::HostEntry& entry) {
    assertGuiThread();
    if (request != m_hLookup)
        return;
    m_hLookup = 0;
    if (error != 0 || entry.h_addr_list.empty()) {
        showWinsockFailure(output::makeRow(ResultKind::Red, res::kIspLookupFailedLine),
                           error != 0 ? error : net::WSAHOST_NOT_FOUND);
        becomeInactive(output::text(res::kIspLookupFailed));
        return;
    }
    m_dwISPAddr = entry.h_addr_list.front();
    m_services.results.AppendRow(output::makeRow(ResultKind::Plain, res::kIspResolvedLine, m_strISPAddress,
                                                 entry.h_addr_list.front().toQString()));
    setStatus(fill(res::kIspActivated, m_strISPAddress));
    m_services.frontEnd.RefreshCommandUI();
    emit trayIconChanged(IspTrayIcon::ISPinger, output::text(res::kIspActiveTip));
    startFirstRequest();
}

bool ISPinger::startFirstRequest() {
    // A request of the last run still on its way: this run's first one waits for the first tick.
    if (!requestRunning() && !startRequest()) {
        // Without a worker no timer would ever run: ISPinger is inactive rather than active and idle.
        becomeInactive(output::text(res::kIspInactive));
        return false;
    }
    light(IspIndicator::Answered);
    m_services.frontEnd.RefreshCommandUI();
    m_indicatorTimer.start(flashLength());
    // The request interval stays as it is now until the next start.
    m_requestTimer.start(m_second * std::max(1, m_services.options.number(OptionId::ISPInterval)));
    return true;
}

bool ISPinger::startRequest() {
    OperationFlags& flags = m_services.flags;
    if (flags.m_bShuttingDown)
        return false;
    // Marked alive before the thread runs, so that the next tick cannot start a second one.
    flags.workerStarted(Worker::ISPinger);
    if (m_workers.start([this, run = m_run] { ISPingerThread(run); }))
        return true;
    flags.workerFinished(Worker::ISPinger);
    m_services.frontEnd.showMessageBox(output::text(res::kProductName), output::text(res::kIspThreadFailed),
                                       MessageIcon::Exclamation);
    return false;
}

void ISPinger::OnTimer(int id) {
    assertGuiThread();
    if (id == TIMER_ISPINGER_INDICATOR) {
        m_indicatorTimer.stop();
        light(IspIndicator::Dark);
        emit trayIconChanged(IspTrayIcon::Program, statusText());
        return;
    }
    if (id != TIMER_ISPINGER_REQUEST)
        return;
    if (!m_bISPinger) {
        m_requestTimer.stop();
        return;
    }
    // The last request has not finished: this tick is skipped.
    if (requestRunning())
        return;
    light(m_bLastISPingOK ? IspIndicator::Answered : IspIndicator::Lost);
    m_services.frontEnd.RefreshCommandUI();
    m_indicatorTimer.start(flashLength());
    emit trayIconChanged(IspTrayIcon::ISPinger, statusText());
    // A worker that cannot start now is tried again at the next tick.
    startRequest();
}

void ISPinger::stop() {
    m_bISPinger = false;
    setStatus(output::text(res::kIspInactiveStopped));
    emit activeChanged(false);
    emit trayIconChanged(IspTrayIcon::Program, output::text(res::kIspInactiveStopped));
    if (const std::optional<int> rate = successRate())
        m_services.results.AppendRow(output::makeRow(ResultKind::Plain, res::kIspStoppedLine, *rate,
                                                     QStringLiteral("%"), m_strISPAddress));
    ResultRecord sums = eventRecord(ResultRecord::Kind::Summary, RecordOperation::ISPinger);
    sums.summary = recordSummary(unsigned(m_nISPingsSent), unsigned(m_nISPingsAnswered));
    record(sums);
    if (m_hLookup != 0) {
        m_services.sockets.WSACancelAsyncRequest(m_hLookup);
        m_services.results.AppendRow(output::makeRow(ResultKind::Red, res::kIspLookupCanceledLine));
        m_hLookup = 0;
    }
    if (m_services.flags.m_bShuttingDown)
        m_services.results.AppendRow(output::makeRow(ResultKind::Red, res::kIspShuttingDownLine));
}

void ISPinger::ISPingerThread(int run) {
    // Runs on its own thread. Everything it shows goes to the GUI thread through the dispatcher.
    OperationFlags& flags = m_services.flags;
    const net::IcmpApi& icmp = m_services.icmp;
    const net::IpAddress server = m_dwISPAddr;
    if (m_hISPingerICMP == net::INVALID_HANDLE_VALUE)
        m_hISPingerICMP = createEchoHandle(icmp, server.family());
    if (m_hISPingerICMP == net::INVALID_HANDLE_VALUE) {
        m_dispatcher.send([this, run] {
            // Every tick tries again; what to do is said once a start, not in a box at every tick.
            if (std::exchange(m_noHandleRun, run) != run)
                reportNoEchoHandle(m_services.frontEnd, m_services.results, res::kIspNoEchoHandle,
                                   output::text(res::kIspNoEchoHandleCaption), MessageIcon::Error);
            emit noEchoHandle();
        });
        flags.workerFinished(Worker::ISPinger);
        return;
    }
    ++m_nISPingsPending;
    std::vector<std::byte> reply(echoReplySize(kRequestData.size()));
    // Only an echo reply from the server itself counts.
    const EchoAnswer answer =
        sendEcho(icmp, m_hISPingerICMP, server, kRequestData, nullptr, reply, kRequestTimeoutMs);
    const bool answered = answer.isReply();
    const std::uint32_t status = answer.status();
    const std::optional<std::chrono::microseconds> roundTrip =
        answered ? std::optional(answer.record->roundTrip) : std::nullopt;
    // Handed over without waiting: the request's end comes after it on the GUI thread all the same.
    ++m_answersToCount;
    m_dispatcher.post([this, run, answered, status, roundTrip, server] {
        // Counted on the GUI thread, and only for the run that sent it: after a stop and a new start
        // within one request, the new run's rate holds none of the old run's requests.
        if (run == m_run) {
            ++m_nISPingsSent;
            if (answered)
                ++m_nISPingsAnswered;
            m_bLastISPingOK = answered;
            ResultRecord row = scanRecord(RecordOperation::ISPinger, server.toQString(), roundTrip,
                                          net::IpStatusText(status));
            row.packet = unsigned(m_nISPingsSent);
            row.elapsedMs = m_runClock.elapsed();
            if (!answered)
                row.statusCode = status;
            record(row);
        }
        if (m_bISPinger && run == m_run)
            setStatus(fill(res::kIspSuccessRate, unsigned(successRate().value_or(0))));
        --m_answersToCount;
        m_services.frontEnd.RefreshCommandUI();
        emit requestFinished();
    });
    const net::IcmpHandle handle = m_hISPingerICMP;
    if (icmp.IcmpCloseHandle(handle))
        m_hISPingerICMP = net::INVALID_HANDLE_VALUE;
    --m_nISPingsPending;
    flags.workerFinished(Worker::ISPinger);
}

} // namespace vantrel::ops
