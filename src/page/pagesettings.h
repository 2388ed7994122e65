#pragma once

#include <QString>
#include <QStringList>
#include <QTime>

#include "core/tcolor.h"
#include "core/tfont.h"
#include "page/calendartypes.h"

namespace dayloom {

// Every setting of a calendar page, as a value: what a document and a style
// sheet store, what the properties dialog edits and compares. The values a
// member starts with are the page's construction values (the fonts and names
// are filled in by Constructed()).
struct PageSettings {
    TCalendarLayout CalendarLayout = loFullCalendar;
    // Follows the layout at every layout step.
    TCalendarOrientation CalendarOrientation = coPortrait;
    TCalendarLineLayout CalendarLineLayout = llFull;
    TMiniCalendarLineLayout MiniCalendarLineLayout = mllFull;

    TFontData TitleFont;
    TColor TitleBGColor = clWhite;
    bool TitleShowYear = true;

    TFontData HeadersFont;
    TCalBorderStyle HeadersBorder = cbAll;
    TCalHeadersStyle HeadersStyle = dsThreeChars;
    TColor HeadersBGColor = clWhite;

    TFontData CellFont;
    TCalBorderStyle CellBorder = cbAll;
    TCalendarNumberPosition NumberPosition = cnpUpperRight;
    TCalBorderStyle CalendarBorder = cbAll;

    // 1 = weeks start on Sunday; any other value = Monday.
    int StartOfWeek = 1;
    int MainCalDay = 0;
    int MainCalMonth = 1;
    int MainCalYear = 1997;

    TFontData MiniTitleFont;
    TFontData MiniHeadersFont;
    TFontData MiniCellFont;
    TColor MiniHeadersBGColor = clWhite;
    TCalHeadersStyle MiniHeadersStyle = dsFirstChar;
    TColor MiniCalBGColor = clWhite;
    TCalBorderStyle MiniCalBorder = cbAll;
    TCalBorderStyle MiniHeadersBorder = cbBottom;
    TCalBorderStyle MiniCellBorder = cbNone;
    bool MiniShowYear = true;

    float LeftMarginInch = 0.25f;
    float TopMarginInch = 0.25f;
    float RightMarginInch = 0.25f;
    float BottomMarginInch = 0.25f;

    QString UserTitle;
    // Name (no folder, no extension) of the decorative border picture.
    QString WMFBorderFile;
    // 0 = Letter (8.5 x 11 in), 1 = A4 (8.27 x 11.69 in).
    int PaperSize = PaperLetter;
    QTime PlannerStartTime = QTime(8, 0);
    QStringList MonthNames;  // 12, January first
    QStringList DayNames;    // 7, Sunday first

    // The construction values: Times New Roman fonts (title 26 pt, headers
    // and cells 16 pt bold, minis 6 / 8 / 6 pt with white mini day names)
    // and the locale's month and day names.
    static PageSettings Constructed();
};

// The locale's long month names (12) and day names (7, Sunday first).
QStringList LocaleMonthNames();
QStringList LocaleDayNames();

// The three main borders of a line layout, and the three mini borders of a
// mini line layout.
void ApplyLineLayout(PageSettings& s, TCalendarLineLayout layout);
void ApplyMiniLineLayout(PageSettings& s, TMiniCalendarLineLayout layout);

// The reset's values, set directly: Letter paper, no user title, the layout
// with two minis in the title (landscape), weeks from Sunday, the locale's
// names, today's date, white fills, black mini day names, first characters
// in the minis, both years shown, 0.5 in margins and 8:00. The fonts (but
// the mini day names' colour), the headers style, the number position and
// the borders stay; the line layouts, the border file and the layout step
// are the page's business (through its setters).
void ResetSettings(PageSettings& s, int todayYear, int todayMonth, int todayDay);

// What the properties dialog carries between the page and its preview:
// paper, layout and orientation, start of week, names, main date, the
// title, headers and cell fonts with the title and headers fills, headers
// style, mini fill, mini fonts, mini headers fill and style, both year
// flags, margins and the planner time. Not the number position, not the
// borders (they come through the line layouts), not the line layouts, user
// title and border file (the page sets those through its setters).
void CopySettings(PageSettings& to, const PageSettings& from);

// Whether the properties dialog changed anything: paper, layout, start of
// week, orientation, names, main date, fonts (by name, style and colour;
// sizes are not compared) with their fills, headers and mini headers style,
// year flags, margins, planner time, both line layouts, user title and
// border file.
bool SameSettings(const PageSettings& a, const PageSettings& b);

}  // namespace dayloom
