#pragma once

class QToolBar;
class QWidget;

namespace vantrel::ui {

// Lays out a docking pane as a fixed toolbar over its content, both within a 1-pixel margin. Answers the
// toolbar, empty, for the pane to fill.
QToolBar* layOutPane(QWidget* pane, QWidget* content);

} // namespace vantrel::ui
