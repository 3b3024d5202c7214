#pragma once

#include <QFrame>

class QLabel;
class QTimer;

namespace vantrel::ui {

// The error balloon of an input box: a bubble under the box with an error icon, the title in bold and the
// text. One balloon shows at a time; it goes at a click, a key, or after a while.
class BalloonTip : public QFrame {
    Q_OBJECT
public:
    // Shows the balloon on `anchor`; false when the box is not on screen to carry it.
    static bool showOn(QWidget& anchor, const QString& title, const QString& text);
    // The balloon on screen, if any.
    static BalloonTip* current();

    QString title() const;
    QString text() const;
    QWidget* anchor() const { return m_anchor; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    BalloonTip(QWidget& anchor, const QString& title, const QString& text);

    QWidget* m_anchor;
    QLabel* m_title;
    QLabel* m_text;
    QTimer* m_expiry;
};

} // namespace vantrel::ui
