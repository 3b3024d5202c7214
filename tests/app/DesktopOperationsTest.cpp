#include "app/DesktopOperations.h"

#include "FrameFixture.h"
#include "output/ResultLog.h"
#include "support/FakeHostDatabase.h"
#include "support/FakeIcmpNetwork.h"
#include "ui/CStatusViewPane.h"
#include "ui/HostComboBox.h"
#include "ui/ResultsTextView.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTextCursor>
#include <QUrl>

namespace vantrel::app::testing {
namespace {

using test::address;

class DesktopOperationsTest : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        names->addHost({"box.test", {}, {address("10.0.0.5"), address("10.0.0.6"), address("10.0.0.7")}});
        operations = std::make_unique<DesktopOperations>(*frame, DesktopNetwork{network.api(), names});
        operations->start();
        frame->RefreshCommandUI();
    }
    void TearDown() override {
        if (frame && frame->isVisible())
            frame->close();
        operations.reset();
        FrameFixture::TearDown();
    }
    void runUntil(const std::function<bool()>& done) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    QString results() const { return frame->resultsPane().view().toPlainText(); }

    test::FakeIcmpNetwork network;
    std::shared_ptr<test::FakeHostDatabase> names = std::make_shared<test::FakeHostDatabase>();
    std::unique_ptr<DesktopOperations> operations;
};

TEST_F(DesktopOperationsTest, TheBannerAndTheStartUpReportOpenTheResults) {
    EXPECT_TRUE(results().startsWith(QStringLiteral("Vantrel 2.0")));
    EXPECT_TRUE(results().contains(QStringLiteral("started OK.")));
    EXPECT_TRUE(frame->status().get().contains(QStringLiteral("started OK.")));
    operations->control().StartLocalHostLookup(QStringLiteral("box.test"));
    runUntil([&] { return frame->windowTitle().contains(QStringLiteral("Local Host Name")); });
    EXPECT_EQ(frame->windowTitle(),
              QStringLiteral("Vantrel 2.0    Local Host Name:  box.test   Local IP Address:  10.0.0.5"));
    EXPECT_EQ(results().count(QStringLiteral("Additional Local IP address")), 2);
}

TEST_F(DesktopOperationsTest, ThePingButtonPingsTheHostBoxAndTheRowsReachTheResultsAndTheLog) {
    frame->options().setNumber(settings::OptionId::Packets, 2);
    network.reply(address("10.0.0.1"), 4);
    network.reply(address("10.0.0.1"), 6);
    frame->putHostAtStart(QStringLiteral("10.0.0.1"));
    frame->resultLog().ToggleLogging();
    frame->commands().trigger(400);
    EXPECT_EQ(frame->commands().action(400)->text(), QStringLiteral("       Cancel       "));
    runUntil([&] { return !frame->flags().anyBusy(); });
    runUntil([&] { return results().contains(QStringLiteral("Round Trip Time")); });

    EXPECT_TRUE(results().contains(QStringLiteral("Starting ping to 10.0.0.1")));
    EXPECT_TRUE(results().contains(QStringLiteral("Ping Successful")));
    EXPECT_TRUE(
        results().contains(QStringLiteral("2 of 2 packets returned successfully : 0.0% PACKET LOSS")));
    frame->RefreshCommandUI();
    EXPECT_EQ(frame->status().get(), QStringLiteral("Ready"));
    EXPECT_EQ(frame->commands().action(400)->text(), QStringLiteral("         Ping         "));

    QFile log(logPath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray rtf = log.readAll();
    EXPECT_TRUE(rtf.contains("Ping Successful"));
    EXPECT_TRUE(rtf.endsWith("}"));
}

TEST_F(DesktopOperationsTest, ClosingDuringAPingWaitsForTheWorkerAndSavesNothingHalfWay) {
    frame->options().setNumber(settings::OptionId::Packets, 50);
    test::FakeIcmpNetwork::Answer answer;
    answer.from = address("10.0.0.1");
    answer.roundTripMs = 1;
    network.setDefaultAnswer(answer);
    frame->putHostAtStart(QStringLiteral("10.0.0.1"));
    frame->commands().trigger(400);
    ASSERT_TRUE(bool(frame->flags().m_bPing));
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(frame->flags().anyBusy());
    EXPECT_TRUE(results().contains(QStringLiteral("Exiting...Shutting down ping operation first...")));
    EXPECT_FALSE(results().contains(QStringLiteral("PACKET LOSS")))
        << "no statistics while the program exits";
    EXPECT_EQ(network.openHandles(), 0u);
}

TEST_F(DesktopOperationsTest, EnterStartsAPingAndEnterAgainCancelsIt) {
    frame->options().setNumber(settings::OptionId::Packets, 50);
    test::FakeIcmpNetwork::Answer answer;
    answer.from = address("10.0.0.1");
    network.setDefaultAnswer(answer);
    frame->putHostAtStart(QStringLiteral("10.0.0.1"));
    QLineEdit* hostEdit = frame->hostBox()->lineEdit();

    // The worker waits for its first row until the GUI thread takes it, so the ping is still running.
    QTest::keyClick(hostEdit, Qt::Key_Return);
    ASSERT_TRUE(bool(frame->flags().m_bPing));
    frame->RefreshCommandUI();
    EXPECT_EQ(frame->commands().action(400)->text(), QStringLiteral("       Cancel       "));
    EXPECT_EQ(frame->commands().action(11000)->text(), QStringLiteral("Cancel Ping"));

    QTest::keyClick(hostEdit, Qt::Key_Return);
    runUntil([&] { return !frame->flags().anyBusy(); });
    EXPECT_TRUE(results().contains(QStringLiteral("Ping canceled")));
    EXPECT_LE(results().count(QStringLiteral("10.0.0.1")), 3) << "the start line and a row or two";
    frame->RefreshCommandUI();
    EXPECT_EQ(frame->status().get(), QStringLiteral("Ready"));
    EXPECT_EQ(frame->commands().action(400)->text(), QStringLiteral("         Ping         "));
    EXPECT_EQ(network.openHandles(), 0u);
}

TEST_F(DesktopOperationsTest, OnlyTheOperationsThatRunAreEnabled) {
    for (ops::CommandId runs : {ops::CommandId::PingButton, ops::CommandId::LookupMenu,
                                ops::CommandId::TraceButton, ops::CommandId::SeqScanMenu})
        EXPECT_TRUE(frame->commands().action(int(runs))->isEnabled()) << int(runs);
    for (ops::CommandId pending : {ops::CommandId::ListScanButton, ops::CommandId::ListScanMenu})
        EXPECT_FALSE(frame->commands().action(int(pending))->isEnabled()) << int(pending);
    // The SeqScan button waits for all six octet fields; the menu item does not look at them.
    EXPECT_FALSE(frame->commands().action(int(ops::CommandId::SeqScanButton))->isEnabled());
    for (settings::OptionId octet : {settings::OptionId::SeqScanStart1, settings::OptionId::SeqScanStart2,
                                     settings::OptionId::SeqScanStart3, settings::OptionId::SeqScanStart4,
                                     settings::OptionId::SeqScanEnd3, settings::OptionId::SeqScanEnd4})
        frame->options().setText(octet, QStringLiteral("1"));
    frame->RefreshCommandUI();
    EXPECT_TRUE(frame->commands().action(int(ops::CommandId::SeqScanButton))->isEnabled());
}

TEST_F(DesktopOperationsTest, TheHelpMenuGivesTheWinsockReportAndSaysWhenTheManualIsMissing) {
    ASSERT_TRUE(frame->commands().trigger(11019));
    EXPECT_TRUE(results().contains(QStringLiteral("Winsock Information")));
    EXPECT_TRUE(results().contains(QStringLiteral("Maximum datagram packet size: 65507")));

    // The test's home folder has no manual.
    ASSERT_TRUE(frame->commands().trigger(57667));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(
        boxes[0].startsWith(QStringLiteral("Help Error: The manual \"Vantrel.html\" could not be opened")));

    // Without a browser or mail program a link says so, with its address: from the menu and from a click
    // on a link in the Results window.
    QStringList opened;
    frame->setLinkOpener([&](const QUrl& url) {
        opened.append(url.toString());
        return false;
    });
    ASSERT_TRUE(frame->commands().trigger(11020));
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1],
              QStringLiteral("Link Error: The address https://www.quenlo.example/vantrel could not be "
                             "opened: no web browser or mail program is set up on this desktop."));
    ui::ResultsTextView& view = frame->resultsPane().view();
    view.endFrame();
    QTextCursor link(view.document());
    while (!link.atEnd() && !link.charFormat().isAnchor())
        link.movePosition(QTextCursor::NextCharacter);
    link.movePosition(QTextCursor::NextCharacter);
    ASSERT_TRUE(link.charFormat().isAnchor());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.cursorRect(link).center());
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_TRUE(boxes[2].contains(opened.last())) << boxes[2].toStdString();
    EXPECT_TRUE(opened.last().startsWith(QStringLiteral("http"))) << opened.last().toStdString();
}

} // namespace
} // namespace vantrel::app::testing
