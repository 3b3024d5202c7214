#include "ui/GroupFlowLayout.h"

#include <QWidget>
#include <algorithm>

namespace vantrel::ui {

GroupFlowLayout::GroupFlowLayout(QWidget* parent)
    : QLayout(parent) {}

GroupFlowLayout::~GroupFlowLayout() {
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void GroupFlowLayout::addItem(QLayoutItem* item) {
    m_items.append(item);
}

int GroupFlowLayout::count() const {
    return int(m_items.size());
}

QLayoutItem* GroupFlowLayout::itemAt(int index) const {
    return m_items.value(index);
}

QLayoutItem* GroupFlowLayout::takeAt(int index) {
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

Qt::Orientations GroupFlowLayout::expandingDirections() const {
    return {};
}

bool GroupFlowLayout::hasHeightForWidth() const {
    return true;
}

int GroupFlowLayout::heightForWidth(int width) const {
    return arrange(QRect(0, 0, width, 0), false);
}

QSize GroupFlowLayout::sizeHint() const {
    const QMargins margins = contentsMargins();
    int width = 0;
    int height = 0;
    for (const QLayoutItem* item : m_items) {
        if (item->isEmpty())
            continue;
        width += item->sizeHint().width() + (width > 0 ? spacing() : 0);
        height = std::max(height, item->sizeHint().height());
    }
    return QSize(width + margins.left() + margins.right(), height + margins.top() + margins.bottom());
}

QSize GroupFlowLayout::minimumSize() const {
    QSize least;
    for (const QLayoutItem* item : m_items) {
        if (!item->isEmpty())
            least = least.expandedTo(item->sizeHint());
    }
    const QMargins margins = contentsMargins();
    return least + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

void GroupFlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int GroupFlowLayout::arrange(const QRect& rect, bool place) const {
    const QRect area = rect.marginsRemoved(contentsMargins());
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;
    for (QLayoutItem* item : m_items) {
        if (item->isEmpty())
            continue;
        const QSize size = item->sizeHint();
        // A column that does not fit beside the ones before it starts the next row.
        if (x > area.x() && x + size.width() > area.right() + 1) {
            x = area.x();
            y += rowHeight + spacing();
            rowHeight = 0;
        }
        if (place)
            item->setGeometry(QRect(QPoint(x, y), size));
        x += size.width() + spacing();
        rowHeight = std::max(rowHeight, size.height());
    }
    return y + rowHeight - rect.y() + contentsMargins().bottom();
}

} // namespace vantrel::ui
