#include "ui/BandedToolBar.h"

#include <QPaintEvent>
#include <QStyleOptionToolBar>
#include <QToolButton>

namespace vantrel::ui {

BandedToolBar::BandedToolBar(QWidget* parent)
    : QToolBar(parent) {}

BandedToolBar::BandedToolBar(const QString& title, QWidget* parent)
    : QToolBar(title, parent) {}

bool BandedToolBar::expanded() const {
    // The button that shows the buttons that do not fit stays down while they are shown.
    const auto* more =
        findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"), Qt::FindDirectChildrenOnly);
    return more && more->isChecked();
}

void BandedToolBar::paintEvent(QPaintEvent* event) {
    if (isWindow() || expanded()) {
        QToolBar::paintEvent(event);
        return;
    }
    QStyleOptionToolBar option;
    initStyleOption(&option);
    QStyleOptionToolBar handle = option;
    handle.rect = style()->subElementRect(QStyle::SE_ToolBarHandle, &option, this);
    m_bands.paint(*this, event->rect(), orientation(), [&](QPainter& painter) {
        style()->drawControl(QStyle::CE_ToolBar, &option, &painter, this);
        if (handle.rect.isValid())
            style()->drawPrimitive(QStyle::PE_IndicatorToolBarHandle, &handle, &painter, this);
    });
}

} // namespace vantrel::ui
