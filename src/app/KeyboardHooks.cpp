#include "app/KeyboardHooks.h"

#include "ui/HostComboBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace vantrel::app {

namespace {

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

KeyboardHooks::KeyboardHooks(QWidget* frame, QLineEdit* profileNameBox, ui::HostComboBox* hostBox,
                             std::function<void()> runPing, QObject* parent)
    : QObject(parent)
    , m_frame(frame)
    , m_profileNameBox(profileNameBox)
    , m_hostBox(hostBox)
    , m_runPing(std::move(runPing)) {}

bool KeyboardHooks::belongsToFrame(const QObject* object) const {
    if (!m_frame || !object || !object->isWidgetType())
        return false;
    // Floating docking panes are windows of their own, yet children of the frame.
    for (auto* widget = static_cast<const QWidget*>(object); widget; widget = widget->parentWidget()) {
        if (widget == m_frame)
            return true;
    }
    return false;
}

bool KeyboardHooks::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);

    if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier && m_profileNameBox &&
        watched == m_profileNameBox) {
        if (type == QEvent::KeyPress)
            return true;
        if (!key->isAutoRepeat() && m_hostBox) {
            m_hostBox->setFocus(Qt::TabFocusReason);
            if (QLineEdit* edit = m_hostBox->lineEdit()) {
                edit->selectAll();
                // Scroll so the caret shows, at the end of the selection.
                edit->setCursorPosition(edit->text().size());
                edit->selectAll();
            }
        }
        return false;
    }

    // A typed key reaches the top-level QWindow first, then the focused widget and its parents; only
    // the widgets tell where it was typed.
    if (isEnter(key) && !key->isAutoRepeat() && watched->isWidgetType()) {
        const bool inFrame = belongsToFrame(watched);
        if (type == QEvent::KeyPress) {
            // Enter in a menu chooses its item; that choice is all it does.
            m_enterPressed = inFrame && !qobject_cast<QMenu*>(watched);
        } else if (m_enterPressed) {
            // A release seen as it travels up to the parents counts once.
            m_enterPressed = false;
            if (inFrame && m_runPing)
                m_runPing();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vantrel::app
