#pragma once

#include "ui/OptionPane.h"

namespace vantrel::ui {

// The ISPinger options: the server it watches and the interval between its requests; and the Watch
// List's: the losses in a row before a host is down and the days of history kept.
class CNxISPingerOptionsPaneDialog : public OptionPane {
    Q_OBJECT
public:
    CNxISPingerOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent = nullptr);

    QLineEdit* serverAddressBox() const;
    // While ISPinger runs, its server cannot be changed.
    void setServerReadOnly(bool readOnly);
};

} // namespace vantrel::ui
