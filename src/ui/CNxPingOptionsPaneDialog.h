#pragma once

#include "ui/OptionPane.h"

namespace vantrel::ui {

// The Ping/TraceRoute options: the ping's packets, timeout, details and data, continuous ping, and the
// trace's hops and names.
class CNxPingOptionsPaneDialog : public OptionPane {
    Q_OBJECT
public:
    CNxPingOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent = nullptr);

    // The interval that the continuous-ping box shows, read when a countdown starts.
    int continuousPingInterval() const;

    static constexpr int kDataSizeId = 1000;
    static constexpr int kDataSizeLabelId = 1062;

private:
    QLineEdit* m_dataSize;
};

} // namespace vantrel::ui
