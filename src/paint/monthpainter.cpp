#include "paint/monthpainter.h"

#include <cmath>

#include <QPainter>

#include "dates/calendardates.h"
#include "paint/paintutil.h"
#include "paint/textstamp.h"

namespace dayloom {

MonthPainter::Style MonthPainter::Style::Floating(bool transparent, TColor bodyColor)
{
    Style s;
    s.TitleTop = 0;
    s.HeaderGap = 0;
    s.TitleFillExtraRight = 1;
    s.TitleFillExtraBottom = 0;
    s.NumberBoxBottomInset = 0;
    s.LinesIncludeEnd = true;
    s.Fills = !transparent;
    s.BodyFill = !transparent;
    s.BodyColor = bodyColor;
    s.PlainText = true;
    return s;
}

namespace {

// A line by the style's rule for its end pixel.
void styleLine(QPainter& painter, const MonthPainter::Style& look, int x1, int y1, int x2, int y2)
{
    if (look.LinesIncludeEnd)
        painter.drawLine(x1, y1, x2, y2);
    else
        PageLine(painter, x1, y1, x2, y2);
}

void styleBorder(QPainter& painter, const MonthPainter::Style& look, const TRect& r, TCalBorderStyle style)
{
    if (!look.LinesIncludeEnd) {
        DrawPageBorder(painter, r, style);
        return;
    }
    switch (style) {
    case cbNone:
        break;
    case cbAll:
        painter.drawLine(r.Left, r.Top, r.Right, r.Top);
        painter.drawLine(r.Right, r.Top, r.Right, r.Bottom);
        painter.drawLine(r.Right, r.Bottom, r.Left, r.Bottom);
        painter.drawLine(r.Left, r.Bottom, r.Left, r.Top);
        break;
    case cbTop:
        painter.drawLine(r.Left, r.Top, r.Right, r.Top);
        break;
    case cbBottom:
        painter.drawLine(r.Left, r.Bottom, r.Right, r.Bottom);
        break;
    case cbTopBottom:
        painter.drawLine(r.Left, r.Top, r.Right, r.Top);
        painter.drawLine(r.Left, r.Bottom, r.Right, r.Bottom);
        break;
    }
}

void styleFill(QPainter& painter, const MonthPainter::Style& look, const TRect& r, TColor color)
{
    if (look.Fills)
        PageFill(painter, r, color);
}

// Texts of one font: stamped as the page lays them out, or through
// QPainter's own text layout.
class MonthText {
public:
    MonthText(const QFont& font, bool plain) : m_stamp(font), m_plain(plain) {}
    int Height() const { return m_stamp.Height(); }
    void Draw(QPainter& painter, const TRect& r, int flags, const QString& text)
    {
        if (!m_plain) {
            m_stamp.Draw(painter, r, flags, text);
            return;
        }
        painter.setFont(m_stamp.Font());
        painter.drawText(r.toQRect(), flags | Qt::TextSingleLine, text);
    }

private:
    TextStamp m_stamp;
    bool m_plain;
};

}  // namespace

QString MonthPainter::TitleText(const Params& p)
{
    if (!p.TitleOverride.isEmpty())
        return p.TitleOverride;
    const QString month = p.Month >= 1 && p.Month <= p.MonthNames.size() ? p.MonthNames.at(p.Month - 1)
                                                                          : QString();
    if (p.ShowYear)
        return month + QLatin1Char(' ') + QString::number(p.Year);
    return month;
}

MonthPainter::Geometry MonthPainter::Layout(const Params& p, const PageMapping& mapping)
{
    Geometry g;
    if (!p.TitleFont || !p.HeadersFont || !p.CellFont)
        return g;

    // 1..2: where day 1 stands and how many days there are; a month that
    // cannot exist lays out an empty grid rather than failing.
    if (p.Month >= 1 && p.Month <= 12) {
        try {
            g.FirstColumn = FirstColumn(p.Year, p.Month, p.StartOfWeek);
            g.Days = DaysInMonth(p.Year, p.Month);
        } catch (const DateError&) {
            g.Days = 0;
        }
    }

    const TRect& R = p.Rect;
    const TRect Q(R.Left, R.Top, R.Right - 1, R.Bottom - 1);
    g.Q = Q;

    // 4: title band
    const Style& look = p.Look;
    const int top = Q.Top + look.TitleTop;
    int height = int(std::trunc(0.17 * double(Q.Bottom - Q.Top)));
    if (height < p.MinTitleHeight)
        height = p.MinTitleHeight;
    const int bottom = top + height;
    g.TitleRect = TRect(Q.Left, top, Q.Right, bottom);

    // 6..7: day-name row
    g.ColumnWidth = (Q.Right - Q.Left) / 7;
    const int rowTop = bottom + look.HeaderGap;
    const int rowBottom =
        rowTop + int(std::trunc(1.5 * double(PageFontPixelHeight(*p.HeadersFont, mapping))));
    g.HeaderRect = TRect(Q.Left, rowTop, Q.Right, rowBottom);

    // 9: the grid
    g.GridTop = rowBottom;
    g.GridBottom = Q.Bottom;
    g.RowHeight = (g.GridBottom - g.GridTop) / 6;

    // 10..11: number boxes and cell records
    const bool upperRight = p.NumberPosition == cnpUpperRight;
    const int nineHeight = upperRight ? TextStamp(PageFont(*p.CellFont, mapping)).Height() : 0;  // of "9"
    const int cw = g.ColumnWidth, rh = g.RowHeight;
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 7; ++c) {
            TRect box(Q.Left + c * cw + 1, g.GridTop + r * rh + 1, Q.Left + c * cw + cw - 1,
                      g.GridTop + r * rh + rh - look.NumberBoxBottomInset);
            if (upperRight) {
                box.Left += 4;
                box.Right -= 5;
            }
            const int n = GridDay(r, c, g.FirstColumn, g.Days);
            TCellRecord& rec = g.Cells[7 * r + c];
            rec.rTotal = box;
            rec.Day = n >= 1 ? n : 0;
            if (upperRight) {
                rec.rFree = box;
                rec.rFree.Top += nineHeight;
            } else {
                rec.rFree = TRect();
            }
        }
    }
    return g;
}

MonthPainter::Result MonthPainter::Paint(QPainter& painter, const Params& p, const PageMapping& mapping)
{
    const Geometry g = Layout(p, mapping);
    if (!p.TitleFont || !p.HeadersFont || !p.CellFont)
        return g;
    const TRect& Q = g.Q;
    const Style& look = p.Look;

    ResetPagePen(painter);
    // 3: background
    styleFill(painter, look, p.Rect, p.PageColor);
    styleFill(painter, look, Q, p.PageColor);

    // 4..5: title band
    styleFill(painter, look,
              TRect(Q.Left, g.TitleRect.Top, Q.Right + look.TitleFillExtraRight,
                    g.TitleRect.Bottom + look.TitleFillExtraBottom),
              p.TitleColor);
    MonthText title(PageFont(*p.TitleFont, mapping), look.PlainText);
    painter.setPen(ToQColor(p.TitleFont->Color));
    title.Draw(painter, g.TitleRect, Qt::AlignCenter, TitleText(p));

    // 6..8: day-name row (and the day-number area's own fill)
    const int cw = g.ColumnWidth;
    const TRect& row = g.HeaderRect;
    styleFill(painter, look, TRect(Q.Left, row.Top, Q.Right, row.Bottom + 1), p.HeadersColor);
    if (look.BodyFill)
        styleFill(painter, look, TRect(Q.Left, row.Bottom, p.Rect.Right, p.Rect.Bottom), look.BodyColor);
    ResetPagePen(painter);
    styleBorder(painter, look, row, p.HeadersBorder);
    MonthText headers(PageFont(*p.HeadersFont, mapping), look.PlainText);
    painter.setPen(ToQColor(p.HeadersFont->Color));
    for (int k = 0; k < 7; ++k) {
        const int weekday = HeaderWeekday(k, p.StartOfWeek);
        const QString name = weekday >= 1 && weekday <= p.DayNames.size() ? p.DayNames.at(weekday - 1)
                                                                           : QString();
        const TRect box(Q.Left + k * cw + 1, row.Top, Q.Left + k * cw + cw - 1, row.Bottom);
        headers.Draw(painter, box, Qt::AlignCenter, HeaderText(name, p.HeadersStyle));
    }

    // 9: grid lines
    ResetPagePen(painter);
    auto rowY = [&](int i) { return i == 6 ? g.GridBottom : g.GridTop + i * g.RowHeight; };
    int firstLine = 0, lastLine = -1;
    switch (p.CellBorder) {
    case cbNone:
        break;
    case cbAll:
    case cbTopBottom:
        firstLine = 0;
        lastLine = 6;
        break;
    case cbTop:
        firstLine = 0;
        lastLine = 5;
        break;
    case cbBottom:
        firstLine = 1;
        lastLine = 6;
        break;
    }
    for (int i = firstLine; i <= lastLine; ++i)
        styleLine(painter, look, Q.Left, rowY(i), Q.Right, rowY(i));
    if (p.CellBorder == cbAll) {
        for (int k = 0; k <= 7; ++k) {
            const int x = k == 7 ? Q.Right : Q.Left + k * cw;
            styleLine(painter, look, x, g.GridTop, x, g.GridBottom);
        }
    }

    // 10: numbers
    MonthText cells(PageFont(*p.CellFont, mapping), look.PlainText);
    painter.setPen(ToQColor(p.CellFont->Color));
    static const QStringList numbers = [] {
        QStringList l;
        for (int i = 0; i <= 31; ++i)
            l << QString::number(i);
        return l;
    }();
    const int flags = p.NumberPosition == cnpUpperRight ? int(Qt::AlignRight | Qt::AlignTop) : int(Qt::AlignCenter);
    for (const TCellRecord& rec : g.Cells)
        if (rec.Day >= 1)
            cells.Draw(painter, rec.rTotal, flags, numbers.at(rec.Day));

    // 12: outer border
    ResetPagePen(painter);
    styleBorder(painter, look, Q, p.OuterBorder);
    return g;
}

}  // namespace dayloom
