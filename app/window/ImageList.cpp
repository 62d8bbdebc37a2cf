#include "app/window/ImageList.h"

#include <QAction>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace orvalen {

namespace {

constexpr char kImageIndexProperty[] = "orvalenImageIndex";

void Triangle(QPainter& p, qreal left, qreal right, bool pointsRight) {
    QPolygonF shape;
    if (pointsRight) {
        shape << QPointF(left, 3) << QPointF(right, 8) << QPointF(left, 13);
    } else {
        shape << QPointF(right, 3) << QPointF(left, 8) << QPointF(right, 13);
    }
    p.drawPolygon(shape);
}

void Speaker(QPainter& p) {
    QPolygonF shape;
    shape << QPointF(1, 6) << QPointF(4, 6) << QPointF(8, 2) << QPointF(8, 14) << QPointF(4, 10)
          << QPointF(1, 10);
    p.drawPolygon(shape);
}

void Draw(QPainter& p, int index) {
    const QColor ink(30, 30, 30);
    const QColor green(20, 130, 40);
    p.setPen(QPen(ink, 1));
    p.setBrush(ink);
    switch (index) {
        case 0:
            Triangle(p, 1, 8, true);
            Triangle(p, 8, 15, true);
            break;
        case 1:
            p.drawRect(4, 3, 2, 10);
            p.drawRect(10, 3, 2, 10);
            break;
        case 2:
            p.setBrush(green);
            p.setPen(green.darker());
            Triangle(p, 4, 13, true);
            break;
        case 3:
            Triangle(p, 1, 8, false);
            Triangle(p, 8, 15, false);
            break;
        case 4:
            p.setBrush(QColor(180, 30, 30));
            p.drawRect(3, 3, 10, 10);
            break;
        case 5:
            p.setBrush(QColor(230, 190, 70));
            p.drawRect(1, 5, 14, 9);
            p.drawRect(1, 3, 6, 2);
            break;
        case 6:
            p.setBrush(Qt::NoBrush);
            p.drawRect(1, 2, 13, 11);
            p.setBrush(ink);
            p.drawRect(3, 4, 9, 7);
            break;
        case 7:
            p.setPen(QPen(QColor(180, 30, 30), 2));
            p.drawLine(3, 3, 13, 13);
            p.drawLine(13, 3, 3, 13);
            break;
        case 8:
            p.setBrush(QColor(120, 120, 130));
            p.drawEllipse(QPointF(8, 8), 6, 6);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(8, 8), 2, 2);
            break;
        case 9: {
            QFont font;
            font.setPixelSize(14);
            font.setBold(true);
            p.setFont(font);
            p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, "A");
            break;
        }
        case 10:
            break;
        case 11:
            p.setBrush(QColor(50, 70, 160));
            p.drawRect(2, 2, 12, 12);
            p.setBrush(Qt::white);
            p.drawRect(5, 2, 6, 4);
            break;
        case 12:
            p.setPen(QPen(ink, 2));
            p.drawLine(2, 4, 8, 8);
            p.drawLine(2, 12, 8, 8);
            p.drawLine(8, 8, 14, 8);
            break;
        case 13:
            p.setBrush(Qt::white);
            p.drawRect(3, 1, 10, 14);
            p.drawLine(5, 5, 11, 5);
            p.drawLine(5, 8, 11, 8);
            p.drawLine(5, 11, 11, 11);
            break;
        case 14:
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
            p.drawLine(8, 8, 8, 4);
            p.drawLine(8, 8, 11, 9);
            break;
        case 15:
            Speaker(p);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(green, 1.5));
            p.drawArc(QRectF(7, 4, 5, 8), -60 * 16, 120 * 16);
            p.drawArc(QRectF(7, 1, 8, 14), -60 * 16, 120 * 16);
            break;
        case 16:
            Speaker(p);
            p.setPen(QPen(QColor(200, 20, 20), 2));
            p.drawLine(10, 5, 15, 11);
            p.drawLine(15, 5, 10, 11);
            break;
        default:
            break;
    }
}

}  // namespace

QImage ImageListImage(int index, qreal ratio) {
    const int side = qCeil(16 * ratio);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    // The painter then draws in the 16 by 16 units, at the screen's own resolution.
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, index);
    return image;
}

QIcon ImageListIcon(int index) {
    if (index < 0 || index >= ImageCount) return {};
    QIcon icon;
    for (const qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
        icon.addPixmap(QPixmap::fromImage(ImageListImage(index, ratio)));
    }
    return icon;
}

void SetImageIndex(QAction* action, int index) {
    action->setProperty(kImageIndexProperty, index);
    action->setIcon(ImageListIcon(index));
}

int ImageIndex(const QAction* action) {
    const QVariant value = action->property(kImageIndexProperty);
    return value.isValid() ? value.toInt() : -1;
}

}  // namespace orvalen
