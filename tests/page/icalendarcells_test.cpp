// iCalendar events into the day cells of a month page, and the cells back
// out as iCalendar.

#include <gtest/gtest.h>

#include <QDate>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "common/testutil.h"
#include "ical/icalendarfile.h"
#include "page/calendardocument.h"
#include "page/icalendarcells.h"
#include "page/tcalendarpanel32.h"
#include "pagetestutil.h"
#include "richtext/richtextformat.h"
#include "richtext/twprtfstorage.h"
#include "stream/writeerror.h"

using namespace dayloom;

namespace {

const QTimeZone kBerlin("Europe/Berlin");

QTextCharFormat defaultFormat()
{
    return EditorTypingFormat(QStringLiteral("Courier New"), 14, 2, clBlack);
}

void showMonth(TCalendarPanel32& page, int year, int month, int startOfWeek)
{
    page.SetCalendarLayout(loFullCalendar);
    page.SetStartOfWeek(startOfWeek);
    page.SetMainCalYear(year);
    page.SetMainCalMonth(month);
}

// The grid position of a date, worked out without the page.
int expectedCell(const QDate& date, int startOfWeek)
{
    const int qtDay = QDate(date.year(), date.month(), 1).dayOfWeek();  // 1 = Monday
    const int firstColumn = startOfWeek == 1 ? qtDay % 7 + 1 : qtDay;
    return date.day() + firstColumn - 1;
}

QStringList cellLines(const TCalendarPanel32& page, int cell)
{
    const TWPRtfStorage* store = page.CellStore(cell);
    if (!store || store->IsEmpty())
        return {};
    return store->Document().toPlainText().split(QChar(u'\n'));
}

ICalendarFile fixture(const char* name)
{
    return ICalendarFile::FromBytes(
        test::ReadFile(test::DataPath(QStringLiteral("ical/") + QLatin1String(name))));
}

}  // namespace

TEST(ICalendarCells, EveryEntryLandsInTheCellOfItsDayInOrder)
{
    const ICalendarFile file = fixture("google.ics");
    const QList<ICalendarDayEntry> entries = file.MonthEntries(2024, 3, kBerlin);
    for (int start : {1, 2}) {
        SCOPED_TRACE(start);
        TCalendarPanel32 page;
        showMonth(page, 2024, 3, start);
        int commits = 0;
        const ICalendarImportCount count = ImportICalendarIntoMonth(
            page, file, 2024, 3, defaultFormat(), [&] { ++commits; }, kBerlin);
        EXPECT_EQ(commits, 1);
        EXPECT_EQ(count.Entries, int(entries.size()));
        EXPECT_EQ(count.Placed, int(entries.size()));

        QMap<int, QStringList> expected;
        for (const ICalendarDayEntry& e : entries)
            expected[expectedCell(QDate(2024, 3, e.Day), start)] << e.Paragraph();
        EXPECT_EQ(count.Days, expected.size());
        for (int cell = 1; cell <= TCalendarPanel32::CellCount; ++cell)
            EXPECT_EQ(cellLines(page, cell), expected.value(cell)) << "cell " << cell;

        // Text that Windows-1252 cannot hold is in the cell as it is, and
        // stays so through the document.
        const int concertCell = expectedCell(QDate(2024, 3, 15), start);
        EXPECT_NE(cellLines(page, concertCell).join(u'|').indexOf(QString::fromUtf8("Dvořák, Smetana & Janáček")), -1);
        TCalendarPanel32 reread;
        CalendarDocument::Load(reread, CalendarDocument::Save(page));
        for (int cell = 1; cell <= TCalendarPanel32::CellCount; ++cell)
            EXPECT_EQ(cellLines(reread, cell), expected.value(cell)) << "cell " << cell;
        EXPECT_EQ(cellLines(reread, expectedCell(QDate(2024, 3, 31), start)),
                  QStringList{QString::fromUtf8("Easter trip to Kraków 🚆")});
    }
}

TEST(ICalendarCells, AppendsInTheFillsFormatAndNeverTwice)
{
    TCalendarPanel32 page;
    showMonth(page, 2024, 3, 1);
    const int cell12 = expectedCell(QDate(2024, 3, 12), 1);
    // A cell that already holds one of the texts, in bold 16 pt Times.
    page.SetCellText(cell12, test::RtfStore("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
                                            "\\f0\\fs20 Dentist\\par\\f1\\b\\fs32 Anna's birthday}"));
    const ICalendarFile file = fixture("google.ics");
    const ICalendarImportCount first = ImportICalendarIntoMonth(page, file, 2024, 3, defaultFormat(), {}, kBerlin);
    EXPECT_EQ(first.Placed, first.Entries - 1);
    EXPECT_EQ(cellLines(page, cell12), (QStringList{"Dentist", "Anna's birthday"}));

    // The stand-up on the 4th went into an empty cell in the default font.
    const int cell4 = expectedCell(QDate(2024, 3, 4), 1);
    const QTextCharFormat f = page.CellStore(cell4)->Document().firstBlock().begin().fragment().charFormat();
    EXPECT_EQ(FormatFamily(f), QStringLiteral("Courier New"));
    EXPECT_DOUBLE_EQ(f.fontPointSize(), 14.0);
    EXPECT_TRUE(f.fontItalic());

    // A second import changes nothing at all, and commits nothing.
    QList<QByteArray> before;
    for (int k = 1; k <= TCalendarPanel32::CellCount; ++k)
        before << page.CellStore(k)->RtfText();
    bool committed = false;
    const ICalendarImportCount again =
        ImportICalendarIntoMonth(page, file, 2024, 3, defaultFormat(), [&] { committed = true; }, kBerlin);
    EXPECT_EQ(again.Placed, 0);
    EXPECT_EQ(again.Days, 0);
    EXPECT_EQ(again.Entries, first.Entries);
    EXPECT_FALSE(committed);
    for (int k = 1; k <= TCalendarPanel32::CellCount; ++k)
        EXPECT_EQ(page.CellStore(k)->RtfText(), before[k - 1]) << k;

    // Another month of the same page: its own days, the cells as positions.
    page.ClearCells();
    showMonth(page, 2024, 4, 1);
    ImportICalendarIntoMonth(page, file, 2024, 4, defaultFormat(), {}, kBerlin);
    EXPECT_EQ(cellLines(page, expectedCell(QDate(2024, 4, 2), 1)),
              QStringList{QString::fromUtf8("Easter trip to Kraków 🚆")});
}

TEST(ICalendarCells, ExportWritesTheMonthsParagraphsAndOnlyForMonthPages)
{
    TCalendarPanel32 page;
    showMonth(page, 2024, 2, 2);
    EXPECT_TRUE(ICalendarCellsAvailable(page));
    const int cell1 = expectedCell(QDate(2024, 2, 1), 2);
    const int cell29 = expectedCell(QDate(2024, 2, 29), 2);
    TWPRtfStorage text = test::RtfStore("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 First\\par\\par   \\par"
                                        " Second, with; marks \\par}");
    page.SetCellText(cell1, text);
    // A cell with a picture between words, and the cell before day 1.
    TWPRtfStorage picture;
    QTextDocument doc;
    QTextCursor cursor(&doc);
    cursor.insertText(QString::fromUtf8("Zoë "));
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    doc.addResource(QTextDocument::ImageResource, QUrl("pic"), image);
    cursor.insertImage(QStringLiteral("pic"));
    cursor.insertText(QStringLiteral(" 東京"));
    picture.AssignDocument(doc);
    page.SetCellText(cell29, picture);
    page.SetCellText(cell1 - 1, test::RtfStore("{\\rtf1\\ansi Not a day of February\\par}"));

    const QList<ICalendarCellText> texts = MonthCellTexts(page);
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0].Date, QDate(2024, 2, 1));
    EXPECT_EQ(texts[0].Paragraphs, (QList<std::pair<int, QString>>{{1, "First"}, {2, "Second, with; marks"}}));
    EXPECT_EQ(texts[1].Paragraphs, (QList<std::pair<int, QString>>{{1, QString::fromUtf8("Zoë  東京")}}));

    QTemporaryDir dir;
    const QString out = dir.filePath("feb.ics");
    EXPECT_EQ(ExportCellTextsAsICalendar(page, out), 3);
    const ICalendarFile back = ICalendarFile::FromFile(out);
    QStringList summaries;
    for (const ICalendarDayEntry& e : back.MonthEntries(2024, 2, QTimeZone::utc()))
        summaries << QString::number(e.Day) + u' ' + e.Summary;
    EXPECT_EQ(summaries, (QStringList{"1 First", "1 Second, with; marks", QString::fromUtf8("29 Zoë  東京")}));
    EXPECT_THROW(ExportCellTextsAsICalendar(page, dir.filePath("no/such/folder/x.ics")), WriteError);

    for (TCalendarLayout layout : {loWeek, lo2Week, loDay10, loDay15, loMC12Month}) {
        page.SetCalendarLayout(layout);
        EXPECT_FALSE(ICalendarCellsAvailable(page)) << layout;
    }
    page.SetCalendarLayout(loFC12AfterLS);
    EXPECT_TRUE(ICalendarCellsAvailable(page));
}
