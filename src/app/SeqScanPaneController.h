#pragma once

#include "settings/SeqScanGroups.h"

#include <QObject>
#include <functional>
#include <memory>

class QLineEdit;

namespace vantrel::settings {
class LiveOptions;
}

namespace vantrel::ui {
class CNxSeqScanOptionsPaneDialog;
}

namespace vantrel::app {

// The SeqScan pane at work: each octet field corrected as it is typed, with its own step and the focus
// moved on; the saved groups, added or deleted by the one button, loaded by a click and scanned by a
// double click.
class SeqScanPaneController : public QObject {
    Q_OBJECT
public:
    struct FrameHooks {
        // Reports a problem on a field: a balloon on it, or a message box.
        std::function<void(QLineEdit* field, const QString& caption, const QString& text)> report;
        std::function<void(const QString& caption, const QString& text)> showMessage;
        std::function<bool()> checkAddresses; // the range as a scan would check it, reported
        std::function<void()> runSeqScan;     // the SeqScan command: a scan of the range, or its cancel
        std::function<void(const QString& status)> setStatus;
    };

    SeqScanPaneController(ui::CNxSeqScanOptionsPaneDialog& pane, settings::LiveOptions& options,
                          FrameHooks hooks, QObject* parent = nullptr);

    // Shows the groups as loaded from the store, over that store.
    void load(settings::RegistryStore& store, const QStringList& names);
    // Puts a saved group's octets into the fields, each through its own checks: exactly the group's range,
    // whatever range the fields showed before.
    void LoadGroup(const QString& name);

protected:
    // A period or Right arrow in an octet field moves to the next field (the last back to the first)
    // instead of reaching the field.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void octetChanged(int index);
    void groupNameChanged();
    void AddOrDeleteGroup();
    void DeleteGroup(const QString& name);
    void ShowSelectedGroup(int row);

    ui::CNxSeqScanOptionsPaneDialog& m_pane;
    settings::LiveOptions& m_options;
    FrameHooks m_hooks;
    std::unique_ptr<settings::SeqScanGroups> m_groups;
    // The field the focus just reached by three typed digits: a period typed next stays there rather
    // than skipping a field.
    QLineEdit* m_advancedTo = nullptr;
    // While a group's octets are put into the fields, which checks each field alone.
    bool m_loadingGroup = false;
};

} // namespace vantrel::app
