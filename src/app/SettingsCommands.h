#pragma once

#include "ops/OperationFrontEnd.h"
#include "settings/StoreWrite.h"

#include <QString>
#include <functional>

namespace vantrel::settings {
class RegistryStore;
}

namespace vantrel::app {

// The Other pane's settings commands and the check of the program's version at start: export of the
// options shown and the whole store to the export file in the home folder, import from it (once the
// user agreed) with a reload of everything the running program shows, and the tooltips of the two
// buttons.
class SettingsCommands {
public:
    // What the commands need of the frame.
    struct FrameParts {
        std::function<void(const QString& caption, const QString& text, ops::MessageIcon)> showMessageBox;
        // Asks before an older export file or the settings are replaced: true for OK.
        std::function<bool(const QString& caption, const QString& text)> askOkCancel;
        // Saves the options the panes show, so that the export holds what the user sees.
        std::function<settings::StoreWrite()> saveSettings;
        // Loads the options, lists, profiles and panes anew from the store.
        std::function<void()> reloadSettings;
        // Saves the frame's current layout under a section of the store.
        std::function<void(const QString& section)> saveLayout;
    };

    // `productVersion` is the running program's; empty when it has none, which the version check
    // then leaves alone.
    SettingsCommands(settings::RegistryStore& store, QString homeDir, QString productVersion,
                     FrameParts frame);

    void ExportSettings();
    void ImportSettings();
    // True when the stored version is the program's. Otherwise the saved layout is thrown away, the
    // current one is kept as the copy Reset GUI goes back to and as the layout, and the version stored.
    bool CheckProductVersion();
    // The comparison alone: true when the stored version is the program's.
    bool versionMatches() const;

    // Import is possible while the export file exists.
    bool importAvailable() const;
    QString exportTip() const;
    QString importTip() const;

private:
    settings::RegistryStore& m_store;
    QString m_homeDir;
    QString m_productVersion;
    FrameParts m_frame;
};

} // namespace vantrel::app
