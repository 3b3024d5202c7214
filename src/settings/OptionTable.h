#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace vantrel::settings {

// Every option of the section "Options", in the order in which LoadSettings reads them.
enum class OptionId {
    ListScanAutoSort,
    ListDNS,
    ListScanShowFail,
    ListScanPackets,
    ListScanTimeout20,
    SeqScanAutoSort,
    SeqScanStart1,
    SeqScanStart2,
    SeqScanStart3,
    SeqScanStart4,
    SeqScanEnd3,
    SeqScanEnd4,
    SeqScanPackets,
    SeqScanTimeout20,
    SeqScanShowFail,
    SeqDNS,
    PingString,
    Packets,
    Timeout,
    Hops,
    Verbose,
    Statistics,
    Beep,
    Fragment,
    RetData,
    TraceDNS,
    Sort,
    ContPing,
    ContPingInterval,
    LogCheck,
    LogString,
    ISPAddress,
    ISPInterval,
    AutoSort,
    RadioSort,
    WarnCurrent,
    PurgeStatus,
    PurgeLog,
    StartISP,
    StartTask,
    ParallelProbes,
    AddressFamily,
    PreciseTimes,
    PathMonitorInterval,
    WatchDownAfter,
    WatchRetentionDays,
};
inline constexpr std::size_t kOptionCount = std::size_t(OptionId::WatchRetentionDays) + 1;

enum class OptionKind {
    Flag,        // held as yes/no; a stored non-zero number loads as yes (1)
    YesNoNumber, // held as the stored number unchanged; non-zero means yes
    Number,      // a signed number with a valid range
    Text,
};

// The option pane that shows an option.
enum class OptionPane { Ping, SeqScan, Other, ListScan, ISPinger, Log };

// The store section an option is kept in: "Options", or "Watch" beside the watch list it rules.
enum class OptionSection { Options, Watch };

// Whether a change of the pane's control reaches the frame at once or only at the next start.
enum class TakesEffect { Live, AtStart };

struct OptionSpec {
    OptionId id;
    std::string_view valueName;
    OptionKind kind;
    int defaultNumber = 0;
    std::string_view defaultText = {};
    int maxChars = 0; // the control's character limit; 0 for none
    int spinMin = 0;
    int spinMax = 0;
    int validMin = 0; // numbers only: the range the pane enforces
    int validMax = 0;
    OptionPane pane = OptionPane::Ping;
    int controlId = 0;
    TakesEffect takesEffect = TakesEffect::Live;
    // A stored number above this is lowered to it while loading (0: no such rule).
    int loadCeiling = 0;
    // The box keeps only its last digits when more are entered (the continuous-ping interval).
    bool keepsLastDigits = false;
    OptionSection section = OptionSection::Options;

    bool isNumeric() const { return kind != OptionKind::Text; }
    bool hasRange() const { return kind == OptionKind::Number; }
    QString name() const { return QString::fromLatin1(valueName.data(), qsizetype(valueName.size())); }
    QString defaultTextValue() const {
        return QString::fromUtf8(defaultText.data(), qsizetype(defaultText.size()));
    }
};

// The default data of an echo request: a banner of 67 characters naming the product.
inline constexpr std::string_view kDefaultPingString =
    "Vantrel " VANTREL_PRODUCT_VERSION " by Quenlo Software: interactive network diagnostic tool";
static_assert(kDefaultPingString.size() == 67);

// The one table of options that the store model, the panes, the command line and the tests all read.
std::span<const OptionSpec, kOptionCount> optionTable();
const OptionSpec& optionSpec(OptionId id);
// Finds an option by its value name, compared without regard to case.
std::optional<OptionId> findOption(const QString& valueName);

// The correction an option's pane makes when a number is shown in or typed into its box: the number
// that the box ends up holding. Flags become 0 or 1; yes/no numbers and texts pass unchanged.
int correctedNumber(const OptionSpec& spec, int value);
// The same for a text option: a text longer than the box takes is cut to the box's limit.
QString correctedText(const OptionSpec& spec, const QString& value);
// What a number option's box shows once its pane has corrected the digits typed, pasted or spun into
// it: the same text when it is in range, else the corrected number. An empty box reads as 0.
QString correctedBoxText(const OptionSpec& spec, const QString& digits);
// A box's digits read as a number: empty reads as 0, and more than an int holds as its largest value.
int boxNumber(const QString& digits);

} // namespace vantrel::settings
