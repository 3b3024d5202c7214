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

// The program's home folder, ending in a slash: --home-dir, else VANTREL_HOME, else the folder of the
// executable when the user may write there, else the user's data folder ($XDG_DATA_HOME/Quenlo
// Software/Vantrel) for an installed program. The settings export file lives there, and a manual placed
// there is preferred to the installed one.
QString resolveHomeDir(const std::optional<QString>& homeDirArgument, const QString& executableDir);

// The user's data folder, $XDG_DATA_HOME/Quenlo Software/Vantrel/ (~/.local/share/... by default), ending
// in a slash; not made here. A bare or relative log file name is taken in it.
QString userDataDir();

} // namespace vantrel::settings
