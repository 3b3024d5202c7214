#include "ui/CNxMFCToolBar.h"

#include "ui/PaneToolBar.h"

#include <QAction>
#include <QEvent>
#include <QToolButton>
#include <QWidgetAction>

namespace vantrel::ui {

CNxMFCToolBar::CNxMFCToolBar(const QString& title, const QString& objectName, QWidget* parent)
    : BandedToolBar(title, parent) {
    setObjectName(objectName);
    setMovable(true);
    setFloatable(true);
    setAllowedAreas(Qt::AllToolBarAreas);
    nameToolBar(this, title);
}

QToolButton* CNxMFCToolBar::addCommand(QAction* action) {
    const int id = action->data().toInt();
    // The button sits in a place of its own, so hiding it leaves the command's other sources alone.
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolButtonStyle(toolButtonStyle());
    button->setIconSize(iconSize());
    connect(this, &QToolBar::toolButtonStyleChanged, button, &QToolButton::setToolButtonStyle);
    connect(this, &QToolBar::iconSizeChanged, button, &QToolButton::setIconSize);
    button->installEventFilter(this);
    auto* place = new QWidgetAction(this);
    place->setDefaultWidget(button);
    place->setText(action->text());
    connect(action, &QAction::changed, place, [place, action] { place->setText(action->text()); });
    addAction(place);
    m_slots.emplace(id, place);
    m_commands.append(action);
    return button;
}

QList<QAction*> CNxMFCToolBar::commands() const {
    return m_commands;
}

bool CNxMFCToolBar::setCommandShown(int id, bool shown) {
    const auto found = m_slots.find(id);
    if (found == m_slots.end())
        return false;
    found->second->setVisible(shown);
    return true;
}

bool CNxMFCToolBar::commandShown(int id) const {
    const auto found = m_slots.find(id);
    return found != m_slots.end() && found->second->isVisible();
}

bool CNxMFCToolBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && !m_toolTipsShown)
        return true;
    return QToolBar::eventFilter(watched, event);
}

} // namespace vantrel::ui
