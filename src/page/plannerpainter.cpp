#include "page/plannerpainter.h"

#include <cmath>

#include <QPainter>

#include "dates/calendardates.h"
#include "paint/paintutil.h"
#include "paint/textstamp.h"

namespace dayloom {

namespace {

QString listAt(const QStringList& list, int oneBased)
{
    return oneBased >= 1 && oneBased <= list.size() ? list.at(oneBased - 1) : QString();
}

}  // namespace

void PlannerPainter::StartDate(const Params& p, int& year, int& month, int& day)
{
    year = p.Year;
    month = p.Month >= 1 && p.Month <= 12 ? p.Month : 1;
    int days = 31;
    try {
        days = DaysInMonth(year, month);
    } catch (const DateError&) {
    }
    day = qBound(1, p.Day, days);
}

QString PlannerPainter::HourLabel(const QTime& time)
{
    const int h = time.hour();
    const int h12 = h % 12 == 0 ? 12 : h % 12;
    return QString::number(h12) + QLatin1Char(':') + QStringLiteral("%1").arg(time.minute(), 2, 10, QLatin1Char('0')) +
           (h < 12 ? QStringLiteral(" am") : QStringLiteral(" pm"));
}

QString PlannerPainter::TitleText(const Params& p)
{
    int y, m, d;
    StartDate(p, y, m, d);
    const QString sp = QStringLiteral(" ");
    if (p.DayPlanner) {
        int wd = 1;
        try {
            wd = WeekdayOf(y, m, d);
        } catch (const DateError&) {
        }
        return listAt(p.DayNames, wd) + QStringLiteral(", ") + listAt(p.MonthNames, m) + sp +
               QString::number(d) + QStringLiteral(", ") + QString::number(y);
    }
    const CalendarDate first{y, m, d};
    const CalendarDate last = AddDays(first, qMax(1, p.Rows) - 1);
    if (first.Year == last.Year && first.Month == last.Month)
        return listAt(p.MonthNames, m) + sp + QString::number(d) + QStringLiteral("-") +
               QString::number(last.Day) + QStringLiteral(", ") + QString::number(y);
    if (first.Year == last.Year)
        return listAt(p.MonthNames, m) + sp + QString::number(d) + QStringLiteral(" - ") +
               listAt(p.MonthNames, last.Month) + sp + QString::number(last.Day) +
               QStringLiteral(", ") + QString::number(y);
    return listAt(p.MonthNames, m) + sp + QString::number(d) + QStringLiteral(", ") +
           QString::number(y) + QStringLiteral(" - ") + listAt(p.MonthNames, last.Month) + sp +
           QString::number(last.Day) + QStringLiteral(", ") + QString::number(last.Year);
}

void PlannerPainter::RowTexts(const Params& p, int row, QString& label, QString& second)
{
    second.clear();
    if (row >= p.Rows) {
        label = QStringLiteral("Notes");
        return;
    }
    if (p.DayPlanner) {
        label = HourLabel(p.StartTime.addSecs(3600 * row));
        return;
    }
    int y, m, d;
    StartDate(p, y, m, d);
    const CalendarDate date = AddDays(CalendarDate{y, m, d}, row);
    int wd = 1;
    try {
        wd = WeekdayOf(date.Year, date.Month, date.Day);
    } catch (const DateError&) {
    }
    label = HeaderText(listAt(p.DayNames, wd), p.HeadersStyle);
    second = QString::number(date.Day) + QLatin1Char(' ') + listAt(p.MonthNames, date.Month).left(3);
}

PlannerPainter::Geometry PlannerPainter::Layout(const Params& p, const PageMapping& mapping)
{
    Geometry g;
    if (!p.TitleFont || !p.HeadersFont)
        return g;
    const TRect& R = p.Rect;
    const TRect Q(R.Left, R.Top, R.Right - 1, R.Bottom - 1);
    g.Q = Q;
    // the title: the height of "Weekly Planner" in the title font
    const int titleHeight = TextStamp(PageFont(*p.TitleFont, mapping)).Height();
    g.TitleRect = TRect(Q.Left + 5, Q.Top + 1, Q.Right - 5, Q.Top + 1 + titleHeight);
    const TRect T(Q.Left, g.TitleRect.Bottom + 1, Q.Right, Q.Bottom);
    g.Table = T;
    const int rows = qBound(1, p.Rows, 41) + 1;
    g.RowCount = rows;
    g.RowHeight = T.Height() / rows;
    g.LabelColumn = TRect(T.Left + 1, T.Top + 1, T.Left + int(std::trunc(0.15 * double(T.Width()))), T.Bottom - 1);
    const int rh = g.RowHeight;
    for (int i = 0; i < rows; ++i) {
        QString first, second;
        RowTexts(p, i, first, second);
        TCellRecord& rec = g.Cells[i];
        const int bottom = i == rows - 1 ? T.Bottom - 4 : T.Top + (i + 1) * rh - 4;
        rec.rTotal = TRect(g.LabelColumn.Right + 4, T.Top + i * rh + 4, T.Right - 4, bottom);
        rec.rFree = rec.rTotal;
        bool ok = false;
        const int day = second.left(2).trimmed().toInt(&ok);
        rec.Day = ok ? day : 0;
    }
    return g;
}

PlannerPainter::Result PlannerPainter::Paint(QPainter& painter, const Params& p, const PageMapping& mapping)
{
    const Geometry g = Layout(p, mapping);
    if (!p.TitleFont || !p.HeadersFont)
        return g;
    ResetPagePen(painter);
    PageFill(painter, p.Rect, p.PageColor);
    PageFill(painter, g.Q, p.PageColor);

    // title
    TextStamp titleStamp(PageFont(*p.TitleFont, mapping));
    painter.setPen(ToQColor(p.TitleFont->Color));
    titleStamp.Draw(painter, g.TitleRect, Qt::AlignCenter,
                    p.TitleOverride.isEmpty() ? TitleText(p) : p.TitleOverride);

    // table: an outlined rectangle with a white inside (outline on its
    // first and last pixel rows and columns)
    const TRect& T = g.Table;
    ResetPagePen(painter);
    PageFill(painter, T, clWhite);
    if (T.Right > T.Left && T.Bottom > T.Top)
        painter.drawRect(QRect(T.Left, T.Top, T.Width() - 1, T.Height() - 1));

    const int rows = g.RowCount;
    const int rh = g.RowHeight;
    const TRect& label = g.LabelColumn;
    PageFill(painter, label, p.HeadersColor);

    TextStamp headersStamp(PageFont(*p.HeadersFont, mapping));
    painter.setPen(ToQColor(p.HeadersFont->Color));
    const int half = rh / 2;
    for (int i = 0; i < rows; ++i) {
        QString first, second;
        RowTexts(p, i, first, second);
        const int rowTop = T.Top + i * rh;
        headersStamp.Draw(painter, TRect(label.Left, rowTop, label.Right, rowTop + half),
                          Qt::AlignBottom | Qt::AlignHCenter, first);
        headersStamp.Draw(painter, TRect(label.Left, rowTop + half, label.Right, rowTop + 2 * half),
                          Qt::AlignCenter, second);
    }

    ResetPagePen(painter);
    PageLine(painter, label.Right, T.Top, label.Right, T.Bottom);
    for (int i = 1; i < rows; ++i)
        PageLine(painter, T.Left, T.Top + i * rh, T.Right, T.Top + i * rh);
    return g;
}

}  // namespace dayloom
