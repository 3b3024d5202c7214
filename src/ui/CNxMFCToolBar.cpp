#include "ui/CNxMFCToolBar.h"

#include <QAction>
#include <QEvent>
#include <QToolButton>

namespace vantrel::ui {

CNxMFCToolBar::CNxMFCToolBar(const QString& title, const QString& objectName, QWidget* parent)
    : QToolBar(title, parent) {
    setObjectName(objectName);
    setMovable(true);
    setFloatable(true);
    setAllowedAreas(Qt::AllToolBarAreas);
}

QToolButton* CNxMFCToolBar::addCommand(QAction* action) {
    addAction(action);
    auto* button = qobject_cast<QToolButton*>(widgetForAction(action));
    if (button) {
        button->setObjectName(QStringLiteral("button%1").arg(action->data().toInt()));
        button->installEventFilter(this);
    }
    return button;
}

bool CNxMFCToolBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && !m_toolTipsShown)
        return true;
    return QToolBar::eventFilter(watched, event);
}

} // namespace vantrel::ui
