#include "ui/PaneToolBar.h"

#include "text/PaneTexts.h"
#include "ui/BandedToolBar.h"

#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vantrel::ui {

void nameToolBar(QToolBar* toolBar, const QString& name) {
    toolBar->setAccessibleName(name);
    if (auto* more = toolBar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(output::fill(output::res::kMoreButtonsName, name));
}

QToolBar* layOutPane(QWidget* pane, QWidget* content, const QString& name) {
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    auto* toolBar = new BandedToolBar(pane);
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    nameToolBar(toolBar, output::fill(output::res::kToolBarName, name));
    content->setAccessibleName(name);
    layout->addWidget(toolBar);
    layout->addWidget(content, 1);
    return toolBar;
}

} // namespace vantrel::ui
