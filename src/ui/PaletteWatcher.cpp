#include "ui/PaletteWatcher.h"

#include <QCoreApplication>
#include <QEvent>

namespace vantrel::ui {

PaletteWatcher::PaletteWatcher(QObject* parent)
    : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

PaletteWatcher::~PaletteWatcher() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool PaletteWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QCoreApplication::instance() && event->type() == QEvent::ApplicationPaletteChange)
        Q_EMIT changed();
    return false;
}

} // namespace vantrel::ui
