// "--import-ics" and "--export OUT.ics": iCalendar events into the exported
// month, and the month's cell texts out as iCalendar.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include "cli/commandline.h"
#include "common/testutil.h"
#include "core/screen.h"
#include "dates/recurringdates.h"
#include "dates/recurringlistfile.h"
#include "ical/icalendarfile.h"
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

QString fixture(const char* name) { return test::DataPath(QStringLiteral("ical/") + QLatin1String(name)); }

QString at(int h, int m) { return QLocale().toString(QTime(h, m), QLocale::ShortFormat) + u' '; }

class ImportIcsExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetProgramDir(m_dir.path());
        m_oldTz = qgetenv("TZ");
        qputenv("TZ", "Europe/Berlin");
        tzset();
        source = m_dir.filePath("In.DLF");
        TCalendarPanel32 page;
        page.SetStartOfWeek(1);
        page.SetMainCalMonth(1);
        page.SetMainCalYear(2020);
        CalendarDocument::SaveToFile(page, source);
    }
    void TearDown() override
    {
        qputenv("TZ", m_oldTz);
        tzset();
    }
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    int run(const QStringList& args) { return RunExport(CommandLine::Parse(args)); }

    QTemporaryDir m_dir;
    QByteArray m_oldTz;
    QString source;
};

}  // namespace

TEST(ImportIcsCommandLine, OptionIsRepeatableAndNeedsExport)
{
    const CommandLine cl = CommandLine::Parse(
        {"--export", "out.dlf", "--import-ics", "a.ics", "--import-ics=b.ics", "--fill-recurring", "in.dlf"});
    ASSERT_EQ(cl.mode, CommandLine::Export);
    EXPECT_EQ(cl.importFiles, (QStringList{"a.ics", "b.ics"}));
    EXPECT_EQ(CommandLine::Parse({"--export", "x.ICS", "in.dlf"}).exportKind, CommandLine::ExportICalendar);
    for (const QStringList& bad : {QStringList{"--import-ics", "a.ics", "in.dlf"},
                                   QStringList{"--export", "out.dlf", "--import-ics", "in.dlf"},
                                   QStringList{"--export", "out.dlf", "in.dlf", "--import-ics"},
                                   QStringList{"--export", "out.ics", "--zoom", "50", "in.dlf"},
                                   QStringList{"--export", "out.ics", "--months", "2", "in.dlf"}})
        EXPECT_EQ(CommandLine::Parse(bad).mode, CommandLine::UsageError) << bad.join(' ').toStdString();
    EXPECT_NE(CommandLine::Usage().indexOf("--import-ics FILE"), -1);
}

TEST_F(ImportIcsExport, EventsGoIntoTheMonthAfterTheFillAndBackOutAsICalendar)
{
    SaveRecurringList({MakeEntry(QStringLiteral("Anna's birthday"), BuildDayOfMonth(12, 3)),
                       MakeEntry(QStringLiteral("Pay rent"), BuildDayOfMonth(1, 0))},
                      ProgramDir());
    IniFile ini(IniFileName());
    ini.WriteString(QStringLiteral("Default Font"), QStringLiteral("Name"), QStringLiteral("Courier New"));

    const QString out = path("Out.DLF");
    ASSERT_EQ(run({"--export", out, "--month", "3", "--year", "2024", "--import-ics", fixture("google.ics"),
                   "--import-ics", fixture("outlook.ics"), "--fill-recurring", source}),
              0);
    TCalendarPanel32 page;
    CalendarDocument::LoadFromFile(page, out);
    // The list's birthday came first; the file's one is the same text and
    // is not added again. Then Outlook's events of the 12th.
    EXPECT_EQ(cellLines(page, cellOf(QDate(2024, 3, 12))),
              (QStringList{"Anna's birthday", QString::fromUtf8("Hochzeitstag Jiří & Eva"),
                           at(10, 0) + QString::fromUtf8("Abteilungsrunde – Quartal & Budget")}));
    EXPECT_EQ(cellLines(page, cellOf(QDate(2024, 3, 1))), QStringList{"Pay rent"});
    EXPECT_EQ(cellLines(page, cellOf(QDate(2024, 3, 4))),
              (QStringList{at(9, 0) + "Team stand-up", at(8, 30) + "Yoga"}));
    EXPECT_EQ(cellLines(page, cellOf(QDate(2024, 3, 15))),
              QStringList{at(18, 0) + QString::fromUtf8("Concert: Dvořák, Smetana & Janáček")});
    const QTextCharFormat f =
        page.CellStore(cellOf(QDate(2024, 3, 15)))->Document().begin().begin().fragment().charFormat();
    EXPECT_EQ(FormatFamily(f), QStringLiteral("Courier New"));

    // The same document out as iCalendar: every paragraph one all-day event
    // on its day.
    const QString ics = path("march.ics");
    ASSERT_EQ(run({"--export", ics, out}), 0);
    const ICalendarFile back = ICalendarFile::FromFile(ics);
    QMap<int, QStringList> written;
    for (const ICalendarDayEntry& e : back.MonthEntries(2024, 3, QTimeZone("America/Los_Angeles"))) {
        EXPECT_TRUE(e.AllDay);
        written[e.Day] << e.Summary;
    }
    for (int day = 1; day <= 31; ++day)
        EXPECT_EQ(written.value(day), cellLines(page, cellOf(QDate(2024, 3, day)))) << day;
    const QByteArray again = test::ReadFile(ics);
    ASSERT_EQ(run({"--export", ics, out}), 0);
    auto uids = [](const QByteArray& bytes) {
        QList<QByteArray> out;
        for (const QByteArray& line : bytes.split('\n'))
            if (line.startsWith("UID:"))
                out << line.trimmed();
        return out;
    };
    EXPECT_EQ(uids(test::ReadFile(ics)), uids(again));
    EXPECT_TRUE(uids(again).contains("UID:dayloom-20240312-3"));
}

TEST_F(ImportIcsExport, BadInputPlannersAndUnwritableOutputHaveTheirExitCodes)
{
    QFile bad(path("bad.ics"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(test::ReadFile(fixture("google.ics")).left(900));
    bad.close();
    const QString out = path("never.dlf");
    EXPECT_EQ(run({"--export", out, "--import-ics", fixture("google.ics"), "--import-ics", bad.fileName(), source}), 1);
    EXPECT_EQ(run({"--export", out, "--import-ics", path("missing.ics"), source}), 1);
    EXPECT_FALSE(QFileInfo::exists(out));

    TCalendarPanel32 planner;
    planner.SetCalendarLayout(loWeek);
    const QString plannerDoc = path("Week.DLF");
    CalendarDocument::SaveToFile(planner, plannerDoc);
    EXPECT_EQ(run({"--export", out, "--import-ics", fixture("google.ics"), plannerDoc}), 2);
    EXPECT_EQ(run({"--export", path("week.ics"), plannerDoc}), 2);
    EXPECT_FALSE(QFileInfo::exists(out));
    EXPECT_FALSE(QFileInfo::exists(path("week.ics")));

    EXPECT_EQ(run({"--export", path("no/such/folder/x.ics"), source}), 3);
}

TEST_F(ImportIcsExport, TheProgramNamesTheFileAndLibicalsReason)
{
    const QString program = QFileInfo(QCoreApplication::applicationDirPath() + QStringLiteral("/../dayloom"))
                                .absoluteFilePath();
    QFile bad(path("notes.ics"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("These are my notes, not a calendar.\n");
    bad.close();
    QProcess p;
    p.start(program, {"--program-dir", m_dir.path(), "--export", path("out.png"), "--import-ics",
                      bad.fileName(), source});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 1);
    const QStringList lines = QString::fromLocal8Bit(p.readAllStandardError()).trimmed().split(u'\n');
    EXPECT_EQ(lines.last(), QStringLiteral("Unable to import ") + bad.fileName() +
                                QStringLiteral(": not an iCalendar file"));
    EXPECT_FALSE(QFileInfo::exists(path("out.png")));
}
