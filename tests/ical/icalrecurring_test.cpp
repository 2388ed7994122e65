// Repeating events as recurring-date entries, and cell texts written as
// iCalendar and read back.

#include <gtest/gtest.h>

#include <QTimeZone>

#include "common/testutil.h"
#include "dates/recurringdates.h"
#include "dates/recurringmatches.h"
#include "ical/icalendarfile.h"
#include "ical/icalwriter.h"

using namespace dayloom;

namespace {

QByteArray calendarOf(const QByteArray& body)
{
    QByteArray text = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Dayloom tests//EN\n" + body +
                      "END:VCALENDAR\n";
    return text.replace("\n", "\r\n");
}

ICalendarRecurringCandidate candidate(const QByteArray& start, const QByteArray& extra)
{
    const ICalendarFile file = ICalendarFile::FromBytes(
        calendarOf("BEGIN:VEVENT\nUID:1\nDTSTART" + start + "\n" + extra + "SUMMARY:Event\nEND:VEVENT\n"));
    const QList<ICalendarRecurringCandidate> all = file.RecurringCandidates();
    return all.isEmpty() ? ICalendarRecurringCandidate{} : all.first();
}

}  // namespace

TEST(ICalendarRecurring, RulesMapOntoTheListsFormulaKinds)
{
    struct Case {
        QByteArray start, rule;
        QString formula;  // empty: skipped, with `reason` in its reason
        QString reason = {};
    };
    const QList<Case> cases = {
        // yearly on a fixed date, from the start or from BYMONTH/BYMONTHDAY
        {";VALUE=DATE:19850312", "FREQ=YEARLY", "@0312"},
        {":20200704T100000Z", "FREQ=YEARLY;BYMONTH=7;BYMONTHDAY=4", "@0704"},
        // yearly on the nth or last weekday of a month, both spellings
        {";VALUE=DATE:20231123", "FREQ=YEARLY;BYMONTH=11;BYDAY=4TH", "$3 4 11"},
        {";VALUE=DATE:20240527", "FREQ=YEARLY;BYMONTH=5;BYDAY=-1MO", "$5 1 5"},
        {";VALUE=DATE:20240527", "FREQ=YEARLY;BYMONTH=5;BYDAY=MO;BYSETPOS=-1", "$5 1 5"},
        {";VALUE=DATE:20240527", "FREQ=MONTHLY;BYMONTH=5;BYDAY=-1MO", "$5 1 5"},
        // monthly on a fixed day, the last day, the nth weekday or nth day
        {";VALUE=DATE:20240115", "FREQ=MONTHLY", "@0015"},
        {";VALUE=DATE:20240115", "FREQ=MONTHLY;BYMONTHDAY=28", "@0028"},
        {";VALUE=DATE:20240131", "FREQ=MONTHLY;BYMONTHDAY=-1", "$5 7 0"},
        {";VALUE=DATE:20240109", "FREQ=MONTHLY;BYDAY=TU;BYSETPOS=2", "$1 2 0"},
        {";VALUE=DATE:20240104", "FREQ=MONTHLY;BYDAY=1TH", "$0 4 0"},
        {";VALUE=DATE:20240131", "FREQ=MONTHLY;BYDAY=SU,MO,TU,WE,TH,FR,SA;BYSETPOS=-1", "$5 7 0"},
        {";VALUE=DATE:20240105", "FREQ=MONTHLY;BYDAY=5FR", "$4 5 0"},
        // weekly on a list of weekdays (and what amounts to it)
        {";VALUE=DATE:20240101", "FREQ=WEEKLY", "%2"},
        {":20240102T090000", "FREQ=WEEKLY;BYDAY=TH,TU;WKST=MO", "%35"},
        {";VALUE=DATE:20240101", "FREQ=DAILY", "%1234567"},
        {";VALUE=DATE:20240101", "FREQ=DAILY;BYDAY=SA,SU", "%17"},
        {";VALUE=DATE:20240101", "FREQ=MONTHLY;BYDAY=MO,FR", "%26"},
        // what the list cannot say
        {";VALUE=DATE:20240101", "FREQ=WEEKLY;INTERVAL=2", "", "INTERVAL"},
        {";VALUE=DATE:20240101", "FREQ=YEARLY;COUNT=10", "", "COUNT"},
        {";VALUE=DATE:20240101", "FREQ=YEARLY;UNTIL=20300101", "", "UNTIL"},
        {":20240101T090000Z", "FREQ=HOURLY", "", "within a day"},
        {";VALUE=DATE:20240101", "FREQ=YEARLY;BYDAY=20MO", "", "formula"},
        {";VALUE=DATE:20240101", "FREQ=YEARLY;BYYEARDAY=100", "", "formula"},
        {";VALUE=DATE:20240101", "FREQ=YEARLY;BYMONTH=3,9;BYMONTHDAY=1", "", "formula"},
        {";VALUE=DATE:20240101", "FREQ=MONTHLY;BYMONTHDAY=1,15", "", "formula"},
        {";VALUE=DATE:20240101", "FREQ=MONTHLY;BYDAY=-2MO", "", "formula"},
        {";VALUE=DATE:20240101", "FREQ=MONTHLY;BYMONTHDAY=-3", "", "formula"},
        {";VALUE=DATE:20240101", "FREQ=WEEKLY;BYDAY=1MO", "", "formula"},
        {";VALUE=DATE:20240101", "FREQ=MONTHLY;BYMONTH=5;BYDAY=MO", "", "formula"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule.constData());
        const ICalendarRecurringCandidate got = candidate(c.start, "RRULE:" + c.rule + "\n");
        EXPECT_EQ(EntryFormula(got.Entry).trimmed(), c.formula);
        if (c.formula.isEmpty())
            EXPECT_NE(got.Reason.indexOf(c.reason), -1) << got.Reason.toStdString();
        else
            EXPECT_EQ(EntryEventText(got.Entry), QStringLiteral("Event"));
    }
}

TEST(ICalendarRecurring, ExceptionsKeepAnEventOutOfTheListAndTextIsWindows1252)
{
    EXPECT_NE(candidate(";VALUE=DATE:20240101", "RRULE:FREQ=YEARLY\nEXDATE;VALUE=DATE:20250101\n")
                  .Reason.indexOf("EXDATE"),
              -1);
    EXPECT_NE(candidate(";VALUE=DATE:20240101", "RRULE:FREQ=YEARLY\nRDATE;VALUE=DATE:20240505\n")
                  .Reason.indexOf("RDATE"),
              -1);
    EXPECT_NE(candidate(";VALUE=DATE:20240101", "RRULE:FREQ=YEARLY\nRRULE:FREQ=MONTHLY\n")
                  .Reason.indexOf("more than one"),
              -1);

    // The three exports: the entries that map, and why the others do not.
    int once = 0;
    QStringList entries, reasons;
    for (const char* name : {"google.ics", "thunderbird.ics", "outlook.ics"}) {
        int n = 0;
        const ICalendarFile file = ICalendarFile::FromBytes(
            test::ReadFile(test::DataPath(QStringLiteral("ical/") + QLatin1String(name))));
        for (const ICalendarRecurringCandidate& c : file.RecurringCandidates(&n)) {
            if (c.Entry.isEmpty())
                reasons << c.Summary + QStringLiteral(": ") + c.Reason;
            else
                entries << c.Entry;
        }
        once += n;
    }
    EXPECT_EQ(entries, (QStringList{
                           MakeEntry("Anna's birthday", "@0312"),
                           MakeEntry("Call with the New York office about the spring catalogue, "
                                     "prices and the new printing schedule",
                                     "$0 4 0"),
                           MakeEntry(QString::fromUtf8("Abteilungsrunde – Quartal & Budget"), "$1 2 0"),
                           // ř is not in Windows-1252; í is.
                           MakeEntry(QString::fromUtf8("Hochzeitstag Ji?í & Eva"), "@0312"),
                       }));
    EXPECT_EQ(reasons, (QStringList{"Team stand-up: has excluded dates (EXDATE)",
                                    "Garden club: ends on a date (UNTIL)",
                                    "Yoga: ends after 6 times (COUNT)"}));
    // Concert and trip; flight and clock check. Cancelled ones are not events.
    EXPECT_EQ(once, 4);
}

TEST(ICalendarWriter, CellTextsReadBackToTheSameDaysAndTextsWithStableUids)
{
    const QString long120 = QString(60, u'ž') + QStringLiteral(" and more, text; with \\ signs");
    const QList<ICalendarCellText> cells = {
        {QDate(2024, 2, 1), {{1, QStringLiteral("Groundhog eve")}, {3, QStringLiteral("Lunch, 12; ok")}}},
        {QDate(2024, 2, 29), {{1, QString::fromUtf8("Zoë's leap day 🎂 東京")}, {2, long120}}},
    };
    const QDateTime stamp(QDate(2024, 1, 1), QTime(12, 0), Qt::UTC);
    const QByteArray bytes = WriteICalendar(cells, stamp);

    // Lines of at most 75 octets, CR LF ends, the UIDs from date and position.
    for (const QByteArray& line : bytes.split('\n')) {
        EXPECT_LE(line.size(), 76) << line.constData();
        if (!line.isEmpty()) {
            EXPECT_TRUE(line.endsWith('\r'));
        }
    }
    for (const char* uid : {"UID:dayloom-20240201-1", "UID:dayloom-20240201-3", "UID:dayloom-20240229-1",
                            "UID:dayloom-20240229-2"})
        EXPECT_TRUE(bytes.contains(uid)) << uid;
    EXPECT_EQ(WriteICalendar(cells, stamp), bytes);

    const ICalendarFile back = ICalendarFile::FromBytes(bytes);
    EXPECT_EQ(back.EventCount(), 4);
    QList<std::pair<int, QString>> got;
    for (const ICalendarDayEntry& e : back.MonthEntries(2024, 2, QTimeZone("Pacific/Kiritimati"))) {
        EXPECT_TRUE(e.AllDay);
        got.append({e.Day, e.Summary});
    }
    EXPECT_EQ(got, (QList<std::pair<int, QString>>{{1, "Groundhog eve"},
                                                   {1, "Lunch, 12; ok"},
                                                   {29, QString::fromUtf8("Zoë's leap day 🎂 東京")},
                                                   {29, long120}}));
    EXPECT_TRUE(back.MonthEntries(2024, 3, QTimeZone::utc()).isEmpty());
}
