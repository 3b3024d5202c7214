#pragma once

#include "ui/OptionPane.h"

namespace vantrel::ui {

// The ISPinger options: the server it watches and the interval between its requests.
class CNxISPingerOptionsPaneDialog : public OptionPane {
    Q_OBJECT
public:
    CNxISPingerOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent = nullptr);

    QLineEdit* serverAddressBox() const;
    // While ISPinger runs, its server cannot be changed.
    void setServerReadOnly(bool readOnly);
};

} // namespace vantrel::ui
