#include "ui/DialogPictures.h"

#include "text/PaneTexts.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace vantrel::ui {

namespace {

constexpr int kStatusSide = 32;

QImage blank(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A white letter or mark drawn across the middle of a disc.
void drawDisc(QPainter& p, const QColor& colour) {
    p.setPen(QPen(colour.darker(140), 1.5));
    QRadialGradient shade(QPointF(12, 10), 22);
    shade.setColorAt(0, colour.lighter(150));
    shade.setColorAt(1, colour);
    p.setBrush(shade);
    p.drawEllipse(QRectF(1.5, 1.5, kStatusSide - 3, kStatusSide - 3));
}

QImage information() {
    QImage image = blank({kStatusSide, kStatusSide});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawDisc(p, QColor(30, 80, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(13.5, 6.5, 5, 5));
    p.drawRoundedRect(QRectF(13.5, 13.5, 5, 12.5), 1, 1);
    return image;
}

QImage warning() {
    QImage image = blank({kStatusSide, kStatusSide});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF triangle{QPointF(16, 2), QPointF(30.5, 29), QPointF(1.5, 29)};
    p.setPen(QPen(QColor(150, 110, 0), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(250, 210, 20));
    p.drawPolygon(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(14.2, 10, 3.6, 11), 1.2, 1.2);
    p.drawEllipse(QRectF(14.2, 22.5, 3.6, 3.6));
    return image;
}

QImage error() {
    QImage image = blank({kStatusSide, kStatusSide});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawDisc(p, QColor(200, 30, 30));
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(21.5, 21.5));
    p.drawLine(QPointF(21.5, 10.5), QPointF(10.5, 21.5));
    return image;
}

struct ButtonLook {
    QSize size;
    const output::TextTemplate<>* label;
};

ButtonLook look(DialogButton button) {
    switch (button) {
    case DialogButton::OK:
        return {{100, 23}, &output::res::kOkPicture};
    case DialogButton::Cancel:
        return {{100, 23}, &output::res::kCancelPicture};
    case DialogButton::EMail:
        return {{118, 23}, &output::res::kEMailPicture};
    case DialogButton::WebPage:
        return {{158, 23}, &output::res::kWebPagePicture};
    case DialogButton::Help:
        return {{100, 23}, &output::res::kHelpPicture};
    }
    return {{100, 23}, nullptr};
}

} // namespace

QImage statusPicture(int iconStyle) {
    switch (iconStyle) {
    case 1:
        return information();
    case 2:
        return warning();
    case 3:
        return error();
    default:
        return {};
    }
}

QSize buttonSize(DialogButton button) {
    return look(button).size;
}

QImage buttonPicture(DialogButton button, bool hover) {
    const ButtonLook l = look(button);
    QImage image = blank(l.size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(QPointF(0, 0), QSizeF(l.size)).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, hover ? QColor(255, 236, 170) : QColor(250, 250, 252));
    fill.setColorAt(1, hover ? QColor(240, 180, 60) : QColor(196, 204, 220));
    p.setPen(QPen(hover ? QColor(160, 100, 0) : QColor(90, 100, 130), 1));
    p.setBrush(fill);
    p.drawRoundedRect(face, 5, 5);
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(hover ? QColor(90, 40, 0) : QColor(20, 30, 70));
    p.drawText(face, Qt::AlignCenter, l.label ? output::text(*l.label) : QString());
    return image;
}

QImage aboutPicture() {
    // Echo waves leaving a dot: the program's ping, in white on the blue band.
    QImage image = blank({64, 64});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(8, 26, 12, 12));
    p.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 3; ++ring) {
        p.setPen(QPen(QColor(255, 255, 255, 230 - ring * 60), 4, Qt::SolidLine, Qt::RoundCap));
        const qreal r = 16 + ring * 12;
        p.drawArc(QRectF(14 - r, 32 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
    return image;
}

} // namespace vantrel::ui
