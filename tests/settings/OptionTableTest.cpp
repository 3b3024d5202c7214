#include "settings/OptionTable.h"

#include "support/QtPrinters.h"

#include <QSet>
#include <gtest/gtest.h>

namespace vantrel::settings {
namespace {

using enum OptionId;

TEST(OptionTableTest, EveryOptionIsWellFormed) {
    QSet<QString> names;
    for (const OptionSpec& spec : optionTable()) {
        SCOPED_TRACE(spec.name().toStdString());
        EXPECT_FALSE(names.contains(spec.name().toCaseFolded())) << "value names must differ beyond case";
        names.insert(spec.name().toCaseFolded());
        EXPECT_EQ(findOption(spec.name().toUpper()), spec.id);
        if (spec.hasRange()) {
            EXPECT_LE(spec.validMin, spec.defaultNumber);
            EXPECT_GE(spec.validMax, spec.defaultNumber);
            EXPECT_EQ(correctedNumber(spec, spec.defaultNumber), spec.defaultNumber);
        }
        if (!spec.isNumeric() && spec.maxChars > 0) {
            EXPECT_LE(spec.defaultTextValue().size(), spec.maxChars);
        }
    }
    EXPECT_EQ(names.size(), qsizetype(kOptionCount));
    EXPECT_FALSE(findOption(QStringLiteral("LogCheck")).has_value()) << "the blank is part of the name";
    EXPECT_EQ(findOption(QStringLiteral("log check")), LogCheck);
}

TEST(OptionTableTest, TheDefaultEchoDataIsABannerOf67CharactersNamingTheProduct) {
    const QString banner = optionSpec(PingString).defaultTextValue();
    EXPECT_EQ(banner.size(), 67);
    EXPECT_TRUE(banner.contains(QStringLiteral("Vantrel")));
}

struct Correction {
    OptionId id;
    int given;
    int corrected;
};

class OptionCorrectionTest : public ::testing::TestWithParam<Correction> {};

TEST_P(OptionCorrectionTest, ANumberShownInItsBoxIsCorrectedAsThePaneDoes) {
    const Correction& c = GetParam();
    EXPECT_EQ(correctedNumber(optionSpec(c.id), c.given), c.corrected)
        << optionSpec(c.id).name().toStdString() << " " << c.given;
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, OptionCorrectionTest,
    ::testing::Values(Correction{Packets, 9000, 5000}, Correction{Packets, 5000, 5000},
                      Correction{Packets, 0, 1}, Correction{Packets, -3, 1}, Correction{Timeout, 100, 99},
                      Correction{Timeout, 0, 1}, Correction{Hops, 256, 255}, Correction{Hops, 255, 255},
                      Correction{Hops, 0, 1}, Correction{SeqScanTimeout20, 0, 1},
                      Correction{SeqScanPackets, 100, 99}, Correction{ListScanTimeout20, 250, 99},
                      Correction{ISPInterval, 1500, 999}, Correction{ISPInterval, 0, 1},
                      Correction{PurgeStatus, 6, 5}, Correction{PurgeStatus, 0, 1},
                      Correction{PurgeLog, 100, 99}, Correction{ParallelProbes, 0, 1},
                      Correction{ParallelProbes, 257, 256}, Correction{ParallelProbes, 256, 256},
                      Correction{AddressFamily, -1, 0}, Correction{AddressFamily, 5, 4},
                      Correction{AddressFamily, 4, 4},
                      // The interval box keeps the last two digits it was given, then corrects.
                      Correction{ContPingInterval, 150, 50}, Correction{ContPingInterval, 100, 1},
                      Correction{ContPingInterval, 7, 7},
                      // Flags hold yes or no; yes/no numbers keep the number stored.
                      Correction{Beep, 7, 1}, Correction{Beep, -1, 1}, Correction{Verbose, 2, 2}));

TEST(OptionTableTest, ATextLongerThanItsBoxTakesIsCut) {
    EXPECT_EQ(correctedText(optionSpec(SeqScanStart1), QStringLiteral("1920")), QStringLiteral("192"));
    EXPECT_EQ(correctedText(optionSpec(PingString), QString(5001, QLatin1Char('a'))).size(), 5000);
    const QString longPath = QString(600, QLatin1Char('p'));
    EXPECT_EQ(correctedText(optionSpec(LogString), longPath), longPath);
}

} // namespace
} // namespace vantrel::settings
