#pragma once

#include <QString>

class QToolBar;
class QWidget;

namespace vantrel::ui {

// Lays out a docking pane as a fixed toolbar over its content, both within a 1-pixel margin. Answers the
// toolbar, empty, for the pane to fill. The toolbar and the content are named after the pane, as a
// screen reader reads them.
QToolBar* layOutPane(QWidget* pane, QWidget* content, const QString& name);

// Names a toolbar, and its button for the buttons that do not fit, as a screen reader reads them: a
// docked toolbar is no window, so its title would not be read.
void nameToolBar(QToolBar* toolBar, const QString& name);

} // namespace vantrel::ui
