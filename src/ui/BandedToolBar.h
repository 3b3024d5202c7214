#pragma once

#include "ui/BandPainter.h"

#include <QToolBar>

namespace vantrel::ui {

// A toolbar painted in bands that Qt fills on the painting thread (see BandPainter): a run's start and end
// repaint every toolbar, whose lines run the window's width. Floating, or expanded over its neighbours,
// it paints as any toolbar does.
class BandedToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit BandedToolBar(QWidget* parent = nullptr);
    BandedToolBar(const QString& title, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool expanded() const;

    BandPainter m_bands;
};

} // namespace vantrel::ui
