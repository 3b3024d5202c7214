#include "ui/CStatusViewPane.h"

#include "print/ResultPagePrinter.h"
#include "settings/LiveOptions.h"
#include "text/MessageTexts.h"
#include "text/PaneTexts.h"
#include "ui/PaneToolBar.h"
#include "ui/ResultsTextView.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QToolBar>

namespace vantrel::ui {

namespace {

// The context menu: the pane's edit commands and the frame's, with a separator for each 0.
constexpr int kMenuLayout[] = {57633, 0,     57634, 57635, 57642, 0,     57643, 0,     11000, 11001,
                               11002, 0,     11003, 11004, 0,     11011, 11012, 11013, 0,     11016,
                               0,     11017, 0,     11023, 0,     57667, 0,     57665};

} // namespace

CStatusViewPane::CStatusViewPane(settings::LiveOptions& options, FrameCommands frameCommands, QWidget* parent)
    : QWidget(parent)
    , m_options(options)
    , m_frameCommands(std::move(frameCommands)) {
    setObjectName(QStringLiteral("ResultsPane"));
    setWindowTitle(output::text(output::res::kResultsPaneTitle));
    m_view = new ResultsTextView(this);
    m_toolBar = layOutPane(this, m_view, windowTitle());
    // The pane's caption and icon lead its toolbar.
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    auto* icon = new QLabel(m_toolBar);
    icon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(iconSize));
    auto* caption = new QLabel(windowTitle(), m_toolBar);
    caption->setObjectName(QStringLiteral("ResultsCaption"));
    caption->setContentsMargins(2, 0, 8, 0);
    m_toolBar->addWidget(icon);
    m_toolBar->addWidget(caption);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    setFocusProxy(m_view);

    // Their keys are the frame's accelerators, which pass them on while the focus is here.
    addCommand(Cut, output::text(output::res::kResultsCut), ToolIcon::Cut);
    addCommand(Copy, output::text(output::res::kResultsCopy), ToolIcon::Copy);
    addCommand(SelectAll, output::text(output::res::kResultsSelectAll), ToolIcon::SelectAll);
    addCommand(ClearAll, output::text(output::res::kResultsClearAll), ToolIcon::ClearAll);
    addCommand(Undo, output::text(output::res::kResultsUndo), ToolIcon::Undo);
    addCommand(Print, output::text(output::res::kResultsPrint), ToolIcon::Print);
    addCommand(Paste, output::text(output::res::kResultsPaste));
    for (int id : {Cut, Copy, SelectAll, ClearAll, Undo, Print})
        m_toolBar->addAction(command(Command(id)));

    connect(command(Cut), &QAction::triggered, this, [this] {
        m_view->endFrame();
        m_view->cut();
        UpdateTextSize();
    });
    connect(command(Copy), &QAction::triggered, m_view, &QTextEdit::copy);
    connect(command(Paste), &QAction::triggered, m_view, &QTextEdit::paste);
    connect(command(SelectAll), &QAction::triggered, m_view, &QTextEdit::selectAll);
    connect(command(ClearAll), &QAction::triggered, this, &CStatusViewPane::clearAllText);
    connect(command(Print), &QAction::triggered, this, &CStatusViewPane::print);
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

    updateCommandState();
}

QAction* CStatusViewPane::addCommand(Command id, const QString& text, std::optional<ToolIcon> icon) {
    auto* action = new QAction(text, this);
    if (icon)
        action->setIcon(toolIcon(*icon));
    action->setData(int(id));
    m_commands[id] = action;
    return action;
}

QAction* CStatusViewPane::command(Command id) const {
    const auto found = m_commands.find(id);
    return found == m_commands.end() ? nullptr : found->second;
}

void CStatusViewPane::showResult(const output::ShownRow& row) {
    m_view->appendDocument(row.document(), m_presenter.formatFor(row.kind()));
    UpdateTextSize();
}

void CStatusViewPane::UpdateTextSize() {
    if (output::exceedsPurgeLimit(double(m_view->textSizeBytes()),
                                  m_options.number(settings::OptionId::PurgeStatus)))
        m_view->purge();
    Q_EMIT textSizeChanged();
    updateCommandState();
}

void CStatusViewPane::clearAllText() {
    m_view->clearAll();
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
    command(Print)->setEnabled(hasText);
}

void CStatusViewPane::print() {
    m_view->endFrame();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(output::text(output::res::kPrintDocumentName));
    // The pages' margins are the program's own, measured from the paper's edge.
    printer.setFullPage(true);
    // Printing to a PDF file stays on offer: there may be no printer at all.
    QPrintDialog dialog(&printer, this);
    const bool selection = m_view->textCursor().hasSelection();
    dialog.setOption(QAbstractPrintDialog::PrintSelection, selection);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (selection)
        printer.setPrintRange(QPrinter::Selection);
    if (dialog.exec() == QDialog::Accepted)
        printTo(printer);
}

bool CStatusViewPane::printTo(QPrinter& printer) {
    m_view->endFrame();
    QTextCursor saved = m_view->textCursor();
    std::unique_ptr<QTextDocument> pages;
    if (printer.printRange() == QPrinter::Selection)
        pages = output::ResultPagePrinter::copyOf(*m_view->document(), saved.selectionStart(),
                                                  saved.selectionEnd());
    else if (printer.printRange() == QPrinter::AllPages)
        pages = output::ResultPagePrinter::copyOf(*m_view->document());
    else
        pages = std::make_unique<QTextDocument>(); // a range of pages of a text not yet laid out: none
    // Paper is white: the rows print in their own colours.
    output::recolour(*pages, m_view->pageColours(), output::PageColours());
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    const int unprintableTop = int(layout.minimumMargins().top() * 20);
    const auto outcome =
        output::ResultPagePrinter::print(*pages, m_view->logicalDpiX(), printer, unprintableTop);
    if (outcome == output::ResultPagePrinter::Outcome::TooTall)
        Q_EMIT errorMessage(output::text(output::res::kPrintingErrorCaption),
                            output::text(output::res::kPrintTooLarge));
    if (!saved.hasSelection()) {
        saved.setPosition(0);
        m_view->setTextCursor(saved);
    }
    return outcome == output::ResultPagePrinter::Outcome::Printed;
}

void CStatusViewPane::setButtonStyle(Qt::ToolButtonStyle style, QSize iconSize) {
    m_toolBar->setToolButtonStyle(style);
    m_toolBar->setIconSize(iconSize);
}

QSize CStatusViewPane::leastSize() const {
    constexpr int kLeastLines = 12;
    const QMargins margins = layout()->contentsMargins();
    const int frame = 2 * m_view->frameWidth() + 2 * int(m_view->document()->documentMargin());
    const int text = kLeastLines * QFontMetrics(m_view->document()->defaultFont()).lineSpacing() + frame +
                     m_view->horizontalScrollBar()->sizeHint().height();
    const QSize bar = m_toolBar->sizeHint();
    return QSize(bar.width() + margins.left() + margins.right(),
                 bar.height() + text + margins.top() + margins.bottom());
}

void CStatusViewPane::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    // The pane's own commands act on the Results window wherever the focus is.
    fillFrameMenu(menu, kMenuLayout, m_frameCommands, [this](int id) { return command(Command(id)); });
    menu.exec(event->globalPos());
}

} // namespace vantrel::ui
