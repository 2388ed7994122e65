// "--fill-recurring": the month of the exported page filled from the
// program folder's recurring-date list, every offered entry chosen.

#include <gtest/gtest.h>

#include <QDate>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include "cli/commandline.h"
#include "core/screen.h"
#include "dates/holidays.h"
#include "dates/recurringdates.h"
#include "dates/recurringlistfile.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "richtext/richtextformat.h"
#include "richtext/twprtfstorage.h"
#include "stream/inifile.h"
#include "stream/preferences.h"

using namespace dayloom;

namespace {

QStringList cellLines(const TCalendarPanel32& page, int cell)
{
    const TWPRtfStorage* s = page.CellStore(cell);
    return s->IsEmpty() ? QStringList() : s->Document().toPlainText().split(QChar(u'\n'));
}

// Sunday-start grid position of a date.
int cellOf(const QDate& d) { return d.day() + QDate(d.year(), d.month(), 1).dayOfWeek() % 7; }

}  // namespace

TEST(FillRecurringExport, FillsTheMonthSetOnTheCommandLineInTheDefaultFont)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SetProgramDir(dir.path());
    const QString source = dir.filePath("In.DLF");
    {
        TCalendarPanel32 page;
        page.SetStartOfWeek(1);
        page.SetMainCalMonth(1);
        page.SetMainCalYear(2020);
        CalendarDocument::SaveToFile(page, source);
    }
    SaveRecurringList(BuiltInHolidayEntries(), ProgramDir());
    IniFile ini(IniFileName());
    ini.WriteString(QStringLiteral("Default Font"), QStringLiteral("Name"), QStringLiteral("Courier New"));
    ini.WriteString(QStringLiteral("Default Font"), QStringLiteral("Size"), QStringLiteral("12"));
    ini.WriteString(QStringLiteral("Default Font"), QStringLiteral("Italic"), QStringLiteral("1"));

    const QString out = dir.filePath("Out.DLF");
    ASSERT_EQ(RunExport(CommandLine::Parse({"--export", out, "--month", "11", "--year", "2024",
                                            "--fill-recurring", source})),
              0);
    TCalendarPanel32 back;
    CalendarDocument::LoadFromFile(back, out);
    EXPECT_EQ(cellLines(back, cellOf(QDate(2024, 11, 28))), QStringList{"Thanksgiving Day"});
    EXPECT_EQ(cellLines(back, cellOf(QDate(2024, 11, 11))), QStringList{"Veterans Day"});
    int filled = 0;
    for (int k = 1; k <= 42; ++k)
        filled += back.CellStore(k)->IsEmpty() ? 0 : 1;
    EXPECT_EQ(filled, 2);
    const QTextCharFormat f = back.CellStore(cellOf(QDate(2024, 11, 28)))
                                  ->Document().begin().begin().fragment().charFormat();
    EXPECT_EQ(FormatFamily(f), QStringLiteral("Courier New"));
    EXPECT_EQ(f.fontPointSize(), 12.0);
    EXPECT_TRUE(f.fontItalic());

    // A month no entry can fall in: the document is written without cell text.
    SaveRecurringList({MakeEntry(QStringLiteral("Halloween"), BuildDayOfMonth(31, 10))}, ProgramDir());
    const QString none = dir.filePath("None.DLF");
    ASSERT_EQ(RunExport(CommandLine::Parse({"--export", none, "--month", "3", "--fill-recurring", source})), 0);
    TCalendarPanel32 empty;
    CalendarDocument::LoadFromFile(empty, none);
    EXPECT_FALSE(empty.HasCellText());
    EXPECT_EQ(empty.MainCalMonth(), 3);
}
