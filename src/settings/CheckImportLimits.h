#pragma once

#include <QString>
#include <optional>

namespace vantrel::settings {

class RegistryStore;

// Where a store's content goes beyond what the program's own commands let into it.
struct ImportLimitBreach {
    enum class Kind {
        TooLong,          // a name or text of more than `limit` characters
        TooLarge,         // a binary value of more than `limit` bytes
        Empty,            // an entry of a saved list or a profile without a text
        ControlCharacter, // a name, or a text of a list, profile or option, with a control character
        Backslash,        // a key name, or a SeqScan group name, with a "\"
        TooDeep,          // keys nested deeper than any of ours
    };
    Kind kind;
    QString where; // the section, or the section and value name joined by "\"; cut when very long
    int limit = 0;
};

// Checks a store's content against the limits the program's own commands keep: every key and value
// name under 100 characters without control characters (a key name also without "\"); the profiles'
// and the saved lists' names and texts not empty, under 100 characters and without control characters
// (group names also without "\"); a group's octets at most 3 characters; an option's text within its
// box's limit and, but for the echo data, without control characters; every other text and binary
// value within a bound no setting of ours comes near. The first breach found, or nothing.
std::optional<ImportLimitBreach> CheckImportLimits(const RegistryStore& incoming);

} // namespace vantrel::settings
