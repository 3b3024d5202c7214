// The frame's rules that need no window: pane looks, log command states, command line, saved layout.
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/GuiArguments.h"
#include "app/LogCommandUi.h"
#include "app/StatusPaneLooks.h"
#include "app/VisualStyles.h"
#include "app/WorkspaceLayout.h"
#include "support/QtPrinters.h"

#include <QAction>
#include <QDataStream>
#include <QIODevice>
#include <gmock/gmock.h>
#include <set>

namespace vantrel::app {
namespace {

using ::testing::ElementsAre;

TEST(PaneLooks, SizesSwitchToMegabytesAt100000Bytes) {
    EXPECT_EQ(paneSizeText("Text Size", 0), QStringLiteral("Text Size: 0 Bytes"));
    EXPECT_EQ(paneSizeText("Text Size", 99999), QStringLiteral("Text Size: 99999 Bytes"));
    EXPECT_EQ(paneSizeText("Log Size", 100000), QStringLiteral("Log Size: 0.10 Mb"));
    EXPECT_EQ(paneSizeText("Log Size", 2345678), QStringLiteral("Log Size: 2.35 Mb"));
}

TEST(PaneLooks, TextSizeColoursAndTooltip) {
    const QString tip = QStringLiteral("Double-click here to clear the text in the \"Results\" window.");
    EXPECT_EQ(textSizePaneLook(0).toolTip, std::optional<QString>(QString()));
    EXPECT_EQ(textSizePaneLook(10).toolTip, std::optional<QString>(tip));
    EXPECT_EQ(textSizePaneLook(999999).background, std::optional<QColor>(kPaneGreen));
    EXPECT_EQ(textSizePaneLook(1000000).background, std::optional<QColor>(kPaneYellow));
    EXPECT_EQ(textSizePaneLook(1000000).toolTip, std::nullopt); // unchanged
    EXPECT_EQ(textSizePaneLook(2000000).background, std::optional<QColor>(kPaneTomato));
}

TEST(PaneLooks, LogPanes) {
    LogSnapshot log{true, false, false, 0, false};
    EXPECT_EQ(logSizePaneLook(log),
              (PaneLook{QStringLiteral("Log closed."), std::nullopt, kPaneGrey, QString()}));
    EXPECT_EQ(logPaneLook(log).textColour, kPaneGrey);
    EXPECT_EQ(logPaneLook(log).toolTip, std::optional<QString>("Double-click here to start logging"));

    log.logging = true;
    log.fileOpen = true;
    log.fileSize = 1999999;
    EXPECT_EQ(logPaneLook(log).background, std::optional<QColor>(kPaneBlue));
    EXPECT_EQ(logPaneLook(log).toolTip, std::optional<QString>("Double-click here to stop logging"));
    const PaneLook size = logSizePaneLook(log);
    EXPECT_EQ(size.background, std::optional<QColor>(kPaneGreen));
    EXPECT_EQ(size.textColour, kPaneDarkText);
    EXPECT_EQ(size.toolTip, std::optional<QString>("Double-click here to clear the text in the Log."));
    log.fileSize = 2000000;
    EXPECT_EQ(logSizePaneLook(log).background, std::optional<QColor>(kPaneYellow));
    log.fileSize = 4000000;
    EXPECT_EQ(logSizePaneLook(log).background, std::optional<QColor>(kPaneTomato));
}

TEST(PaneLooks, PurgeOnlyPastTheLimitOfAnOpenLog) {
    LogSnapshot log{true, true, true, 4000000, false};
    EXPECT_FALSE(logNeedsPurge(log, 4));
    log.fileSize = 4000001;
    EXPECT_TRUE(logNeedsPurge(log, 4));
    log.fileOpen = false;
    EXPECT_FALSE(logNeedsPurge(log, 4));
}

TEST(LogCommandRules, EnablingAndCaptions) {
    const LogSnapshot closed{true, false, false, 0, false};
    EXPECT_EQ(logCommandState(cmd::kStartLoggingMenu, closed, false),
              (LogCommandState{true, QStringLiteral("Start &Logging")}));
    EXPECT_EQ(logCommandState(cmd::kStartLoggingButton, closed, false).caption,
              std::optional<QString>("      Start Logging       "));
    // Clear Log in the menu keeps its enabling while the file is closed; the button is disabled.
    EXPECT_TRUE(logCommandState(cmd::kClearLogMenu, closed, true).enabled);
    EXPECT_FALSE(logCommandState(cmd::kClearLogMenu, closed, false).enabled);
    EXPECT_FALSE(logCommandState(cmd::kClearLogButton, closed, true).enabled);

    const LogSnapshot empty{true, true, true, 0, false};
    EXPECT_FALSE(logCommandState(cmd::kClearLogMenu, empty, true).enabled);
    EXPECT_EQ(logCommandState(cmd::kStartLoggingMenu, empty, false).caption,
              std::optional<QString>("Stop &Logging"));

    const LogSnapshot noName{true, false, true, 10, true};
    EXPECT_FALSE(logCommandState(cmd::kStartLoggingMenu, noName, true).enabled);
    EXPECT_FALSE(logCommandState(cmd::kShowLogButton, noName, true).enabled);
    EXPECT_TRUE(logCommandState(cmd::kShowLogMenu, noName, false).enabled);
    EXPECT_TRUE(logCommandState(cmd::kClearLogButton, noName, false).enabled);

    const LogSnapshot detached{};
    for (int id : {cmd::kStartLoggingMenu, cmd::kShowLogMenu, cmd::kClearLogMenu, cmd::kLogPane})
        EXPECT_FALSE(logCommandState(id, detached, true).enabled) << id;
}

TEST(LogCommandRules, PaneStateAndTooltips) {
    const LogPaneState logging = logPaneState({true, true, true, 5, false});
    EXPECT_TRUE(logging.checked);
    EXPECT_TRUE(logging.fileNameReadOnly);
    EXPECT_FALSE(logPaneState({true, false, false, 0, true}).checkEnabled);
    EXPECT_EQ(logCheckToolTip(true, false), QStringLiteral("Click here to stop logging."));
    EXPECT_EQ(logCheckToolTip(false, false), QStringLiteral("Click here to start logging."));
    EXPECT_EQ(logCheckToolTip(false, true),
              QStringLiteral("You must provide a log file path to open the log."));
    EXPECT_EQ(logFileNameToolTip(true),
              QStringLiteral("You cannot set the Log file name and path while the log is open."));
}

TEST(GuiCommandLine, ParsesFoldersAndHost) {
    const GuiArguments all =
        parseGuiArguments({"--config-dir", "/tmp/c", "--home-dir=/opt/v", QStringLiteral("host.example")});
    EXPECT_TRUE(all.error.isEmpty());
    EXPECT_EQ(all.configDir, std::optional<QString>("/tmp/c"));
    EXPECT_EQ(all.homeDir, std::optional<QString>("/opt/v"));
    EXPECT_EQ(all.host, std::optional<QString>("host.example"));

    EXPECT_FALSE(parseGuiArguments({}).host.has_value());
    EXPECT_TRUE(parseGuiArguments({"--help"}).helpRequested);
    EXPECT_FALSE(parseGuiArguments({"--config-dir"}).error.isEmpty());
    EXPECT_FALSE(parseGuiArguments({"--home-dir="}).error.isEmpty());
    EXPECT_FALSE(parseGuiArguments({"--colour"}).error.isEmpty());
    EXPECT_FALSE(parseGuiArguments({"a.example", "b.example"}).error.isEmpty());
}

TEST(GuiCommandLine, HomeFolderPrecedence) {
    qunsetenv("VANTREL_HOME");
    EXPECT_EQ(resolveHomeDir(std::nullopt, "/usr/lib/vantrel"), QStringLiteral("/usr/lib/vantrel/"));
    qputenv("VANTREL_HOME", "/srv/vantrel/");
    EXPECT_EQ(resolveHomeDir(std::nullopt, "/usr/lib/vantrel"), QStringLiteral("/srv/vantrel/"));
    EXPECT_EQ(resolveHomeDir(QStringLiteral("/home/u/v"), "/usr/lib/vantrel"), QStringLiteral("/home/u/v/"));
    qunsetenv("VANTREL_HOME");
}

TEST(SavedLayout, HostHistoryRoundTripsAndRejectsForeignData) {
    const QStringList hosts{"example.org", "10.0.0.1", QStringLiteral("h\u00f6st")};
    EXPECT_EQ(decodeHostHistory(encodeHostHistory(hosts)), std::optional<QStringList>(hosts));
    EXPECT_EQ(decodeHostHistory(QByteArray()), std::nullopt);
    EXPECT_EQ(decodeHostHistory(QByteArray("VHH1")), std::nullopt);
    QByteArray truncated = encodeHostHistory(hosts);
    truncated.chop(3);
    EXPECT_EQ(decodeHostHistory(truncated), std::nullopt);
    QByteArray trailing = encodeHostHistory(hosts);
    trailing.append('x');
    EXPECT_EQ(decodeHostHistory(trailing), std::nullopt);
    // Empty, duplicate (ignoring case) and overlong entries are dropped.
    EXPECT_EQ(decodeHostHistory(encodeHostHistory({"a", "", "A", QString(5000, 'x'), "b"})),
              std::optional<QStringList>(QStringList{"a", "b"}));
}

TEST(CommandTableContents, IdsAreUniqueAndButtonsKeepTheirPadding) {
    std::set<int> ids;
    for (const CommandSpec& spec : commandSpecs())
        EXPECT_TRUE(ids.insert(spec.id).second) << "duplicate " << spec.id;
    QObject owner;
    CommandTable table(&owner);
    EXPECT_EQ(table.action(cmd::kShowLogButton)->iconText(), QStringLiteral("      Show Log      "));
    table.setCaption(cmd::kShowLogButton, QStringLiteral("   X   "));
    EXPECT_EQ(table.action(cmd::kShowLogButton)->iconText(), QStringLiteral("   X   "));
    EXPECT_EQ(table.action(12345), nullptr);
    EXPECT_FALSE(table.trigger(12345));
    for (int id = cmd::kLookFirst; id <= cmd::kLookLast; ++id)
        EXPECT_TRUE(table.action(id)->isCheckable()) << id;
}

TEST(VisualStyleTable, EveryStyleLooksDifferent) {
    std::set<QRgb> windows;
    for (const VisualStyle& style : visualStyles())
        windows.insert(visualStylePalette(style.id).color(QPalette::Window).rgb());
    EXPECT_EQ(windows.size(), visualStyles().size());
    EXPECT_EQ(validVisualStyle(215), 215);
    EXPECT_EQ(validVisualStyle(209), 214);
    EXPECT_EQ(validVisualStyle(0), 214);
}

} // namespace
} // namespace vantrel::app
