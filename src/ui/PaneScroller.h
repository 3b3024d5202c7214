#pragma once

#include <QScrollArea>

namespace vantrel::ui {

// Holds a pane's controls: as large as they ask to be where there is room, scrolling sideways where the
// window is too narrow for them, so that none is ever out of reach. Its height is always the controls'.
class PaneScroller : public QScrollArea {
    Q_OBJECT
public:
    PaneScroller(QWidget* content, QWidget* parent = nullptr);

    // The content's own size, unbounded and always current: the docks are sized from it.
    QSize sizeHint() const override;
    // Narrow, as high as the content.
    QSize minimumSizeHint() const override;
};

} // namespace vantrel::ui
