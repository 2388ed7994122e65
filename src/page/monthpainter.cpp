#include "page/monthpainter.h"

#include <cmath>

#include <QPainter>

#include "dates/calendardates.h"
#include "page/paintutil.h"
#include "page/textstamp.h"

namespace dayloom {

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

MonthPainter::Result MonthPainter::Paint(QPainter& painter, const Params& p, const PageMapping& mapping)
{
    Result out;
    if (!p.TitleFont || !p.HeadersFont || !p.CellFont)
        return out;

    // 1..2: where day 1 stands and how many days there are; a month that
    // cannot exist paints an empty grid rather than failing the paint.
    int f = 1;
    int days = 0;
    if (p.Month >= 1 && p.Month <= 12) {
        try {
            f = FirstColumn(p.Year, p.Month, p.StartOfWeek);
            days = DaysInMonth(p.Year, p.Month);
        } catch (const DateError&) {
            days = 0;
        }
    }

    ResetPagePen(painter);
    // 3: background
    const TRect& R = p.Rect;
    PageFill(painter, R, p.PageColor);
    const TRect Q(R.Left, R.Top, R.Right - 1, R.Bottom - 1);
    PageFill(painter, Q, p.PageColor);

    // 4..5: title band
    const int top = Q.Top + 1;
    int height = int(std::trunc(0.17 * double(Q.Bottom - Q.Top)));
    if (height < p.MinTitleHeight)
        height = p.MinTitleHeight;
    const int bottom = top + height;
    out.TitleRect = TRect(Q.Left, top, Q.Right, bottom);
    PageFill(painter, TRect(Q.Left, top, Q.Right, bottom + 1), p.TitleColor);
    TextStamp titleStamp(PageFont(*p.TitleFont, mapping));
    painter.setPen(ToQColor(p.TitleFont->Color));
    titleStamp.Draw(painter, out.TitleRect, Qt::AlignCenter, TitleText(p));

    // 6..8: day-name row
    const int cw = (Q.Right - Q.Left) / 7;
    const int rowTop = bottom + 1;
    const int rowBottom =
        rowTop + int(std::trunc(1.5 * double(PageFontPixelHeight(*p.HeadersFont, mapping))));
    out.HeaderRect = TRect(Q.Left, rowTop, Q.Right, rowBottom);
    PageFill(painter, TRect(Q.Left, rowTop, Q.Right, rowBottom + 1), p.HeadersColor);
    ResetPagePen(painter);
    DrawPageBorder(painter, out.HeaderRect, p.HeadersBorder);
    TextStamp headersStamp(PageFont(*p.HeadersFont, mapping));
    painter.setPen(ToQColor(p.HeadersFont->Color));
    for (int k = 0; k < 7; ++k) {
        const int weekday = HeaderWeekday(k, p.StartOfWeek);
        const QString name = weekday >= 1 && weekday <= p.DayNames.size() ? p.DayNames.at(weekday - 1)
                                                                           : QString();
        const TRect box(Q.Left + k * cw + 1, rowTop, Q.Left + k * cw + cw - 1, rowBottom);
        headersStamp.Draw(painter, box, Qt::AlignCenter, HeaderText(name, p.HeadersStyle));
    }

    // 9: grid lines
    ResetPagePen(painter);
    const int gridTop = rowBottom;
    const int gridBottom = Q.Bottom;
    const int rh = (gridBottom - gridTop) / 6;
    auto rowY = [&](int i) { return i == 6 ? gridBottom : gridTop + i * rh; };
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
        PageLine(painter, Q.Left, rowY(i), Q.Right, rowY(i));
    if (p.CellBorder == cbAll) {
        for (int k = 0; k <= 7; ++k) {
            const int x = k == 7 ? Q.Right : Q.Left + k * cw;
            PageLine(painter, x, gridTop, x, gridBottom);
        }
    }

    // 10..11: numbers and cell records
    TextStamp cellStamp(PageFont(*p.CellFont, mapping));
    painter.setPen(ToQColor(p.CellFont->Color));
    const bool upperRight = p.NumberPosition == cnpUpperRight;
    const int nineHeight = upperRight ? cellStamp.Height() : 0;  // the height of "9"
    static const QStringList numbers = [] {
        QStringList l;
        for (int i = 0; i <= 31; ++i)
            l << QString::number(i);
        return l;
    }();
    const int flags = upperRight ? int(Qt::AlignRight | Qt::AlignTop) : int(Qt::AlignCenter);
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 7; ++c) {
            TRect box(Q.Left + c * cw + 1, gridTop + r * rh + 1, Q.Left + c * cw + cw - 1,
                      gridTop + r * rh + rh - 1);
            if (upperRight) {
                box.Left += 4;
                box.Right -= 5;
            }
            const int n = GridDay(r, c, f, days);
            if (n >= 1)
                cellStamp.Draw(painter, box, flags, numbers.at(n));
            TCellRecord& rec = out.Cells[7 * r + c];
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

    // 12: outer border
    ResetPagePen(painter);
    DrawPageBorder(painter, Q, p.OuterBorder);
    return out;
}

}  // namespace dayloom
