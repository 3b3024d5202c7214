#include "ui/WatchPane.h"

#include "text/MessageTexts.h"
#include "text/PaneTexts.h"
#include "ui/RoundTripPlot.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vantrel::ui {

namespace res = output::res;
using output::text;

WatchPane::WatchPane(QWidget* parent)
    : QWidget(parent)
    , m_table(new QTableWidget(0, kColumns, this))
    , m_host(new QLineEdit(this))
    , m_name(new QLineEdit(this))
    , m_interval(new QSpinBox(this))
    , m_loss(new QSpinBox(this))
    , m_roundTrip(new QSpinBox(this))
    , m_add(new QPushButton(text(res::kWatchAddButton), this))
    , m_set(new QPushButton(text(res::kWatchSetButton), this))
    , m_delete(new QPushButton(text(res::kWatchDeleteButton), this))
    , m_watch(new QPushButton(text(res::kWatchRunButton), this))
    , m_span(new QComboBox(this))
    , m_plot(new RoundTripPlot(this))
    , m_changes(new QListWidget(this)) {
    m_table->setHorizontalHeaderLabels(
        {text(res::kWatchColumnEnabled), text(res::kWatchColumnHost), text(res::kWatchColumnName),
         text(res::kWatchColumnState), text(res::kWatchColumnLoss5), text(res::kWatchColumnRtt5),
         text(res::kWatchColumnLoss24), text(res::kWatchColumnRtt24), text(res::kWatchColumnChange)});
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab moves on to the next control; the arrow keys move between the cells.
    m_table->setTabKeyNavigation(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setAccessibleName(text(res::kWatchPaneTitle));
    m_changes->setAccessibleName(text(res::kWatchChangesLabel));

    m_host->setMaxLength(settings::WatchLimits::kLongestHost);
    m_name->setMaxLength(settings::WatchLimits::kLongestName);
    m_interval->setRange(settings::WatchLimits::kShortestInterval, settings::WatchLimits::kLongestInterval);
    m_interval->setValue(settings::WatchEntry{}.intervalSeconds);
    m_loss->setRange(0, 100);
    m_loss->setValue(settings::WatchEntry{}.degradedLossPercent);
    m_loss->setToolTip(text(res::kWatchLossTip));
    m_roundTrip->setRange(1, settings::WatchLimits::kLongestRoundTripMs);
    m_roundTrip->setValue(settings::WatchEntry{}.degradedRoundTripMs);
    m_roundTrip->setToolTip(text(res::kWatchRttTip));
    m_add->setToolTip(text(res::kWatchAddTip));
    m_set->setToolTip(text(res::kWatchSetTip));
    m_watch->setCheckable(true);
    m_watch->setToolTip(text(res::kWatchRunTip));
    for (const auto* span : {&res::kWatchSpanHour, &res::kWatchSpanDay, &res::kWatchSpanWeek})
        m_span->addItem(text(*span));
    m_span->setCurrentIndex(1);

    auto* fields = new QGridLayout;
    const auto label = [this](const output::TextTemplate<>& caption, QWidget* buddy) {
        auto* shown = new QLabel(text(caption), this);
        shown->setBuddy(buddy);
        return shown;
    };
    fields->addWidget(label(res::kWatchHostLabel, m_host), 0, 0);
    fields->addWidget(m_host, 0, 1);
    fields->addWidget(label(res::kWatchNameLabel, m_name), 0, 2);
    fields->addWidget(m_name, 0, 3);
    fields->addWidget(label(res::kWatchIntervalLabel, m_interval), 0, 4);
    fields->addWidget(m_interval, 0, 5);
    fields->addWidget(label(res::kWatchLossLabel, m_loss), 1, 0, 1, 3, Qt::AlignRight);
    fields->addWidget(m_loss, 1, 3);
    fields->addWidget(label(res::kWatchRttLabel, m_roundTrip), 1, 4);
    fields->addWidget(m_roundTrip, 1, 5);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_set);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(label(res::kWatchSpanLabel, m_span));
    buttons->addWidget(m_span);
    buttons->addWidget(m_watch);

    auto* history = new QWidget(this);
    auto* historyLayout = new QVBoxLayout(history);
    historyLayout->setContentsMargins(0, 0, 0, 0);
    historyLayout->addWidget(m_plot, 2);
    historyLayout->addWidget(label(res::kWatchChangesLabel, m_changes));
    historyLayout->addWidget(m_changes, 1);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_table);
    split->addWidget(history);
    split->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addWidget(split, 1);
    setTabOrder(m_host, m_name);
    setTabOrder(m_name, m_interval);
    setTabOrder(m_interval, m_loss);
    setTabOrder(m_loss, m_roundTrip);
    setTabOrder(m_roundTrip, m_add);
    setTabOrder(m_add, m_set);
    setTabOrder(m_set, m_delete);
    setTabOrder(m_delete, m_span);
    setTabOrder(m_span, m_watch);
    setTabOrder(m_watch, m_table);
    setTabOrder(m_table, m_changes);

    connect(m_add, &QPushButton::clicked, this,
            [this] { emit addRequested(typedEntry(m_host->text().trimmed())); });
    connect(m_set, &QPushButton::clicked, this, [this] {
        if (const QString host = selectedHost(); !host.isEmpty())
            emit setRequested(typedEntry(host));
    });
    connect(m_host, &QLineEdit::returnPressed, m_add, &QPushButton::click);
    connect(m_delete, &QPushButton::clicked, this, [this] {
        if (const QString host = selectedHost(); !host.isEmpty())
            emit deleteRequested(host);
    });
    connect(m_watch, &QPushButton::toggled, this, &WatchPane::watchingToggled);
    connect(m_span, &QComboBox::currentIndexChanged, this, &WatchPane::historyWanted);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, [this] {
        showSelectedEntry();
        emit historyWanted();
    });
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!m_showing && item->column() == kEnabled)
            emit enabledChanged(m_table->item(item->row(), kHost)->text(), item->checkState() == Qt::Checked);
    });
}

void WatchPane::showEntries(const std::vector<settings::WatchEntry>& entries) {
    const QString selected = selectedHost();
    m_entries = entries;
    m_showing = true;
    std::vector<QStringList> kept;
    for (const settings::WatchEntry& entry : entries) {
        QStringList cells(kColumns);
        if (const int row = rowOf(entry.host); row >= 0)
            for (int column = kState; column < kColumns; ++column)
                cells[column] = m_table->item(row, column)->text();
        kept.push_back(cells);
    }
    m_table->setRowCount(int(entries.size()));
    for (int row = 0; row < int(entries.size()); ++row) {
        const settings::WatchEntry& entry = entries[std::size_t(row)];
        QStringList& cells = kept[std::size_t(row)];
        cells[kHost] = entry.host;
        cells[kName] = entry.name;
        for (int column = 0; column < kColumns; ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells[column]));
        auto* enabled = m_table->item(row, kEnabled);
        enabled->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        enabled->setCheckState(entry.enabled ? Qt::Checked : Qt::Unchecked);
        if (entry.host == selected)
            m_table->selectRow(row);
    }
    m_showing = false;
}

void WatchPane::showFigures(const WatchRowFigures& figures) {
    const int row = rowOf(figures.host);
    if (row < 0)
        return;
    const QStringList cells{figures.state,   figures.recentLoss,   figures.recentRoundTrip,
                            figures.dayLoss, figures.dayRoundTrip, figures.lastChange};
    for (int i = 0; i < cells.size(); ++i)
        m_table->item(row, kState + i)->setText(cells[i]);
}

void WatchPane::showChanges(const QStringList& lines) {
    m_changes->clear();
    m_changes->addItems(lines);
    m_changes->scrollToBottom();
}

void WatchPane::setWatching(bool on) {
    const QSignalBlocker quiet(m_watch);
    m_watch->setChecked(on);
}

QString WatchPane::selectedHost() const {
    const QList<QTableWidgetItem*> items = m_table->selectedItems();
    return items.isEmpty() ? QString() : m_table->item(items.first()->row(), kHost)->text();
}

int WatchPane::spanHours() const {
    return kSpanHours.at(std::size_t(std::max(0, m_span->currentIndex())));
}

settings::WatchEntry WatchPane::typedEntry(const QString& host) const {
    settings::WatchEntry entry;
    entry.host = host;
    entry.name = m_name->text().trimmed();
    entry.intervalSeconds = m_interval->value();
    entry.degradedLossPercent = m_loss->value();
    entry.degradedRoundTripMs = m_roundTrip->value();
    return entry;
}

void WatchPane::showSelectedEntry() {
    const QString host = selectedHost();
    for (const settings::WatchEntry& entry : m_entries) {
        if (entry.host != host)
            continue;
        m_interval->setValue(entry.intervalSeconds);
        m_loss->setValue(entry.degradedLossPercent);
        m_roundTrip->setValue(entry.degradedRoundTripMs);
    }
}

int WatchPane::rowOf(const QString& host) const {
    for (int row = 0; row < m_table->rowCount(); ++row)
        if (m_table->item(row, kHost) &&
            m_table->item(row, kHost)->text().compare(host, Qt::CaseInsensitive) == 0)
            return row;
    return -1;
}

} // namespace vantrel::ui
