#include "app/PaneFactories.h"

#include <QLabel>

namespace vantrel::app {

ui::CStatusViewPane* createResultsView(settings::LiveOptions& options,
                                       ui::CStatusViewPane::FrameCommands commands, QWidget* parent) {
    return new ui::CStatusViewPane(options, std::move(commands), parent);
}

QWidget* createPendingOptionsPane(const QString& title, QWidget* parent) {
    auto* label = new QLabel(title, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(8);
    return label;
}

} // namespace vantrel::app
