#include "page/pagesettings.h"

#include "dates/calendardates.h"

namespace dayloom {

namespace {

TFontData timesFont(int points, TFontStyles style, TColor color)
{
    TFontData f;
    f.Name = QStringLiteral("Times New Roman");
    f.Height = TFontData::HeightForSize(points);
    f.Style = style;
    f.Color = color;
    return f;
}

QStringList sized(QStringList names, int count)
{
    while (names.size() < count)
        names.append(QString());
    return names.mid(0, count);
}

}  // namespace

QStringList LocaleMonthNames()
{
    return sized(LocaleLongMonthNames(), 12);
}

QStringList LocaleDayNames()
{
    return sized(LocaleLongDayNames(), 7);
}

PageSettings PageSettings::Constructed()
{
    PageSettings s;
    s.TitleFont = timesFont(26, fsBold, clWindowText);
    s.HeadersFont = timesFont(16, fsBold, clWindowText);
    s.CellFont = timesFont(16, fsBold, clWindowText);
    s.MiniTitleFont = timesFont(6, fsBold, clWindowText);
    s.MiniHeadersFont = timesFont(8, 0, clWhite);
    s.MiniCellFont = timesFont(6, 0, clWindowText);
    s.MonthNames = LocaleMonthNames();
    s.DayNames = LocaleDayNames();
    return s;
}

void ApplyLineLayout(PageSettings& s, TCalendarLineLayout layout)
{
    s.CalendarLineLayout = layout;
    switch (layout) {
    case llFull:
        s.CalendarBorder = cbAll;
        s.HeadersBorder = cbAll;
        s.CellBorder = cbAll;
        break;
    case llHeadersAndCells:
        s.CalendarBorder = cbNone;
        s.HeadersBorder = cbAll;
        s.CellBorder = cbAll;
        break;
    case llCellsOnly:
        s.CalendarBorder = cbNone;
        s.HeadersBorder = cbNone;
        s.CellBorder = cbAll;
        break;
    }
}

void ApplyMiniLineLayout(PageSettings& s, TMiniCalendarLineLayout layout)
{
    s.MiniCalendarLineLayout = layout;
    switch (layout) {
    case mllFull:
        s.MiniCalBorder = cbAll;
        s.MiniCellBorder = cbAll;
        s.MiniHeadersBorder = cbAll;
        break;
    case mllBoxed:
        s.MiniCalBorder = cbAll;
        s.MiniCellBorder = cbNone;
        s.MiniHeadersBorder = cbTopBottom;
        break;
    case mllMinimal:
        s.MiniCalBorder = cbNone;
        s.MiniCellBorder = cbNone;
        s.MiniHeadersBorder = cbTop;
        break;
    }
}

void ResetSettings(PageSettings& s, int todayYear, int todayMonth, int todayDay)
{
    s.PaperSize = PaperLetter;
    s.UserTitle.clear();
    s.CalendarLayout = loFCMinisInTitleLS;
    s.StartOfWeek = 1;
    s.MonthNames = LocaleMonthNames();
    s.DayNames = LocaleDayNames();
    s.MainCalDay = todayDay;
    s.MainCalMonth = todayMonth;
    s.MainCalYear = todayYear;
    s.TitleBGColor = clWhite;
    s.HeadersBGColor = clWhite;
    s.MiniCalBGColor = clWhite;
    s.MiniHeadersFont.Color = clBlack;
    s.MiniHeadersBGColor = clWhite;
    s.MiniHeadersStyle = dsFirstChar;
    s.TitleShowYear = true;
    s.MiniShowYear = true;
    s.LeftMarginInch = s.TopMarginInch = s.RightMarginInch = s.BottomMarginInch = 0.5f;
    s.PlannerStartTime = QTime(8, 0);
}

void CopySettings(PageSettings& to, const PageSettings& from)
{
    to.PaperSize = from.PaperSize;
    to.CalendarLayout = from.CalendarLayout;
    to.CalendarOrientation = from.CalendarOrientation;
    to.StartOfWeek = from.StartOfWeek;
    to.MonthNames = from.MonthNames;
    to.DayNames = from.DayNames;
    to.MainCalDay = from.MainCalDay;
    to.MainCalMonth = from.MainCalMonth;
    to.MainCalYear = from.MainCalYear;
    to.TitleFont = from.TitleFont;
    to.HeadersFont = from.HeadersFont;
    to.CellFont = from.CellFont;
    to.TitleBGColor = from.TitleBGColor;
    to.HeadersBGColor = from.HeadersBGColor;
    to.HeadersStyle = from.HeadersStyle;
    to.MiniCalBGColor = from.MiniCalBGColor;
    to.MiniTitleFont = from.MiniTitleFont;
    to.MiniHeadersFont = from.MiniHeadersFont;
    to.MiniCellFont = from.MiniCellFont;
    to.MiniHeadersBGColor = from.MiniHeadersBGColor;
    to.MiniHeadersStyle = from.MiniHeadersStyle;
    to.TitleShowYear = from.TitleShowYear;
    to.MiniShowYear = from.MiniShowYear;
    to.LeftMarginInch = from.LeftMarginInch;
    to.TopMarginInch = from.TopMarginInch;
    to.RightMarginInch = from.RightMarginInch;
    to.BottomMarginInch = from.BottomMarginInch;
    to.PlannerStartTime = from.PlannerStartTime;
}

bool SameSettings(const PageSettings& a, const PageSettings& b)
{
    return a.PaperSize == b.PaperSize && a.CalendarLayout == b.CalendarLayout &&
           a.StartOfWeek == b.StartOfWeek && a.CalendarOrientation == b.CalendarOrientation &&
           a.MonthNames == b.MonthNames && a.DayNames == b.DayNames && a.MainCalDay == b.MainCalDay &&
           a.MainCalMonth == b.MainCalMonth && a.MainCalYear == b.MainCalYear &&
           a.TitleFont.SameLook(b.TitleFont) && a.TitleBGColor == b.TitleBGColor &&
           a.HeadersFont.SameLook(b.HeadersFont) && a.HeadersBGColor == b.HeadersBGColor &&
           a.HeadersStyle == b.HeadersStyle && a.CellFont.SameLook(b.CellFont) &&
           a.MiniCalBGColor == b.MiniCalBGColor && a.MiniTitleFont.SameLook(b.MiniTitleFont) &&
           a.MiniHeadersFont.SameLook(b.MiniHeadersFont) && a.MiniHeadersBGColor == b.MiniHeadersBGColor &&
           a.MiniHeadersStyle == b.MiniHeadersStyle && a.MiniCellFont.SameLook(b.MiniCellFont) &&
           a.TitleShowYear == b.TitleShowYear && a.MiniShowYear == b.MiniShowYear &&
           a.LeftMarginInch == b.LeftMarginInch && a.TopMarginInch == b.TopMarginInch &&
           a.RightMarginInch == b.RightMarginInch && a.BottomMarginInch == b.BottomMarginInch &&
           a.PlannerStartTime == b.PlannerStartTime && a.CalendarLineLayout == b.CalendarLineLayout &&
           a.MiniCalendarLineLayout == b.MiniCalendarLineLayout && a.UserTitle == b.UserTitle &&
           a.WMFBorderFile == b.WMFBorderFile;
}

}  // namespace dayloom
