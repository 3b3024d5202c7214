// The frame's rules that need no window: command line, saved layout, command table, styles.
#include "app/CommandTable.h"
#include "app/GuiArguments.h"
#include "app/ManualLocation.h"
#include "app/VisualStyles.h"
#include "app/WorkspaceLayout.h"
#include "commands/CommandIds.h"
#include "support/QtPrinters.h"

#include <QAction>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <set>

namespace vantrel::app {
namespace {

using ::testing::ElementsAre;

TEST(GuiCommandLine, ParsesFoldersAndHost) {
    const GuiArguments all =
        parseGuiArguments({"--config-dir", "/tmp/c", "--home-dir=/opt/v", QStringLiteral("host.example")});
    EXPECT_TRUE(all.error.isEmpty());
    EXPECT_EQ(all.configDir, std::optional<QString>("/tmp/c"));
    EXPECT_EQ(all.homeDir, std::optional<QString>("/opt/v"));
    EXPECT_EQ(all.host, std::optional<QString>("host.example"));

    EXPECT_FALSE(parseGuiArguments({}).host.has_value());
    EXPECT_TRUE(parseGuiArguments({"--help"}).helpRequested);
    EXPECT_TRUE(parseGuiArguments({"--version"}).versionRequested);
    EXPECT_FALSE(parseGuiArguments({"--config-dir"}).error.isEmpty());
    EXPECT_FALSE(parseGuiArguments({"--home-dir="}).error.isEmpty());
    EXPECT_FALSE(parseGuiArguments({"--colour"}).error.isEmpty());
    EXPECT_FALSE(parseGuiArguments({"a.example", "b.example"}).error.isEmpty());
}

TEST(GuiCommandLine, TheManualIsFoundInTheHomeFolderOrWhereAnInstallationPutsIt) {
    QTemporaryDir prefix;
    const QString bin = prefix.path() + QStringLiteral("/bin");
    const QString home = bin + QLatin1Char('/');
    const QString installed = prefix.path() + QStringLiteral("/share/doc/vantrel/Vantrel.html");
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(prefix.path() + QStringLiteral("/share/doc/vantrel")));
    const QString name = QStringLiteral("Vantrel.html");
    EXPECT_EQ(manualPath(home, bin, name), home + name) << "neither: the home folder, for the message";
    QFile(installed).open(QIODevice::WriteOnly);
    EXPECT_EQ(manualPath(home, bin, name), installed);
    QFile(home + name).open(QIODevice::WriteOnly);
    EXPECT_EQ(manualPath(home, bin, name), home + name);
}

TEST(GuiCommandLine, HomeFolderPrecedence) {
    qunsetenv("VANTREL_HOME");
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    EXPECT_EQ(resolveHomeDir(std::nullopt, data.path()), data.path() + QLatin1Char('/'));
    // A folder the user cannot write to (an installed program's) gives the user's data folder, made.
    EXPECT_EQ(resolveHomeDir(std::nullopt, "/nonexistent/bin"),
              data.path() + QStringLiteral("/Quenlo Software/Vantrel/"));
    EXPECT_TRUE(QFileInfo(data.path() + QStringLiteral("/Quenlo Software/Vantrel")).isDir());
    qunsetenv("XDG_DATA_HOME");
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

TEST(CommandTableContents, IdsAreUniqueAndButtonsShowTheirCaptionsWithoutPadding) {
    std::set<int> ids;
    for (const CommandSpec& spec : commandSpecs())
        EXPECT_TRUE(ids.insert(spec.id).second) << "duplicate " << spec.id;
    QObject owner;
    CommandTable table(&owner);
    EXPECT_EQ(table.action(cmd::kShowLogButton)->text(), QStringLiteral("      Show Log      "));
    EXPECT_EQ(table.action(cmd::kShowLogButton)->iconText(), QStringLiteral("Show Log"));
    table.setCaption(cmd::kShowLogButton, QStringLiteral("   X   "));
    EXPECT_EQ(table.action(cmd::kShowLogButton)->text(), QStringLiteral("   X   "));
    EXPECT_EQ(table.action(cmd::kShowLogButton)->iconText(), QStringLiteral("X"));
    EXPECT_EQ(table.action(12345), nullptr);
    EXPECT_FALSE(table.trigger(12345));
    for (const VisualStyle& style : visualStyles())
        EXPECT_TRUE(table.action(style.id)->isCheckable()) << style.id;
}

TEST(VisualStyleTable, EveryStyleLooksDifferent) {
    std::set<QRgb> windows;
    for (const VisualStyle& style : visualStyles())
        windows.insert(visualStylePalette(style.id).color(QPalette::Window).rgb());
    EXPECT_EQ(windows.size(), visualStyles().size());
    EXPECT_EQ(validVisualStyle(215), 215);
    EXPECT_EQ(validVisualStyle(209), cmd::kLookSystem);
    EXPECT_EQ(validVisualStyle(0), cmd::kLookSystem);
}

} // namespace
} // namespace vantrel::app
