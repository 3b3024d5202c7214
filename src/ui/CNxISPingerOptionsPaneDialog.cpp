#include "ui/CNxISPingerOptionsPaneDialog.h"

#include <QLineEdit>
#include <array>

namespace vantrel::ui {

namespace {

using enum settings::OptionId;
using K = PaneControl::Kind;

constexpr const char* kServerTip = "Type the ISPinger server address here.";

constexpr std::array kControls{
    PaneControl{K::Text, ISPAddress, "Server Address:", kServerTip},
    PaneControl{K::Number, ISPInterval, "Interval (secs):", "Sets the interval between pings, in seconds."},
};

constexpr std::array kGroups{PaneGroup{"", kControls}};

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
            return QStringLiteral("The ISPinger address cannot be set while ISPinger is running.");
        if (box->text().isEmpty())
            return QStringLiteral("ISPinger cannot run without a server address.\n") +
                   QLatin1String(kServerTip);
        return QString::fromLatin1(kServerTip);
    });
}

QLineEdit* CNxISPingerOptionsPaneDialog::serverAddressBox() const {
    return qobject_cast<QLineEdit*>(control(settings::optionSpec(ISPAddress).controlId));
}

void CNxISPingerOptionsPaneDialog::setServerReadOnly(bool readOnly) {
    serverAddressBox()->setReadOnly(readOnly);
}

} // namespace vantrel::ui
