#pragma once

#include "ui/OptionPane.h"

namespace vantrel::ui {

// The SeqScan options.
class CNxSeqScanOptionsPaneDialog : public OptionPane {
    Q_OBJECT
public:
    CNxSeqScanOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent = nullptr);
};

} // namespace vantrel::ui
