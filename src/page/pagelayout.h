#pragma once

#include <QVector>

#include "core/trect.h"
#include "page/calendartypes.h"

namespace dayloom {

// The layout step's arithmetic: page size, margin rectangle, main rectangle
// and mini calendars of a page, in page pixels. Every inch value becomes
// trunc(PPI * inches).
class PageLayout {
public:
    struct Input {
        TCalendarLayout Layout = loFullCalendar;
        int PaperSize = 0;  // 0 Letter, 1 A4
        float LeftMargin = 0.25f;
        float TopMargin = 0.25f;
        float RightMargin = 0.25f;
        float BottomMargin = 0.25f;
        bool BorderInset = false;  // a border picture is set
        int Month = 1;
        int Year = 1997;
        int PPI = 96;
    };

    // The extra margin a border picture takes on every side.
    static constexpr double BorderInsetInch = 0.47;

    static PageLayout Compute(const Input& input);
    // Mini title font size the layout applies on a font reset, 0 = unchanged.
    static int MiniFontSize(TCalendarLayout layout);
    // Page size in page pixels for paper and orientation.
    static void PageSize(int paperSize, TCalendarOrientation orientation, int ppi, int& width,
                         int& height);
    // Places minis first..last (1-based, into minis) as rows x columns in band.
    static void PlaceMinis(QVector<TMiniCalendar>& minis, const TRect& band, int rows, int columns,
                           int first, int last);

    TCalendarOrientation Orientation = coPortrait;
    int PPI = 96;  // page pixels per inch the layout was made with
    int PageWidthPx = 0;
    int PageHeightPx = 0;
    TRect MarginRect;
    TRect DefaultRect;
    TRect MainRect;
    QVector<TMiniCalendar> Minis;  // index 0 is mini number 1
    bool MainShown = false;
    bool MinisShown = false;
    bool PlannerShown = false;
};

}  // namespace dayloom
