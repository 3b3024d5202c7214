#include "ui/EntryListEditor.h"

#include "text/PaneTexts.h"

#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>
#include <QTreeWidget>
#include <algorithm>

namespace vantrel::ui {

EntryListEditor::EntryListEditor(Texts texts, Ids ids, int columnWidth, QWidget* parent)
    : QWidget(parent)
    , m_texts(std::move(texts))
    , m_list(new QTreeWidget(this))
    , m_field(new QLineEdit(this))
    , m_button(new QPushButton(m_texts.addCaption, this)) {
    m_list->setObjectName(QStringLiteral("list%1").arg(ids.list));
    m_field->setObjectName(QStringLiteral("edit%1").arg(ids.field));
    m_button->setObjectName(QStringLiteral("button%1").arg(ids.button));
    // The list is read by its column's title, the field as the entry to add or delete.
    m_list->setAccessibleName(m_texts.column);
    m_field->setAccessibleName(output::fill(output::res::kEntryFieldName, m_texts.column));
    m_list->setColumnCount(1);
    m_list->setHeaderLabels({m_texts.column});
    m_list->headerItem()->setTextAlignment(0, Qt::AlignCenter);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setStretchLastSection(true);
    m_list->setMinimumWidth(columnWidth);
    // The list takes the height the pane has rather than asking for more.
    m_list->setMinimumHeight(80);
    m_list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    // The button stays as wide as its longer caption.
    m_button->setMinimumWidth(std::max(m_button->fontMetrics().horizontalAdvance(m_texts.addCaption),
                                       m_button->fontMetrics().horizontalAdvance(m_texts.deleteCaption)) +
                              24);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_field, 0, 0);
    layout->addWidget(m_button, 0, 1);
    layout->addWidget(m_list, 1, 0, 1, 2);

    for (QObject* watched :
         {static_cast<QObject*>(m_list->viewport()), static_cast<QObject*>(m_field),
          static_cast<QObject*>(m_button), static_cast<QObject*>(m_list->header()->viewport())})
        watched->installEventFilter(this);

    connect(m_list->header(), &QHeaderView::sectionClicked, this, &EntryListEditor::headerClicked);
    // Only a mouse click shows an entry; moving the selection with the keys does not.
    connect(m_list, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { emit entryClicked(item->text(0)); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { emit entryDoubleClicked(item->text(0)); });
    connect(m_button, &QPushButton::clicked, this, &EntryListEditor::buttonClicked);
    connect(m_field, &QLineEdit::textChanged, this, [this] { refreshButton(m_refusedTip); });
    refreshButton();
}

QStringList EntryListEditor::entries() const {
    QStringList texts;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row)
        texts.append(m_list->topLevelItem(row)->text(0));
    return texts;
}

void EntryListEditor::setEntries(const QStringList& entries) {
    m_list->clear();
    for (const QString& text : entries)
        m_list->addTopLevelItem(new QTreeWidgetItem(QStringList{text}));
    refreshButton(m_refusedTip);
}

void EntryListEditor::appendEntry(const QString& text) {
    m_list->addTopLevelItem(new QTreeWidgetItem(QStringList{text}));
    m_list->setFocus(Qt::OtherFocusReason);
    refreshButton(m_refusedTip);
}

int EntryListEditor::findEntry(const QString& text) const {
    for (int row = 0; row < m_list->topLevelItemCount(); ++row)
        if (m_list->topLevelItem(row)->text(0) == text)
            return row;
    return -1;
}

int EntryListEditor::removeEntry(const QString& text, bool sorted) {
    const int row = findEntry(text);
    delete m_list->takeTopLevelItem(row);
    if (sorted)
        sortAscending();
    m_list->setFocus(Qt::OtherFocusReason);
    refreshButton(m_refusedTip);
    const int left = m_list->topLevelItemCount();
    if (left == 0) {
        m_field->clear();
        return -1;
    }
    return std::min(row, left - 1);
}

void EntryListEditor::selectEntry(int row) {
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    if (!item)
        return;
    m_list->setCurrentItem(item);
    m_list->scrollToItem(item);
}

void EntryListEditor::sort(Qt::SortOrder order) {
    QTreeWidgetItem* current = m_list->currentItem();
    QList<QTreeWidgetItem*> items;
    while (m_list->topLevelItemCount() > 0)
        items.append(m_list->takeTopLevelItem(0));
    std::stable_sort(items.begin(), items.end(), [order](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        const int compared = a->text(0).compare(b->text(0), Qt::CaseInsensitive);
        return order == Qt::AscendingOrder ? compared < 0 : compared > 0;
    });
    m_list->addTopLevelItems(items);
    if (current)
        m_list->setCurrentItem(current);
    m_sorted = order;
    m_list->header()->setSortIndicatorShown(true);
    m_list->header()->setSortIndicator(0, order);
}

void EntryListEditor::headerClicked(int) {
    // Ascending and descending in turn.
    sort(m_sorted == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
}

bool EntryListEditor::deleteMode() const {
    return !m_field->text().isEmpty() && findEntry(m_field->text()) >= 0;
}

void EntryListEditor::refreshButton(const QString& refusedTip) {
    m_refusedTip = refusedTip;
    const bool empty = m_field->text().isEmpty();
    m_button->setEnabled(!empty && refusedTip.isEmpty());
    m_button->setText(deleteMode() && refusedTip.isEmpty() ? m_texts.deleteCaption : m_texts.addCaption);
}

QString EntryListEditor::tipFor(const QObject* watched) const {
    if (watched == m_button) {
        if (!m_button->isEnabled() && !m_field->text().isEmpty())
            return m_refusedTip;
        if (!m_button->isEnabled())
            return m_texts.emptyFieldTip;
        return m_button->text() == m_texts.deleteCaption ? m_texts.deleteTip : m_texts.addTip;
    }
    if (watched == m_field)
        return m_texts.fieldTipWhileEmptyOnly && !m_field->text().isEmpty() ? QString() : m_texts.fieldTip;
    if (watched == m_list->header()->viewport()) {
        if (!m_sorted)
            return m_texts.headerUnsorted;
        return *m_sorted == Qt::AscendingOrder ? m_texts.headerAscending : m_texts.headerDescending;
    }
    return m_texts.listTip;
}

bool EntryListEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const QString tip = tipFor(watched);
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip,
                               qobject_cast<QWidget*>(watched));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vantrel::ui
