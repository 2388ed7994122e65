// Draws the icon libraries shipped in data/: activity.icl, events.icl,
// holiday.icl, misc1.icl, misc2.icl and the bonus sets in data/BonusIcons.
// Every icon is a small vector drawing rendered at 4x and shrunk to 32 x 32;
// each group holds it in 16 colours (with its AND mask) and in 32 bits with
// alpha. The files are 16-bit (NE) icon libraries.
//
//   makeicons data            writes the libraries below data/
//   makeicons data --png DIR  also writes every icon as DIR/<library>-<n>.png
//                             and a sheet of them all, DIR/<library>.png
//   makeicons --seeds DIR     writes small libraries for the fuzzers' seed
//                             corpora: DIR/fuzz_ne/*.icl, DIR/fuzz_ico/*.ico
#include <cmath>
#include <cstdio>
#include <functional>
#include <tuple>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include "iconwriter.h"

namespace {

using Draw = std::function<void(QPainter&)>;
struct IconDef {
    const char* name;
    Draw draw;
};

const QColor kInk(32, 32, 32);

// ---- drawing helpers, in the icon's 32 x 32 coordinates ----------------------

// A colour lit from the top left.
QBrush lit(const QColor& c)
{
    QLinearGradient g(0, 0, 1, 1);
    g.setCoordinateMode(QGradient::ObjectBoundingMode);
    g.setColorAt(0, c.lighter(150));
    g.setColorAt(1, c);
    return QBrush(g);
}

// A ball: a radial highlight.
QBrush ball(const QColor& c)
{
    QRadialGradient g(0.35, 0.35, 0.75);
    g.setCoordinateMode(QGradient::ObjectBoundingMode);
    g.setColorAt(0, c.lighter(180));
    g.setColorAt(1, c.darker(115));
    return QBrush(g);
}

QPen ink(qreal w = 1.0, const QColor& c = kInk)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A path from "M x y L x y Q cx cy x y C c1x c1y c2x c2y x y Z" (absolute).
QPainterPath path(const char* outline)
{
    QPainterPath p;
    const QStringList t = QString::fromLatin1(outline).split(u' ', Qt::SkipEmptyParts);
    int i = 0;
    auto num = [&] { return t.value(i++).toDouble(); };
    auto pt = [&] {
        const qreal x = num();
        return QPointF(x, num());
    };
    QChar cmd = u'M';
    while (i < t.size()) {
        if (t[i].size() == 1 && t[i][0].isLetter())
            cmd = t[i++][0];
        switch (cmd.unicode()) {
        case 'M': p.moveTo(pt()); cmd = u'L'; break;
        case 'L': p.lineTo(pt()); break;
        case 'Q': { const QPointF c = pt(); p.quadTo(c, pt()); break; }
        case 'C': { const QPointF a = pt(); const QPointF b = pt(); p.cubicTo(a, b, pt()); break; }
        case 'Z': p.closeSubpath(); break;
        default: ++i; break;
        }
    }
    return p;
}

void shape(QPainter& p, const QPainterPath& s, const QBrush& fill, qreal w = 1.0)
{
    p.setPen(w > 0 ? ink(w) : Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(s);
}
void shape(QPainter& p, const char* outline, const QColor& fill, qreal w = 1.0)
{
    shape(p, path(outline), lit(fill), w);
}
void ellipse(QPainter& p, qreal cx, qreal cy, qreal rx, qreal ry, const QBrush& fill,
             qreal w = 1.0)
{
    QPainterPath s;
    s.addEllipse(QPointF(cx, cy), rx, ry);
    shape(p, s, fill, w);
}
void circle(QPainter& p, qreal cx, qreal cy, qreal r, const QColor& fill, qreal w = 1.0)
{
    ellipse(p, cx, cy, r, r, lit(fill), w);
}
void box(QPainter& p, qreal x, qreal y, qreal bw, qreal bh, const QColor& fill, qreal radius = 0,
         qreal w = 1.0)
{
    QPainterPath s;
    s.addRoundedRect(QRectF(x, y, bw, bh), radius, radius);
    shape(p, s, lit(fill), w);
}
void line(QPainter& p, qreal x1, qreal y1, qreal x2, qreal y2, const QColor& c = kInk,
          qreal w = 1.0)
{
    p.setPen(ink(w, c));
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}
void stroke(QPainter& p, const char* outline, const QColor& c = kInk, qreal w = 1.0)
{
    p.setPen(ink(w, c));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path(outline));
}
QPainterPath starPath(qreal cx, qreal cy, qreal outer, qreal inner, int points, qreal turn = 0)
{
    QPainterPath s;
    for (int i = 0; i < 2 * points; ++i) {
        const qreal a = turn + M_PI * i / points - M_PI / 2;
        const qreal r = i % 2 ? inner : outer;
        const QPointF q(cx + r * std::cos(a), cy + r * std::sin(a));
        i ? s.lineTo(q) : s.moveTo(q);
    }
    s.closeSubpath();
    return s;
}
void star(QPainter& p, qreal cx, qreal cy, qreal outer, const QColor& fill, int points = 5)
{
    shape(p, starPath(cx, cy, outer, outer * 0.45, points), lit(fill));
}
QPainterPath heartPath(qreal cx, qreal cy, qreal s)
{
    QPainterPath h;
    h.moveTo(cx, cy + 0.85 * s);
    h.cubicTo(cx - 1.3 * s, cy, cx - 0.9 * s, cy - 1.0 * s, cx, cy - 0.45 * s);
    h.cubicTo(cx + 0.9 * s, cy - 1.0 * s, cx + 1.3 * s, cy, cx, cy + 0.85 * s);
    return h;
}
void heart(QPainter& p, qreal cx, qreal cy, qreal s, const QColor& fill)
{
    shape(p, heartPath(cx, cy, s), ball(fill));
}
void text(QPainter& p, const QRectF& r, const QString& s, const QColor& c, qreal size,
          bool bold = true)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(int(size * 4));  // painted at 4x without scaling the font hinting
    f.setBold(bold);
    p.save();
    p.scale(0.25, 0.25);
    p.setFont(f);
    p.setPen(c);
    p.drawText(QRectF(r.x() * 4, r.y() * 4, r.width() * 4, r.height() * 4), Qt::AlignCenter, s);
    p.restore();
}
// A sun's rays around (cx, cy).
void rays(QPainter& p, qreal cx, qreal cy, qreal r1, qreal r2, int n, const QColor& c,
          qreal w = 1.6)
{
    for (int i = 0; i < n; ++i) {
        const qreal a = 2 * M_PI * i / n;
        line(p, cx + r1 * std::cos(a), cy + r1 * std::sin(a), cx + r2 * std::cos(a),
             cy + r2 * std::sin(a), c, w);
    }
}
void cloud(QPainter& p, qreal x, qreal y, qreal s, const QColor& fill)
{
    QPainterPath a, b, c, d;
    a.addEllipse(QPointF(x + 7 * s, y + 9 * s), 6 * s, 5 * s);
    b.addEllipse(QPointF(x + 14 * s, y + 6 * s), 7 * s, 6.5 * s);
    c.addEllipse(QPointF(x + 21 * s, y + 9.5 * s), 5.5 * s, 4.5 * s);
    d.addRoundedRect(QRectF(x + 2 * s, y + 8 * s, 24 * s, 6 * s), 3 * s, 3 * s);
    shape(p, a.united(b).united(c).united(d), lit(fill));
}
void drop(QPainter& p, qreal x, qreal y, qreal s, const QColor& c)
{
    QPainterPath d;
    d.moveTo(x, y - 2.5 * s);
    d.cubicTo(x + 2 * s, y, x + 2 * s, y + 2 * s, x, y + 2 * s);
    d.cubicTo(x - 2 * s, y + 2 * s, x - 2 * s, y, x, y - 2.5 * s);
    shape(p, d, lit(c), 0.6);
}
void snowflake(QPainter& p, qreal cx, qreal cy, qreal r, const QColor& c, qreal w = 1.6)
{
    for (int i = 0; i < 6; ++i) {
        const qreal a = M_PI * i / 3;
        const QPointF tip(cx + r * std::cos(a), cy + r * std::sin(a));
        line(p, cx, cy, tip.x(), tip.y(), c, w);
        const QPointF mid(cx + 0.6 * r * std::cos(a), cy + 0.6 * r * std::sin(a));
        for (int k : {-1, 1}) {
            const qreal b = a + k * 0.7;
            line(p, mid.x(), mid.y(), mid.x() + 0.35 * r * std::cos(b),
                 mid.y() + 0.35 * r * std::sin(b), c, w * 0.8);
        }
    }
}
void person(QPainter& p, qreal x, qreal y, const QColor& shirt)
{
    circle(p, x, y, 3.5, QColor(240, 200, 160));
    shape(p, path(QStringLiteral("M %1 %2 Q %1 %3 %4 %3 L %5 %3 Q %6 %3 %6 %2 Z")
                      .arg(x - 6.5).arg(y + 14).arg(y + 5).arg(x - 3).arg(x + 3).arg(x + 6.5)
                      .toLatin1().constData()),
          lit(shirt));
}
void flame(QPainter& p, qreal x, qreal y, qreal s)
{
    QPainterPath f;
    f.moveTo(x, y - 4 * s);
    f.cubicTo(x + 2.5 * s, y - 1 * s, x + 2 * s, y + 1.5 * s, x, y + 1.5 * s);
    f.cubicTo(x - 2 * s, y + 1.5 * s, x - 2.5 * s, y - 1 * s, x, y - 4 * s);
    QRadialGradient g(0.5, 0.7, 0.6);
    g.setCoordinateMode(QGradient::ObjectBoundingMode);
    g.setColorAt(0, QColor(255, 250, 180));
    g.setColorAt(1, QColor(255, 140, 0));
    shape(p, f, QBrush(g), 0.5);
}
void thermometer(QPainter& p, const QColor& c, qreal level)
{
    box(p, 13, 3, 6, 20, Qt::white, 3);
    circle(p, 16, 25, 4.5, c);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRect(QRectF(14.6, 23 - level, 2.8, level + 1));
    for (int i = 0; i < 4; ++i)
        line(p, 19, 7 + 4 * i, 21, 7 + 4 * i, kInk, 0.8);
}

const QColor kRed(220, 40, 40), kGreen(40, 160, 60), kBlue(40, 90, 210), kYellow(250, 210, 40),
    kOrange(245, 140, 30), kBrown(150, 95, 50), kGrey(150, 150, 150), kPink(240, 120, 170),
    kPurple(140, 70, 190), kSky(120, 190, 240), kSkin(240, 200, 160), kGold(230, 180, 40),
    kWhite(255, 255, 255), kDark(60, 60, 60);

// ---- the libraries ---------------------------------------------------------------

std::vector<IconDef> activities()
{
    return {
        {"SOCCER", [](QPainter& p) {
             circle(p, 16, 16, 13, kWhite);
             shape(p, starPath(16, 16, 5, 4, 5), QBrush(kDark), 0);
             for (int i = 0; i < 5; ++i) {
                 const qreal a = 2 * M_PI * i / 5 - M_PI / 2;
                 line(p, 16 + 4.5 * std::cos(a), 16 + 4.5 * std::sin(a), 16 + 12.5 * std::cos(a),
                      16 + 12.5 * std::sin(a), kDark, 1.2);
             }
         }},
        {"TENNIS", [](QPainter& p) {
             line(p, 14, 18, 6, 29, kBrown, 3);
             ellipse(p, 18, 11, 8, 9.5, QBrush(QColor(255, 255, 255, 0)), 2.2);
             for (int i = -2; i <= 2; ++i) {
                 line(p, 18 + 3 * i, 3, 18 + 3 * i, 19, kGrey, 0.6);
                 line(p, 11, 11 + 3.5 * i, 25, 11 + 3.5 * i, kGrey, 0.6);
             }
             ellipse(p, 18, 11, 8, 9.5, QBrush(Qt::NoBrush), 2.2);
             circle(p, 25, 25, 4, QColor(200, 230, 40));
         }},
        {"BASKETBALL", [](QPainter& p) {
             circle(p, 16, 16, 13, kOrange);
             stroke(p, "M 3 16 L 29 16");
             stroke(p, "M 16 3 L 16 29");
             stroke(p, "M 7 6 Q 13 16 7 26");
             stroke(p, "M 25 6 Q 19 16 25 26");
         }},
        {"BASEBALL", [](QPainter& p) {
             line(p, 5, 27, 22, 6, kBrown, 4);
             circle(p, 22, 23, 6.5, kWhite);
             stroke(p, "M 18 18 Q 21 23 18 28", kRed, 0.9);
             stroke(p, "M 26 18 Q 23 23 26 28", kRed, 0.9);
         }},
        {"GOLF", [](QPainter& p) {
             ellipse(p, 16, 27, 13, 3.5, lit(kGreen));
             line(p, 12, 4, 12, 27, kDark, 1.3);
             shape(p, "M 12 4 L 24 8 L 12 12 Z", kRed);
             circle(p, 21, 25, 2.2, kWhite, 0.8);
         }},
        {"BICYCLE", [](QPainter& p) {
             ellipse(p, 8, 21, 6, 6, QBrush(Qt::NoBrush), 1.8);
             ellipse(p, 24, 21, 6, 6, QBrush(Qt::NoBrush), 1.8);
             stroke(p, "M 8 21 L 13 12 L 22 12 L 24 21", kRed, 1.6);
             stroke(p, "M 13 12 L 16 21 L 22 12", kRed, 1.6);
             stroke(p, "M 8 21 L 16 21", kRed, 1.6);
             stroke(p, "M 11 10 L 16 10", kDark, 1.6);
             stroke(p, "M 22 12 L 21 8 L 24 8", kDark, 1.6);
         }},
        {"SWIM", [](QPainter& p) {
             circle(p, 11, 11, 3.5, kSkin);
             stroke(p, "M 14 13 L 22 9 L 27 12", kSkin, 2.2);
             for (int i = 0; i < 3; ++i) {
                 const qreal y = 17 + 5 * i;
                 p.setPen(ink(2, kBlue));
                 p.drawPath(path(QStringLiteral("M 2 %1 Q 6 %2 10 %1 Q 14 %3 18 %1 Q 22 %2 26 %1 Q 28 %3 30 %1")
                                     .arg(y).arg(y - 3).arg(y + 3).toLatin1().constData()));
             }
         }},
        {"RUNNING", [](QPainter& p) {
             shape(p, "M 3 22 L 4 15 Q 9 14 12 10 L 16 11 Q 19 17 28 19 Q 30 21 29 24 L 4 24 Z", kBlue);
             box(p, 3, 24, 27, 3, kWhite, 1.5);
             line(p, 12, 14, 15, 13, kWhite, 1);
             line(p, 13, 16, 16, 15, kWhite, 1);
         }},
        {"SKIING", [](QPainter& p) {
             line(p, 3, 22, 27, 29, kBlue, 2);
             line(p, 6, 18, 29, 25, kBlue, 2);
             line(p, 10, 4, 14, 27, kDark, 1);
             line(p, 20, 4, 23, 27, kDark, 1);
             shape(p, starPath(24, 8, 5, 2, 6), QBrush(kSky), 0.6);
         }},
        {"SAILING", [](QPainter& p) {
             shape(p, "M 15 3 L 15 21 L 5 21 Z", kWhite);
             shape(p, "M 17 6 L 17 21 L 26 21 Z", kRed);
             shape(p, "M 3 23 L 29 23 L 25 28 L 7 28 Z", kBrown);
             stroke(p, "M 1 30 Q 5 28 9 30 Q 13 32 17 30 Q 21 28 25 30 Q 29 32 31 30", kBlue, 1.2);
         }},
        {"FISHING", [](QPainter& p) {
             line(p, 3, 29, 24, 4, kBrown, 2);
             stroke(p, "M 24 4 L 27 20", kDark, 0.7);
             shape(p, "M 14 23 Q 20 17 26 23 Q 20 29 14 23 Z", kSky);
             shape(p, "M 26 23 L 30 19 L 30 27 Z", kSky);
             circle(p, 17, 22, 0.8, kDark, 0);
         }},
        {"HIKING", [](QPainter& p) {
             shape(p, "M 1 28 L 12 8 L 18 17 L 22 12 L 31 28 Z", QColor(120, 110, 100));
             shape(p, "M 12 8 L 15.5 14 L 13 13 L 11 15 L 9.5 13 Z", kWhite, 0.6);
             shape(p, "M 22 12 L 24.5 16 L 22 15.5 L 20.5 15 Z", kWhite, 0.6);
             circle(p, 26, 6, 3, kYellow, 0.6);
         }},
        {"CAMPING", [](QPainter& p) {
             shape(p, "M 2 27 L 16 5 L 30 27 Z", kOrange);
             shape(p, "M 12 27 L 16 17 L 20 27 Z", kDark);
             line(p, 16, 5, 16, 2, kDark, 1.2);
             line(p, 1, 27, 31, 27, kGreen, 1.6);
         }},
        {"READING", [](QPainter& p) {
             shape(p, "M 2 8 Q 9 5 16 9 L 16 27 Q 9 23 2 26 Z", kWhite);
             shape(p, "M 30 8 Q 23 5 16 9 L 16 27 Q 23 23 30 26 Z", kWhite);
             for (int i = 0; i < 4; ++i) {
                 line(p, 5, 12 + 3 * i, 13, 13 + 3 * i, kGrey, 0.7);
                 line(p, 19, 13 + 3 * i, 27, 12 + 3 * i, kGrey, 0.7);
             }
             shape(p, "M 2 26 Q 9 23 16 27 Q 23 23 30 26 L 30 28 Q 23 25 16 29 Q 9 25 2 28 Z", kBrown);
         }},
        {"MUSIC", [](QPainter& p) {
             shape(p, "M 11 7 L 27 3 L 27 8 L 11 12 Z", kDark);
             line(p, 11.5, 8, 11.5, 24, kDark, 1.6);
             line(p, 26.5, 4, 26.5, 20, kDark, 1.6);
             ellipse(p, 8, 24, 4, 3, ball(kPurple));
             ellipse(p, 23, 20, 4, 3, ball(kPurple));
         }},
        {"GUITAR", [](QPainter& p) {
             line(p, 17, 15, 27, 4, kBrown, 2.5);
             box(p, 25, 1.5, 5, 4, kDark, 1);
             shape(p, "M 5 17 Q 5 11 11 12 Q 14 9 18 13 Q 21 17 18 20 Q 19 26 13 27 Q 5 28 5 22 Q 3 20 5 17 Z", kOrange);
             circle(p, 12.5, 19.5, 2.3, kDark, 0.6);
             line(p, 9, 24, 12, 21, kDark, 1.6);
         }},
        {"PAINTING", [](QPainter& p) {
             shape(p, "M 16 3 Q 30 3 30 15 Q 30 22 24 21 Q 19 20 19 24 Q 19 29 13 29 Q 2 28 2 16 Q 2 3 16 3 Z", QColor(225, 190, 140));
             circle(p, 10, 10, 2.4, kRed, 0.6);
             circle(p, 17, 8, 2.4, kYellow, 0.6);
             circle(p, 24, 11, 2.4, kBlue, 0.6);
             circle(p, 8, 18, 2.4, kGreen, 0.6);
             ellipse(p, 12, 23, 2.2, 2.2, QBrush(QColor(255, 255, 255)), 0.8);
         }},
        {"PHOTO", [](QPainter& p) {
             box(p, 3, 9, 26, 18, kDark, 3);
             box(p, 10, 5, 10, 5, kDark, 1.5);
             ellipse(p, 16, 18, 6.5, 6.5, ball(kGrey));
             ellipse(p, 16, 18, 4, 4, ball(QColor(40, 60, 110)));
             box(p, 23, 11, 4, 2.5, kYellow, 0.5, 0.5);
         }},
        {"CHESS", [](QPainter& p) {
             circle(p, 16, 8, 4.5, kDark);
             shape(p, "M 12 13 L 20 13 L 18 15 Q 19 21 22 24 L 10 24 Q 13 21 14 15 Z", kDark);
             box(p, 7, 24, 18, 5, kDark, 1.5);
         }},
        {"BOWLING", [](QPainter& p) {
             shape(p, "M 10 3 Q 14 3 14 8 Q 14 11 13 13 Q 17 19 15 27 L 5 27 Q 3 19 7 13 Q 6 11 6 8 Q 6 3 10 3 Z", kWhite);
             line(p, 6.6, 11, 13.4, 11, kRed, 1.4);
             circle(p, 23, 23, 7, QColor(40, 40, 120));
             circle(p, 21, 20, 1, kWhite, 0);
             circle(p, 24.5, 19.5, 1, kWhite, 0);
             circle(p, 22, 23.5, 1, kWhite, 0);
         }},
        {"FITNESS", [](QPainter& p) {
             line(p, 6, 16, 26, 16, kGrey, 2.5);
             for (qreal x : {4.0, 8.0, 22.0, 26.0}) {
                 const qreal h = (x == 4.0 || x == 26.0) ? 12 : 18;
                 box(p, x - 1.8, 16 - h / 2, 3.6, h, kDark, 1);
             }
         }},
        {"GARDENING", [](QPainter& p) {
             shape(p, "M 6 13 L 20 13 L 18 28 L 8 28 Z", kGreen);
             shape(p, "M 19 16 L 29 9 L 30 11 L 20 19 Z", kGreen);
             ellipse(p, 13, 12, 7, 2, lit(kGreen));
             stroke(p, "M 6 15 Q 1 17 6 23", kDark, 1.4);
             for (int i = 0; i < 3; ++i)
                 drop(p, 27 + 1.5 * i, 15 + 4 * i, 0.6, kSky);
         }},
        {"COOKING", [](QPainter& p) {
             box(p, 5, 13, 22, 14, kGrey, 3);
             ellipse(p, 16, 13, 12, 2.5, lit(kDark));
             line(p, 1, 16, 5, 16, kDark, 2);
             line(p, 27, 16, 31, 16, kDark, 2);
             stroke(p, "M 11 10 Q 9 7 11 4 Q 13 1 11 -1", kGrey, 1);
             stroke(p, "M 17 10 Q 15 7 17 4 Q 19 1 17 -1", kGrey, 1);
             stroke(p, "M 23 10 Q 21 7 23 4", kGrey, 1);
         }},
        {"DANCING", [](QPainter& p) {
             circle(p, 16, 5, 3.5, kSkin);
             shape(p, "M 13 9 L 19 9 L 21 16 L 27 27 L 5 27 L 11 16 Z", kPink);
             line(p, 13, 10, 5, 6, kSkin, 1.8);
             line(p, 19, 10, 27, 13, kSkin, 1.8);
             line(p, 13, 27, 12, 31, kSkin, 1.8);
             line(p, 19, 27, 21, 31, kSkin, 1.8);
         }},
    };
}

std::vector<IconDef> events()
{
    return {
        {"BIRTHDAY", [](QPainter& p) {
             box(p, 4, 17, 24, 11, kPink, 2);
             stroke(p, "M 4 21 Q 8 24 12 21 Q 16 24 20 21 Q 24 24 28 21", kWhite, 1.4);
             for (int i = 0; i < 3; ++i) {
                 box(p, 9 + 6.5 * i, 9, 2.4, 8, kSky, 0.5, 0.6);
                 flame(p, 10.2 + 6.5 * i, 6, 0.9);
             }
         }},
        {"GIFT", [](QPainter& p) {
             box(p, 4, 13, 24, 16, kRed, 1);
             box(p, 3, 9, 26, 5, kRed, 1);
             p.setPen(Qt::NoPen);
             p.setBrush(kYellow);
             p.drawRect(QRectF(14, 9, 4, 20));
             shape(p, "M 16 9 Q 8 2 7 6 Q 7 9 16 9 Z", kYellow);
             shape(p, "M 16 9 Q 24 2 25 6 Q 25 9 16 9 Z", kYellow);
         }},
        {"BALLOONS", [](QPainter& p) {
             stroke(p, "M 10 17 Q 12 24 16 30", kDark, 0.7);
             stroke(p, "M 22 15 Q 20 24 16 30", kDark, 0.7);
             ellipse(p, 10, 11, 6, 7, ball(kRed));
             ellipse(p, 22, 9, 6, 7, ball(kBlue));
             ellipse(p, 16, 16, 5, 6, ball(kYellow));
         }},
        {"PARTY", [](QPainter& p) {
             shape(p, "M 16 2 L 26 27 Q 16 31 6 27 Z", kPurple);
             stroke(p, "M 12 12 L 19 15", kYellow, 1.6);
             stroke(p, "M 9 19 L 23 24", kYellow, 1.6);
             circle(p, 16, 3, 2.4, kYellow, 0.6);
         }},
        {"WEDDING", [](QPainter& p) {
             ellipse(p, 12, 18, 8, 8, QBrush(Qt::NoBrush), 0);
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(kGold, 2.6));
             p.drawEllipse(QPointF(12, 19), 7.5, 7.5);
             p.drawEllipse(QPointF(20, 15), 7.5, 7.5);
             shape(p, starPath(20, 6.5, 3, 1.2, 4), QBrush(QColor(200, 240, 255)), 0.6);
         }},
        {"LOVE", [](QPainter& p) { heart(p, 16, 15, 13, kRed); }},
        {"GRADUATION", [](QPainter& p) {
             shape(p, "M 9 14 L 23 14 L 23 22 Q 16 26 9 22 Z", kDark);
             shape(p, "M 16 5 L 31 11 L 16 17 L 1 11 Z", kDark);
             stroke(p, "M 16 11 L 26 14 L 26 23", kYellow, 1.2);
             box(p, 24.5, 22, 3, 5, kYellow, 1, 0.5);
         }},
        {"MEETING", [](QPainter& p) {
             person(p, 9, 9, kBlue);
             person(p, 23, 9, kGreen);
             box(p, 2, 22, 28, 4, kBrown, 1);
         }},
        {"APPOINTMENT", [](QPainter& p) {
             circle(p, 16, 16, 13, kWhite);
             for (int i = 0; i < 12; ++i) {
                 const qreal a = M_PI * i / 6;
                 line(p, 16 + 11 * std::cos(a), 16 + 11 * std::sin(a), 16 + 9.5 * std::cos(a),
                      16 + 9.5 * std::sin(a), kDark, i % 3 ? 0.7 : 1.4);
             }
             line(p, 16, 16, 16, 7, kDark, 1.6);
             line(p, 16, 16, 22, 19, kDark, 1.6);
             circle(p, 16, 16, 1.2, kRed, 0);
         }},
        {"ALARM", [](QPainter& p) {
             line(p, 8, 25, 5, 29, kDark, 2);
             line(p, 24, 25, 27, 29, kDark, 2);
             circle(p, 7, 6, 4, kRed);
             circle(p, 25, 6, 4, kRed);
             circle(p, 16, 17, 11, kRed);
             circle(p, 16, 17, 8.5, kWhite, 0.6);
             line(p, 16, 17, 16, 11, kDark, 1.4);
             line(p, 16, 17, 20, 17, kDark, 1.4);
         }},
        {"PHONE", [](QPainter& p) {
             shape(p, "M 7 3 L 12 3 L 14 10 L 10 12 Q 12 18 20 22 L 22 18 L 29 20 L 29 25 Q 27 30 21 29 Q 5 24 3 8 Q 3 3 7 3 Z", kRed);
         }},
        {"MAIL", [](QPainter& p) {
             box(p, 2, 7, 28, 19, kWhite, 1.5);
             stroke(p, "M 3 8 L 16 18 L 29 8", kDark, 1.2);
             stroke(p, "M 3 25 L 12 15", kDark, 0.8);
             stroke(p, "M 29 25 L 20 15", kDark, 0.8);
         }},
        {"FLIGHT", [](QPainter& p) {
             shape(p, "M 29 3 Q 31 5 27 9 L 22 14 L 25 27 L 22 30 L 17 19 L 12 24 L 12 28 L 10 30 L 8 25 L 3 22 L 5 20 L 9 20 L 14 15 L 3 10 L 6 7 L 19 10 L 24 5 Q 27 1 29 3 Z", kSky);
         }},
        {"TRIP", [](QPainter& p) {
             shape(p, "M 2 22 L 2 17 Q 3 15 6 15 L 9 9 Q 10 8 12 8 L 21 8 Q 23 8 24 9 L 27 15 Q 30 15 30 18 L 30 22 Z", kRed);
             shape(p, "M 11 10 L 15 10 L 15 15 L 9 15 Z", kSky, 0.6);
             shape(p, "M 17 10 L 21 10 L 24 15 L 17 15 Z", kSky, 0.6);
             circle(p, 9, 23, 3.5, kDark);
             circle(p, 23, 23, 3.5, kDark);
             circle(p, 9, 23, 1.3, kGrey, 0);
             circle(p, 23, 23, 1.3, kGrey, 0);
         }},
        {"DOCTOR", [](QPainter& p) {
             circle(p, 16, 16, 14, kWhite);
             shape(p, "M 12 5 L 20 5 L 20 12 L 27 12 L 27 20 L 20 20 L 20 27 L 12 27 L 12 20 L 5 20 L 5 12 L 12 12 Z", kRed);
         }},
        {"DENTIST", [](QPainter& p) {
             shape(p, "M 6 6 Q 11 2 16 5 Q 21 2 26 6 Q 29 11 26 16 Q 24 20 23 27 Q 22 30 20 28 L 18 20 Q 16 18 14 20 L 12 28 Q 10 30 9 27 Q 8 20 6 16 Q 3 11 6 6 Z", kWhite);
             stroke(p, "M 9 9 Q 11 7 13 8", kSky, 1.2);
         }},
        {"WORK", [](QPainter& p) {
             box(p, 11, 4, 10, 6, QColor(0, 0, 0, 0), 2, 1.8);
             box(p, 2, 9, 28, 19, kBrown, 2);
             line(p, 2, 17, 30, 17, kDark, 1);
             box(p, 14, 15, 4, 4, kGold, 0.5, 0.6);
         }},
        {"SCHOOL", [](QPainter& p) {
             shape(p, "M 3 29 L 6 21 L 24 3 L 29 8 L 11 26 Z", kYellow);
             shape(p, "M 3 29 L 6 21 L 11 26 Z", kSkin);
             shape(p, "M 3 29 L 4.2 25.8 L 6.2 27.8 Z", kDark, 0);
             shape(p, "M 24 3 L 29 8 L 27 10 L 22 5 Z", kPink);
         }},
        {"BABY", [](QPainter& p) {
             box(p, 10, 11, 12, 18, kWhite, 3);
             shape(p, "M 16 1 Q 19 1 19 5 L 20 9 L 12 9 L 13 5 Q 13 1 16 1 Z", kYellow);
             box(p, 9, 8, 14, 3.5, kSky, 1);
             for (int i = 0; i < 3; ++i)
                 line(p, 10, 16 + 4 * i, 14, 16 + 4 * i, kBlue, 0.8);
         }},
        {"AWARD", [](QPainter& p) {
             shape(p, "M 8 3 L 24 3 L 23 13 Q 21 19 16 19 Q 11 19 9 13 Z", kGold);
             stroke(p, "M 8 6 Q 2 6 3 10 Q 4 14 9 13", kGold, 1.6);
             stroke(p, "M 24 6 Q 30 6 29 10 Q 28 14 23 13", kGold, 1.6);
             box(p, 14, 19, 4, 5, kGold, 0, 0.8);
             box(p, 9, 24, 14, 5, kBrown, 1);
             star(p, 16, 10, 4, kWhite);
         }},
        {"TICKET", [](QPainter& p) {
             shape(p, "M 2 9 L 30 9 L 30 13 Q 27 16 30 19 L 30 23 L 2 23 L 2 19 Q 5 16 2 13 Z", kOrange);
             QPen dash(kDark, 0.8, Qt::DashLine);
             p.setPen(dash);
             p.drawLine(QPointF(22, 10), QPointF(22, 22));
             star(p, 12, 16, 5, kYellow);
         }},
        {"CELEBRATION", [](QPainter& p) {
             shape(p, "M 5 4 L 13 4 Q 14 12 10 14 L 10 23 L 13 26 L 6 26 L 9 23 L 9 14 Q 4 12 5 4 Z", QColor(230, 240, 250));
             shape(p, "M 19 4 L 27 4 Q 28 12 24 14 L 24 23 L 27 26 L 20 26 L 23 23 L 23 14 Q 18 12 19 4 Z", QColor(230, 240, 250));
             shape(p, "M 5.5 8 L 12.5 8 Q 12.5 12 9 13 Q 5.5 12 5.5 8 Z", kGold, 0);
             shape(p, "M 19.5 8 L 26.5 8 Q 26.5 12 23 13 Q 19.5 12 19.5 8 Z", kGold, 0);
             circle(p, 16, 3, 1, kGold, 0);
             circle(p, 14, 7, 0.8, kGold, 0);
         }},
        {"DEADLINE", [](QPainter& p) {
             box(p, 6, 2, 20, 3, kBrown, 1);
             box(p, 6, 27, 20, 3, kBrown, 1);
             shape(p, "M 8 5 L 24 5 Q 24 12 17 16 Q 24 20 24 27 L 8 27 Q 8 20 15 16 Q 8 12 8 5 Z", QColor(220, 240, 250));
             shape(p, "M 11 10 L 21 10 Q 19 13 16 15 Q 13 13 11 10 Z", kYellow, 0);
             shape(p, "M 10 26 Q 16 18 22 26 Z", kYellow, 0);
         }},
        {"PAYDAY", [](QPainter& p) {
             for (int i = 0; i < 4; ++i)
                 ellipse(p, 12, 26 - 4 * i, 9, 3, lit(kGold));
             circle(p, 22, 13, 8, kGold);
             text(p, QRectF(14, 5, 16, 16), QStringLiteral("$"), kBrown, 11);
         }},
    };
}

std::vector<IconDef> holidays()
{
    return {
        {"NEWYEAR", [](QPainter& p) {
             rays(p, 11, 11, 2, 9, 12, kRed, 1.3);
             rays(p, 23, 18, 2, 7, 10, kBlue, 1.2);
             rays(p, 12, 25, 1, 5, 8, kGold, 1.1);
             circle(p, 11, 11, 1.5, kYellow, 0);
             circle(p, 23, 18, 1.3, kYellow, 0);
         }},
        {"VALENTINE", [](QPainter& p) {
             heart(p, 16, 16, 11, kPink);
             line(p, 3, 27, 28, 6, kBrown, 1.4);
             shape(p, "M 28 6 L 23 6.5 L 26 9.5 Z", kGrey, 0.6);
             shape(p, "M 3 27 L 3 23 L 5.5 25.5 Z", kRed, 0.6);
         }},
        {"SHAMROCK", [](QPainter& p) {
             stroke(p, "M 16 18 Q 18 25 22 30", kGreen, 2);
             heart(p, 16, 10, 6, kGreen);
             p.save();
             p.translate(16, 17);
             p.rotate(115);
             heart(p, 0, -6.5, 6, kGreen);
             p.rotate(130);
             heart(p, 0, -6.5, 6, kGreen);
             p.restore();
         }},
        {"EASTEREGG", [](QPainter& p) {
             QPainterPath egg;
             egg.moveTo(16, 2);
             egg.cubicTo(24, 2, 27, 17, 27, 20);
             egg.cubicTo(27, 27, 22, 30, 16, 30);
             egg.cubicTo(10, 30, 5, 27, 5, 20);
             egg.cubicTo(5, 17, 8, 2, 16, 2);
             shape(p, egg, lit(kSky));
             p.save();
             p.setClipPath(egg);
             line(p, 0, 13, 32, 13, kPink, 3);
             stroke(p, "M 4 20 L 8 17 L 12 20 L 16 17 L 20 20 L 24 17 L 28 20", kYellow, 2);
             line(p, 0, 26, 32, 26, kGreen, 2.5);
             p.restore();
             shape(p, egg, QBrush(Qt::NoBrush));
         }},
        {"CHICK", [](QPainter& p) {
             circle(p, 15, 20, 10, kYellow);
             circle(p, 20, 10, 6, kYellow);
             shape(p, "M 25 10 L 30 12 L 25 13 Z", kOrange, 0.6);
             circle(p, 21.5, 9, 1, kDark, 0);
             stroke(p, "M 8 19 Q 12 23 16 19", kOrange, 1.2);
         }},
        {"FLAG", [](QPainter& p) {
             line(p, 5, 3, 5, 30, kDark, 1.6);
             shape(p, "M 5 4 Q 12 1 18 4 Q 24 7 29 4 L 29 18 Q 24 21 18 18 Q 12 15 5 18 Z", kRed);
             p.save();
             p.setClipPath(path("M 5 4 Q 12 1 18 4 Q 24 7 29 4 L 29 18 Q 24 21 18 18 Q 12 15 5 18 Z"));
             for (int i = 0; i < 3; ++i)
                 line(p, 5, 8 + 4 * i, 29, 8 + 4 * i, kWhite, 1.6);
             p.setPen(Qt::NoPen);
             p.setBrush(kBlue);
             p.drawRect(QRectF(5, 0, 10, 11));
             p.restore();
             star(p, 10, 7, 2.5, kWhite);
         }},
        {"FIREWORKS", [](QPainter& p) {
             line(p, 9, 30, 14, 12, kGrey, 0.8);
             rays(p, 15, 10, 2, 9, 16, kGold, 1.1);
             circle(p, 15, 10, 1.6, kWhite, 0);
             rays(p, 25, 22, 1, 5, 8, kPink, 1);
         }},
        {"PUMPKIN", [](QPainter& p) {
             box(p, 14.5, 2, 3, 6, kGreen, 1);
             ellipse(p, 10, 18, 7, 10, lit(kOrange));
             ellipse(p, 22, 18, 7, 10, lit(kOrange));
             ellipse(p, 16, 18, 7, 10.5, lit(kOrange));
             shape(p, "M 10 15 L 13 12 L 14 16 Z", kDark, 0);
             shape(p, "M 22 15 L 19 12 L 18 16 Z", kDark, 0);
             shape(p, "M 9 20 L 23 20 L 21 24 L 19 22 L 16 25 L 13 22 L 11 24 Z", kDark, 0);
         }},
        {"GHOST", [](QPainter& p) {
             shape(p, "M 6 29 L 6 13 Q 6 3 16 3 Q 26 3 26 13 L 26 29 L 22.5 26 L 19 29 L 16 26 L 13 29 L 9.5 26 Z", kWhite);
             ellipse(p, 12, 13, 2, 3, QBrush(kDark), 0);
             ellipse(p, 20, 13, 2, 3, QBrush(kDark), 0);
             ellipse(p, 16, 20, 2.2, 2.8, QBrush(kDark), 0);
         }},
        {"BAT", [](QPainter& p) {
             shape(p, "M 16 11 Q 13 9 13 12 L 5 8 Q 6 13 1 16 Q 6 16 7 20 Q 10 17 13 21 Q 14 19 16 22 Q 18 19 19 21 Q 22 17 25 20 Q 26 16 31 16 Q 26 13 27 8 L 19 12 Q 19 9 16 11 Z", kDark);
             circle(p, 15, 13, 0.7, kYellow, 0);
             circle(p, 17, 13, 0.7, kYellow, 0);
         }},
        {"AUTUMN", [](QPainter& p) {
             shape(p, "M 16 2 L 18 8 L 23 5 L 22 11 L 29 11 L 24 16 L 27 19 L 19 20 L 17 24 L 16 22 L 15 24 L 13 20 L 5 19 L 8 16 L 3 11 L 10 11 L 9 5 L 14 8 Z", kOrange);
             line(p, 16, 8, 16, 30, kBrown, 1.4);
         }},
        {"PIE", [](QPainter& p) {
             shape(p, "M 2 18 L 30 18 L 26 27 L 6 27 Z", kBrown);
             ellipse(p, 16, 18, 14, 6, lit(QColor(235, 180, 90)));
             for (int i = -1; i <= 1; ++i)
                 stroke(p, QStringLiteral("M %1 15 Q %2 18 %1 21").arg(16 + 6 * i).arg(17 + 6 * i)
                               .toLatin1().constData(), kBrown, 0.9);
             box(p, 15, 8, 2, 6, kWhite, 1, 0);
         }},
        {"XMASTREE", [](QPainter& p) {
             box(p, 14, 25, 4, 5, kBrown, 0.5);
             shape(p, "M 16 3 L 24 12 L 20 12 L 27 20 L 22 20 L 29 26 L 3 26 L 10 20 L 5 20 L 12 12 L 8 12 Z", kGreen);
             star(p, 16, 4, 3.5, kYellow);
             circle(p, 13, 15, 1.4, kRed, 0.5);
             circle(p, 19, 19, 1.4, kBlue, 0.5);
             circle(p, 11, 22, 1.4, kYellow, 0.5);
             circle(p, 22, 23, 1.4, kRed, 0.5);
         }},
        {"ORNAMENT", [](QPainter& p) {
             stroke(p, "M 16 1 L 16 6", kDark, 0.8);
             box(p, 13, 5, 6, 4, kGold, 1);
             circle(p, 16, 19, 11, kRed);
             stroke(p, "M 6 17 Q 16 22 26 17", kGold, 1.4);
             stroke(p, "M 6.5 22 Q 16 27 25.5 22", kGold, 1);
         }},
        {"CANDYCANE", [](QPainter& p) {
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(kDark, 6.2, Qt::SolidLine, Qt::RoundCap));
             p.drawPath(path("M 12 29 L 12 10 Q 12 4 17 4 Q 22 4 22 10"));
             p.setPen(QPen(kWhite, 4.4, Qt::SolidLine, Qt::RoundCap));
             p.drawPath(path("M 12 29 L 12 10 Q 12 4 17 4 Q 22 4 22 10"));
             p.setPen(QPen(kRed, 4.4, Qt::CustomDashLine, Qt::FlatCap));
             QPen dashed(kRed, 4.4, Qt::CustomDashLine, Qt::FlatCap);
             dashed.setDashPattern({0.5, 0.5});
             p.setPen(dashed);
             p.drawPath(path("M 12 29 L 12 10 Q 12 4 17 4 Q 22 4 22 10"));
         }},
        {"STOCKING", [](QPainter& p) {
             shape(p, "M 10 8 L 22 8 L 22 20 Q 22 28 14 29 L 7 29 Q 3 29 3 25 Q 3 21 8 21 L 10 19 Z", kRed);
             box(p, 8.5, 3, 15, 6, kWhite, 2);
             shape(p, "M 3 25 Q 3 29 7 29 L 9 29 L 9 21 Q 3 21 3 25 Z", kWhite, 0.8);
         }},
        {"SNOWMAN", [](QPainter& p) {
             p.translate(0, 1.5);
             circle(p, 16, 22, 7.5, kWhite);
             circle(p, 16, 10, 6, kWhite);
             box(p, 10, 3.5, 12, 2, kDark, 0.5);
             box(p, 12, -0.5, 8, 4.5, kDark, 0.5);
             shape(p, "M 16 10 L 22 11.5 L 16 12 Z", kOrange, 0.5);
             circle(p, 14, 8.5, 0.8, kDark, 0);
             circle(p, 18, 8.5, 0.8, kDark, 0);
             for (int i = 0; i < 3; ++i)
                 circle(p, 16, 18 + 3.5 * i, 0.9, kDark, 0);
             line(p, 11, 15.5, 21, 15.5, kRed, 2);
         }},
        {"SNOWFLAKE", [](QPainter& p) { snowflake(p, 16, 16, 13, kBlue, 2); }},
        {"BELL", [](QPainter& p) {
             shape(p, "M 16 3 Q 24 3 24 14 Q 24 21 29 25 L 3 25 Q 8 21 8 14 Q 8 3 16 3 Z", kGold);
             circle(p, 16, 27, 3, kGold);
             shape(p, "M 12 22 Q 16 19 20 22 L 12 22 Z", kDark, 0);
             stroke(p, "M 10 8 Q 8 10 8 14", kWhite, 1);
         }},
        {"WREATH", [](QPainter& p) {
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(QColor(20, 110, 40), 7));
             p.drawEllipse(QPointF(16, 16), 10, 10);
             p.setPen(QPen(kGreen, 3, Qt::DotLine));
             p.drawEllipse(QPointF(16, 16), 10, 10);
             for (int i = 0; i < 4; ++i) {
                 const qreal a = M_PI / 2 * i + 0.6;
                 circle(p, 16 + 10 * std::cos(a), 16 + 10 * std::sin(a), 1.6, kRed, 0.5);
             }
             shape(p, "M 16 25 L 11 30 L 13 24 Z", kRed, 0.6);
             shape(p, "M 16 25 L 21 30 L 19 24 Z", kRed, 0.6);
             circle(p, 16, 25, 2, kRed, 0.6);
         }},
        {"CANDLE", [](QPainter& p) {
             box(p, 11, 11, 10, 17, kWhite, 1.5);
             box(p, 7, 27, 18, 3, kGold, 1.5);
             line(p, 16, 11, 16, 8, kDark, 0.8);
             flame(p, 16, 6, 1.3);
         }},
        {"STAR", [](QPainter& p) {
             star(p, 16, 17, 14, kGold);
             stroke(p, "M 16 6 L 16 17 L 26 13", kWhite, 0.6);
         }},
        {"LANTERN", [](QPainter& p) {
             stroke(p, "M 16 1 L 16 4", kDark, 1);
             box(p, 9, 4, 14, 3, kDark, 1);
             box(p, 9, 26, 14, 3, kDark, 1);
             ellipse(p, 16, 16.5, 10, 10, ball(kRed));
             for (int i = -1; i <= 1; ++i)
                 stroke(p, QStringLiteral("M 16 7 Q %1 16.5 16 26").arg(16 + 12 * i).toLatin1().constData(),
                        kGold, 0.8);
             line(p, 16, 29, 16, 32, kGold, 1.4);
         }},
        {"CANDLES", [](QPainter& p) {
             box(p, 3, 26, 26, 3, kGold, 1);
             for (int i = 0; i < 9; ++i) {
                 const qreal x = 4.5 + 2.875 * i;
                 const qreal top = i == 4 ? 10 : 14;
                 box(p, x - 0.9, top, 1.8, 26 - top, i == 4 ? kWhite : kSky, 0.3, 0.4);
                 flame(p, x, top - 2.2, 0.55);
             }
         }},
        {"BEACH", [](QPainter& p) {
             ellipse(p, 16, 29, 15, 3, lit(QColor(235, 210, 150)), 0);
             line(p, 16, 6, 20, 28, kDark, 1.2);
             shape(p, "M 2 12 Q 4 3 15 3 Q 26 3 29 10 Q 24 8 21 11 Q 17 7 12 10 Q 7 8 2 12 Z", kRed);
             stroke(p, "M 12 10 Q 13 5 15 3", kWhite, 0.9);
             stroke(p, "M 21 11 Q 21 6 15 3", kWhite, 0.9);
         }},
        {"SUMMER", [](QPainter& p) {
             rays(p, 16, 16, 10, 14.5, 12, kOrange, 2);
             circle(p, 16, 16, 8, kYellow);
             circle(p, 13, 14, 1, kDark, 0);
             circle(p, 19, 14, 1, kDark, 0);
             stroke(p, "M 12 18 Q 16 22 20 18", kDark, 1);
         }},
    };
}

std::vector<IconDef> misc1()
{
    return {
        {"CHECK", [](QPainter& p) { shape(p, "M 3 17 L 8 12 L 13 18 L 25 4 L 30 9 L 13 28 Z", kGreen); }},
        {"CROSS", [](QPainter& p) {
             shape(p, "M 4 8 L 8 4 L 16 12 L 24 4 L 28 8 L 20 16 L 28 24 L 24 28 L 16 20 L 8 28 L 4 24 L 12 16 Z", kRed);
         }},
        {"STAR", [](QPainter& p) { star(p, 16, 17, 14, kYellow); }},
        {"HEART", [](QPainter& p) { heart(p, 16, 15, 13, kRed); }},
        {"WARNING", [](QPainter& p) {
             shape(p, "M 16 2 Q 17 2 18 4 L 30 26 Q 31 29 28 29 L 4 29 Q 1 29 2 26 L 14 4 Q 15 2 16 2 Z", kYellow);
             text(p, QRectF(8, 7, 16, 22), QStringLiteral("!"), kDark, 18);
         }},
        {"QUESTION", [](QPainter& p) {
             circle(p, 16, 16, 14, kBlue);
             text(p, QRectF(4, 3, 24, 26), QStringLiteral("?"), kWhite, 20);
         }},
        {"INFO", [](QPainter& p) {
             circle(p, 16, 16, 14, kBlue);
             text(p, QRectF(4, 3, 24, 26), QStringLiteral("i"), kWhite, 20);
         }},
        {"UP", [](QPainter& p) { shape(p, "M 16 2 L 29 16 L 21 16 L 21 30 L 11 30 L 11 16 L 3 16 Z", kGreen); }},
        {"DOWN", [](QPainter& p) { shape(p, "M 16 30 L 29 16 L 21 16 L 21 2 L 11 2 L 11 16 L 3 16 Z", kRed); }},
        {"LEFT", [](QPainter& p) { shape(p, "M 2 16 L 16 3 L 16 11 L 30 11 L 30 21 L 16 21 L 16 29 Z", kBlue); }},
        {"RIGHT", [](QPainter& p) { shape(p, "M 30 16 L 16 3 L 16 11 L 2 11 L 2 21 L 16 21 L 16 29 Z", kBlue); }},
        {"SMILE", [](QPainter& p) {
             ellipse(p, 16, 16, 14, 14, ball(kYellow));
             ellipse(p, 11, 12, 1.8, 2.6, QBrush(kDark), 0);
             ellipse(p, 21, 12, 1.8, 2.6, QBrush(kDark), 0);
             stroke(p, "M 8 18 Q 16 27 24 18", kDark, 1.8);
         }},
        {"FROWN", [](QPainter& p) {
             ellipse(p, 16, 16, 14, 14, ball(kSky));
             ellipse(p, 11, 12, 1.8, 2.6, QBrush(kDark), 0);
             ellipse(p, 21, 12, 1.8, 2.6, QBrush(kDark), 0);
             stroke(p, "M 9 24 Q 16 17 23 24", kDark, 1.8);
         }},
        {"PUSHPIN", [](QPainter& p) {
             line(p, 14, 18, 5, 27, kGrey, 1.4);
             shape(p, "M 13 10 L 22 19 L 20 21 L 11 12 Z", kRed);
             shape(p, "M 16 12 L 22 6 L 26 10 L 20 16 Z", kRed);
             shape(p, "M 20 4 L 28 12 L 26 14 L 18 6 Z", kRed);
         }},
        {"PAPERCLIP", [](QPainter& p) {
             stroke(p, "M 20 10 L 20 23 Q 20 28 15.5 28 Q 11 28 11 23 L 11 7 Q 11 3 14.5 3 Q 18 3 18 7 L 18 22 Q 18 25 15.5 25 Q 13 25 13 22 L 13 10",
                    kGrey, 1.6);
         }},
        {"FLAG", [](QPainter& p) {
             line(p, 6, 3, 6, 30, kDark, 1.6);
             shape(p, "M 6 4 Q 12 1 18 4 Q 24 7 28 4 L 28 17 Q 24 20 18 17 Q 12 14 6 17 Z", kGreen);
         }},
        {"IDEA", [](QPainter& p) {
             shape(p, "M 16 2 Q 26 2 26 12 Q 26 17 21 21 L 21 23 L 11 23 L 11 21 Q 6 17 6 12 Q 6 2 16 2 Z", kYellow);
             box(p, 11, 23, 10, 5, kGrey, 1);
             line(p, 11, 25.5, 21, 25.5, kDark, 0.6);
             box(p, 13, 28, 6, 2, kDark, 1, 0);
             stroke(p, "M 13 20 L 13 14 L 16 16 L 19 14 L 19 20", kOrange, 0.9);
         }},
        {"KEY", [](QPainter& p) {
             circle(p, 9, 10, 7, kGold);
             circle(p, 7, 8, 2, kWhite, 0.8);
             shape(p, "M 13 14 L 28 27 L 26 29 L 23 26 L 21 28 L 19 26 L 21 24 L 11 16 Z", kGold);
         }},
        {"LOCK", [](QPainter& p) {
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(kGrey, 3));
             p.drawPath(path("M 10 15 L 10 10 Q 10 4 16 4 Q 22 4 22 10 L 22 15"));
             box(p, 6, 14, 20, 15, kGold, 2);
             circle(p, 16, 20, 2, kDark, 0);
             box(p, 15, 20, 2, 5, kDark, 0.5, 0);
         }},
        {"HOME", [](QPainter& p) {
             box(p, 7, 15, 18, 14, QColor(240, 220, 180));
             shape(p, "M 16 3 L 30 16 L 2 16 Z", kRed);
             box(p, 13.5, 20, 5, 9, kBrown, 0.5);
             box(p, 20, 18, 3.5, 3.5, kSky, 0, 0.6);
             box(p, 22, 4, 3, 7, kDark, 0, 0.6);
         }},
        {"MONEY", [](QPainter& p) {
             box(p, 2, 8, 28, 16, QColor(130, 200, 120), 1.5);
             circle(p, 16, 16, 5.5, QColor(180, 230, 170));
             text(p, QRectF(10, 9, 12, 14), QStringLiteral("$"), QColor(20, 90, 30), 10);
             circle(p, 6, 12, 1, QColor(20, 90, 30), 0);
             circle(p, 26, 20, 1, QColor(20, 90, 30), 0);
         }},
        {"PENCIL", [](QPainter& p) {
             shape(p, "M 4 28 L 6 20 L 22 4 L 28 10 L 12 26 Z", kOrange);
             shape(p, "M 4 28 L 6 20 L 12 26 Z", kSkin);
             shape(p, "M 4 28 L 4.8 24.8 L 7.2 27.2 Z", kDark, 0);
             shape(p, "M 22 4 L 28 10 L 26 12 L 20 6 Z", kPink);
         }},
        {"SCISSORS", [](QPainter& p) {
             shape(p, "M 15 17 L 28 4 L 29 6 L 17 19 Z", kGrey);
             shape(p, "M 17 17 L 4 4 L 3 6 L 15 19 Z", kGrey);
             ellipse(p, 10, 24, 4.5, 4.5, QBrush(Qt::NoBrush), 0);
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(kRed, 2.5));
             p.drawEllipse(QPointF(10, 24), 4, 4);
             p.drawEllipse(QPointF(22, 24), 4, 4);
             circle(p, 16, 18, 1, kDark, 0);
         }},
        {"NOTE", [](QPainter& p) {
             shape(p, "M 4 4 L 28 4 L 28 21 L 21 28 L 4 28 Z", QColor(255, 240, 120));
             shape(p, "M 21 28 L 21 21 L 28 21 Z", QColor(220, 200, 80));
             for (int i = 0; i < 3; ++i)
                 line(p, 8, 10 + 5 * i, 24 - 4 * (i == 2), 10 + 5 * i, kBlue, 0.9);
         }},
    };
}

std::vector<IconDef> misc2()
{
    return {
        {"APPLE", [](QPainter& p) {
             shape(p, path("M 16 9 Q 22 5 26 9 Q 30 14 27 21 Q 24 29 20 29 Q 18 29 16 28 Q 14 29 12 29 Q 8 29 5 21 Q 2 14 6 9 Q 10 5 16 9 Z"), ball(kRed));
             stroke(p, "M 16 9 Q 16 5 18 2", kBrown, 1.4);
             shape(p, "M 17 6 Q 20 1 25 3 Q 22 7 17 6 Z", kGreen, 0.6);
         }},
        {"CARROT", [](QPainter& p) {
             shape(p, "M 24 8 Q 28 12 25 15 L 5 29 Q 3 30 3 27 L 17 7 Q 20 4 24 8 Z", kOrange);
             for (int i = 0; i < 3; ++i)
                 line(p, 13 + 3 * i, 17 - 3 * i, 15.5 + 3 * i, 19.5 - 3 * i, kBrown, 0.7);
             shape(p, "M 22 6 Q 22 1 26 1 Q 26 5 23 7 Z", kGreen, 0.6);
             shape(p, "M 25 9 Q 30 9 31 6 Q 27 5 24 7 Z", kGreen, 0.6);
         }},
        {"CHERRIES", [](QPainter& p) {
             stroke(p, "M 10 20 Q 13 10 20 3", kGreen, 1.3);
             stroke(p, "M 22 22 Q 21 12 20 3", kGreen, 1.3);
             shape(p, "M 20 3 Q 25 2 28 6 Q 23 8 20 3 Z", kGreen, 0.6);
             circle(p, 10, 23, 6, kRed);
             circle(p, 22, 24, 6, kRed);
         }},
        {"BREAD", [](QPainter& p) {
             shape(p, "M 4 26 L 4 14 Q 1 12 3 8 Q 6 4 16 4 Q 26 4 29 8 Q 31 12 28 14 L 28 26 Z", QColor(225, 170, 90));
             shape(p, "M 7 26 L 7 15 Q 5 13 6 10 Q 9 7 16 7 Q 23 7 26 10 Q 27 13 25 15 L 25 26 Z", QColor(250, 230, 180), 0.6);
         }},
        {"CHEESE", [](QPainter& p) {
             shape(p, "M 3 14 L 25 5 L 29 13 L 29 26 L 3 26 Z", kYellow);
             line(p, 3, 14, 29, 13, kDark, 0.8);
             for (auto [x, y, r] : {std::tuple{9.0, 19.0, 2.2}, {18.0, 21.0, 1.6}, {24.0, 17.0, 1.9}, {13.0, 24.0, 1.2}})
                 ellipse(p, x, y, r, r, QBrush(QColor(220, 170, 20)), 0.5);
         }},
        {"PIZZA", [](QPainter& p) {
             shape(p, "M 16 30 L 3 5 Q 16 -1 29 5 Z", kYellow);
             shape(p, "M 3 5 Q 16 -1 29 5 L 28 8 Q 16 2 4 8 Z", kBrown, 0.8);
             circle(p, 12, 11, 2.2, kRed, 0.5);
             circle(p, 20, 12, 2.2, kRed, 0.5);
             circle(p, 16, 19, 2.2, kRed, 0.5);
             circle(p, 17, 8, 0.9, kGreen, 0);
         }},
        {"ICECREAM", [](QPainter& p) {
             shape(p, "M 9 15 L 23 15 L 16 31 Z", QColor(220, 170, 100));
             stroke(p, "M 11 18 L 19 27", kBrown, 0.6);
             stroke(p, "M 21 18 L 13 27", kBrown, 0.6);
             circle(p, 16, 10, 7, kPink);
             circle(p, 16, 4, 2, kRed, 0.6);
         }},
        {"COFFEE", [](QPainter& p) {
             stroke(p, "M 24 15 Q 30 15 29 20 Q 28 24 23 23", kDark, 1.8);
             shape(p, "M 5 12 L 25 12 L 23 25 Q 22 28 18 28 L 12 28 Q 8 28 7 25 Z", kWhite);
             ellipse(p, 15, 12, 10, 2, QBrush(kBrown), 0.6);
             stroke(p, "M 11 9 Q 9 6 11 3", kGrey, 1);
             stroke(p, "M 16 9 Q 14 6 16 3", kGrey, 1);
             stroke(p, "M 21 9 Q 19 6 21 3", kGrey, 1);
         }},
        {"WINE", [](QPainter& p) {
             shape(p, "M 8 3 L 24 3 Q 25 14 16 17 Q 7 14 8 3 Z", QColor(235, 240, 250));
             shape(p, "M 8.4 8 L 23.6 8 Q 23 14 16 16 Q 9 14 8.4 8 Z", QColor(140, 20, 50), 0);
             line(p, 16, 17, 16, 27, kGrey, 1.6);
             ellipse(p, 16, 28, 7, 2, lit(QColor(235, 240, 250)));
         }},
        {"DINNER", [](QPainter& p) {
             circle(p, 16, 16, 10, kWhite);
             circle(p, 16, 16, 6.5, QColor(240, 240, 240), 0.6);
             line(p, 3, 3, 3, 29, kGrey, 1.6);
             for (int i = -1; i <= 1; ++i)
                 line(p, 3 + 1.5 * i, 3, 3 + 1.5 * i, 9, kGrey, 0.8);
             shape(p, "M 29 3 Q 31 10 29 16 L 29 29 L 28 29 L 28 3 Z", kGrey, 0.8);
         }},
        {"SHOPPING", [](QPainter& p) {
             stroke(p, "M 1 5 L 6 5 L 10 21 L 26 21", kDark, 1.6);
             shape(p, "M 7 8 L 30 8 L 27 18 L 9.5 18 Z", kBlue);
             circle(p, 12, 26, 2.4, kDark);
             circle(p, 24, 26, 2.4, kDark);
         }},
        {"BAG", [](QPainter& p) {
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(kDark, 1.6));
             p.drawPath(path("M 11 12 L 11 8 Q 11 3 16 3 Q 21 3 21 8 L 21 12"));
             shape(p, "M 5 10 L 27 10 L 29 29 L 3 29 Z", kPurple);
             circle(p, 11, 13, 1, kWhite, 0);
             circle(p, 21, 13, 1, kWhite, 0);
         }},
        {"CLEANING", [](QPainter& p) {
             line(p, 26, 2, 16, 18, kBrown, 2);
             shape(p, "M 13 15 L 21 20 L 16 30 Q 8 30 3 25 Z", kYellow);
             for (int i = 0; i < 3; ++i)
                 line(p, 14 + 2.4 * i, 18 + 1.4 * i, 9 + 3 * i, 28 - 0.5 * i, kOrange, 0.8);
         }},
        {"BUCKET", [](QPainter& p) {
             stroke(p, "M 6 12 Q 16 -2 26 12", kGrey, 1.4);
             shape(p, "M 5 12 L 27 12 L 24 29 L 8 29 Z", kSky);
             ellipse(p, 16, 12, 11, 2.5, lit(kBlue));
             circle(p, 26, 22, 1.6, kBlue, 0);
         }},
        {"TRASH", [](QPainter& p) {
             box(p, 4, 6, 24, 4, kGrey, 1);
             box(p, 12, 3, 8, 3, kGrey, 1);
             shape(p, "M 6 10 L 26 10 L 24 29 L 8 29 Z", kGrey);
             for (int i = -1; i <= 1; ++i)
                 line(p, 16 + 5 * i, 13, 16 + 4.5 * i, 26, kDark, 1);
         }},
        {"LAUNDRY", [](QPainter& p) {
             shape(p, "M 11 4 Q 16 8 21 4 L 30 9 L 27 15 L 24 13 L 24 29 L 8 29 L 8 13 L 5 15 L 2 9 Z", kSky);
             stroke(p, "M 11 4 Q 16 8 21 4", kDark, 1);
         }},
        {"PLANT", [](QPainter& p) {
             shape(p, "M 8 19 L 24 19 L 22 30 L 10 30 Z", QColor(200, 100, 60));
             box(p, 7, 17, 18, 3, QColor(200, 100, 60), 1);
             stroke(p, "M 16 17 L 16 8", kGreen, 1.4);
             shape(p, "M 16 12 Q 8 14 4 7 Q 12 4 16 12 Z", kGreen);
             shape(p, "M 16 9 Q 22 10 28 4 Q 20 1 16 9 Z", kGreen);
             shape(p, "M 16 8 Q 13 3 16 0 Q 19 3 16 8 Z", kGreen, 0.8);
         }},
        {"PET", [](QPainter& p) {
             ellipse(p, 16, 21, 7, 6, lit(kBrown));
             ellipse(p, 7, 13, 3, 4, lit(kBrown));
             ellipse(p, 13, 7, 3, 4, lit(kBrown));
             ellipse(p, 20, 7, 3, 4, lit(kBrown));
             ellipse(p, 26, 13, 3, 4, lit(kBrown));
         }},
        {"BONE", [](QPainter& p) {
             p.save();
             p.translate(16, 16);
             p.rotate(-35);
             box(p, -10, -3, 20, 6, kWhite, 1);
             for (int sx : {-1, 1})
                 for (int sy : {-1, 1})
                     circle(p, sx * 11, sy * 3, 3.5, kWhite);
             p.setPen(Qt::NoPen);
             p.setBrush(kWhite);
             p.drawRect(QRectF(-11, -2.4, 22, 4.8));
             p.restore();
         }},
        {"FISH", [](QPainter& p) {
             shape(p, "M 3 16 Q 12 5 22 12 L 30 6 L 28 16 L 30 26 L 22 20 Q 12 27 3 16 Z", kOrange);
             circle(p, 9, 14, 1.6, kWhite, 0.6);
             circle(p, 9, 14, 0.7, kDark, 0);
             stroke(p, "M 15 11 Q 17 16 15 21", kDark, 0.8);
         }},
        {"HAMMER", [](QPainter& p) {
             line(p, 6, 28, 19, 12, kBrown, 3.4);
             p.save();
             p.translate(21, 9);
             p.rotate(40);
             box(p, -9, -3.5, 15, 7, kGrey, 1);
             shape(p, "M 6 -3.5 L 10 -5 L 10 5 L 6 3.5 Z", kGrey);
             p.restore();
         }},
        {"TOOLS", [](QPainter& p) {
             shape(p, "M 6 2 Q 1 5 3 10 Q 6 13 10 11 L 24 28 Q 26 30 28 28 Q 30 26 28 24 L 11 10 Q 13 6 10 3 L 8 7 L 5 6 Z", kGrey);
             circle(p, 26, 26, 1, kDark, 0);
         }},
        {"MEDICINE", [](QPainter& p) {
             p.save();
             p.translate(16, 16);
             p.rotate(-45);
             box(p, -12, -5.5, 24, 11, kWhite, 5.5);
             QPainterPath half;
             half.addRoundedRect(QRectF(-12, -5.5, 24, 11), 5.5, 5.5);
             p.setClipRect(QRectF(0, -6, 13, 12));
             shape(p, half, lit(kRed));
             p.restore();
         }},
        {"UMBRELLA", [](QPainter& p) {
             stroke(p, "M 16 5 L 16 25 Q 16 29 12.5 29 Q 9 29 9 25", kDark, 1.6);
             shape(p, "M 2 16 Q 3 4 16 4 Q 29 4 30 16 Q 27 13 23 16 Q 20 13 16 16 Q 12 13 9 16 Q 5 13 2 16 Z", kPurple);
             line(p, 16, 2, 16, 4, kDark, 1.4);
         }},
    };
}

std::vector<IconDef> weather()
{
    auto sun = [](QPainter& p, qreal cx, qreal cy, qreal r) {
        rays(p, cx, cy, r + 2, r + 5.5, 8, kOrange, 1.8);
        circle(p, cx, cy, r, kYellow);
    };
    auto moon = [](QPainter& p, qreal cx, qreal cy, qreal r) {
        QPainterPath full, bite;
        full.addEllipse(QPointF(cx, cy), r, r);
        bite.addEllipse(QPointF(cx + r * 0.55, cy - r * 0.3), r * 0.85, r * 0.85);
        shape(p, full.subtracted(bite), lit(QColor(250, 230, 120)));
    };
    return {
        {"SUNNY", [sun](QPainter& p) { sun(p, 16, 16, 8); }},
        {"CLEARNIGHT", [moon](QPainter& p) {
             moon(p, 15, 17, 12);
             star(p, 25, 8, 3, kYellow);
         }},
        {"CLOUDY", [](QPainter& p) {
             cloud(p, 6, 4, 0.8, kGrey);
             cloud(p, 1, 11, 1.1, QColor(225, 230, 240));
         }},
        {"PARTLYCLOUDY", [sun](QPainter& p) {
             sun(p, 11, 11, 6);
             cloud(p, 4, 12, 1.0, QColor(235, 240, 248));
         }},
        {"RAIN", [](QPainter& p) {
             cloud(p, 2, 1, 1.0, kGrey);
             for (int i = 0; i < 3; ++i)
                 drop(p, 9 + 7 * i, 22 + 3 * (i % 2), 1.3, kBlue);
         }},
        {"SHOWERS", [sun](QPainter& p) {
             sun(p, 22, 8, 5);
             cloud(p, 1, 5, 0.95, QColor(200, 205, 215));
             for (int i = 0; i < 4; ++i)
                 line(p, 7 + 5 * i, 23, 5 + 5 * i, 29, kBlue, 1.4);
         }},
        {"STORM", [](QPainter& p) {
             cloud(p, 2, 0, 1.0, kDark);
             shape(p, "M 17 13 L 10 23 L 15 23 L 12 31 L 22 19 L 17 19 L 20 13 Z", kYellow);
         }},
        {"SNOW", [](QPainter& p) {
             cloud(p, 2, 0, 1.0, QColor(220, 225, 235));
             snowflake(p, 9, 23, 4, kBlue, 1.1);
             snowflake(p, 22, 25, 4, kBlue, 1.1);
         }},
        {"SLEET", [](QPainter& p) {
             cloud(p, 2, 0, 1.0, kGrey);
             drop(p, 9, 22, 1.2, kBlue);
             snowflake(p, 16, 26, 3.5, kSky, 1);
             drop(p, 23, 22, 1.2, kBlue);
         }},
        {"HAIL", [](QPainter& p) {
             cloud(p, 2, 0, 1.0, kGrey);
             for (int i = 0; i < 5; ++i)
                 circle(p, 6 + 5 * i, 21 + 4 * (i % 2), 2, kWhite, 0.8);
         }},
        {"FOG", [](QPainter& p) {
             cloud(p, 2, 0, 1.0, QColor(210, 210, 210));
             for (int i = 0; i < 3; ++i)
                 line(p, 3 + 3 * (i % 2), 20 + 4 * i, 29 - 3 * (i % 2), 20 + 4 * i, kGrey, 2);
         }},
        {"WINDY", [](QPainter& p) {
             stroke(p, "M 2 10 L 20 10 Q 25 10 25 6 Q 25 3 22 3 Q 19 3 19 6", kBlue, 2);
             stroke(p, "M 2 16 L 26 16 Q 30 16 30 20 Q 30 24 26 24 Q 23 24 23 21", kBlue, 2);
             stroke(p, "M 5 22 L 15 22", kBlue, 2);
         }},
        {"RAINBOW", [](QPainter& p) {
             const QColor bands[] = {kRed, kOrange, kYellow, kGreen, kBlue, kPurple};
             p.setBrush(Qt::NoBrush);
             for (int i = 0; i < 6; ++i) {
                 p.setPen(QPen(bands[i], 2.2, Qt::SolidLine, Qt::FlatCap));
                 const qreal r = 14 - 2.1 * i;
                 p.drawArc(QRectF(16 - r, 24 - r, 2 * r, 2 * r), 0, 180 * 16);
             }
             cloud(p, -1, 17, 0.5, kWhite);
             cloud(p, 19, 17, 0.5, kWhite);
         }},
        {"HOT", [](QPainter& p) { thermometer(p, kRed, 16); }},
        {"COLD", [](QPainter& p) { thermometer(p, kBlue, 4); }},
        {"UMBRELLA", [](QPainter& p) {
             stroke(p, "M 16 8 L 16 25 Q 16 29 12.5 29 Q 9 29 9 25", kDark, 1.6);
             shape(p, "M 2 18 Q 3 6 16 6 Q 29 6 30 18 Q 27 15 23 18 Q 20 15 16 18 Q 12 15 9 18 Q 5 15 2 18 Z", kRed);
             for (int i = 0; i < 3; ++i)
                 drop(p, 6 + 10 * i, 2.5, 0.7, kBlue);
         }},
        {"SUNRISE", [](QPainter& p) {
             QPainterPath half;
             half.moveTo(7, 22);
             half.arcTo(QRectF(7, 13, 18, 18), 180, -180);
             half.closeSubpath();
             for (int i = 0; i < 5; ++i) {
                 const qreal a = M_PI + M_PI * (i + 0.5) / 5;
                 line(p, 16 + 11 * std::cos(a), 22 + 11 * std::sin(a), 16 + 14.5 * std::cos(a),
                      22 + 14.5 * std::sin(a), kOrange, 1.8);
             }
             shape(p, half, lit(kYellow));
             line(p, 2, 23, 30, 23, kDark, 1.5);
             shape(p, "M 16 25 L 20 29 L 12 29 Z", kOrange, 0.8);
         }},
        {"SUNSET", [](QPainter& p) {
             QPainterPath half;
             half.moveTo(7, 22);
             half.arcTo(QRectF(7, 13, 18, 18), 180, -180);
             half.closeSubpath();
             shape(p, half, lit(kOrange));
             line(p, 2, 23, 30, 23, kDark, 1.5);
             shape(p, "M 16 30 L 20 26 L 12 26 Z", kPurple, 0.8);
             star(p, 6, 6, 2.5, kYellow);
         }},
        {"TORNADO", [](QPainter& p) {
             for (int i = 0; i < 6; ++i) {
                 const qreal w = 13 - 2.1 * i;
                 const qreal x = 16 + (i % 2 ? 1.5 : -1.5) * (i > 2);
                 line(p, x - w, 4 + 4.4 * i, x + w, 4 + 4.4 * i, kGrey, 2.2);
             }
         }},
        {"FROST", [](QPainter& p) {
             snowflake(p, 16, 16, 13, kSky, 2.2);
             snowflake(p, 16, 16, 13, kWhite, 0.8);
         }},
    };
}

std::vector<IconDef> numbers()
{
    std::vector<IconDef> out;
    static std::vector<QByteArray> names;
    const QColor colours[] = {kRed, kOrange, kGreen, kBlue, kPurple, QColor(205, 60, 130),
                              QColor(0, 140, 140)};
    for (int n = 1; n <= 31; ++n) {
        names.push_back("DAY" + QByteArray::number(n));
        const QColor c = colours[(n - 1) % 7];
        out.push_back({names.back().constData(), [n, c](QPainter& p) {
                           circle(p, 16, 16, 14, c);
                           ellipse(p, 16, 16, 11.5, 11.5, QBrush(Qt::NoBrush), 0);
                           p.setPen(QPen(QColor(255, 255, 255, 160), 1));
                           p.setBrush(Qt::NoBrush);
                           p.drawEllipse(QPointF(16, 16), 11.5, 11.5);
                           text(p, QRectF(2, 2, 28, 28), QString::number(n), kWhite, n < 10 ? 17 : 14);
                       }});
    }
    return out;
}

// ---- writing ---------------------------------------------------------------------

QImage render(const Draw& draw)
{
    constexpr int scale = 4;
    QImage big(32 * scale, 32 * scale, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(scale, scale);
        draw(p);
    }
    QImage small = big.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_ARGB32);
    // Averaging leaves solid pixels a shade short of opaque: they are opaque.
    for (int y = 0; y < small.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(small.scanLine(y));
        for (int x = 0; x < small.width(); ++x)
            if (qAlpha(line[x]) >= 248)
                line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), 255);
            else if (qAlpha(line[x]) <= 4)
                line[x] = 0;
    }
    return small;
}

bool writeLibrary(const QString& file, const QByteArray& module, const QByteArray& description,
                  const std::vector<IconDef>& icons, const QString& pngDir)
{
    QList<iconwriter::IconGroup> groups;
    int n = 0;
    // The sheet: every icon at twice its size on a chequered ground.
    constexpr int kAcross = 8;
    QImage sheet(kAcross * 72, int((icons.size() + kAcross - 1) / kAcross) * 72, QImage::Format_RGB32);
    QPainter sheetPainter(&sheet);
    for (int y = 0; y < sheet.height(); y += 8)
        for (int x = 0; x < sheet.width(); x += 8)
            sheetPainter.fillRect(x, y, 8, 8, ((x + y) / 8) % 2 ? QColor(225, 225, 225) : Qt::white);
    for (const IconDef& def : icons) {
        const QImage img = render(def.draw);
        sheetPainter.drawImage(QRect((n % kAcross) * 72 + 4, (n / kAcross) * 72 + 4, 64, 64), img);
        if (!pngDir.isEmpty())
            img.save(QDir(pngDir).filePath(QFileInfo(file).completeBaseName() + QStringLiteral("-%1.png").arg(n)));
        iconwriter::IconGroup g;
        g.Name = def.name;
        // The 16-colour image first, as the old libraries had it; readers
        // that know better take the 32-bit one.
        g.Images << iconwriter::EncodeImage(img, 4) << iconwriter::EncodeImage(img, 32);
        groups << g;
        ++n;
    }
    sheetPainter.end();
    if (!pngDir.isEmpty())
        sheet.save(QDir(pngDir).filePath(QFileInfo(file).completeBaseName() + QStringLiteral(".png")));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(iconwriter::WriteNeLibrary(groups, module, description)) < 0)
        return false;
    std::printf("%s: %d icons\n", qPrintable(file), n);
    return true;
}

// Small files covering what a reader meets: named and numbered groups,
// several sizes and depths in one group, one and many groups.
bool writeSeeds(const QDir& dir)
{
    auto draw = [](int size, const Draw& d) {
        const QImage big = render(d);
        return big.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    const std::vector<IconDef> symbols = misc1();
    const QImage check16 = draw(16, symbols[0].draw), star16 = draw(16, symbols[2].draw);
    const QImage heart32 = draw(32, symbols[3].draw);
    using iconwriter::EncodeImage;
    const QList<iconwriter::IconGroup> mixed = {
        {"CHECK", {EncodeImage(check16, 1), EncodeImage(check16, 4)}},
        {{}, {EncodeImage(star16, 8), EncodeImage(star16, 32)}},
        {"HEART", {EncodeImage(heart32, 4)}},
    };
    const QList<iconwriter::IconGroup> single = {{{}, {EncodeImage(star16, 4)}}};
    dir.mkpath(QStringLiteral("fuzz_ne"));
    dir.mkpath(QStringLiteral("fuzz_ico"));
    const std::pair<QString, QByteArray> files[] = {
        {QStringLiteral("fuzz_ne/mixed.icl"), iconwriter::WriteNeLibrary(mixed, "MIXED", "seed")},
        {QStringLiteral("fuzz_ne/single.icl"), iconwriter::WriteNeLibrary(single, "ONE", "seed")},
        {QStringLiteral("fuzz_ico/check.ico"),
         iconwriter::WriteIcoFile({EncodeImage(check16, 4), EncodeImage(check16, 32)})},
    };
    for (const auto& [name, bytes] : files) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--seeds"))
        return writeSeeds(QDir(args[2])) ? 0 : 1;
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: makeicons DATADIR [--png DIR]\n");
        return 2;
    }
    const QDir data(args[1]);
    const QString pngDir = args.size() >= 4 && args[2] == QLatin1String("--png") ? args[3] : QString();
    data.mkpath(QStringLiteral("BonusIcons"));
    struct Library {
        const char* file;
        const char* module;
        const char* description;
        std::vector<IconDef> icons;
    };
    const Library libraries[] = {
        {"activity.icl", "ACTIVITY", "Dayloom icons: activities", activities()},
        {"events.icl", "EVENTS", "Dayloom icons: events", events()},
        {"holiday.icl", "HOLIDAY", "Dayloom icons: holidays", holidays()},
        {"misc1.icl", "MISC1", "Dayloom icons: signs and symbols", misc1()},
        {"misc2.icl", "MISC2", "Dayloom icons: home and food", misc2()},
        {"BonusIcons/Weather.icl", "WEATHER", "Dayloom icons: weather", weather()},
        {"BonusIcons/Day Numbers.icl", "DAYNUMS", "Dayloom icons: day numbers", numbers()},
    };
    for (const Library& l : libraries)
        if (!writeLibrary(data.filePath(QString::fromLatin1(l.file)), l.module, l.description,
                          l.icons, pngDir))
            return 1;
    return 0;
}
