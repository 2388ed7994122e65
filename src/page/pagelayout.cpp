#include "page/pagelayout.h"

#include <algorithm>
#include <cmath>

#include "dates/calendardates.h"

namespace dayloom {

namespace {

struct Px {
    int ppi;
    int operator()(double inches) const
    {
        const double v = std::trunc(double(ppi) * inches);
        // bounded so that no input can overflow the integer geometry
        return std::isfinite(v) ? int(std::clamp(v, -1.0e6, 1.0e6)) : 0;
    }
};

}  // namespace

int PageLayout::MiniFontSize(TCalendarLayout layout)
{
    switch (layout) {
    case loFCMinisInTitle:
    case loFCMinisInTitleLS:
    case loFC6Before6After:
    case loFC6Before6AfterLS:
    case loFC12After:
    case loFC12AfterLS:
    case loMC48Month:
    case loMC48MonthLS:
        return 10;
    case lopMC6Month:
    case lopMC6MonthLS:
    case loMC12Month:
    case loMC12MonthLS:
        return 18;
    case loMC24Month:
    case loMC24MonthLS:
        return 12;
    case loMC60Month:
    case loMC60MonthLS:
        return 8;
    default:
        return 0;
    }
}

void PageLayout::PageSize(int paperSize, TCalendarOrientation orientation, int ppi, int& width,
                          int& height)
{
    const double pw = paperSize == 1 ? 8.27 : 8.5;
    const double ph = paperSize == 1 ? 11.69 : 11.0;
    const Px px{ppi};
    if (orientation == coLandscape) {
        width = px(ph);
        height = px(pw);
    } else {
        width = px(pw);
        height = px(ph);
    }
}

void PageLayout::PlaceMinis(QVector<TMiniCalendar>& minis, const TRect& band, int rows, int columns,
                            int first, int last)
{
    if (rows <= 0 || columns <= 0)
        return;
    const int gv = int(std::trunc(0.01 * band.Height()));
    const int gh = int(std::trunc(0.01 * band.Width()));
    const int mh = int(std::trunc(double(band.Height() - gv * (rows - 1)) / rows));
    const int mw = int(std::trunc(double(band.Width() - gh * (columns - 1)) / columns));
    int n = first;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (n > last || n < 1 || n > minis.size())
                return;
            const int left = c == columns - 1 ? band.Right - mw : band.Left + c * (gh + mw);
            const int top = r == rows - 1 ? band.Bottom - mh : band.Top + r * (gv + mh);
            minis[n - 1].Rect = TRect(left, top, left + mw, top + mh);
            ++n;
        }
    }
}

PageLayout PageLayout::Compute(const Input& in)
{
    PageLayout out;
    out.PPI = in.PPI;
    const Px px{in.PPI};
    const double inset = in.BorderInset ? BorderInsetInch : 0.0;
    const double lm = double(in.LeftMargin) + inset;
    const double tm = double(in.TopMargin) + inset;
    const double rm = double(in.RightMargin) + inset;
    const double bm = double(in.BottomMargin) + inset;

    TCalendarLayout layout = in.Layout;
    if (int(layout) < 0 || int(layout) >= CalendarLayoutCount)
        layout = loFullCalendar;
    out.Orientation = OrientationOfLayout(layout);
    PageSize(in.PaperSize, out.Orientation, in.PPI, out.PageWidthPx, out.PageHeightPx);
    const int W = out.PageWidthPx;
    const int H = out.PageHeightPx;
    out.MarginRect = TRect(px(double(in.LeftMargin)), px(double(in.TopMargin)),
                           W - px(double(in.RightMargin)), H - px(double(in.BottomMargin)));
    const TRect D(px(lm) + 2, px(tm) + 2, W - px(rm) - 2, H - px(bm) - 2);
    out.DefaultRect = D;
    const bool landscape = out.Orientation == coLandscape;

    auto makeMinis = [&out](int count) {
        out.Minis = QVector<TMiniCalendar>(count);
        out.MinisShown = true;
    };
    auto setMonth = [&](int index, int delta) {
        int m = in.Month, y = in.Year;
        StepMonth(m, y, delta);
        out.Minis[index - 1].Month = m;
        out.Minis[index - 1].Year = y;
    };

    switch (layout) {
    case loFullCalendar:
    case LOFullCalendarLS:
        out.MainShown = true;
        out.MainRect = D;
        break;
    case loFCMinisInTitle:
    case loFCMinisInTitleLS: {
        out.MainShown = true;
        out.MainRect = D;
        makeMinis(2);
        const int s = int(std::trunc(1.5 * in.PPI));
        const int h = in.PPI / 8;
        const TRect& m = out.MainRect;
        out.Minis[0].Rect = TRect(m.Left + h, m.Top + h, m.Left + s - h, m.Top + s - h);
        out.Minis[1].Rect = TRect(m.Right - s + h, m.Top + h, m.Right - h, m.Top + s - h);
        setMonth(1, -1);
        setMonth(2, 1);
        break;
    }
    case loFC6Before6After:
    case loFC6Before6AfterLS: {
        out.MainShown = true;
        makeMinis(12);
        if (!landscape) {
            out.MainRect = TRect(px(lm) + 2, px(tm + 1.3) + 2, W - px(rm) - 2, H - px(bm + 1.3) - 2);
            PlaceMinis(out.Minis, TRect(px(lm) + 2, px(tm) + 2, W - px(rm) - 2, px(tm + 1.3) - 2), 1, 6,
                       1, 6);
            PlaceMinis(out.Minis,
                       TRect(px(lm) + 2, H - px(bm + 1.3) + 2, W - px(rm) - 2, H - px(bm) - 2), 1, 6,
                       7, 12);
        } else {
            out.MainRect = TRect(px(lm + 1.3) + 4, px(tm) + 2, W - px(rm + 1.3) - 4, H - px(bm) - 2);
            PlaceMinis(out.Minis, TRect(px(lm) + 2, px(tm) + 2, px(lm + 1.3), H - px(bm) - 2), 6, 1, 1,
                       6);
            PlaceMinis(out.Minis,
                       TRect(W - px(rm + 1.3) + 2, px(tm) + 2, W - px(rm) - 2, H - px(bm) - 2), 6, 1,
                       7, 12);
        }
        for (int i = 1; i <= 6; ++i)
            setMonth(i, -(7 - i));
        for (int i = 7; i <= 12; ++i)
            setMonth(i, i - 6);
        break;
    }
    case loFC12After:
    case loFC12AfterLS: {
        out.MainShown = true;
        makeMinis(12);
        if (!landscape) {
            out.MainRect = TRect(px(lm) + 2, px(tm) + 2, W - px(rm) - 2, H - px(bm + 2.9) - 2);
            PlaceMinis(out.Minis,
                       TRect(px(lm) + 2, H - px(bm + 2.8) + 2, W - px(rm) - 2, H - px(bm) - 4), 2, 6,
                       1, 12);
        } else {
            out.MainRect = TRect(px(lm) + 2, px(tm) + 2, W - px(rm + 2.9) + 8, H - px(bm) - 2);
            PlaceMinis(out.Minis,
                       TRect(W - px(rm + 2.8) + 2, px(tm) + 2, W - px(rm) - 4, H - px(bm) - 2), 6, 2,
                       1, 12);
        }
        for (int i = 1; i <= 12; ++i)
            setMonth(i, i);
        break;
    }
    case lopMC6Month:
    case lopMC6MonthLS:
    case loMC12Month:
    case loMC12MonthLS:
    case loMC24Month:
    case loMC24MonthLS:
    case loMC48Month:
    case loMC48MonthLS:
    case loMC60Month:
    case loMC60MonthLS: {
        // rows x columns in portrait; landscape swaps them
        static const int grid[5][3] = {{6, 3, 2}, {12, 4, 3}, {24, 6, 4}, {48, 8, 6}, {60, 10, 6}};
        const int* g = grid[(int(layout) - int(lopMC6Month)) / 2];
        makeMinis(g[0]);
        const int rows = landscape ? g[2] : g[1];
        const int cols = landscape ? g[1] : g[2];
        PlaceMinis(out.Minis, D, rows, cols, 1, g[0]);
        for (int i = 1; i <= g[0]; ++i)
            setMonth(i, i - 1);
        break;
    }
    case loWeek:
    case lo2Week:
    case loDay10:
    case loDay15:
        out.PlannerShown = true;
        out.MainRect = D;
        break;
    }
    return out;
}

}  // namespace dayloom
