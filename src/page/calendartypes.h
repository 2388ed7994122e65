#pragma once

#include <QString>
#include <QStringList>

#include "core/trect.h"
#include "paint/monthtypes.h"

namespace dayloom {

// What the page shows. Values 0..17 come in portrait/landscape pairs (odd =
// landscape); 18..21 are the planners, always portrait. Stored as ordinals.
enum TCalendarLayout : int {
    loFullCalendar = 0,
    LOFullCalendarLS,
    loFCMinisInTitle,
    loFCMinisInTitleLS,
    loFC6Before6After,
    loFC6Before6AfterLS,
    loFC12After,
    loFC12AfterLS,
    lopMC6Month,
    lopMC6MonthLS,
    loMC12Month,
    loMC12MonthLS,
    loMC24Month,
    loMC24MonthLS,
    loMC48Month,
    loMC48MonthLS,
    loMC60Month,
    loMC60MonthLS,
    loWeek,
    lo2Week,
    loDay10,
    loDay15,
};
constexpr int CalendarLayoutCount = 22;

enum TCalendarOrientation : int { coPortrait = 0, coLandscape };
enum TCalendarLineLayout : int { llFull = 0, llHeadersAndCells, llCellsOnly };
enum TMiniCalendarLineLayout : int { mllFull = 0, mllBoxed, mllMinimal };

// Paper sizes as the document stores them.
constexpr int PaperLetter = 0;
constexpr int PaperA4 = 1;

// The 13 layout rows of the properties dialog (trailing blanks kept), and the
// mapping between a row plus orientation and a layout value.
QStringList LayoutDisplayTexts();
int LayoutDisplayRow(TCalendarLayout v);
TCalendarLayout LayoutFromDisplayRow(int row, TCalendarOrientation orientation);

// Odd layouts 1..17 are landscape, everything else portrait.
TCalendarOrientation OrientationOfLayout(TCalendarLayout v);

// One mini calendar of the layout, in page pixels.
struct TMiniCalendar {
    TRect Rect;
    int Month = 1;
    int Year = 1997;
    bool operator==(const TMiniCalendar&) const = default;
};

}  // namespace dayloom
