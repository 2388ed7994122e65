// Geometry of every layout: page size, margin rectangle, main rectangle and
// the minis with their months, on both papers and orientations, with and
// without the border-picture inset.
#include <gtest/gtest.h>

#include "page/pagelayout.h"
#include "pagetestutil.h"

using namespace dayloom;
using dayloom::test::In;

namespace {

struct Expected {
    TRect main;
    bool mainShown = false, minisShown = false, plannerShown = false;
    std::vector<TRect> minis;
    std::vector<std::pair<int, int>> months;  // month, year
};

// The mini grid written out cell by cell: equal sizes with 1 % gaps, the last
// column flush with the band's right edge and the last row with its bottom.
void grid(std::vector<TRect>& out, TRect band, int rows, int cols)
{
    const int bw = band.Right - band.Left, bh = band.Bottom - band.Top;
    const int gv = bh / 100, gh = bw / 100;  // trunc(0.01 x) for x >= 0
    const int mh = (bh - gv * (rows - 1)) / rows, mw = (bw - gh * (cols - 1)) / cols;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const int l = c == cols - 1 ? band.Right - mw : band.Left + c * (mw + gh);
            const int t = r == rows - 1 ? band.Bottom - mh : band.Top + r * (mh + gv);
            out.push_back(TRect(l, t, l + mw, t + mh));
        }
}

std::pair<int, int> shift(int month, int year, int delta)
{
    int total = year * 12 + month - 1 + delta;
    return {total % 12 + 1, total / 12};
}

Expected expect(int layout, int W, int H, double m, int month, int year)
{
    Expected e;
    const bool ls = layout <= 17 && layout % 2 == 1;
    const TRect D(In(m) + 2, In(m) + 2, W - In(m) - 2, H - In(m) - 2);
    auto months = [&](int from, int to) {
        for (int d = from; d <= to; ++d)
            e.months.push_back(shift(month, year, d));
    };
    switch (layout / 2) {
    case 0:
        e.mainShown = true;
        e.main = D;
        break;
    case 1:
        e.mainShown = e.minisShown = true;
        e.main = D;
        e.minis = {TRect(D.Left + 12, D.Top + 12, D.Left + 132, D.Top + 132),
                   TRect(D.Right - 132, D.Top + 12, D.Right - 12, D.Top + 132)};
        e.months = {shift(month, year, -1), shift(month, year, 1)};
        break;
    case 2:
        e.mainShown = e.minisShown = true;
        if (!ls) {
            e.main = TRect(D.Left, In(m + 1.3) + 2, D.Right, H - In(m + 1.3) - 2);
            grid(e.minis, TRect(D.Left, D.Top, D.Right, In(m + 1.3) - 2), 1, 6);
            grid(e.minis, TRect(D.Left, H - In(m + 1.3) + 2, D.Right, D.Bottom), 1, 6);
        } else {
            e.main = TRect(In(m + 1.3) + 4, D.Top, W - In(m + 1.3) - 4, D.Bottom);
            grid(e.minis, TRect(D.Left, D.Top, In(m + 1.3), D.Bottom), 6, 1);
            grid(e.minis, TRect(W - In(m + 1.3) + 2, D.Top, D.Right, D.Bottom), 6, 1);
        }
        months(-6, -1);
        months(1, 6);
        break;
    case 3:
        e.mainShown = e.minisShown = true;
        if (!ls) {
            e.main = TRect(D.Left, D.Top, D.Right, H - In(m + 2.9) - 2);
            grid(e.minis, TRect(D.Left, H - In(m + 2.8) + 2, D.Right, H - In(m) - 4), 2, 6);
        } else {
            e.main = TRect(D.Left, D.Top, W - In(m + 2.9) + 8, D.Bottom);
            grid(e.minis, TRect(W - In(m + 2.8) + 2, D.Top, W - In(m) - 4, D.Bottom), 6, 2);
        }
        months(1, 12);
        break;
    default:
        if (layout >= 18) {
            e.plannerShown = true;
            e.main = D;
            break;
        }
        {
            const int counts[] = {6, 12, 24, 48, 60};
            const int prow[] = {3, 4, 6, 8, 10};
            const int pcol[] = {2, 3, 4, 6, 6};
            const int i = layout / 2 - 4;
            e.minisShown = true;
            grid(e.minis, D, ls ? pcol[i] : prow[i], ls ? prow[i] : pcol[i]);
            months(0, counts[i] - 1);
        }
    }
    return e;
}

}  // namespace

TEST(PageLayout, EveryLayoutOnBothPapersAndOrientationsMatchesTheFormulas)
{
    for (int paper : {0, 1})
        for (bool inset : {false, true})
            for (int layout = 0; layout < CalendarLayoutCount; ++layout) {
                SCOPED_TRACE(testing::Message() << "paper " << paper << " layout " << layout
                                                << " inset " << inset);
                PageLayout::Input in;
                in.Layout = TCalendarLayout(layout);
                in.PaperSize = paper;
                in.LeftMargin = in.TopMargin = in.RightMargin = in.BottomMargin = 0.5f;
                in.BorderInset = inset;
                in.Month = 11;  // minis wrap both ways across the year
                in.Year = 1997;
                const PageLayout out = PageLayout::Compute(in);

                const bool ls = layout <= 17 && layout % 2 == 1;
                EXPECT_EQ(out.Orientation, ls ? coLandscape : coPortrait);
                const int pw = paper ? 793 : 816, ph = paper ? 1122 : 1056;
                const int W = ls ? ph : pw, H = ls ? pw : ph;
                EXPECT_EQ(out.PageWidthPx, W);
                EXPECT_EQ(out.PageHeightPx, H);
                // the margin rectangle never includes the inset
                EXPECT_EQ(out.MarginRect, TRect(48, 48, W - 48, H - 48));

                const Expected e = expect(layout, W, H, 0.5 + (inset ? 0.47 : 0.0), 11, 1997);
                EXPECT_EQ(out.MainShown, e.mainShown);
                EXPECT_EQ(out.MinisShown, e.minisShown);
                EXPECT_EQ(out.PlannerShown, e.plannerShown);
                if (e.mainShown || e.plannerShown) {
                    EXPECT_EQ(out.MainRect, e.main);
                }
                ASSERT_EQ(out.Minis.size(), qsizetype(e.minis.size()));
                for (size_t i = 0; i < e.minis.size(); ++i) {
                    SCOPED_TRACE(testing::Message() << "mini " << i + 1);
                    EXPECT_EQ(out.Minis[i].Rect, e.minis[i]);
                    EXPECT_EQ(out.Minis[i].Month, e.months[i].first);
                    EXPECT_EQ(out.Minis[i].Year, e.months[i].second);
                }
            }
}

TEST(PageLayout, HandCheckedValues)
{
    PageLayout::Input in;  // Letter, margins 0.25
    in.Layout = loFullCalendar;
    PageLayout out = PageLayout::Compute(in);
    EXPECT_EQ(out.MainRect, TRect(26, 26, 790, 1030));
    EXPECT_EQ(out.MarginRect, TRect(24, 24, 792, 1032));

    in.Layout = loFCMinisInTitleLS;
    in.Month = 1;
    out = PageLayout::Compute(in);
    EXPECT_EQ(out.PageWidthPx, 1056);
    EXPECT_EQ(out.Minis[0].Rect, TRect(38, 38, 158, 158));
    EXPECT_EQ(out.Minis[1].Rect, TRect(898, 38, 1018, 158));
    EXPECT_EQ(out.Minis[0].Month, 12);  // January's previous month...
    EXPECT_EQ(out.Minis[0].Year, 1996);  // ...is in the previous year

    in.Layout = loMC12Month;
    out = PageLayout::Compute(in);
    EXPECT_EQ(out.Minis[0].Rect, TRect(26, 26, 276, 269));
    EXPECT_EQ(out.Minis[1].Rect, TRect(283, 26, 533, 269));
    EXPECT_EQ(out.Minis[2].Rect, TRect(540, 26, 790, 269));   // last column flush right
    EXPECT_EQ(out.Minis[3].Rect, TRect(26, 279, 276, 522));
    EXPECT_EQ(out.Minis[9].Rect, TRect(26, 787, 276, 1030));  // last row flush bottom

    in.BorderInset = true;  // 0.25 + 0.47 in = 69 px
    in.Layout = loFullCalendar;
    out = PageLayout::Compute(in);
    EXPECT_EQ(out.MainRect, TRect(71, 71, 745, 985));
    EXPECT_EQ(out.MarginRect, TRect(24, 24, 792, 1032));

    in.BorderInset = false;
    in.PaperSize = PaperA4;
    in.Layout = loDay15;
    out = PageLayout::Compute(in);
    EXPECT_EQ(out.Orientation, coPortrait);
    EXPECT_EQ(out.PageWidthPx, 793);
    EXPECT_EQ(out.PageHeightPx, 1122);
}

TEST(PageLayout, MiniFontSizesPerLayout)
{
    const int expected[CalendarLayoutCount] = {0, 0, 10, 10, 10, 10, 10, 10, 18, 18, 18,
                                               18, 12, 12, 10, 10, 8, 8, 0, 0, 0, 0};
    for (int l = 0; l < CalendarLayoutCount; ++l)
        EXPECT_EQ(PageLayout::MiniFontSize(TCalendarLayout(l)), expected[l]) << l;
}
