#include "cli/CliApp.h"
#include "support/BufferOutput.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vantrel::cli {
namespace {

class WinsockCommandTest : public ::testing::Test {
protected:
    int run(QStringList arguments) {
        output = test::BufferOutput();
        arguments.prepend(dir.path());
        arguments.prepend(QStringLiteral("--config-dir"));
        return runCli(arguments, output);
    }
    QStringList lines() const { return output.stdoutText.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

    QTemporaryDir dir;
    test::BufferOutput output;
};

TEST_F(WinsockCommandTest, PrintsTheReportAsTextOrAsFragments) {
    ASSERT_EQ(run({QStringLiteral("winsock")}), 0);
    QStringList text = lines();
    ASSERT_EQ(text.size(), 6);
    EXPECT_EQ(text[0], QStringLiteral("Winsock Information"));
    EXPECT_EQ(text[1], QStringLiteral("Version: 1.1"));
    EXPECT_TRUE(text[2].startsWith(QLatin1String("Description: Linux ")));
    EXPECT_EQ(text[5], QStringLiteral("Maximum datagram packet size: 65507"));

    ASSERT_EQ(run({QStringLiteral("--rtf"), QStringLiteral("winsock")}), 0);
    text = lines();
    ASSERT_EQ(text.size(), 6);
    EXPECT_EQ(text[0], QStringLiteral("Bold\t\\par {Winsock Information} \\par }"));
    EXPECT_EQ(text[1], QStringLiteral("Plain\t{Version: 1.1} \\par }"));
    EXPECT_EQ(text[4].section(QLatin1Char('\t'), 0, 0), QStringLiteral("Plain"));
    EXPECT_TRUE(output.stderrText.isEmpty());
}

TEST_F(WinsockCommandTest, TakesNoArguments) {
    EXPECT_EQ(run({QStringLiteral("winsock"), QStringLiteral("extra")}), 2);
    EXPECT_TRUE(output.stdoutText.isEmpty());
    EXPECT_TRUE(output.stderrText.contains(QLatin1String("winsock takes no arguments")));
}

} // namespace
} // namespace vantrel::cli
