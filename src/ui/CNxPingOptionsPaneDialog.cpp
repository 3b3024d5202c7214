#include "ui/CNxPingOptionsPaneDialog.h"

#include "settings/LiveOptions.h"
#include "text/PaneTexts.h"
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
namespace res = output::res;

constexpr std::array kPingControls{
    PaneControl{K::Number, Packets, &res::kPacketsLabel, &res::kPacketsTip},
    PaneControl{K::Number, Timeout, &res::kTimeoutLabel, &res::kTimeoutTip},
    PaneControl{K::Check, Verbose, &res::kVerboseLabel, &res::kVerboseTip},
    PaneControl{K::Check, Statistics, &res::kStatisticsLabel, &res::kStatisticsTip},
    PaneControl{K::Check, Beep, &res::kBeepLabel, &res::kBeepTip},
    PaneControl{K::Check, PreciseTimes, &res::kPreciseTimesLabel, &res::kPreciseTimesTip},
    PaneControl{K::Check, RetData, &res::kReturnedDataLabel, &res::kReturnedDataTip, 0, nullptr, 1},
    PaneControl{K::Check, Fragment, &res::kFragmentLabel, &res::kFragmentTip, 0, nullptr, 1},
    PaneControl{K::MultiLineText, PingString, &res::kPacketDataLabel, &res::kPacketDataTip, 0, nullptr, 1},
};

constexpr std::array kContinuousControls{
    PaneControl{K::CheckRight, ContPing, &res::kContPingLabel, &res::kContPingTip},
    PaneControl{K::Number, ContPingInterval, &res::kIntervalLabel, &res::kContPingIntervalTip},
};

constexpr std::array kTraceControls{
    PaneControl{K::Number, Hops, &res::kHopsLabel, &res::kHopsTip},
    PaneControl{K::Check, TraceDNS, &res::kShowDnsNamesLabel, &res::kTraceDnsTip},
    PaneControl{K::Number, PathMonitorInterval, &res::kPathMonitorIntervalLabel,
                &res::kPathMonitorIntervalTip},
};

constexpr std::array kGroups{
    PaneGroup{&res::kPingOptionsGroup, kPingControls, 0},
    PaneGroup{&res::kContinuousPingGroup, kContinuousControls, 1},
    PaneGroup{&res::kTraceOptionsGroup, kTraceControls, 1},
};

} // namespace

CNxPingOptionsPaneDialog::CNxPingOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent)
    : OptionPane(options, parent)
    , m_dataSize(new QLineEdit(this)) {
    setObjectName(QStringLiteral("PingOptionsPane"));
    buildGroups(kGroups);

    // The size of the packet data follows the data box; it is shown, never stored.
    QGridLayout* grid = groupColumn(output::text(res::kPingOptionsGroup), 1);
    auto* label = new QLabel(output::text(res::kPacketDataSizeLabel), this);
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
    addOwnControl(m_dataSize, kDataSizeId, output::text(res::kPacketDataSizeTip));
    connect(this, &OptionPane::optionChanged, this, [this](settings::OptionId option) {
        if (option == PingString)
            m_dataSize->setText(QString::number(this->options().packetDataSize()));
    });
}

int CNxPingOptionsPaneDialog::continuousPingInterval() const {
    return numberBox(settings::optionSpec(ContPingInterval).controlId)->number();
}

} // namespace vantrel::ui
