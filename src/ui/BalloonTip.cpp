#include "ui/BalloonTip.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QStyle>
#include <QTimer>
#include <QToolTip>

namespace vantrel::ui {

namespace {

constexpr int kShownMs = 10000;
QPointer<BalloonTip> g_current;

} // namespace

BalloonTip::BalloonTip(QWidget& anchor, const QString& title, const QString& text)
    : QFrame(anchor.window(), Qt::ToolTip | Qt::FramelessWindowHint)
    , m_anchor(&anchor)
    , m_title(new QLabel(title, this))
    , m_text(new QLabel(text, this))
    , m_expiry(new QTimer(this)) {
    setObjectName(QStringLiteral("BalloonTip"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::Box);
    setPalette(QToolTip::palette());
    setAutoFillBackground(true);
    auto* icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(size, size));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setTextFormat(Qt::PlainText);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0);
    layout->addWidget(m_title, 0, 1);
    layout->addWidget(m_text, 1, 1);
    m_expiry->setSingleShot(true);
    connect(m_expiry, &QTimer::timeout, this, &QWidget::close);
    m_expiry->start(kShownMs);
    // A key or a click anywhere in the program puts the balloon away.
    qApp->installEventFilter(this);
}

bool BalloonTip::showOn(QWidget& anchor, const QString& title, const QString& text) {
    if (!anchor.isVisible())
        return false;
    if (g_current)
        g_current->close();
    auto* balloon = new BalloonTip(anchor, title, text);
    g_current = balloon;
    balloon->adjustSize();
    balloon->move(anchor.mapToGlobal(QPoint(8, anchor.height())));
    balloon->show();
    return true;
}

BalloonTip* BalloonTip::current() {
    return g_current;
}

QString BalloonTip::title() const {
    return m_title->text();
}

QString BalloonTip::text() const {
    return m_text->text();
}

void BalloonTip::mousePressEvent(QMouseEvent* event) {
    QFrame::mousePressEvent(event);
    close();
}

bool BalloonTip::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress)
        close();
    return QFrame::eventFilter(watched, event);
}

} // namespace vantrel::ui
