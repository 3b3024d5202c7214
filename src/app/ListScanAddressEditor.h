#pragma once

#include "settings/ListScanAddressList.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

namespace vantrel::settings {
class LiveOptions;
}

namespace vantrel::ui {
class EntryListEditor;
}

namespace vantrel::app {

// The ListScan address list of the ListScan pane: its button adds or deletes the typed address in the
// store and the list, a click shows an entry in the field, a double click pings it.
class ListScanAddressEditor : public QObject {
    Q_OBJECT
public:
    struct FrameHooks {
        std::function<void(const QString& caption, const QString& text)> showError;
        std::function<void(const QString& host)> pingHost; // into the host box, then the Ping command
        std::function<void()> refresh;                     // the commands' state (ListScan needs entries)
    };

    ListScanAddressEditor(ui::EntryListEditor& editor, settings::LiveOptions& options, FrameHooks hooks,
                          QObject* parent = nullptr);

    // Shows the list as loaded from the store, over that store.
    void load(settings::RegistryStore& store, const QStringList& entries);
    // The addresses in the order the list shows them: what a scan pings.
    QStringList entries() const;
    // Sorts the list once, when its autosort has just been turned on.
    void sortIfAutoSorted();

private:
    void addOrDelete();
    // Shows an entry in the field, as a click does.
    void showEntry(int row);

    ui::EntryListEditor& m_editor;
    settings::LiveOptions& m_options;
    FrameHooks m_hooks;
    std::unique_ptr<settings::ListScanAddressList> m_list;
};

} // namespace vantrel::app
