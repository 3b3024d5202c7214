#pragma once

#include <QString>
#include <optional>

namespace vantrel::settings {

// Where the per-user settings store lives. In order of precedence: the --config-dir argument,
// VANTREL_CONFIG_DIR, $XDG_CONFIG_HOME/Quenlo Software/Vantrel, ~/.config/Quenlo Software/Vantrel.
struct StoreLocation {
    QString directory;

    static StoreLocation resolve(const std::optional<QString>& configDirArgument);
    QString storeFile() const;

    static constexpr const char* kCompanyKey = "Quenlo Software";
    static constexpr const char* kProductKey = "Vantrel";
    static constexpr const char* kStoreFileName = "settings.db";
};

} // namespace vantrel::settings
