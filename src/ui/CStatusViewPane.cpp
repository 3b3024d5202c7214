#include "ui/CStatusViewPane.h"

#include "output/RtfReader.h"
#include "settings/LiveOptions.h"
#include "ui/ResultsTextView.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QToolBar>
#include <QVBoxLayout>

namespace vantrel::ui {

namespace {

// Frame commands in the pane's context menu, with a separator after each 0.
constexpr int kMenuLayout[] = {57633, 0,     57634, 57635, 57642, 0,     57643, 0,     11000, 11001,
                               11002, 0,     11003, 11004, 0,     11011, 11012, 11013, 0,     11016,
                               0,     11017, 0,     11023, 0,     57667, 0,     57665};

// The context menu's own captions of the frame's commands.
QString menuCaption(int id) {
    switch (id) {
    case 11000:
        return QStringLiteral("&Ping");
    case 11001:
        return QStringLiteral("&Lookup");
    case 11002:
        return QStringLiteral("&Trace");
    case 11003:
        return QStringLiteral("SeqScan");
    case 11004:
        return QStringLiteral("ListScan");
    case 11011:
        return QStringLiteral("Start Logg&ing");
    case 11012:
        return QStringLiteral("Show Lo&g");
    case 11013:
        return QStringLiteral("Cle&ar Log");
    case 11016:
        return QStringLiteral("S&how All Options");
    case 11017:
        return QStringLiteral("Add Pro&file");
    case 11023:
        return QStringLiteral("Start ISPi&nger");
    case 57667:
        return QStringLiteral("Help T&opics");
    case 57665:
        return QStringLiteral("&Exit");
    default:
        return QString();
    }
}

} // namespace

CStatusViewPane::CStatusViewPane(settings::LiveOptions& options, FrameCommands frameCommands, QWidget* parent)
    : QWidget(parent)
    , m_options(options)
    , m_frameCommands(std::move(frameCommands)) {
    setObjectName(QStringLiteral("ResultsPane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    m_toolBar = new QToolBar(this);
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_view = new ResultsTextView(this);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_view, 1);
    setFocusProxy(m_view);

    addCommand(Cut, QStringLiteral("Cut"), {QKeySequence(Qt::CTRL | Qt::Key_X)});
    addCommand(Copy, QStringLiteral("Copy"),
               {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    addCommand(SelectAll, QStringLiteral("Select All"), {QKeySequence(Qt::CTRL | Qt::Key_A)});
    addCommand(ClearAll, QStringLiteral("Clear All"), {QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    addCommand(Undo, QStringLiteral("Undo"),
               {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    addCommand(Print, QStringLiteral("Print"), {});
    addCommand(Paste, QStringLiteral("Paste"),
               {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    for (int id : {Cut, Copy, SelectAll, ClearAll, Undo, Print})
        m_toolBar->addAction(command(Command(id)));

    connect(command(Cut), &QAction::triggered, this, [this] {
        m_view->cut();
        UpdateTextSize();
    });
    connect(command(Copy), &QAction::triggered, m_view, &QTextEdit::copy);
    connect(command(Paste), &QAction::triggered, m_view, &QTextEdit::paste);
    connect(command(SelectAll), &QAction::triggered, m_view, &QTextEdit::selectAll);
    connect(command(ClearAll), &QAction::triggered, this, &CStatusViewPane::clearAllText);
    connect(command(Undo), &QAction::triggered, this, [this] {
        m_view->undo();
        QTextCursor start = m_view->textCursor();
        start.setPosition(0);
        m_view->setTextCursor(start);
        UpdateTextSize();
    });
    connect(m_view, &QTextEdit::selectionChanged, this, &CStatusViewPane::updateCommandState);
    connect(m_view, &QTextEdit::undoAvailable, this, &CStatusViewPane::updateCommandState);
    connect(m_view, &QTextEdit::textChanged, this, &CStatusViewPane::updateCommandState);
    connect(m_view, &ResultsTextView::linkActivated, this, &CStatusViewPane::openLink);

    // Ctrl+P in the pane is the frame's Ping.
    auto* ping = new QAction(this);
    ping->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    ping->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(ping, &QAction::triggered, this, [this] {
        if (QAction* frame = m_frameCommands ? m_frameCommands(400) : nullptr)
            frame->trigger();
    });
    addAction(ping);
    updateCommandState();
}

QAction* CStatusViewPane::addCommand(Command id, const QString& text, const QList<QKeySequence>& keys) {
    auto* action = new QAction(text, this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    action->setData(int(id));
    addAction(action);
    m_commands[id] = action;
    return action;
}

QAction* CStatusViewPane::command(Command id) const {
    const auto found = m_commands.find(id);
    return found == m_commands.end() ? nullptr : found->second;
}

void CStatusViewPane::showResult(const QString& fragment, output::ResultKind kind) {
    m_view->appendDocument(output::RtfReader::readFragment(fragment), m_presenter.formatFor(kind));
    UpdateTextSize();
}

void CStatusViewPane::UpdateTextSize() {
    double size = double(m_view->textSizeBytes());
    if (output::exceedsPurgeLimit(size, m_options.number(settings::OptionId::PurgeStatus))) {
        m_view->selectAll();
        m_view->cut();
        size = double(m_view->textSizeBytes());
    }
    Q_EMIT textSizeChanged(output::textSizePane(size));
    updateCommandState();
}

void CStatusViewPane::clearAllText() {
    m_view->selectAll();
    m_view->textCursor().removeSelectedText();
    UpdateTextSize();
}

void CStatusViewPane::updateCommandState() {
    const bool selection = m_view->textCursor().hasSelection();
    const bool hasText = m_view->textSizeBytes() > 0;
    command(Cut)->setEnabled(selection);
    command(Copy)->setEnabled(selection);
    command(SelectAll)->setEnabled(hasText);
    command(ClearAll)->setEnabled(hasText);
    command(Undo)->setEnabled(m_view->document()->isUndoAvailable());
    command(Print)->setEnabled(false); // printing comes with its own dialog later
}

void CStatusViewPane::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    for (int id : kMenuLayout) {
        if (id == 0) {
            menu.addSeparator();
        } else if (QAction* own = command(Command(id))) {
            QAction* item = menu.addAction(own == command(ClearAll)    ? QStringLiteral("Clea&r All Text")
                                           : own == command(Copy)      ? QStringLiteral("Cop&y")
                                           : own == command(Cut)       ? QStringLiteral("&Cut")
                                           : own == command(SelectAll) ? QStringLiteral("&Select All")
                                                                       : QStringLiteral("&Undo"));
            item->setEnabled(own->isEnabled());
            connect(item, &QAction::triggered, own, &QAction::trigger);
        } else {
            QAction* frame = m_frameCommands ? m_frameCommands(id) : nullptr;
            QAction* item = menu.addAction(menuCaption(id));
            item->setEnabled(frame && frame->isEnabled());
            if (frame)
                connect(item, &QAction::triggered, frame, &QAction::trigger);
        }
    }
    menu.exec(event->globalPos());
}

} // namespace vantrel::ui
