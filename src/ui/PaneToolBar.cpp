#include "ui/PaneToolBar.h"

#include <QToolBar>
#include <QVBoxLayout>

namespace vantrel::ui {

QToolBar* layOutPane(QWidget* pane, QWidget* content) {
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    auto* toolBar = new QToolBar(pane);
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout->addWidget(toolBar);
    layout->addWidget(content, 1);
    return toolBar;
}

} // namespace vantrel::ui
