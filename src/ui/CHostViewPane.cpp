#include "ui/CHostViewPane.h"

#include "commands/ProfileCommands.h"
#include "text/MessageTexts.h"
#include "text/PaneTexts.h"
#include "ui/PaneToolBar.h"
#include "ui/ToolIcons.h"

#include <QAbstractButton>
#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTableWidget>
#include <QToolBar>

namespace vantrel::ui {

namespace {

// The frame's commands in the list's context menu: the Results window's menu without its edit commands.
constexpr int kMenuLayout[] = {11000, 11001, 11002, 0,     11003, 11004, 0, 11011, 11012, 11013,
                               0,     11016, 0,     11017, 0,     11023, 0, 57667, 0,     57665};

constexpr Qt::ItemFlags kAddressFlags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
constexpr Qt::ItemFlags kNameFlags = kAddressFlags | Qt::ItemIsEditable;

} // namespace

QIcon CHostViewPane::commandIcon(settings::ProfileAction action) {
    switch (action) {
    case settings::ProfileAction::Update:
        return toolIcon(ToolIcon::UpdateProfile);
    case settings::ProfileAction::Delete:
        return toolIcon(ToolIcon::DeleteProfile);
    case settings::ProfileAction::Add:
        break;
    }
    return toolIcon(ToolIcon::AddProfile);
}

CHostViewPane::CHostViewPane(settings::ProfileBook& book, QAction* paneButton, FrameCommands frameCommands,
                             std::array<int, 2> columnWidths, QWidget* parent)
    : QWidget(parent)
    , m_book(book)
    , m_paneButton(paneButton)
    , m_frameCommands(std::move(frameCommands)) {
    setObjectName(QStringLiteral("ProfileManagerView"));
    m_list = new QTableWidget(0, 2, this);
    m_toolBar = layOutPane(this, m_list, output::text(output::res::kProfileManagerTitle));
    // The table's corner button selects every profile.
    for (auto* corner : m_list->findChildren<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
        corner->setAccessibleName(output::text(output::res::kSelectAllProfilesName));
    m_toolBar->addAction(m_paneButton);
    m_list->setObjectName(QStringLiteral("ProfileManagerList"));
    m_list->setHorizontalHeaderItem(settings::kNameColumn,
                                    new QTableWidgetItem(output::text(output::res::kProfileNameHeader)));
    m_list->setHorizontalHeaderItem(settings::kAddressColumn,
                                    new QTableWidgetItem(output::text(output::res::kProfileAddressHeader)));
    m_list->verticalHeader()->hide();
    m_list->setShowGrid(false);
    m_list->setWordWrap(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // A click on the selected profile's name or F2 edits the name; a double click pings instead.
    m_list->setEditTriggers(QAbstractItemView::SelectedClicked);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView* header = m_list->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    for (int column : {settings::kNameColumn, settings::kAddressColumn})
        m_list->setColumnWidth(column, columnWidths[std::size_t(column)]);
    m_list->installEventFilter(this);
    setFocusProxy(m_list);

    connect(header, &QHeaderView::sectionClicked, this, &CHostViewPane::onHeaderClicked);
    connect(m_list, &QTableWidget::itemClicked, this,
            [this](QTableWidgetItem* item) { Q_EMIT profileClicked(item->row()); });
    connect(m_list, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { Q_EMIT profileDoubleClicked(row); });
    connect(m_list, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!m_filling && item->column() == settings::kNameColumn)
            Q_EMIT renameRequested(item->row(), item->text());
    });
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        m_list->setFocus(Qt::PopupFocusReason);
        showContextMenu(m_list->viewport()->mapToGlobal(pos));
    });
    refresh();
}

void CHostViewPane::refresh(std::optional<int> focusRow) {
    m_filling = true;
    const auto& entries = m_book.entries();
    m_list->setRowCount(int(entries.size()));
    for (int row = 0; row < int(entries.size()); ++row) {
        const settings::ProfileEntry& entry = entries[std::size_t(row)];
        for (int column : {settings::kNameColumn, settings::kAddressColumn}) {
            QTableWidgetItem* item = m_list->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                item->setFlags(column == settings::kNameColumn ? kNameFlags : kAddressFlags);
                m_list->setItem(row, column, item);
            }
            item->setText(column == settings::kNameColumn ? entry.name : entry.address);
        }
    }
    m_list->clearSelection();
    if (focusRow && *focusRow >= 0 && *focusRow < m_list->rowCount()) {
        m_list->setCurrentCell(*focusRow, settings::kNameColumn);
        m_list->selectRow(*focusRow);
    } else {
        m_list->setCurrentIndex(QModelIndex());
    }
    m_filling = false;

    const std::optional<settings::ProfileBook::SortState> sorted = m_book.sortState();
    QHeaderView* header = m_list->horizontalHeader();
    header->setSortIndicatorShown(sorted.has_value());
    if (sorted)
        header->setSortIndicator(sorted->column,
                                 sorted->ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    for (int column : {settings::kNameColumn, settings::kAddressColumn})
        m_list->horizontalHeaderItem(column)->setToolTip(output::profileHeaderTip(column, sorted));
}

std::optional<int> CHostViewPane::focusedRow() const {
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_list->rowCount())
        return std::nullopt;
    return row;
}

void CHostViewPane::showCommandState(settings::ProfileAction action) {
    if (m_shownAction != action) {
        m_paneButton->setIcon(commandIcon(action));
        m_shownAction = action;
    }
    m_paneButton->setToolTip(output::profileButtonTip(action));
}

std::array<int, 2> CHostViewPane::columnWidths() const {
    return {m_list->columnWidth(settings::kNameColumn), m_list->columnWidth(settings::kAddressColumn)};
}

void CHostViewPane::editName(int row) {
    QTableWidgetItem* item = m_list->item(row, settings::kNameColumn);
    if (!item)
        return;
    m_list->setCurrentItem(item);
    m_list->editItem(item);
}

void CHostViewPane::clearList() {
    m_filling = true;
    m_list->setRowCount(0);
    m_filling = false;
}

void CHostViewPane::onHeaderClicked(int column) {
    const std::optional<int> row = focusedRow();
    // The focused profile stays focused wherever the sort puts it.
    const QString focused = row ? m_book.at(*row).name : QString();
    m_book.sortByHeader(column);
    refresh(row ? m_book.rowOf(focused) : std::nullopt);
    Q_EMIT sortedByHeader(column);
}

bool CHostViewPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
        if (const std::optional<int> row = focusedRow())
            editName(*row);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CHostViewPane::showContextMenu(const QPoint& globalPos) {
    QMenu menu(this);
    fillFrameMenu(menu, kMenuLayout, m_frameCommands);
    menu.exec(globalPos);
}

} // namespace vantrel::ui
