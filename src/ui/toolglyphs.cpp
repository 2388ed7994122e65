#include "ui/toolglyphs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace dayloom {

namespace {

constexpr int kSize = 22;

void drawSelection(QPainter& p)
{
    QPolygonF arrow({{6, 3}, {6, 18}, {10, 14}, {13, 20}, {15, 19}, {12, 13}, {17, 13}});
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
}

void drawLabel(QPainter& p)
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("A"));
}

void drawClipArt(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(200, 230, 255));
    p.drawRect(2, 4, 17, 14);
    p.setBrush(QColor(40, 140, 40));
    p.drawPolygon(QPolygonF({{3, 17}, {9, 9}, {13, 14}, {15, 12}, {18, 17}}));
    p.setBrush(QColor(250, 200, 0));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(15, 8), 2, 2);
}

void drawRichText(QPainter& p)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(200, 0, 0));
    p.drawText(QPoint(2, 12), QStringLiteral("R"));
    f.setItalic(true);
    f.setBold(false);
    p.setFont(f);
    p.setPen(QColor(0, 0, 180));
    p.drawText(QPoint(10, 19), QStringLiteral("t"));
    p.setPen(QColor(0, 120, 0));
    p.drawLine(2, 20, 9, 20);
}

void drawSuperText(QPainter& p)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(20);
    f.setBold(true);
    QPainterPath path;
    path.addText(QPointF(4, 18), f, QStringLiteral("S"));
    QLinearGradient g(0, 2, 0, 20);
    g.setColorAt(0, QColor(255, 220, 0));
    g.setColorAt(1, QColor(220, 0, 0));
    p.setPen(QPen(Qt::black, 0.8));
    p.setBrush(g);
    p.drawPath(path);
}

void drawCalendar(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(2, 3, 17, 16);
    p.fillRect(3, 4, 16, 4, QColor(0, 0, 128));
    p.setPen(QColor(90, 90, 90));
    for (int x = 5; x < 19; x += 3)
        for (int y = 10; y < 19; y += 3)
            p.drawPoint(x, y);
}

void drawProperties(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(4, 2, 13, 18);
    p.setPen(QColor(0, 0, 128));
    for (int y = 6; y < 18; y += 3)
        p.drawLine(6, y, 15, y);
    p.setBrush(QColor(220, 0, 0));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(16, 17), 3, 3);
}

void drawPrint(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(6, 2, 10, 7);
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(2, 8, 18, 8);
    p.setBrush(Qt::white);
    p.drawRect(6, 13, 10, 7);
    p.setPen(QColor(0, 160, 0));
    p.drawPoint(17, 10);
}

// A curved arrow turning back to the left (mirrored: to the right).
void drawTurnArrow(QPainter& p, bool mirrored)
{
    if (mirrored) {
        p.translate(kSize, 0);
        p.scale(-1, 1);
    }
    QPainterPath curve;
    curve.moveTo(6, 9);
    curve.cubicTo(12, 4, 19, 6, 18, 12);
    curve.cubicTo(17, 16, 13, 18, 9, 18);
    p.setPen(QPen(QColor(0, 0, 128), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    p.drawPolygon(QPolygonF({{2, 9}, {9, 4}, {9, 13}}));
}

void drawUndo(QPainter& p) { drawTurnArrow(p, false); }
void drawRedo(QPainter& p) { drawTurnArrow(p, true); }

}  // namespace

QIcon ToolGlyph(const QString& name)
{
    void (*draw)(QPainter&) = nullptr;
    if (name == QLatin1String("SelectionButton"))
        draw = drawSelection;
    else if (name == QLatin1String("LabelButton"))
        draw = drawLabel;
    else if (name == QLatin1String("ClipArtButton"))
        draw = drawClipArt;
    else if (name == QLatin1String("RichTextButton"))
        draw = drawRichText;
    else if (name == QLatin1String("SuperTextButton"))
        draw = drawSuperText;
    else if (name == QLatin1String("FloatingCalendarButton"))
        draw = drawCalendar;
    else if (name == QLatin1String("PropertiesButton"))
        draw = drawProperties;
    else if (name == QLatin1String("PrintButton"))
        draw = drawPrint;
    else if (name == QLatin1String("UndoButton"))
        draw = drawUndo;
    else if (name == QLatin1String("RedoButton"))
        draw = drawRedo;
    if (!draw)
        return QIcon();
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    return QIcon(pm);
}

}  // namespace dayloom
