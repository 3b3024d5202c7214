#include "ui/PathMonitorPane.h"

#include "text/PathMonitorTexts.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <bitset>

namespace vantrel::ui {

namespace res = output::res;
using output::text;

namespace {

// Room a cell takes beside its text: the item's margins and the grid line.
constexpr int kCellPadding = 12;

QTableWidgetItem* cell(const QString& value, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(value);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

} // namespace

PathMonitorPane::PathMonitorPane(QWidget* parent)
    : QWidget(parent)
    , m_heading(new QLabel(this))
    , m_table(new QTableWidget(0, kColumns, this)) {
    m_table->setHorizontalHeaderLabels(text(res::kPathMonitorPaneColumns).split(QLatin1Char('|')));
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab moves on to the next control; the arrow keys move between the hops.
    m_table->setTabKeyNavigation(false);
    // Columns start wide enough for their heading and the usual figures, and widen only when a text
    // outgrew them: a header that resizes itself measures every cell again for every cell set, which
    // would stall the window at short intervals, and columns that keep their widths spare the header a
    // repaint with each new table.
    m_table->horizontalHeader()->setStretchLastSection(true);
    // A selected row would mark every heading, which tells nothing and repaints the header.
    m_table->horizontalHeader()->setHighlightSections(false);
    fitColumnsToUsualFigures();
    m_table->setAccessibleName(text(res::kPathMonitorPaneTitle));
    m_table->setToolTip(text(res::kPathMonitorPaneTip));
    m_heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_heading->setAccessibleName(text(res::kPathMonitorPaneTitle));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_table, 1);

    connect(m_table, &QTableWidget::itemSelectionChanged, this, [this] {
        if (!m_showing)
            emit hopSelected(selectedHop());
    });
}

void PathMonitorPane::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitColumnsToUsualFigures();
}

void PathMonitorPane::fitColumnsToUsualFigures() {
    m_table->resizeColumnsToContents(); // the headings, or the rows shown
    const QFontMetrics metrics = m_table->fontMetrics();
    for (int column = kAddress; column < kName; ++column) {
        const QString usual = column == kAddress ? QStringLiteral("255.255.255.255")
                              : column == kLoss  ? QStringLiteral("100.0%")
                              : column == kSent  ? QStringLiteral("9999")
                                                 : QStringLiteral("999.999");
        m_table->setColumnWidth(
            column, std::max(m_table->columnWidth(column), metrics.horizontalAdvance(usual) + kCellPadding));
    }
}

void PathMonitorPane::showHeading(const QString& heading) {
    m_heading->setText(heading);
}

QString PathMonitorPane::heading() const {
    return m_heading->text();
}

void PathMonitorPane::showHops(const std::vector<PathHopFigures>& hops) {
    const unsigned selected = selectedHop();
    m_showing = true;
    bool taller = m_table->rowCount() != int(hops.size()); // a row more, or a hop with another address
    m_table->setRowCount(int(hops.size()));
    // Measuring a column reads every cell of it: a column is measured again only when a text outgrew it.
    std::bitset<kColumns> wider;
    const QFontMetrics metrics = m_table->fontMetrics();
    const auto outgrows = [&](const QString& value, int column) {
        int widest = 0;
        for (const QStringView line : QStringView(value).split(QLatin1Char('\n')))
            widest = std::max(widest, metrics.horizontalAdvance(line.toString()));
        return widest + kCellPadding > m_table->columnWidth(column);
    };
    const auto right = Qt::AlignRight;
    const auto left = Qt::AlignLeft;
    for (int row = 0; row < int(hops.size()); ++row) {
        const PathHopFigures& hop = hops[std::size_t(row)];
        const QString silent = text(res::kNoAnswerMark);
        const std::array<std::pair<QString, Qt::Alignment>, kColumns> cells{{
            {QString::number(hop.hop), right},
            {hop.addresses.isEmpty() ? silent : hop.addresses.join(QLatin1Char('\n')), left},
            {hop.cells.loss, right},
            {hop.cells.sent, right},
            {hop.cells.last, right},
            {hop.cells.average, right},
            {hop.cells.best, right},
            {hop.cells.worst, right},
            {hop.cells.deviation, right},
            {hop.cells.jitter, right},
            {hop.names.join(QLatin1Char('\n')), left},
        }};
        for (int column = 0; column < kColumns; ++column) {
            const auto& [value, alignment] = cells[std::size_t(column)];
            if (QTableWidgetItem* item = m_table->item(row, column)) {
                if (item->text() == value)
                    continue;
                taller = taller || item->text().count(QLatin1Char('\n')) != value.count(QLatin1Char('\n'));
                item->setText(value);
            } else {
                m_table->setItem(row, column, cell(value, alignment));
            }
            if (outgrows(value, column))
                wider.set(std::size_t(column));
        }
        if (hop.hop == selected && !m_table->item(row, kHop)->isSelected())
            m_table->selectRow(row);
    }
    for (int column = 0; column < kColumns; ++column)
        if (wider.test(std::size_t(column)))
            m_table->resizeColumnToContents(column);
    if (taller)
        m_table->resizeRowsToContents();
    m_showing = false;
}

unsigned PathMonitorPane::selectedHop() const {
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    if (selected.isEmpty())
        return 0;
    const QTableWidgetItem* hop = m_table->item(selected.front()->row(), kHop);
    return hop ? hop->text().toUInt() : 0;
}

} // namespace vantrel::ui
