#pragma once

#include "ops/OperationFrontEnd.h"
#include "settings/ProfileBook.h"
#include "ui/FrameCommandMenu.h"

#include <QObject>
#include <functional>
#include <optional>

class QLineEdit;

namespace vantrel::settings {
class LiveOptions;
class RegistryStore;
} // namespace vantrel::settings

namespace vantrel::ui {
class CHostViewPane;
class HostComboBox;
} // namespace vantrel::ui

namespace vantrel::app {

class CommandTable;

// The Profile Manager of the frame: the profiles' book and the pane that shows it, the profile command
// (420, 143, 11017) with its enabling and captions, using a profile, and the in-place rename.
class ProfileManager : public QObject {
    Q_OBJECT
public:
    // What the manager needs of the frame.
    struct FrameParts {
        QLineEdit* profileNameBox = nullptr;
        ui::HostComboBox* hostBox = nullptr;
        std::function<void(const QString& caption, const QString& text, ops::MessageIcon)> showMessageBox;
        std::function<void()> returnFocusToHostBox;
        std::function<void()> ping;
    };
    // Asks before a profile is deleted: true for OK.
    using DeleteConfirmation = std::function<bool(const QString& caption, const QString& text)>;

    // Makes the pane, its columns as wide as the store's `Screen` section says, inside `paneParent`.
    ProfileManager(settings::RegistryStore& store, const settings::LiveOptions& options,
                   const CommandTable& commands, FrameParts frame, ui::FrameCommands frameCommands,
                   QWidget* paneParent);
    ~ProfileManager() override;

    ui::CHostViewPane* pane() const { return m_pane; }
    const settings::ProfileBook& book() const { return m_book; }
    void setDeleteConfirmation(DeleteConfirmation confirm) { m_confirmDelete = std::move(confirm); }

    // Fills the list from the store, sorted when AutoSort is on.
    void LoadProfiles();
    // Adds, updates or deletes the profile that the Profile Name box and the host box describe.
    void ProfileCommand();
    // The enabling and captions of the profile command and the pane button's picture and tooltip.
    void ProfileCommandState();
    // Puts the focused profile into the two boxes.
    void UseSelectedProfile();
    // Sorts ascending on the RadioSort column when AutoSort is on (the options changed).
    void sortIfAutoSort();
    // The close of the frame: the column widths are stored and the list control emptied.
    void close();

private:
    void onRename(int row, const QString& newName);
    bool autoSort() const;
    int sortColumn() const;
    void tell(settings::ProfileRefusal refusal, const QString& name);

    settings::RegistryStore& m_store;
    const settings::LiveOptions& m_options;
    const CommandTable& m_commands;
    FrameParts m_frame;
    settings::ProfileBook m_book;
    ui::CHostViewPane* m_pane = nullptr;
    DeleteConfirmation m_confirmDelete;
    std::optional<settings::ProfileAction> m_toolbarAction; // the picture the Hosts toolbar shows
};

} // namespace vantrel::app
