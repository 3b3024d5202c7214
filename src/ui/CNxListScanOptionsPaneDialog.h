#pragma once

#include "ui/OptionPane.h"

namespace vantrel::ui {

// The ListScan options.
class CNxListScanOptionsPaneDialog : public OptionPane {
    Q_OBJECT
public:
    CNxListScanOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent = nullptr);
};

} // namespace vantrel::ui
