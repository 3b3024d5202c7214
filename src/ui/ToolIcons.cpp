#include "ui/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace vantrel::ui {

namespace {

// The program's own pictures, drawn on a 16 by 16 grid.
const QColor kBlue(47, 111, 181);
const QColor kGreen(58, 154, 58);
const QColor kRed(200, 55, 45);
const QColor kDark(80, 80, 80);

QPen pen(const QColor& colour, double width = 1.5) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void page(QPainter& p, const QRectF& rect, bool lines = true) {
    p.setPen(pen(kDark, 1));
    p.setBrush(Qt::white);
    p.drawRect(rect);
    if (!lines)
        return;
    p.setPen(pen(QColor(150, 150, 150), 1));
    for (double y = rect.top() + 3; y < rect.bottom() - 1.5; y += 2.5)
        p.drawLine(QPointF(rect.left() + 2, y), QPointF(rect.right() - 2, y));
}

void cross(QPainter& p, const QPointF& centre, double half, const QColor& colour) {
    p.setPen(pen(colour, 2));
    p.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
    p.drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
}

void arrowHead(QPainter& p, const QPointF& tip, const QPointF& back1, const QPointF& back2) {
    p.drawPolyline(std::array{back1, tip, back2}.data(), 3);
}

void paintIcon(QPainter& p, ToolIcon icon) {
    p.setBrush(Qt::NoBrush);
    switch (icon) {
    case ToolIcon::Ping: // a station and the waves it sends
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(4, 12), 2, 2);
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(kBlue));
        p.drawArc(QRectF(-1, 7, 10, 10), 0, 90 * 16);
        p.drawArc(QRectF(-5, 3, 18, 18), 0, 90 * 16);
        p.drawArc(QRectF(-9, -1, 26, 26), 0, 90 * 16);
        break;
    case ToolIcon::Lookup: // a magnifier
        p.setPen(pen(kDark, 2));
        p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
        p.setPen(pen(kBlue, 1.5));
        p.setBrush(QColor(220, 235, 250));
        p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
        break;
    case ToolIcon::Trace: // hops along a route
        p.setPen(pen(kDark, 1.2));
        p.drawPolyline(std::array{QPointF(2.5, 13.5), QPointF(7, 7), QPointF(13.5, 3)}.data(), 3);
        p.setPen(Qt::NoPen);
        for (const QPointF& hop : {QPointF(2.5, 13.5), QPointF(7, 7)}) {
            p.setBrush(kBlue);
            p.drawEllipse(hop, 2, 2);
        }
        p.setBrush(kGreen);
        p.drawEllipse(QPointF(13, 3), 2.5, 2.5);
        break;
    case ToolIcon::PathMonitor: // a route with a pulse over it
        p.setPen(pen(kDark, 1.2));
        p.drawLine(QPointF(2, 13), QPointF(14, 13));
        p.setPen(Qt::NoPen);
        for (double x : {2.5, 8.0, 13.5}) {
            p.setBrush(x > 13 ? kGreen : kBlue);
            p.drawEllipse(QPointF(x, 13), 1.8, 1.8);
        }
        p.setPen(pen(kRed, 1.3));
        p.drawPolyline(std::array{QPointF(1.5, 7), QPointF(5, 7), QPointF(7, 2.5), QPointF(9, 10),
                                  QPointF(11, 7), QPointF(14.5, 7)}
                           .data(),
                       6);
        break;
    case ToolIcon::Options: // three sliders
        for (int i = 0; i < 3; ++i) {
            const double y = 3.5 + i * 4.5;
            p.setPen(pen(kDark, 1.2));
            p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
            p.setPen(pen(kDark, 1));
            p.setBrush(kBlue);
            p.drawRect(QRectF(i == 1 ? 9 : 3 + i * 2, y - 2, 3, 4));
        }
        break;
    case ToolIcon::Exit: // a red stop
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawEllipse(QPointF(8, 8), 7, 7);
        cross(p, QPointF(8, 8), 3, Qt::white);
        break;
    case ToolIcon::Stop: // a red square
        p.setPen(pen(kRed.darker(140), 1));
        p.setBrush(kRed);
        p.drawRoundedRect(QRectF(3, 3, 10, 10), 1.5, 1.5);
        break;
    case ToolIcon::SeqScan: // addresses one after another
        for (int i = 0; i < 4; ++i) {
            p.setPen(pen(kDark, 1));
            p.setBrush(i < 2 ? kGreen : QColor(Qt::white));
            p.drawRect(QRectF(1.5 + i * 3.5, 5.5, 2.5, 5));
        }
        p.setPen(pen(kBlue, 1.2));
        p.drawLine(QPointF(2, 13.5), QPointF(14, 13.5));
        arrowHead(p, QPointF(14.5, 13.5), QPointF(12, 12), QPointF(12, 15));
        break;
    case ToolIcon::ListScan: // a list with marks
        for (int i = 0; i < 3; ++i) {
            const double y = 3.5 + i * 4.5;
            p.setPen(Qt::NoPen);
            p.setBrush(i == 1 ? kRed : kGreen);
            p.drawEllipse(QPointF(3, y), 1.8, 1.8);
            p.setPen(pen(kDark, 1.5));
            p.drawLine(QPointF(6.5, y), QPointF(14.5, y));
        }
        break;
    case ToolIcon::ISPinger: // the world
        p.setPen(pen(kBlue, 1.2));
        p.setBrush(QColor(220, 235, 250));
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8, 8), 3, 6.5);
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        break;
    case ToolIcon::SystemTray: // a window going down into the tray
        p.setPen(pen(kDark, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 13, 9));
        p.setBrush(kBlue);
        p.drawRect(QRectF(1.5, 1.5, 13, 2.5));
        p.setBrush(kDark);
        p.drawRect(QRectF(1.5, 12.5, 13, 2));
        p.setBrush(kGreen);
        p.drawRect(QRectF(11, 12.5, 3.5, 2));
        break;
    case ToolIcon::AddProfile: // a plus
        p.setPen(pen(kGreen, 3.5));
        p.drawLine(QPointF(8, 2.5), QPointF(8, 13.5));
        p.drawLine(QPointF(2.5, 8), QPointF(13.5, 8));
        break;
    case ToolIcon::UpdateProfile: // a pencil
        p.setPen(pen(kBlue, 3));
        p.drawLine(QPointF(3.5, 12.5), QPointF(12, 4));
        p.setPen(pen(kDark, 1));
        p.drawLine(QPointF(1.5, 14.5), QPointF(3.5, 12.5));
        break;
    case ToolIcon::DeleteProfile: // a minus
        p.setPen(pen(kRed, 3.5));
        p.drawLine(QPointF(2.5, 8), QPointF(13.5, 8));
        break;
    case ToolIcon::StartLogging: // a recording dot
        p.setPen(pen(QColor(140, 30, 25), 1));
        p.setBrush(kRed);
        p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
        break;
    case ToolIcon::ShowLog:
        page(p, QRectF(2.5, 1.5, 11, 13));
        break;
    case ToolIcon::ClearLog:
        page(p, QRectF(1.5, 1.5, 10, 12));
        cross(p, QPointF(11.5, 11.5), 2.5, kRed);
        break;
    case ToolIcon::Cut: { // scissors
        p.setPen(pen(kDark, 1.3));
        p.drawLine(QPointF(4, 1.5), QPointF(10.5, 11));
        p.drawLine(QPointF(12, 1.5), QPointF(5.5, 11));
        p.setPen(pen(kBlue, 1.5));
        p.drawEllipse(QPointF(4.5, 12.5), 2.3, 2.3);
        p.drawEllipse(QPointF(11.5, 12.5), 2.3, 2.3);
        break;
    }
    case ToolIcon::Copy:
        page(p, QRectF(1.5, 1.5, 8.5, 10.5), false);
        page(p, QRectF(6, 4.5, 8.5, 10));
        break;
    case ToolIcon::SelectAll:
        page(p, QRectF(2.5, 1.5, 11, 13));
        p.setPen(QPen(kBlue, 1, Qt::DashLine));
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
        break;
    case ToolIcon::ClearAll:
        page(p, QRectF(2.5, 1.5, 11, 13));
        cross(p, QPointF(8, 8), 4, kRed);
        break;
    case ToolIcon::Undo: { // a curved arrow back
        QPainterPath path;
        path.moveTo(4, 6);
        path.cubicTo(9, 2, 15, 5, 13, 11);
        path.cubicTo(12.5, 13, 10, 14, 8, 14);
        p.setPen(pen(kBlue, 1.8));
        p.drawPath(path);
        arrowHead(p, QPointF(3, 7), QPointF(3, 2.5), QPointF(7.5, 7.5));
        break;
    }
    case ToolIcon::Print:
        page(p, QRectF(4.5, 1.5, 7, 5), false);
        p.setPen(pen(kDark, 1));
        p.setBrush(QColor(190, 190, 190));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
        page(p, QRectF(4.5, 10.5, 7, 4.5), false);
        break;
    }
}

QPixmap drawn(ToolIcon icon, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    paintIcon(painter, icon);
    return pixmap;
}

const char* themeName(ToolIcon icon) {
    switch (icon) {
    case ToolIcon::Ping:
        return "network-transmit-receive";
    case ToolIcon::Lookup:
        return "edit-find";
    case ToolIcon::Trace:
        return "go-jump";
    case ToolIcon::PathMonitor:
        return "utilities-system-monitor";
    case ToolIcon::Options:
        return "preferences-system";
    case ToolIcon::Exit:
        return "application-exit";
    case ToolIcon::SeqScan:
        return "view-sort-ascending";
    case ToolIcon::ListScan:
        return "view-list-details";
    case ToolIcon::ISPinger:
        return "network-server";
    case ToolIcon::SystemTray:
        return "go-bottom";
    case ToolIcon::AddProfile:
        return "list-add";
    case ToolIcon::UpdateProfile:
        return "document-edit";
    case ToolIcon::DeleteProfile:
        return "list-remove";
    case ToolIcon::StartLogging:
        return "media-record";
    case ToolIcon::ShowLog:
        return "document-open";
    case ToolIcon::ClearLog:
        return "edit-clear";
    case ToolIcon::Cut:
        return "edit-cut";
    case ToolIcon::Copy:
        return "edit-copy";
    case ToolIcon::SelectAll:
        return "edit-select-all";
    case ToolIcon::ClearAll:
        return "edit-delete";
    case ToolIcon::Undo:
        return "edit-undo";
    case ToolIcon::Print:
        return "document-print";
    case ToolIcon::Stop:
        return "process-stop";
    }
    return "";
}

} // namespace

QIcon toolIcon(ToolIcon icon) {
    QIcon own;
    for (int size : {16, 22, 24, 32, 48})
        own.addPixmap(drawn(icon, size));
    return QIcon::fromTheme(QString::fromLatin1(themeName(icon)), own);
}

} // namespace vantrel::ui
