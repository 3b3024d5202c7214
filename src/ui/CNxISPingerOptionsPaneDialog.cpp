#include "ui/CNxISPingerOptionsPaneDialog.h"

#include "text/MessageTexts.h"
#include "text/PaneTexts.h"

#include <QLineEdit>
#include <array>

namespace vantrel::ui {

namespace {

using enum settings::OptionId;
using K = PaneControl::Kind;
namespace res = output::res;

constexpr std::array kControls{
    PaneControl{K::Text, ISPAddress, &res::kIspServerLabel, &res::kIspServerTip},
    PaneControl{K::Number, ISPInterval, &res::kIntervalLabel, &res::kIspIntervalTip},
};

constexpr std::array kWatchControls{
    PaneControl{K::Number, WatchDownAfter, &res::kWatchDownAfterLabel, &res::kWatchDownAfterTip},
    PaneControl{K::Number, WatchRetentionDays, &res::kWatchRetentionLabel, &res::kWatchRetentionTip},
};

constexpr std::array kGroups{PaneGroup{nullptr, kControls},
                             PaneGroup{&res::kWatchOptionsGroup, kWatchControls}};

} // namespace

CNxISPingerOptionsPaneDialog::CNxISPingerOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent)
    : OptionPane(options, parent) {
    setObjectName(QStringLiteral("ISPingerOptionsPane"));
    buildGroups(kGroups);
    // The server box's tip says why it cannot be typed into, or that ISPinger needs it.
    setToolTipSource([this](int controlId) -> std::optional<QString> {
        if (controlId != settings::optionSpec(ISPAddress).controlId)
            return std::nullopt;
        const QLineEdit* box = serverAddressBox();
        if (box->isReadOnly())
            return output::text(res::kIspAddressLocked);
        if (box->text().isEmpty())
            return output::text(res::kIspServerNeeded) + output::text(res::kIspServerTip);
        return output::text(res::kIspServerTip);
    });
}

QLineEdit* CNxISPingerOptionsPaneDialog::serverAddressBox() const {
    return qobject_cast<QLineEdit*>(control(settings::optionSpec(ISPAddress).controlId));
}

void CNxISPingerOptionsPaneDialog::setServerReadOnly(bool readOnly) {
    serverAddressBox()->setReadOnly(readOnly);
}

} // namespace vantrel::ui
