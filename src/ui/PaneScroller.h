#pragma once

#include <QScrollArea>

namespace vantrel::ui {

// Holds a pane's controls as wide as the pane, their groups wrapped onto further rows where it is
// narrow; a pane lower than its controls scrolls them up and down, so none is ever out of reach and the
// Results keep their room. Only a pane narrower than its widest group scrolls sideways.
class PaneScroller : public QScrollArea {
    Q_OBJECT
public:
    PaneScroller(QWidget* content, QWidget* parent = nullptr);

    // The content's height at the width the pane has (all in one row before it has one): the docks are
    // sized from it.
    QSize sizeHint() const override;
    // As wide as the widest group, a few lines high.
    QSize minimumSizeHint() const override;
};

} // namespace vantrel::ui
