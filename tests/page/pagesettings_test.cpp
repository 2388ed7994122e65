// The page settings' own field lists: what the reset sets, what the
// properties dialog's copy carries and what its comparison looks at.
#include <functional>

#include <gtest/gtest.h>

#include "page/pagesettings.h"

using namespace dayloom;

namespace {

struct Field {
    const char* name;
    std::function<void(PageSettings&)> change;
    bool copied;    // CopySettings carries it
    bool compared;  // SameSettings sees a change of it
    bool reset;     // ResetSettings sets it back
};

TFontData other(const TFontData& f) { return f.WithName(QStringLiteral("Courier")); }

const QList<Field>& fields()
{
    static const QList<Field> list = {
        {"CalendarLayout", [](PageSettings& s) { s.CalendarLayout = loWeek; }, true, true, true},
        {"CalendarOrientation", [](PageSettings& s) { s.CalendarOrientation = coLandscape; }, true, true, false},
        {"CalendarLineLayout", [](PageSettings& s) { s.CalendarLineLayout = llCellsOnly; }, false, true, false},
        {"MiniCalendarLineLayout", [](PageSettings& s) { s.MiniCalendarLineLayout = mllMinimal; }, false, true, false},
        {"TitleFont", [](PageSettings& s) { s.TitleFont = other(s.TitleFont); }, true, true, false},
        {"TitleBGColor", [](PageSettings& s) { s.TitleBGColor = clRed; }, true, true, true},
        {"TitleShowYear", [](PageSettings& s) { s.TitleShowYear = false; }, true, true, true},
        {"HeadersFont", [](PageSettings& s) { s.HeadersFont = other(s.HeadersFont); }, true, true, false},
        {"HeadersBorder", [](PageSettings& s) { s.HeadersBorder = cbTop; }, false, false, false},
        {"HeadersStyle", [](PageSettings& s) { s.HeadersStyle = dsWhole; }, true, true, false},
        {"HeadersBGColor", [](PageSettings& s) { s.HeadersBGColor = clRed; }, true, true, true},
        {"CellFont", [](PageSettings& s) { s.CellFont = other(s.CellFont); }, true, true, false},
        {"CellBorder", [](PageSettings& s) { s.CellBorder = cbTop; }, false, false, false},
        {"NumberPosition", [](PageSettings& s) { s.NumberPosition = cnpCenter; }, false, false, false},
        {"CalendarBorder", [](PageSettings& s) { s.CalendarBorder = cbTop; }, false, false, false},
        {"StartOfWeek", [](PageSettings& s) { s.StartOfWeek = 2; }, true, true, true},
        {"MainCalDay", [](PageSettings& s) { s.MainCalDay = 3; }, true, true, true},
        {"MainCalMonth", [](PageSettings& s) { s.MainCalMonth = 3; }, true, true, true},
        {"MainCalYear", [](PageSettings& s) { s.MainCalYear = 2003; }, true, true, true},
        {"MiniTitleFont", [](PageSettings& s) { s.MiniTitleFont = other(s.MiniTitleFont); }, true, true, false},
        {"MiniHeadersFont", [](PageSettings& s) { s.MiniHeadersFont = other(s.MiniHeadersFont); }, true, true, false},
        {"MiniCellFont", [](PageSettings& s) { s.MiniCellFont = other(s.MiniCellFont); }, true, true, false},
        {"MiniHeadersBGColor", [](PageSettings& s) { s.MiniHeadersBGColor = clRed; }, true, true, true},
        {"MiniHeadersStyle", [](PageSettings& s) { s.MiniHeadersStyle = dsWhole; }, true, true, true},
        {"MiniCalBGColor", [](PageSettings& s) { s.MiniCalBGColor = clRed; }, true, true, true},
        {"MiniCalBorder", [](PageSettings& s) { s.MiniCalBorder = cbTop; }, false, false, false},
        {"MiniHeadersBorder", [](PageSettings& s) { s.MiniHeadersBorder = cbAll; }, false, false, false},
        {"MiniCellBorder", [](PageSettings& s) { s.MiniCellBorder = cbAll; }, false, false, false},
        {"MiniShowYear", [](PageSettings& s) { s.MiniShowYear = false; }, true, true, true},
        {"LeftMarginInch", [](PageSettings& s) { s.LeftMarginInch = 1.5f; }, true, true, true},
        {"TopMarginInch", [](PageSettings& s) { s.TopMarginInch = 1.5f; }, true, true, true},
        {"RightMarginInch", [](PageSettings& s) { s.RightMarginInch = 1.5f; }, true, true, true},
        {"BottomMarginInch", [](PageSettings& s) { s.BottomMarginInch = 1.5f; }, true, true, true},
        {"UserTitle", [](PageSettings& s) { s.UserTitle = QStringLiteral("Ours"); }, false, true, true},
        {"WMFBorderFile", [](PageSettings& s) { s.WMFBorderFile = QStringLiteral("Holly"); }, false, true, false},
        {"PaperSize", [](PageSettings& s) { s.PaperSize = PaperA4; }, true, true, true},
        {"PlannerStartTime", [](PageSettings& s) { s.PlannerStartTime = QTime(9, 30); }, true, true, true},
        {"MonthNames", [](PageSettings& s) { s.MonthNames[2] = QStringLiteral("Mars"); }, true, true, true},
        {"DayNames", [](PageSettings& s) { s.DayNames[6] = QStringLiteral("Samstag"); }, true, true, true},
    };
    return list;
}

// Every field equal (the test's own comparison; the program has none).
bool equalAll(const PageSettings& a, const PageSettings& b)
{
    return a.CalendarLayout == b.CalendarLayout && a.CalendarOrientation == b.CalendarOrientation &&
           a.CalendarLineLayout == b.CalendarLineLayout && a.MiniCalendarLineLayout == b.MiniCalendarLineLayout &&
           a.TitleFont == b.TitleFont && a.TitleBGColor == b.TitleBGColor && a.TitleShowYear == b.TitleShowYear &&
           a.HeadersFont == b.HeadersFont && a.HeadersBorder == b.HeadersBorder &&
           a.HeadersStyle == b.HeadersStyle && a.HeadersBGColor == b.HeadersBGColor && a.CellFont == b.CellFont &&
           a.CellBorder == b.CellBorder && a.NumberPosition == b.NumberPosition &&
           a.CalendarBorder == b.CalendarBorder && a.StartOfWeek == b.StartOfWeek &&
           a.MainCalDay == b.MainCalDay && a.MainCalMonth == b.MainCalMonth && a.MainCalYear == b.MainCalYear &&
           a.MiniTitleFont == b.MiniTitleFont && a.MiniHeadersFont == b.MiniHeadersFont &&
           a.MiniCellFont == b.MiniCellFont && a.MiniHeadersBGColor == b.MiniHeadersBGColor &&
           a.MiniHeadersStyle == b.MiniHeadersStyle && a.MiniCalBGColor == b.MiniCalBGColor &&
           a.MiniCalBorder == b.MiniCalBorder && a.MiniHeadersBorder == b.MiniHeadersBorder &&
           a.MiniCellBorder == b.MiniCellBorder && a.MiniShowYear == b.MiniShowYear &&
           a.LeftMarginInch == b.LeftMarginInch && a.TopMarginInch == b.TopMarginInch &&
           a.RightMarginInch == b.RightMarginInch && a.BottomMarginInch == b.BottomMarginInch &&
           a.UserTitle == b.UserTitle && a.WMFBorderFile == b.WMFBorderFile && a.PaperSize == b.PaperSize &&
           a.PlannerStartTime == b.PlannerStartTime && a.MonthNames == b.MonthNames && a.DayNames == b.DayNames;
}

// Whether s already holds the field's changed value.
bool holdsChange(const PageSettings& s, const Field& f)
{
    PageSettings again = s;
    f.change(again);
    return equalAll(again, s);
}

}  // namespace

TEST(PageSettings, EachFunctionKeepsItsOwnFieldList)
{
    PageSettings base = PageSettings::Constructed();
    ResetSettings(base, 2001, 5, 9);
    for (const Field& f : fields()) {
        SCOPED_TRACE(f.name);
        PageSettings changed = base;
        f.change(changed);
        ASSERT_FALSE(equalAll(changed, base));

        PageSettings copy = base;
        CopySettings(copy, changed);
        EXPECT_EQ(holdsChange(copy, f), f.copied);
        EXPECT_EQ(!SameSettings(base, changed), f.compared);
        PageSettings reset = changed;
        ResetSettings(reset, 2001, 5, 9);
        EXPECT_EQ(!holdsChange(reset, f), f.reset);
    }
}

TEST(PageSettings, ComparisonIgnoresFontSizesAndCopyTakesThem)
{
    const PageSettings a = PageSettings::Constructed();
    PageSettings b = a;
    b.TitleFont = b.TitleFont.WithSize(40);
    b.MiniCellFont = b.MiniCellFont.WithSize(3);
    EXPECT_TRUE(SameSettings(a, b));
    b.TitleFont = b.TitleFont.WithColor(clRed);
    EXPECT_FALSE(SameSettings(a, b));

    PageSettings c = a;
    CopySettings(c, b);
    EXPECT_EQ(c.TitleFont, b.TitleFont);
    EXPECT_EQ(c.MiniCellFont.Size(), 3);
}

TEST(PageSettings, ResetKeepsFontsButTheMiniDayNameColour)
{
    PageSettings s = PageSettings::Constructed();
    s.TitleFont = s.TitleFont.WithSize(40).WithColor(clRed);
    s.MiniHeadersFont = s.MiniHeadersFont.WithColor(clRed).WithSize(20);
    s.NumberPosition = cnpCenter;
    s.CellBorder = cbBottom;
    ResetSettings(s, 2001, 5, 9);
    EXPECT_EQ(s.TitleFont.Size(), 40);
    EXPECT_EQ(s.TitleFont.Color, clRed);
    EXPECT_EQ(s.MiniHeadersFont.Color, clBlack);
    EXPECT_EQ(s.MiniHeadersFont.Size(), 20);
    EXPECT_EQ(s.NumberPosition, cnpCenter);
    EXPECT_EQ(s.CellBorder, cbBottom);
    EXPECT_EQ(s.CalendarLayout, loFCMinisInTitleLS);
    EXPECT_EQ(s.MainCalYear, 2001);
    EXPECT_EQ(s.MainCalMonth, 5);
    EXPECT_EQ(s.MainCalDay, 9);
}

TEST(PageSettings, LineLayoutPresetsSetTheirThreeBorders)
{
    PageSettings s = PageSettings::Constructed();
    ApplyLineLayout(s, llHeadersAndCells);
    EXPECT_EQ(s.CalendarLineLayout, llHeadersAndCells);
    EXPECT_EQ(s.CalendarBorder, cbNone);
    EXPECT_EQ(s.HeadersBorder, cbAll);
    EXPECT_EQ(s.CellBorder, cbAll);
    ApplyLineLayout(s, llCellsOnly);
    EXPECT_EQ(s.HeadersBorder, cbNone);
    ApplyMiniLineLayout(s, mllBoxed);
    EXPECT_EQ(s.MiniCalBorder, cbAll);
    EXPECT_EQ(s.MiniCellBorder, cbNone);
    EXPECT_EQ(s.MiniHeadersBorder, cbTopBottom);
    ApplyMiniLineLayout(s, mllMinimal);
    EXPECT_EQ(s.MiniCalBorder, cbNone);
    EXPECT_EQ(s.MiniHeadersBorder, cbTop);
}
