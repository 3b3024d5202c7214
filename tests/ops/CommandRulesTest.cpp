#include "ops/CommandRules.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace vantrel::ops {
namespace {

CommandUi ui(CommandId id, FlagSnapshot flags, bool seqEmpty = false, bool listEmpty = false) {
    return operationCommandUi(id, {flags, seqEmpty, listEmpty});
}

TEST(CommandRulesTest, IdleCommandsAreEnabledWithTheirPaddedCaptions) {
    const FlagSnapshot idle;
    EXPECT_EQ(ui(CommandId::PingButton, idle), (CommandUi{true, "         Ping         "}));
    EXPECT_EQ(ui(CommandId::PingMenu, idle), (CommandUi{true, "&Ping"}));
    EXPECT_EQ(ui(CommandId::LookupButton, idle), (CommandUi{true, "      Lookup      "}));
    EXPECT_EQ(ui(CommandId::TraceButton, idle), (CommandUi{true, "       Trace       "}));
    EXPECT_EQ(ui(CommandId::SeqScanButton, idle), (CommandUi{true, "      SeqScan      "}));
    EXPECT_EQ(ui(CommandId::ListScanButton, idle), (CommandUi{true, "      ListScan      "}));
    EXPECT_EQ(ui(CommandId::ListScanMenu, idle), (CommandUi{true, "L&istScan"}));
}

TEST(CommandRulesTest, ARunningOperationOffersCancelAndDisablesTheOthers) {
    FlagSnapshot ping;
    ping.ping = true;
    EXPECT_EQ(ui(CommandId::PingButton, ping), (CommandUi{true, "       Cancel       "}));
    EXPECT_EQ(ui(CommandId::PingMenu, ping), (CommandUi{true, "Cancel Ping"}));
    for (CommandId other : {CommandId::LookupButton, CommandId::LookupMenu, CommandId::TraceButton,
                            CommandId::TraceMenu, CommandId::SeqScanButton, CommandId::SeqScanMenu,
                            CommandId::ListScanButton, CommandId::ListScanMenu})
        EXPECT_FALSE(ui(other, ping).enabled) << int(other);

    FlagSnapshot trace;
    trace.trace = true;
    EXPECT_EQ(ui(CommandId::TraceButton, trace), (CommandUi{true, "      Cancel     "}));
    EXPECT_FALSE(ui(CommandId::PingButton, trace).enabled);

    FlagSnapshot lookup;
    lookup.lookup = true;
    EXPECT_EQ(ui(CommandId::LookupMenu, lookup), (CommandUi{true, "Cancel Lookup"}));
    EXPECT_EQ(ui(CommandId::LookupButton, lookup), (CommandUi{true, "       Cancel     "}));
    EXPECT_FALSE(ui(CommandId::PingMenu, lookup).enabled);
}

TEST(CommandRulesTest, ContinuousPingCancelsFromTheButtonWhileTheMenuKeepsPing) {
    FlagSnapshot continuous;
    continuous.contPingActive = true;
    EXPECT_EQ(ui(CommandId::PingButton, continuous), (CommandUi{true, "       Cancel       "}));
    EXPECT_EQ(ui(CommandId::PingMenu, continuous), (CommandUi{true, "&Ping"}));
    EXPECT_FALSE(ui(CommandId::TraceButton, continuous).enabled);
    EXPECT_FALSE(ui(CommandId::SeqScanMenu, continuous).enabled);
}

TEST(CommandRulesTest, ScanButtonsNeedSomethingToScanButTheirMenuItemsDoNot) {
    const FlagSnapshot idle;
    EXPECT_FALSE(ui(CommandId::SeqScanButton, idle, true).enabled);
    EXPECT_TRUE(ui(CommandId::SeqScanMenu, idle, true).enabled);
    EXPECT_FALSE(ui(CommandId::ListScanButton, idle, false, true).enabled);
    EXPECT_TRUE(ui(CommandId::ListScanMenu, idle, false, true).enabled);

    FlagSnapshot scanning;
    scanning.listScan = true;
    EXPECT_EQ(ui(CommandId::ListScanButton, scanning), (CommandUi{true, "      Cancel        "}));
    EXPECT_FALSE(ui(CommandId::PingButton, scanning).enabled);
}

} // namespace
} // namespace vantrel::ops
