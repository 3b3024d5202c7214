#include "ui/CNxPingOptionsPaneDialog.h"

#include "settings/LiveOptions.h"
#include "ui/NumberBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <array>

namespace vantrel::ui {

namespace {

using enum settings::OptionId;
using K = PaneControl::Kind;

constexpr std::array kPingControls{
    PaneControl{K::Number, Packets,
                "Number of Packets:", "Set the number of packets to send per ping (1 - 5000)."},
    PaneControl{K::Number, Timeout,
                "Timeout (in seconds):", "Set the time limit until timeout (1 - 30 seconds)."},
    PaneControl{K::Check, Verbose, "Verbose (show all details):", "Display results for each packet sent?"},
    PaneControl{K::Check, Statistics,
                "Statistics:", "Display packet loss and Round Trip Time statistics after each ping?"},
    PaneControl{K::Check, Beep, "Beep on Finish:", "Sound a sytem beep after each ping?"},
    PaneControl{K::Check, RetData, "Show Returned Data:",
                "Display the returned data for each packet in the 'Results' window?", 0, nullptr, 1},
    PaneControl{K::Check, Fragment, "Don't Fragment Packets:",
                "Force packets to be sent without fragmenting them?", 0, nullptr, 1},
    PaneControl{K::MultiLineText, PingString, "Packet Data To Send:",
                "Here you can manually set the data to send in your packets (0 - 5000 characters).", 0,
                nullptr, 1},
};

constexpr std::array kContinuousControls{
    PaneControl{K::CheckRight, ContPing, "Enable",
                "Automatically restart the ping after the interval set in the 'Interval' box?"},
    PaneControl{K::Number, ContPingInterval,
                "Interval (secs):", "Sets the continuous ping interval (in seconds)."},
};

constexpr std::array kTraceControls{
    PaneControl{K::Number, Hops, "Number of Hops:",
                "Sets the maximum number of 'hops' (internet routers)\n a packet can use on it's trip to the "
                "destination server."},
    PaneControl{K::Check, TraceDNS,
                "Show DNS Names:", "Find the DNS name of each server along the trace route?"},
};

constexpr std::array kGroups{
    PaneGroup{"Ping Options", kPingControls, 0},
    PaneGroup{"Continuous Ping", kContinuousControls, 1},
    PaneGroup{"TraceRoute Options", kTraceControls, 1},
};

} // namespace

CNxPingOptionsPaneDialog::CNxPingOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent)
    : OptionPane(options, parent)
    , m_dataSize(new QLineEdit(this)) {
    setObjectName(QStringLiteral("PingOptionsPane"));
    buildGroups(kGroups);

    // The size of the packet data follows the data box; it is shown, never stored.
    QGridLayout* grid = groupColumn(QStringLiteral("Ping Options"), 1);
    auto* label = new QLabel(QStringLiteral("Packet Data Size (bytes):"), this);
    label->setObjectName(QStringLiteral("label%1").arg(kDataSizeLabelId));
    m_dataSize->setObjectName(QStringLiteral("edit%1").arg(kDataSizeId));
    m_dataSize->setAccessibleName(controlName(label->text()));
    m_dataSize->setReadOnly(true);
    m_dataSize->setFocusPolicy(Qt::NoFocus);
    m_dataSize->setMaximumWidth(m_dataSize->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    m_dataSize->setText(QStringLiteral("0"));
    // Under the data box, last of the group's second column.
    const int row = int(std::count_if(kPingControls.begin(), kPingControls.end(),
                                      [](const PaneControl& control) { return control.column == 1; }));
    grid->addWidget(label, row, 0);
    grid->addWidget(m_dataSize, row, 1, Qt::AlignLeft);
    addOwnControl(
        m_dataSize, kDataSizeId,
        QStringLiteral("This is the number of characters in your packet data.\n It changes automatically "
                       "when you change the data in the 'Packet Data To Send:' box."));
    connect(this, &OptionPane::optionChanged, this, [this](settings::OptionId option) {
        if (option == PingString)
            m_dataSize->setText(QString::number(this->options().packetDataSize()));
    });
}

int CNxPingOptionsPaneDialog::continuousPingInterval() const {
    return numberBox(settings::optionSpec(ContPingInterval).controlId)->number();
}

} // namespace vantrel::ui
