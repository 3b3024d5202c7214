// The option panes: every number box's corrections, and which changes reach the options at once.
#include "settings/LiveOptions.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsModel.h"
#include "support/QtPrinters.h"
#include "ui/CNxISPingerOptionsPaneDialog.h"
#include "ui/CNxListScanOptionsPaneDialog.h"
#include "ui/CNxOtherOptionsPaneDialog.h"
#include "ui/CNxPingOptionsPaneDialog.h"
#include "ui/CNxSeqScanOptionsPaneDialog.h"
#include "ui/NumberBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <gmock/gmock.h>
#include <memory>

namespace vantrel::ui {
namespace {

using settings::OptionId;

enum class Act { Type, Paste, SpinUp, SpinDown, Stored };

struct BoxCase {
    OptionId option;
    Act act;
    const char* start; // the box's text before the act
    const char* input; // typed or pasted; the number of steps for a spin; the stored number
    const char* shows; // the box afterwards; the option in force holds its number
};

std::unique_ptr<OptionPane> paneFor(OptionId option, settings::LiveOptions& options) {
    switch (settings::optionSpec(option).pane) {
    case settings::OptionPane::Ping:
        return std::make_unique<CNxPingOptionsPaneDialog>(options);
    case settings::OptionPane::SeqScan:
        return std::make_unique<CNxSeqScanOptionsPaneDialog>(options);
    case settings::OptionPane::ListScan:
        return std::make_unique<CNxListScanOptionsPaneDialog>(options);
    case settings::OptionPane::ISPinger:
        return std::make_unique<CNxISPingerOptionsPaneDialog>(options);
    default:
        return std::make_unique<CNxOtherOptionsPaneDialog>(options);
    }
}

TEST(OptionPanes, EveryNumberBoxCorrectsWhatIsTypedPastedSpunOrStored) {
    using enum OptionId;
    const BoxCase cases[] = {
        {Packets, Act::Type, "", "0", "1"},
        {Packets, Act::Type, "", "6000", "5000"},
        {Packets, Act::Type, "", "12345", "1234"}, // four characters at most
        {Packets, Act::SpinUp, "4999", "3", "5000"},
        {Packets, Act::SpinDown, "1", "1", "1"}, // the spin reaches 0, which becomes 1
        {Timeout, Act::Type, "", "0", "1"},
        {Timeout, Act::Type, "", "30", "30"},
        {Timeout, Act::SpinUp, "98", "5", "99"},
        {Hops, Act::Type, "", "99", "99"},
        {Hops, Act::SpinUp, "99", "200", "255"},
        {Hops, Act::Type, "", "255", "255"}, // three characters: every hop count can be typed
        {Hops, Act::Type, "", "256", "255"},
        {Hops, Act::Type, "", "0", "1"},
        {ContPingInterval, Act::Type, "", "123", "23"}, // keeps its last two digits
        {ContPingInterval, Act::Paste, "", "150", "50"},
        {ContPingInterval, Act::Paste, "", "100", "1"},
        {ContPingInterval, Act::SpinUp, "98", "3", "99"},
        {ContPingInterval, Act::SpinDown, "1", "1", "1"},
        {PurgeStatus, Act::Type, "", "6", "5"},
        {PurgeStatus, Act::Type, "", "0", "1"},
        {PurgeLog, Act::Type, "", "0", "1"},
        {PurgeLog, Act::SpinUp, "98", "4", "99"},
        {ISPInterval, Act::Type, "", "0", "1"},
        {ISPInterval, Act::Stored, "", "1500", "999"},
        {ISPInterval, Act::SpinUp, "998", "4", "999"},
        {SeqScanPackets, Act::Type, "", "0", "1"},
        {SeqScanTimeout20, Act::Stored, "", "250", "99"},
        {ListScanPackets, Act::Paste, "", "7x", "7"}, // a paste with a letter is refused whole
        // Digits of other scripts are no number here: refused whole, never read as the largest number.
        {Packets, Act::Paste, "", "\uFF11\uFF12", "7"}, // full-width 12
        {Timeout, Act::Paste, "", "\u0663", "7"},       // Arabic-Indic 3
        {ListScanTimeout20, Act::Type, "", "0", "1"},
        {ParallelProbes, Act::Type, "", "300", "256"},
        {ParallelProbes, Act::Type, "", "0", "1"},
        {ParallelProbes, Act::Stored, "", "-4", "1"},
        {WatchDownAfter, Act::Type, "", "0", "1"},
        {WatchRetentionDays, Act::Type, "", "5000", "3650"},
    };
    for (const BoxCase& c : cases) {
        const settings::OptionSpec& spec = settings::optionSpec(c.option);
        SCOPED_TRACE((spec.name() + QStringLiteral(" ") + QString::fromUtf8(c.input)).toStdString());
        settings::LiveOptions options;
        std::unique_ptr<OptionPane> pane = paneFor(c.option, options);
        NumberBox* box = pane->numberBox(spec.controlId);
        ASSERT_NE(box, nullptr);
        box->setText(QString::fromLatin1(c.start));
        QLineEdit* edit = box->lineEdit();
        const QString input = QString::fromUtf8(c.input);
        switch (c.act) {
        case Act::Type:
            edit->selectAll();
            QTest::keyClicks(edit, input);
            break;
        case Act::Paste:
            box->setText(QStringLiteral("7"));
            edit->selectAll();
            QApplication::clipboard()->setText(input);
            edit->paste();
            break;
        case Act::SpinUp:
        case Act::SpinDown:
            for (int i = 0; i < input.toInt(); ++i)
                (c.act == Act::SpinUp ? box->upButton() : box->downButton())->click();
            break;
        case Act::Stored: {
            // As a start loads it: the store's value, corrected, shown.
            auto store = settings::RegistryStore::openInMemory();
            store->WriteProfileInt(settings::section::kOptions, spec.name(), input.toInt());
            const settings::LoadedSettings loaded = settings::LoadSettings(*store);
            options.assign(loaded.options);
            pane->showValues(loaded.options);
            break;
        }
        }
        EXPECT_EQ(box->text(), QString::fromLatin1(c.shows));
        EXPECT_EQ(options.number(c.option), QString::fromLatin1(c.shows).toInt());
    }
}

TEST(OptionPanes, ClearingABoxShowsOneAtOnce) {
    settings::LiveOptions options;
    CNxPingOptionsPaneDialog pane(options);
    QLineEdit* packets = pane.numberBox(1088)->lineEdit();
    packets->setText(QStringLiteral("7"));
    packets->setCursorPosition(1);
    QTest::keyClick(packets, Qt::Key_Backspace);
    EXPECT_EQ(packets->text(), QStringLiteral("1"));
    EXPECT_EQ(options.number(OptionId::Packets), 1);
}

TEST(OptionPanes, LiveBoxesChangeTheOptionsAndAtStartBoxesOnlyWhatIsSaved) {
    settings::LiveOptions options;
    CNxPingOptionsPaneDialog ping(options);
    CNxOtherOptionsPaneDialog other(options);
    settings::OptionSet loaded = settings::OptionSet::defaults();
    loaded.setNumber(OptionId::Verbose, 7); // a yes/no number keeps its stored value while unchanged
    loaded.setNumber(OptionId::AddressFamily, 2);
    options.assign(loaded);
    ping.showValues(loaded);
    other.showValues(loaded);

    // The address family's drop-down: an entry per value, the loaded one shown, a choice live.
    auto* family = qobject_cast<QComboBox*>(other.control(1160));
    ASSERT_NE(family, nullptr);
    EXPECT_EQ(family->count(), 5);
    EXPECT_EQ(family->currentText(), QStringLiteral("System order"));
    QTest::keyClick(family, Qt::Key_Down);
    EXPECT_EQ(options.number(OptionId::AddressFamily), 3);

    ping.checkBox(1078)->click(); // Beep: at start
    ping.checkBox(1038)->click(); // Don't Fragment: at start
    ping.checkBox(1077)->click(); // Statistics: live
    EXPECT_FALSE(options.isOn(OptionId::Beep));
    EXPECT_FALSE(options.isOn(OptionId::Fragment));
    EXPECT_FALSE(options.isOn(OptionId::Statistics));

    auto* data = qobject_cast<QPlainTextEdit*>(ping.control(1048));
    data->setPlainText(QStringLiteral("abc"));
    EXPECT_EQ(options.text(OptionId::PingString), QStringLiteral("abc"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(ping.control(1000))->text(), QStringLiteral("3"));
    data->setPlainText(QString(5001, QLatin1Char('x')));
    EXPECT_EQ(options.text(OptionId::PingString).size(), 5000);

    // The sort column follows a header click without changing the option; the saved value follows it.
    QSignalSpy sorts(&other, &CNxOtherOptionsPaneDialog::profileSortRequested);
    EXPECT_FALSE(other.control(1086)->isEnabled());
    other.checkBox(1050)->click();
    EXPECT_TRUE(options.isOn(OptionId::AutoSort));
    EXPECT_TRUE(other.control(1087)->isEnabled());
    qobject_cast<QRadioButton*>(other.control(1087))->click();
    EXPECT_EQ(options.number(OptionId::RadioSort), 1);
    EXPECT_EQ(sorts.count(), 2);
    other.showProfileSortColumn(0); // kept sorted: the list goes on as the button shows
    EXPECT_EQ(options.number(OptionId::RadioSort), 0);
    other.checkBox(1050)->click();
    other.showProfileSortColumn(1); // not kept sorted: only the saved value follows
    EXPECT_EQ(options.number(OptionId::RadioSort), 0);

    settings::OptionSet saved = options.snapshot();
    ping.collectShown(saved);
    other.collectShown(saved);
    EXPECT_TRUE(saved.isOn(OptionId::Beep));
    EXPECT_TRUE(saved.isOn(OptionId::Fragment));
    EXPECT_EQ(saved.number(OptionId::Verbose), 7);
    EXPECT_EQ(saved.number(OptionId::RadioSort), 1);
    EXPECT_EQ(saved.number(OptionId::AddressFamily), 3);
}

TEST(OptionPanes, TheServerBoxTipSaysWhyItCannotBeTyped) {
    settings::LiveOptions options;
    CNxISPingerOptionsPaneDialog pane(options);
    pane.show();
    QLineEdit* server = pane.serverAddressBox();
    auto tipOver = [&] {
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), server->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(server, &help);
        return QToolTip::text();
    };
    EXPECT_EQ(tipOver(),
              QStringLiteral("ISPinger cannot run without a server address.\nType the ISPinger server "
                             "address here."));
    server->setText(QStringLiteral("isp.example"));
    EXPECT_EQ(options.text(OptionId::ISPAddress), QStringLiteral("isp.example"));
    pane.setServerReadOnly(true);
    EXPECT_EQ(tipOver(), QStringLiteral("The ISPinger address cannot be set while ISPinger is running."));
}

} // namespace
} // namespace vantrel::ui
