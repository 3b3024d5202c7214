#pragma once

#include "ui/BandPainter.h"

#include <QScrollBar>
#include <QStyle>

namespace vantrel::ui {

// A scroll bar painted in bands that Qt fills on the painting thread (see BandPainter), for the Results
// window, whose scroll bars are repainted at every frame of a run. It looks as its style draws any scroll
// bar, hovered and pressed parts included.
class BandedScrollBar : public QScrollBar {
public:
    explicit BandedScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QStyle::SubControl m_pressed = QStyle::SC_None;
    BandPainter m_bands{30}; // the groove's outline across a bar some 16 pixels wide
};

} // namespace vantrel::ui
