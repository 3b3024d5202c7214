#include "app/KeyboardHooks.h"

#include "ui/HostComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <utility>

namespace vantrel::app {

namespace {

// The editor a list opens over one of its items (a profile's name being renamed).
bool isItemEditor(const QObject* object) {
    for (const QObject* parent = object ? object->parent() : nullptr; parent; parent = parent->parent()) {
        if (qobject_cast<const QAbstractItemView*>(parent))
            return true;
    }
    return false;
}

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// A one-line text box, or the multi-line packet data box; an editable combo box's focus may rest on the
// box itself or on its edit field.
bool isTextBox(const QObject* object) {
    if (const auto* combo = qobject_cast<const QComboBox*>(object))
        return combo->isEditable();
    if (const auto* lines = qobject_cast<const QPlainTextEdit*>(object))
        return !lines->isReadOnly();
    return qobject_cast<const QLineEdit*>(object) != nullptr;
}

} // namespace

KeyboardHooks::KeyboardHooks(QWidget* frame, QLineEdit* profileNameBox, ui::HostComboBox* hostBox,
                             QList<QKeySequence> accelerators, QList<QKeySequence> editKeys,
                             std::function<void()> runPing, QObject* parent)
    : QObject(parent)
    , m_frame(frame)
    , m_profileNameBox(profileNameBox)
    , m_hostBox(hostBox)
    , m_accelerators(std::move(accelerators))
    , m_editKeys(std::move(editKeys))
    , m_runPing(std::move(runPing)) {}

bool KeyboardHooks::belongsToFrame(const QObject* object) const {
    if (!m_frame || !object || !object->isWidgetType())
        return false;
    const QWidget* window = static_cast<const QWidget*>(object)->window();
    while (window != m_frame && qobject_cast<const QDockWidget*>(window) && window->parentWidget())
        window = window->parentWidget()->window();
    return window == m_frame;
}

bool KeyboardHooks::isOneOf(const QKeyEvent* key, const QList<QKeySequence>& keys) {
    const QKeySequence typed(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    return keys.contains(typed);
}

void KeyboardHooks::moveToHostBox() {
    m_hostBox->setFocus(Qt::TabFocusReason);
    if (QLineEdit* edit = m_hostBox->lineEdit()) {
        edit->selectAll();
        // Scroll so the caret shows, at the end of the selection.
        edit->setCursorPosition(int(edit->text().size()));
        edit->selectAll();
    }
}

bool KeyboardHooks::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);

    // The text box answers the override itself: taken, the key is its own; left, the command runs.
    if (isTextBox(watched) && isOneOf(key, m_editKeys))
        return QObject::eventFilter(watched, event);
    if (isOneOf(key, m_accelerators) && belongsToFrame(watched)) {
        // A text box asks to keep such a key for itself: refused, so the accelerator runs its command.
        if (type == QEvent::ShortcutOverride) {
            key->ignore();
            return true;
        }
        // A key that reaches a widget all the same belongs to a disabled command and does nothing.
        return type == QEvent::KeyPress;
    }
    if (type == QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);

    // Only the release of a Tab pressed here moves on: the Tab of a Shift+Tab that came here from the
    // host box may be released after its Shift, and then reads as a plain Tab.
    if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier && m_profileNameBox &&
        watched == m_profileNameBox) {
        if (type == QEvent::KeyPress) {
            m_tabPressedInProfileBox = true;
            return true;
        }
        if (!key->isAutoRepeat() && m_hostBox && std::exchange(m_tabPressedInProfileBox, false))
            moveToHostBox();
        return false;
    }

    // A typed key reaches the top-level QWindow first, then the focused widget and its parents; only
    // the widgets tell where it was typed.
    if (isEnter(key) && !key->isAutoRepeat() && watched->isWidgetType()) {
        const bool inFrame = belongsToFrame(watched);
        if (type == QEvent::KeyPress) {
            // Enter in a menu chooses its item, and in a list's in-place editor it ends the edit: that is
            // all it does, also as the press travels up to the editor's parents.
            if (isItemEditor(watched))
                m_editorEnter = event;
            if (event != m_editorEnter)
                m_enterPressed = inFrame && !qobject_cast<QMenu*>(watched);
        } else if (m_editorEnter) {
            m_editorEnter = nullptr;
            m_enterPressed = false;
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
