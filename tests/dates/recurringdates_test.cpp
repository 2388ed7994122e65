#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "common/testutil.h"
#include "core/cp1252.h"
#include "core/readerror.h"
#include "dates/holidays.h"
#include "dates/recurringdates.h"
#include "dates/recurringlistfile.h"

using namespace dayloom;

namespace {

QString blanks(int n)
{
    return QString(n, u' ');
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString dirOf(const QTemporaryDir& dir)
{
    return dir.path() + u'/';
}

}  // namespace

TEST(RecurringEntries, LayoutAndPadding)
{
    EXPECT_EQ(Pad("abc", 5), QStringLiteral("abc  "));
    EXPECT_EQ(Pad("abcdef", 3), QStringLiteral("abc"));
    EXPECT_EQ(Pad("x", 0), QString());

    const QString text125 = QString(120, u'a') + QStringLiteral("bcdef");
    const QString entry = MakeEntry(text125, "@1225");
    ASSERT_EQ(entry.size(), 130);
    EXPECT_EQ(entry.left(120), QString(120, u'a'));
    EXPECT_EQ(EntryFormula(entry), QStringLiteral("@1225     "));
    EXPECT_EQ(EntryKind(entry), QChar(u'@'));

    const QString christmas = MakeEntry("  Christmas Day ", "@1225");
    EXPECT_EQ(EntryEventText(christmas), QStringLiteral("Christmas Day"));
    EXPECT_EQ(EntryListText(christmas), QStringLiteral("Christmas Day (25th of December)"));

    // A line break in the event text would split the entry over two lines
    // of the file and cut it from its formula.
    const QString broken = MakeEntry("Two\r\nlines", "@0101");
    EXPECT_FALSE(broken.contains(u'\n'));
    EXPECT_FALSE(broken.contains(u'\r'));
    EXPECT_EQ(broken.size(), 130);

    EXPECT_TRUE(EntryKind(QStringLiteral("short")).isNull());
    EXPECT_TRUE(EntryKind(QString(120, u' ')).isNull());
}

TEST(RecurringEntries, BuildAndParseFormulas)
{
    EXPECT_EQ(BuildDayOfMonth(31, 0), QStringLiteral("@0031"));
    EXPECT_EQ(BuildDayOfMonth(4, 7), QStringLiteral("@0704"));
    EXPECT_EQ(ParseDayOfMonth("@0031"), (DayOfMonthFormula{31, 0}));
    EXPECT_EQ(ParseDayOfMonth("@1225     "), (DayOfMonthFormula{25, 12}));
    EXPECT_EQ(ParseDayOfMonth("@12"), std::nullopt);
    EXPECT_EQ(ParseDayOfMonth("@1x25"), std::nullopt);
    EXPECT_EQ(ParseDayOfMonth("@"), std::nullopt);

    const QString oct = BuildNthWeekday(5, 0, 10);
    EXPECT_EQ(oct, QStringLiteral("$5 0 10"));
    EXPECT_EQ(Pad(oct, 10), QStringLiteral("$5 0 10   "));
    EXPECT_EQ(ParseNthWeekday(Pad(oct, 10)), (NthWeekdayFormula{5, 0, 10}));
    EXPECT_EQ(BuildNthWeekday(2, 6, 5), QStringLiteral("$2 6 5 "));
    EXPECT_EQ(ParseNthWeekday("$3 4 11"), (NthWeekdayFormula{3, 4, 11}));
    EXPECT_EQ(ParseNthWeekday("$3 4"), std::nullopt);
    EXPECT_EQ(ParseNthWeekday("$3 ? 11"), std::nullopt);

    EXPECT_EQ(BuildWeekdayList({3, 1}), QStringLiteral("%13"));
    EXPECT_EQ(BuildWeekdayList({7, 2, 2, 9, 0}), QStringLiteral("%27"));
    EXPECT_EQ(ParseWeekdayList("%135      "), (QList<int>{1, 3, 5}));
    EXPECT_EQ(ParseWeekdayList("%9 0"), QList<int>{});
}

TEST(RecurringEntries, Descriptions)
{
    EXPECT_EQ(DescribeFormula("@1225"), QStringLiteral("25th of December"));
    EXPECT_EQ(DescribeFormula("@0031"), QStringLiteral("31st of Each Month"));
    EXPECT_EQ(DescribeFormula("$3 4 11"), QStringLiteral("4th Thu of November"));
    EXPECT_EQ(DescribeFormula("$5 1 5 "), QStringLiteral("Last Mon of May"));
    EXPECT_EQ(DescribeFormula("$0 7 0 "), QStringLiteral("1st Day Each Month"));
    EXPECT_EQ(DescribeFormula("%135"), QStringLiteral("Sun,Tue,Thu"));
    EXPECT_EQ(DescribeFormula("%7"), QStringLiteral("Sat"));
    // Unreadable numbers, and numbers that name no month or weekday, give
    // no description rather than a wrong (or out-of-table) name.
    EXPECT_EQ(DescribeFormula("@ab25"), QString());
    EXPECT_EQ(DescribeFormula("@1325"), QString());
    EXPECT_EQ(DescribeFormula("$3 8 11"), QString());
    EXPECT_EQ(DescribeFormula("$3 4 13"), QString());
    EXPECT_EQ(DescribeFormula("$3-1 11"), QString());
    EXPECT_EQ(DescribeFormula("#EASTER"), QString());
    EXPECT_EQ(DescribeFormula(""), QString());

    // Feasts and lines without a kind show the stored 120 characters.
    const QString easter = Pad("Easter", 120) + "#EASTER";
    EXPECT_EQ(EntryListText(easter), Pad("Easter", 120));
    EXPECT_EQ(EntryListText("Just a note"), QStringLiteral("Just a note"));
    EXPECT_EQ(EntryListText(Pad("Odd", 120) + "!1234"), Pad("Odd", 120));
    EXPECT_EQ(EntryListText(MakeEntry("Broken", "$x")), QStringLiteral("Broken ()"));
}

TEST(RecurringEntries, BuiltInHolidays)
{
    const QList<BuiltInHoliday> holidays = BuiltInHolidays();
    ASSERT_EQ(holidays.size(), 26);
    const QStringList entries = BuiltInHolidayEntries();
    ASSERT_EQ(entries.size(), 26);
    for (qsizetype i = 1; i < entries.size(); ++i)
        EXPECT_TRUE(EntryLessThan(entries[i - 1], entries[i])) << i;
    for (const QString& e : entries) {
        if (EntryKind(e) == u'#')
            EXPECT_TRUE(e.size() == 127 || e.size() == 131) << e.toStdString();
        else
            EXPECT_EQ(e.size(), 130) << e.toStdString();
    }
    EXPECT_TRUE(entries.contains(Pad("Good Friday", 120) + "#GOODFRIDAY"));
    EXPECT_TRUE(entries.contains(Pad("Thanksgiving Day", 120) + "$3 4 11   "));
}

TEST(RecurringListFile, LinesSurviveLoadAndSave)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(RecurringListExists(dirOf(dir)));
    EXPECT_TRUE(LoadRecurringList(dirOf(dir)).isEmpty());

    // Mixed line ends, a short line, an empty line, an unparsable formula,
    // an unknown kind, high Windows-1252 bytes and no final line end.
    const QByteArray original = QByteArray("short line\r\n") + "\r\n"
                                + toCp1252(MakeEntry("Broken", "$a b c")) + "\n"
                                + toCp1252(Pad("Unknown", 120)) + "?what\r\n"
                                + toCp1252(MakeEntry("Caf\u00E9 \u20AC", "@0101")) + "\r\n"
                                + "lone\rCR\r\n" + "last";
    writeBytes(dir.filePath("dlrecur.dax"), original);  // found ignoring case
    ASSERT_TRUE(RecurringListExists(dirOf(dir)));
    const QStringList lines = LoadRecurringList(dirOf(dir));
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("short line"));
    EXPECT_EQ(lines[1], QString());
    EXPECT_EQ(lines[4], MakeEntry(QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC"), "@0101"));
    EXPECT_EQ(lines[5], QStringLiteral("lone\rCR"));
    EXPECT_EQ(lines[6], QStringLiteral("last"));

    SaveRecurringList(lines, dirOf(dir));
    // Written back over the file that was found, not beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"dlrecur.dax"});
    const QByteArray saved = readBytes(dir.filePath("dlrecur.dax"));
    EXPECT_TRUE(saved.endsWith("last\r\n"));
    EXPECT_EQ(saved.count("\r\n"), 7);
    EXPECT_EQ(LoadRecurringList(dirOf(dir)), lines);

    EXPECT_EQ(ParseRecurringLines(""), QStringList{});
    EXPECT_EQ(ParseRecurringLines("\n"), QStringList{""});
    EXPECT_EQ(ParseRecurringLines("a\r\r\n"), QStringList{"a\r"});
    EXPECT_EQ(ParseRecurringLines(FormatRecurringLines({"a\r"})), QStringList{"a\r"});
}

TEST(RecurringListFile, FailedWriteKeepsTheOldFileAndReports)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A folder in the file's place is no list, and cannot be replaced by a file.
    ASSERT_TRUE(QDir(dir.path()).mkpath("DLRECUR.DAX/inside"));
    EXPECT_TRUE(RecurringListExists(dirOf(dir)));
    try {
        LoadRecurringList(dirOf(dir));
        ADD_FAILURE() << "read";
    } catch (const ReadError& e) {
        EXPECT_EQ(e.message(), "Cannot open file \"" + dir.filePath("DLRECUR.DAX") +
                                   "\". It is not a regular file.");
    }
    EXPECT_THROW(SaveRecurringList({"x"}, dirOf(dir)), RecurringFileError);
    EXPECT_TRUE(QFileInfo(dir.filePath("DLRECUR.DAX")).isDir());
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});

    // A pipe in its place is neither waited on nor replaced.
    QTemporaryDir other;
    const QString fifo = test::MakeFifo(other.filePath("DLRECUR.DAX"));
    ASSERT_FALSE(fifo.isEmpty());
    EXPECT_THROW(LoadRecurringList(dirOf(other)), ReadError);
    EXPECT_THROW(SaveRecurringList({"x"}, dirOf(other)), RecurringFileError);
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

TEST(RecurringListFile, MigratesTheOldList)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(MigrateOldRecurringDates(dirOf(dir)));

    writeBytes(dir.filePath("DLRECUR.DAX"), "stale\r\n");
    const QString longText = QString(160, u'x');
    writeBytes(dir.filePath("DLRECUR.DAT"),
               QByteArray("0704Independence Day\r\n1225 Christmas\n12\n") + toCp1252(longText)
                   + "\r\n");
    ASSERT_TRUE(MigrateOldRecurringDates(dirOf(dir)));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("DLRECUR.DAT")));

    const QStringList lines = LoadRecurringList(dirOf(dir));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], Pad("Independence Day", 120) + "@0704" + blanks(6));
    EXPECT_EQ(lines[0].size(), 131);
    EXPECT_EQ(EntryListText(lines[0]), QStringLiteral("Independence Day (4th of July)"));
    EXPECT_EQ(lines[1], Pad(" Christmas", 120) + "@1225" + blanks(6));
    EXPECT_EQ(lines[2], blanks(120) + "@12" + blanks(8));
    EXPECT_EQ(lines[3], QString(120, u'x') + "@xxxx" + blanks(6));
}

TEST(RecurringListFile, MigrationKeepsTheOldListWhenTheNewCannotBeWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkpath("DLRECUR.DAX/inside"));
    const QByteArray old = "0704Independence Day\r\n";
    writeBytes(dir.filePath("dlrecur.dat"), old);
    EXPECT_FALSE(MigrateOldRecurringDates(dirOf(dir)));
    EXPECT_EQ(readBytes(dir.filePath("dlrecur.dat")), old);
}
