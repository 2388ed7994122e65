#pragma once

#include <array>

#include <QString>
#include <QStringList>

#include "core/tcolor.h"
#include "core/tfont.h"
#include "core/pagemapping.h"
#include "core/trect.h"
#include "paint/monthtypes.h"

class QPainter;

namespace dayloom {

// Paints one month calendar (title band, day-name row, six rows of seven
// cells, numbers, lines) into a rectangle of device pixels. The page's main
// calendar, every mini and the floating calendar object use it with
// different parameter sets.
class MonthPainter {
public:
    // Where the month's own rules differ from the page's: the floating
    // calendar's title starts at the top of its rectangle, its day-name band
    // right below the title, its number boxes reach the next row, its lines
    // and title fill include their last pixel, its day-number area has a
    // fill of its own, its texts are laid out by QPainter, and when it is
    // transparent it fills nothing.
    struct Style {
        int TitleTop = 1;                // the title band starts this far below the top
        int HeaderGap = 1;               // the day-name row starts this far below the title
        int TitleFillExtraRight = 0;     // the title fill reaches this far past the right edge
        int TitleFillExtraBottom = 1;    // and this far past the band's bottom
        int NumberBoxBottomInset = 1;    // number boxes end this far above the next row
        bool LinesIncludeEnd = false;    // lines draw their end pixel too
        bool Fills = true;               // false: no background, title, day-name or body fills
        bool BodyFill = false;           // the day-number area gets BodyColor
        TColor BodyColor = clWhite;
        bool PlainText = false;          // texts through QPainter::drawText (centred in their box)

        // The floating calendar's rules.
        static Style Floating(bool transparent, TColor bodyColor);
    };

    struct Params {
        TColor PageColor = clWhite;
        TColor TitleColor = clWhite;
        int MinTitleHeight = 0;  // device pixels
        int Month = 1;
        int Year = 1997;
        TRect Rect;  // device pixels
        TCalendarNumberPosition NumberPosition = cnpUpperRight;
        int StartOfWeek = 1;
        TCalBorderStyle OuterBorder = cbAll;
        const TFontData* TitleFont = nullptr;
        bool ShowYear = true;
        const TFontData* HeadersFont = nullptr;
        TCalBorderStyle HeadersBorder = cbAll;
        TCalHeadersStyle HeadersStyle = dsThreeChars;
        TColor HeadersColor = clWhite;
        const TFontData* CellFont = nullptr;
        TCalBorderStyle CellBorder = cbAll;
        QStringList MonthNames;  // 12, January first
        QStringList DayNames;    // 7, Sunday first
        QString TitleOverride;
        Style Look;
    };

    struct Result {
        TRect TitleRect;
        TRect HeaderRect;
        std::array<TCellRecord, 42> Cells{};
    };

    // Every rectangle of the month, without painting: the title band, the
    // day-name row and the 42 cell records, and what the painting needs
    // besides. Fonts come through the mapping; rectangles are already mapped.
    struct Geometry : Result {
        TRect Q;              // the rectangle less its last column and row
        int ColumnWidth = 0;
        int GridTop = 0;      // the grid below the day-name row
        int GridBottom = 0;
        int RowHeight = 0;
        int FirstColumn = 1;  // where day 1 stands (1..7)
        int Days = 0;         // days in the month (0 for a month that cannot be shown)
    };
    static Geometry Layout(const Params& params, const PageMapping& mapping);

    // Paints and returns the title and day-name rectangles and the cell
    // records (those of Layout).
    static Result Paint(QPainter& painter, const Params& params, const PageMapping& mapping);
    // The title text: the override, else month and (with showYear) year.
    static QString TitleText(const Params& params);
};

}  // namespace dayloom
