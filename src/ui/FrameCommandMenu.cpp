#include "ui/FrameCommandMenu.h"

#include <QAction>
#include <QMenu>

namespace vantrel::ui {

void fillFrameMenu(QMenu& menu, std::span<const int> layout, const FrameCommands& frameCommands,
                   const std::function<QAction*(int id)>& own) {
    for (int id : layout) {
        if (id == 0) {
            menu.addSeparator();
            continue;
        }
        const FrameCommand frame = frameCommands ? frameCommands(id) : FrameCommand();
        QAction* target = own ? own(id) : nullptr;
        if (!target)
            target = frame.action;
        QAction* item = menu.addAction(!frame.caption.isEmpty() ? frame.caption
                                       : target                 ? target->text()
                                                                : QString());
        item->setEnabled(target && target->isEnabled());
        if (target)
            QObject::connect(item, &QAction::triggered, target, &QAction::trigger);
    }
}

} // namespace vantrel::ui
