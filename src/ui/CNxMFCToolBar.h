#pragma once

#include <QToolBar>

class QAction;
class QToolButton;

namespace vantrel::ui {

// A flat toolbar of buttons with icons and captions, docked at the top with a gripper; the main
// window's look decides where the captions go. The captions carry their padding blanks, which set the
// buttons' widths.
class CNxMFCToolBar : public QToolBar {
    Q_OBJECT
public:
    CNxMFCToolBar(const QString& title, const QString& objectName, QWidget* parent = nullptr);

    QToolButton* addCommand(QAction* action);
    // Whether the buttons show tooltips; the Toolkit toolbar shows none.
    void setToolTipsShown(bool shown) { m_toolTipsShown = shown; }
    bool toolTipsShown() const { return m_toolTipsShown; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_toolTipsShown = true;
};

} // namespace vantrel::ui
