#include "app/window/ImageList.h"

#include <QAction>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace orvalen {

namespace {

constexpr char kGlyphProperty[] = "orvalenGlyph";

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

void Draw(QPainter& p, Glyph glyph) {
    const QColor ink(30, 30, 30);
    const QColor green(20, 130, 40);
    p.setPen(QPen(ink, 1));
    p.setBrush(ink);
    switch (glyph) {
        case Glyph::Forward:
            Triangle(p, 1, 8, true);
            Triangle(p, 8, 15, true);
            break;
        case Glyph::Pause:
            p.drawRect(4, 3, 2, 10);
            p.drawRect(10, 3, 2, 10);
            break;
        case Glyph::Play:
            p.setBrush(green);
            p.setPen(green.darker());
            Triangle(p, 4, 13, true);
            break;
        case Glyph::Backward:
            Triangle(p, 1, 8, false);
            Triangle(p, 8, 15, false);
            break;
        case Glyph::Stop:
            p.setBrush(QColor(180, 30, 30));
            p.drawRect(3, 3, 10, 10);
            break;
        case Glyph::Open:
            p.setBrush(QColor(230, 190, 70));
            p.drawRect(1, 5, 14, 9);
            p.drawRect(1, 3, 6, 2);
            break;
        case Glyph::FullScreen:
            p.setBrush(Qt::NoBrush);
            p.drawRect(1, 2, 13, 11);
            p.setBrush(ink);
            p.drawRect(3, 4, 9, 7);
            break;
        case Glyph::Exit:
            p.setPen(QPen(QColor(180, 30, 30), 2));
            p.drawLine(3, 3, 13, 13);
            p.drawLine(13, 3, 3, 13);
            break;
        case Glyph::Configuration:
            p.setBrush(QColor(120, 120, 130));
            p.drawEllipse(QPointF(8, 8), 6, 6);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(8, 8), 2, 2);
            break;
        case Glyph::Fonts: {
            QFont font;
            font.setPixelSize(14);
            font.setBold(true);
            p.setFont(font);
            p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, "A");
            break;
        }
        case Glyph::Blank:
            break;
        case Glyph::Save:
            p.setBrush(QColor(50, 70, 160));
            p.drawRect(2, 2, 12, 12);
            p.setBrush(Qt::white);
            p.drawRect(5, 2, 6, 4);
            break;
        case Glyph::Merge:
            p.setPen(QPen(ink, 2));
            p.drawLine(2, 4, 8, 8);
            p.drawLine(2, 12, 8, 8);
            p.drawLine(8, 8, 14, 8);
            break;
        case Glyph::OpenSubtitleFile:
            p.setBrush(Qt::white);
            p.drawRect(3, 1, 10, 14);
            p.drawLine(5, 5, 11, 5);
            p.drawLine(5, 8, 11, 8);
            p.drawLine(5, 11, 11, 11);
            break;
        case Glyph::Resynchronisation:
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
            p.drawLine(8, 8, 8, 4);
            p.drawLine(8, 8, 11, 9);
            break;
        case Glyph::SoundOn:
            Speaker(p);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(green, 1.5));
            p.drawArc(QRectF(7, 4, 5, 8), -60 * 16, 120 * 16);
            p.drawArc(QRectF(7, 1, 8, 14), -60 * 16, 120 * 16);
            break;
        case Glyph::SoundOff:
            Speaker(p);
            p.setPen(QPen(QColor(200, 20, 20), 2));
            p.drawLine(10, 5, 15, 11);
            p.drawLine(15, 5, 10, 11);
            break;
    }
}

}  // namespace

QImage GlyphImage(Glyph glyph, qreal ratio) {
    const int side = qCeil(16 * ratio);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    // The painter then draws in the 16 by 16 units, at the screen's own resolution.
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, glyph);
    return image;
}

QIcon GlyphIcon(Glyph glyph) {
    QIcon icon;
    for (const qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
        icon.addPixmap(QPixmap::fromImage(GlyphImage(glyph, ratio)));
    }
    return icon;
}

void SetGlyph(QAction* action, Glyph glyph) {
    action->setProperty(kGlyphProperty, static_cast<int>(glyph));
    action->setIcon(GlyphIcon(glyph));
}

std::optional<Glyph> GlyphOf(const QAction* action) {
    const QVariant value = action->property(kGlyphProperty);
    if (!value.isValid()) return std::nullopt;
    return static_cast<Glyph>(value.toInt());
}

}  // namespace orvalen
