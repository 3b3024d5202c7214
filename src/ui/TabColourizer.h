#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <array>

class QMainWindow;
class QTabBar;

namespace vantrel::ui {

// Colours the tabs of a main window's tabbed docking panes, one colour per tab in turn from five.
// The main window makes and drops its tab bars as panes are docked; each new one is coloured as soon as
// it is ready.
class TabColourizer : public QObject {
    Q_OBJECT
public:
    explicit TabColourizer(QMainWindow* window);

    void update();
    static QColor colourOfTab(int index);

    static constexpr std::array<QRgb, 5> kColours = {qRgb(240, 128, 128), qRgb(145, 165, 211),
                                                     qRgb(190, 218, 153), qRgb(255, 170, 100),
                                                     qRgb(234, 154, 217)};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMainWindow* m_window;
};

} // namespace vantrel::ui
