#include "host/ui/CKIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kelo {

namespace {

enum class Glyph {
    New, Open, Delete, Pay, Properties, Checklist, Person, Note, Clock, Chart, Cycle, Box,
    Document, Cart, Truck, Building, Folder, Dot, Phone, Logo, Blank
};

struct Look {
    Glyph glyph;
    QColor tile;  // invalid: no tile, the glyph in colour
};

Look LookFor(int resource)
{
    switch (resource) {
    case 5: return {Glyph::New, {}};
    case 6: return {Glyph::Open, {}};
    case 7: return {Glyph::Delete, {}};
    case 8: return {Glyph::Pay, {}};
    case 420: return {Glyph::Properties, {}};
    case 12: return {Glyph::Checklist, QColor(0x2E, 0x7D, 0x32)};
    case 421: return {Glyph::Phone, QColor(0x00, 0x83, 0x8F)};
    case 13: return {Glyph::Note, QColor(0x6A, 0x4C, 0x93)};
    case 16: return {Glyph::Clock, QColor(0xC6, 0x28, 0x28)};
    case 17: return {Glyph::Person, QColor(0x15, 0x65, 0xC0)};
    case 15: return {Glyph::Cycle, QColor(0xEF, 0x6C, 0x00)};
    case 424: return {Glyph::Box, QColor(0x79, 0x55, 0x48)};
    case 14: return {Glyph::Document, QColor(0x37, 0x47, 0x4F)};
    case 422: return {Glyph::Cart, QColor(0x00, 0x79, 0x6B)};
    case 423: return {Glyph::Truck, QColor(0x45, 0x5A, 0x64)};
    case 380: return {Glyph::Building, QColor(0x5D, 0x40, 0x37)};
    case 9: return {Glyph::Folder, {}};
    case 10: return {Glyph::Dot, QColor(0x2E, 0x7D, 0x32)};
    case 11: return {Glyph::Dot, QColor(0xC6, 0x28, 0x28)};
    case 265: return {Glyph::Phone, QColor(0x2E, 0x7D, 0x32)};
    case 418: return {Glyph::Logo, QColor(0x1A, 0x3A, 0x6B)};
    default: return {Glyph::Blank, {}};
    }
}

void Page(QPainter& p, const QColor& fill)
{
    QPainterPath path;
    path.moveTo(7, 3);
    path.lineTo(19, 3);
    path.lineTo(25, 9);
    path.lineTo(25, 29);
    path.lineTo(7, 29);
    path.closeSubpath();
    p.setPen(QPen(QColor(0x55, 0x5F, 0x6B), 1.5));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(19, 3), QPointF(19, 9));
    p.drawLine(QPointF(19, 9), QPointF(25, 9));
}

void Lines(QPainter& p, qreal x0, qreal x1, std::initializer_list<qreal> ys)
{
    for (qreal y : ys) p.drawLine(QPointF(x0, y), QPointF(x1, y));
}

// Glyphs of the plain command icons, drawn in colour on a 32 x 32 canvas.
void DrawCommand(QPainter& p, Glyph g)
{
    switch (g) {
    case Glyph::New:
        Page(p, Qt::white);
        p.setPen(QPen(QColor(0x2E, 0x7D, 0x32), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 14), QPointF(16, 24));
        p.drawLine(QPointF(11, 19), QPointF(21, 19));
        break;
    case Glyph::Open: {
        p.setPen(QPen(QColor(0x8D, 0x6E, 0x1A), 1.5));
        p.setBrush(QColor(0xF9, 0xD7, 0x6B));
        p.drawRect(QRectF(3, 8, 24, 18));
        p.setBrush(QColor(0xFF, 0xE8, 0x9C));
        QPolygonF lid{{6, 13}, {30, 13}, {26, 26}, {3, 26}};
        p.drawPolygon(lid);
        break;
    }
    case Glyph::Delete:
        p.setPen(QPen(QColor(0xC6, 0x28, 0x28), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(24, 24));
        p.drawLine(QPointF(24, 8), QPointF(8, 24));
        break;
    case Glyph::Pay:
        p.setPen(QPen(QColor(0x1B, 0x5E, 0x20), 1.5));
        p.setBrush(QColor(0xA5, 0xD6, 0xA7));
        p.drawRoundedRect(QRectF(2, 8, 28, 16), 2, 2);
        p.setBrush(QColor(0xE8, 0xF5, 0xE9));
        p.drawEllipse(QPointF(16, 16), 5, 5);
        break;
    case Glyph::Properties:
        Page(p, Qt::white);
        p.setPen(QPen(QColor(0x15, 0x65, 0xC0), 2));
        Lines(p, 10, 22, {13, 17, 21, 25});
        break;
    case Glyph::Folder:
        p.setPen(QPen(QColor(0x8D, 0x6E, 0x1A), 1.5));
        p.setBrush(QColor(0xF9, 0xD7, 0x6B));
        p.drawRect(QRectF(3, 9, 26, 18));
        p.drawRect(QRectF(3, 6, 10, 3));
        break;
    default:
        break;
    }
}

// White glyphs on a coloured tile.
void DrawOnTile(QPainter& p, Glyph g)
{
    const QPen pen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (g) {
    case Glyph::Checklist:
        p.drawPolyline(QPolygonF{{7, 10}, {9, 12}, {13, 7}});
        p.drawPolyline(QPolygonF{{7, 19}, {9, 21}, {13, 16}});
        Lines(p, 16, 25, {10, 19});
        Lines(p, 7, 25, {26});
        break;
    case Glyph::Person:
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 11), 4.5, 4.5);
        p.drawChord(QRectF(7, 18, 18, 14), 0, 180 * 16);
        break;
    case Glyph::Phone: {
        p.setBrush(Qt::white);
        QPainterPath path;
        path.moveTo(9, 7);
        path.cubicTo(5, 10, 8, 19, 13, 23);
        path.cubicTo(17, 27, 23, 28, 25, 24);
        path.lineTo(21, 20);
        path.lineTo(18, 22);
        path.cubicTo(15, 20, 12, 17, 10, 14);
        path.lineTo(12, 11);
        path.closeSubpath();
        p.drawPath(path);
        break;
    }
    case Glyph::Note:
        p.drawRoundedRect(QRectF(5, 9, 22, 14), 2, 2);
        p.drawEllipse(QPointF(16, 16), 3.5, 3.5);
        break;
    case Glyph::Clock:
        p.drawEllipse(QPointF(16, 16), 10, 10);
        p.drawPolyline(QPolygonF{{16, 9}, {16, 16}, {21, 19}});
        break;
    case Glyph::Chart:
        Lines(p, 7, 26, {26});
        break;
    case Glyph::Cycle:
        p.drawArc(QRectF(7, 7, 18, 18), 30 * 16, 300 * 16);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF{{22, 4}, {25, 11}, {18, 11}});
        break;
    case Glyph::Box:
        p.drawPolygon(QPolygonF{{16, 5}, {26, 10}, {16, 15}, {6, 10}});
        p.drawPolyline(QPolygonF{{6, 10}, {6, 22}, {16, 27}, {26, 22}, {26, 10}});
        p.drawLine(QPointF(16, 15), QPointF(16, 27));
        break;
    case Glyph::Document:
        p.drawRect(QRectF(8, 5, 16, 22));
        Lines(p, 11, 21, {11, 15, 19});
        Lines(p, 16, 21, {23});
        break;
    case Glyph::Cart:
        p.drawPolyline(QPolygonF{{4, 7}, {8, 7}, {11, 20}, {24, 20}, {27, 11}, {9, 11}});
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(12, 25), 2, 2);
        p.drawEllipse(QPointF(23, 25), 2, 2);
        break;
    case Glyph::Truck:
        p.drawRect(QRectF(4, 9, 15, 12));
        p.drawPolyline(QPolygonF{{19, 13}, {24, 13}, {28, 17}, {28, 21}, {19, 21}});
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(9, 24), 2.5, 2.5);
        p.drawEllipse(QPointF(23, 24), 2.5, 2.5);
        break;
    case Glyph::Building:
        p.drawRect(QRectF(8, 6, 16, 21));
        for (qreal y : {10.0, 15.0, 20.0}) {
            p.drawPoint(QPointF(12.5, y));
            p.drawPoint(QPointF(19.5, y));
        }
        break;
    case Glyph::Dot:
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 16), 5, 5);
        break;
    case Glyph::Logo: {
        QFont f;
        f.setBold(true);
        f.setPixelSize(22);
        p.setFont(f);
        p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("K"));
        break;
    }
    default:
        break;
    }
}

QPixmap Render(const Look& look, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    if (look.tile.isValid()) {
        if (look.glyph == Glyph::Dot) {
            p.setPen(Qt::NoPen);
            p.setBrush(look.tile);
            p.drawEllipse(QPointF(16, 16), 12, 12);
        } else {
            QLinearGradient grad(0, 0, 0, 32);
            grad.setColorAt(0, look.tile.lighter(125));
            grad.setColorAt(1, look.tile);
            p.setPen(Qt::NoPen);
            p.setBrush(grad);
            p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
        }
        if (look.glyph == Glyph::Chart) {
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(8, 16, 4, 9));
            p.drawRect(QRectF(14, 10, 4, 15));
            p.drawRect(QRectF(20, 13, 4, 12));
        }
        DrawOnTile(p, look.glyph);
    } else {
        DrawCommand(p, look.glyph);
    }
    return pm;
}

}  // namespace

QIcon CKIcons::ForBitmap(int resource)
{
    static QHash<int, QIcon> cache;
    auto it = cache.find(resource);
    if (it != cache.end()) return *it;
    const Look look = LookFor(resource);
    QIcon icon;
    for (int size : {16, 24, 32, 48}) icon.addPixmap(Render(look, size));
    cache.insert(resource, icon);
    return icon;
}

}  // namespace kelo
