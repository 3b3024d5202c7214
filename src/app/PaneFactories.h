#pragma once

#include <QString>

class QWidget;
class QListWidget;

namespace vantrel::app {

// The contents of the docking panes, each made by one function so that the full widget of a pane
// takes its place here alone.

// The Results window (pane 133).
QWidget* createResultsView(QWidget* parent);
// The Profile Manager's list (pane 134).
QListWidget* createProfileManagerView(QWidget* parent);
// An option pane whose controls are not there yet: it shows its title.
QWidget* createPendingOptionsPane(const QString& title, QWidget* parent);

} // namespace vantrel::app
