// Reading iCalendar files and expanding their events over a month. Expected
// days and times are worked out here with QDate and QTimeZone arithmetic,
// never with libical.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <tuple>

#include <QDate>
#include <QMap>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include "common/testutil.h"
#include "ical/icalendarfile.h"

using namespace dayloom;

// Readable failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QDateTime& t, std::ostream* os) { *os << t.toString(Qt::ISODate).toStdString(); }
QT_END_NAMESPACE

namespace {

QByteArray calendar(const QByteArray& body)
{
    QByteArray text = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Dayloom tests//EN\n" + body +
                      "END:VCALENDAR\n";
    return text.replace("\n", "\r\n");
}

// A VEVENT of the given lines, with a UID of its own unless they have one.
QByteArray event(const QByteArray& lines)
{
    const QByteArray uid = lines.contains("UID:") ? QByteArray()
                                                  : "UID:" + QByteArray::number(qHash(lines)) + "\n";
    return "BEGIN:VEVENT\n" + uid + lines + "END:VEVENT\n";
}

ICalendarFile fixture(const char* name)
{
    return ICalendarFile::FromBytes(test::ReadFile(test::DataPath(QStringLiteral("ical/") + QLatin1String(name))));
}

// (day, paragraph) pairs, the form every expectation below takes.
using Day = std::pair<int, QString>;

QList<Day> days(const QList<ICalendarDayEntry>& entries)
{
    QList<Day> out;
    for (const ICalendarDayEntry& e : entries)
        out.append({e.Day, e.Paragraph()});
    return out;
}

QString at(const QTime& t) { return QLocale().toString(t, QLocale::ShortFormat) + u' '; }

// A wall time of one zone as the clock of another shows it.
QDateTime shown(const QDate& d, const QTime& t, const char* from, const char* to)
{
    return QDateTime(d, t, QTimeZone(from)).toTimeZone(QTimeZone(to));
}

// A timed entry: where an event at wall time (d, t) in zone `from` lands
// for a user in zone `to`.
Day timed(const QDate& d, const QTime& t, const char* from, const char* to, const QString& summary)
{
    const QDateTime local = shown(d, t, from, to);
    return {local.date().day(), at(local.time()) + summary};
}

QString errorOf(const QByteArray& bytes)
{
    try {
        ICalendarFile::FromBytes(bytes);
    } catch (const ICalendarError& e) {
        return e.reason();
    }
    return QString();
}

class ScopedTz {
public:
    explicit ScopedTz(const char* zone) : m_old(qgetenv("TZ")), m_had(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ScopedTz()
    {
        if (m_had)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    QByteArray m_old;
    bool m_had;
};

}  // namespace

TEST(ICalendarRead, RefusesWhatIsNotICalendarAndEveryTruncationWithAReason)
{
    for (const QByteArray& bad :
         {QByteArray(), QByteArray("hello world\n"), QByteArray("BEGIN:VCARD\r\nFN:Eva\r\nEND:VCARD\r\n"),
          QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:x\0y\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n", 65)})
        EXPECT_FALSE(errorOf(bad).isEmpty()) << bad.constData();

    // Cut anywhere before its last line, a real export is refused.
    const QByteArray whole = test::ReadFile(test::DataPath("ical/google.ics"));
    ASSERT_TRUE(errorOf(whole).isEmpty());
    const qsizetype lastLine = whole.lastIndexOf("END:VCALENDAR");
    for (qsizetype cut = 1; cut < lastLine; cut += 37)
        EXPECT_FALSE(errorOf(whole.left(cut)).isEmpty()) << "cut at " << cut;

    // A byte-order mark and LF line ends are fine.
    EXPECT_TRUE(errorOf("\xEF\xBB\xBF" + QByteArray(whole).replace("\r\n", "\n")).isEmpty());
}

TEST(ICalendarRead, RefusesFilesOverTheLimitsBeforeParsing)
{
    QByteArray many;
    for (int i = 0; i <= kMaxICalendarComponents; ++i)
        many += "BEGIN:X-A\r\nEND:X-A\r\n";
    EXPECT_NE(errorOf(calendar(many)).indexOf("100,000"), -1) << errorOf(calendar(many)).toStdString();

    QByteArray deep;
    for (int i = 0; i < kMaxICalendarNesting + 1; ++i)
        deep += "BEGIN:X-A\r\n";
    EXPECT_NE(errorOf(calendar(deep)).indexOf("nested"), -1);

    QTemporaryDir dir;
    QFile big(dir.filePath("big.ics"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(kMaxICalendarBytes + 1));
    big.close();
    try {
        ICalendarFile::FromFile(big.fileName());
        ADD_FAILURE() << "a file over 50 MB was read";
    } catch (const ICalendarError& e) {
        EXPECT_EQ(e.reason(), QStringLiteral("the file is larger than 50 MB"));
    }
    EXPECT_THROW(ICalendarFile::FromFile(dir.filePath("missing.ics")), ICalendarError);
    EXPECT_EQ(ICalendarImportFailure("/x/a.ics", "why"), QStringLiteral("Unable to import /x/a.ics: why"));
}

TEST(ICalendarExpand, GoogleExportInThreeZones)
{
    const ICalendarFile file = fixture("google.ics");
    // The stand-up, the moved stand-up, the concert, the birthday, the trip.
    EXPECT_EQ(file.EventCount(), 5);
    const QString standUp = QStringLiteral("Team stand-up");
    const QString concert = QString::fromUtf8("Concert: Dvořák, Smetana & Janáček");
    const QString trip = QString::fromUtf8("Easter trip to Kraków 🚆");
    const QString birthday = QStringLiteral("Anna's birthday");

    for (const char* user : {"Europe/Berlin", "America/New_York", "Asia/Tokyo"}) {
        SCOPED_TRACE(user);
        QList<Day> expected;
        // All-day dates stand as written, whatever the zone.
        expected << Day{12, birthday} << Day{29, trip} << Day{30, trip} << Day{31, trip};
        // Mondays and Wednesdays at 9:00 Berlin time, without the 11th; the
        // 13th moved to the 14th at 14:00.
        for (int d : {4, 6, 18, 20, 25, 27})
            expected << timed(QDate(2024, 3, d), QTime(9, 0), "Europe/Berlin", user, standUp);
        expected << timed(QDate(2024, 3, 14), QTime(14, 0), "Europe/Berlin", user,
                          standUp + QStringLiteral(" (moved)"));
        expected << timed(QDate(2024, 3, 15), QTime(17, 0), "UTC", user, concert);
        std::stable_sort(expected.begin(), expected.end(), [](const Day& a, const Day& b) {
            return a.first < b.first;
        });
        EXPECT_EQ(days(file.MonthEntries(2024, 3, QTimeZone(user))), expected);
    }
    // Between the two clock changes New York is five hours behind Berlin,
    // otherwise six: the 18th shows 4:00, the 6th 3:00.
    const QList<Day> newYork = days(file.MonthEntries(2024, 3, QTimeZone("America/New_York")));
    EXPECT_TRUE(newYork.contains(Day{18, at(QTime(4, 0)) + standUp}));
    EXPECT_TRUE(newYork.contains(Day{6, at(QTime(3, 0)) + standUp}));
    // The trip's last two days fall in April.
    QList<Day> april;
    for (const Day& d : days(file.MonthEntries(2024, 4, QTimeZone("Europe/Berlin"))))
        if (d.second == trip)
            april << d;
    EXPECT_EQ(april, (QList<Day>{{1, trip}, {2, trip}}));
}

TEST(ICalendarExpand, ThunderbirdExportFoldedNightEventsAndNoTasks)
{
    const ICalendarFile file = fixture("thunderbird.ics");
    const QString call = QStringLiteral(
        "Call with the New York office about the spring catalogue, prices and the new printing schedule");
    const QString flight = QString::fromUtf8("Night flight NYC → Zürich");
    const QString clocks = QStringLiteral("Clocks change: New York spring-forward check");
    const QString garden = QStringLiteral("Garden club");

    // In New York the flight shows its time on the 8th and its name alone on
    // the 9th; the 12th's garden club is excluded and UNTIL ends the series
    // after the 26th.
    EXPECT_EQ(days(file.MonthEntries(2024, 3, QTimeZone("America/New_York"))),
              (QList<Day>{{5, at(QTime(18, 0)) + garden},
                          {7, at(QTime(19, 0)) + call},
                          {8, at(QTime(21, 30)) + flight},
                          {9, flight},
                          {10, at(QTime(1, 0)) + clocks},
                          {19, at(QTime(18, 0)) + garden},
                          {26, at(QTime(18, 0)) + garden}}));

    // In Berlin the same events move to other days and hours.
    // From the 10th the club meets 23:00 to 0:30 in Berlin: the next day
    // shows its name alone.
    QList<Day> expected{
        {20, garden},
        {27, garden},
        timed(QDate(2024, 3, 5), QTime(18, 0), "America/New_York", "Europe/Berlin", garden),
        timed(QDate(2024, 3, 7), QTime(19, 0), "America/New_York", "Europe/Berlin", call),
        timed(QDate(2024, 3, 8), QTime(21, 30), "America/New_York", "Europe/Berlin", flight),
        timed(QDate(2024, 3, 10), QTime(1, 0), "America/New_York", "Europe/Berlin", clocks),
        timed(QDate(2024, 3, 19), QTime(18, 0), "America/New_York", "Europe/Berlin", garden),
        timed(QDate(2024, 3, 26), QTime(18, 0), "America/New_York", "Europe/Berlin", garden)};
    std::stable_sort(expected.begin(), expected.end(), [](const Day& a, const Day& b) {
        return a.first != b.first ? a.first < b.first : a.second < b.second;
    });
    QList<Day> berlin = days(file.MonthEntries(2024, 3, QTimeZone("Europe/Berlin")));
    std::stable_sort(berlin.begin(), berlin.end(), [](const Day& a, const Day& b) {
        return a.first != b.first ? a.first < b.first : a.second < b.second;
    });
    EXPECT_EQ(berlin, expected);
    EXPECT_EQ(expected[0].first, 6);  // 18:00 in New York is midnight in Berlin
}

TEST(ICalendarExpand, OutlookExportWindowsZonesSetPositionsAndCounts)
{
    const ICalendarFile file = fixture("outlook.ics");
    EXPECT_EQ(file.EventCount(), 3);  // the cancelled one does not count
    // Second Tuesday; yearly on the 12th; six Mondays from 26 February, the
    // 11 March one excluded (it still counts towards the six).
    EXPECT_EQ(days(file.MonthEntries(2024, 3, QTimeZone("Europe/Berlin"))),
              (QList<Day>{{4, at(QTime(8, 30)) + "Yoga"},
                          {12, QString::fromUtf8("Hochzeitstag Jiří & Eva")},
                          {12, at(QTime(10, 0)) + QString::fromUtf8("Abteilungsrunde – Quartal & Budget")},
                          {18, at(QTime(8, 30)) + "Yoga"},
                          {25, at(QTime(8, 30)) + "Yoga"}}));
    const QList<Day> april = days(file.MonthEntries(2024, 4, QTimeZone("Europe/Berlin")));
    EXPECT_TRUE(april.contains(Day{1, at(QTime(8, 30)) + "Yoga"}));
    EXPECT_FALSE(days(file.MonthEntries(2024, 5, QTimeZone("Europe/Berlin"))).contains(Day{6, at(QTime(8, 30)) + "Yoga"}));
    // New York is six hours behind until its clocks change on the 10th,
    // then five until Europe's change on the 31st.
    const QList<Day> ny = days(file.MonthEntries(2024, 3, QTimeZone("America/New_York")));
    EXPECT_TRUE(ny.contains(Day{4, at(QTime(2, 30)) + "Yoga"}));
    EXPECT_TRUE(ny.contains(Day{18, at(QTime(3, 30)) + "Yoga"}));
}

TEST(ICalendarExpand, ZoneNamesFromTheSystemDatabaseWindowsAndPrefixedNamesAndFloatingTimes)
{
    const ICalendarFile file = ICalendarFile::FromBytes(calendar(
        event("DTSTART;TZID=Tokyo Standard Time:20240305T090000\nSUMMARY:windows\n") +
        event("DTSTART;TZID=/mozilla.org/20050126_1/Asia/Tokyo:20240306T090000\nSUMMARY:prefixed\n") +
        event("DTSTART;TZID=Asia/Tokyo:20240307T090000\nSUMMARY:system\n") +
        event("DTSTART;TZID=Nowhere/Atlantis:20240308T090000\nSUMMARY:unknown\n") +
        event("DTSTART:20240309T090000\nSUMMARY:floating\n")));
    // 9:00 in Tokyo is 1:00 in Berlin (UTC+1 in March, Tokyo UTC+9); an
    // unknown zone and a floating time are the user's own wall time.
    const QList<ICalendarDayEntry> berlin = file.MonthEntries(2024, 3, QTimeZone("Europe/Berlin"));
    // The locale's short time format, seconds left out where it has them.
    EXPECT_EQ(berlin.first().Paragraph(QLocale::c()), QStringLiteral("01:00 windows"));
    EXPECT_EQ(berlin.first().Paragraph(QLocale(QLocale::German)), QStringLiteral("01:00 windows"));
    EXPECT_EQ(berlin.first().Paragraph(QLocale(QLocale::English, QLocale::UnitedStates)),
              QLocale(QLocale::English, QLocale::UnitedStates).toString(QTime(1, 0), QLocale::ShortFormat) +
                  QStringLiteral(" windows"));
    EXPECT_EQ(days(berlin),
              (QList<Day>{{5, at(QTime(1, 0)) + "windows"},
                          {6, at(QTime(1, 0)) + "prefixed"},
                          {7, at(QTime(1, 0)) + "system"},
                          {8, at(QTime(9, 0)) + "unknown"},
                          {9, at(QTime(9, 0)) + "floating"}}));
}

TEST(ICalendarExpand, TheUsersZoneIsTheSystemsFromTZ)
{
    const ICalendarFile file = ICalendarFile::FromBytes(
        calendar(event("DTSTART:20240310T063000Z\nDURATION:PT1H\nSUMMARY:Run\n") +
                 event("DTSTART;VALUE=DATE:20240310\nSUMMARY:Sunday\n")));
    {
        ScopedTz tz("America/Los_Angeles");
        // 6:30 UTC is 22:30 on the 9th in Los Angeles (still standard time).
        EXPECT_EQ(days(file.MonthEntries(2024, 3)),
                  (QList<Day>{{9, at(QTime(22, 30)) + "Run"}, {10, "Sunday"}}));
    }
    {
        ScopedTz tz("Australia/Sydney");
        EXPECT_EQ(days(file.MonthEntries(2024, 3)),
                  (QList<Day>{{10, "Sunday"}, {10, at(QTime(17, 30)) + "Run"}}));
    }
}

TEST(ICalendarExpand, RulesAgreeWithDateArithmeticOverTwoYears)
{
    struct Case {
        const char* rule;
        QDate start;
        std::function<bool(const QDate&)> falls;
    };
    auto lastWeekday = [](const QDate& d, int qtWeekday) {
        return d.dayOfWeek() == qtWeekday && d.addDays(7).month() != d.month();
    };
    auto nthWeekday = [](const QDate& d, int qtWeekday, int n) {
        return d.dayOfWeek() == qtWeekday && (d.day() - 1) / 7 + 1 == n;
    };
    const QDate s2019(2019, 1, 1);
    const std::vector<Case> cases = {
        {"FREQ=DAILY;INTERVAL=3", QDate(2019, 5, 17),
         [](const QDate& d) { return QDate(2019, 5, 17).daysTo(d) % 3 == 0; }},
        {"FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,TH", QDate(2019, 1, 1),
         [&](const QDate& d) {
             const qint64 week = (s2019.daysTo(d) + 1) / 7;  // weeks start on Monday 31 Dec 2018
             return (d.dayOfWeek() == 2 || d.dayOfWeek() == 4) && week % 2 == 0;
         }},
        {"FREQ=MONTHLY;BYDAY=-1FR", QDate(2019, 1, 25), [&](const QDate& d) { return lastWeekday(d, 5); }},
        {"FREQ=MONTHLY;BYMONTHDAY=31", QDate(2019, 1, 31), [](const QDate& d) { return d.day() == 31; }},
        {"FREQ=MONTHLY;BYMONTHDAY=-1", QDate(2019, 1, 31),
         [](const QDate& d) { return d.day() == d.daysInMonth(); }},
        {"FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29", QDate(2016, 2, 29),
         [](const QDate& d) { return d.month() == 2 && d.day() == 29; }},
        {"FREQ=YEARLY;BYMONTH=11;BYDAY=4TH", QDate(2018, 11, 22),
         [&](const QDate& d) { return d.month() == 11 && nthWeekday(d, 4, 4); }},
        {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", QDate(2019, 1, 31),
         [](const QDate& d) {
             QDate last(d.year(), d.month(), d.daysInMonth());
             while (last.dayOfWeek() > 5)
                 last = last.addDays(-1);
             return d == last;
         }},
        {"FREQ=MONTHLY;INTERVAL=5;BYDAY=2SA", QDate(2019, 3, 9),
         [&](const QDate& d) {
             const int months = (d.year() - 2019) * 12 + d.month() - 3;
             return months % 5 == 0 && nthWeekday(d, 6, 2);
         }},
        {"FREQ=DAILY;COUNT=400", QDate(2024, 2, 1),
         [](const QDate& d) { return QDate(2024, 2, 1).daysTo(d) < 400; }},
        {"FREQ=WEEKLY;UNTIL=20250316;BYDAY=SU", QDate(2019, 1, 6),
         [](const QDate& d) { return d.dayOfWeek() == 7 && d <= QDate(2025, 3, 16); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        const ICalendarFile file = ICalendarFile::FromBytes(calendar(event(
            "DTSTART;VALUE=DATE:" + c.start.toString("yyyyMMdd").toLatin1() + "\nRRULE:" + c.rule +
            "\nSUMMARY:x\n")));
        for (int year : {2024, 2025}) {
            for (int month = 1; month <= 12; ++month) {
                QList<int> expected;
                for (int day = 1; day <= QDate(year, month, 1).daysInMonth(); ++day) {
                    const QDate d(year, month, day);
                    if (d >= c.start && c.falls(d))
                        expected << day;
                }
                QList<int> got;
                for (const ICalendarDayEntry& e : file.MonthEntries(year, month, QTimeZone::utc()))
                    got << e.Day;
                EXPECT_EQ(got, expected) << year << "-" << month;
            }
        }
    }
}

TEST(ICalendarExpand, RulesWithinADayKeepTheirPhaseAcrossDays)
{
    // Every 5 hours from 1 January 00:10: 1 March is 1440 hours later, so
    // the first of that day is at 00:10 again; 2 March starts at 01:10.
    // Every 97 minutes from 2 January 03:00: a new minute each day.
    const ICalendarFile file = ICalendarFile::FromBytes(calendar(
        event("DTSTART:20240101T001000Z\nRRULE:FREQ=HOURLY;INTERVAL=5\nSUMMARY:h\n") +
        event("DTSTART:20240102T030000Z\nRRULE:FREQ=MINUTELY;INTERVAL=97\nSUMMARY:m\n")));
    QMap<QString, QList<QDateTime>> got, expected;
    for (const ICalendarDayEntry& e : file.MonthEntries(2024, 3, QTimeZone::utc()))
        got[e.Summary] << QDateTime(QDate(2024, 3, e.Day), e.Start, Qt::UTC);
    for (auto [summary, origin, step] :
         {std::tuple{QStringLiteral("h"), QDateTime(QDate(2024, 1, 1), QTime(0, 10), Qt::UTC), 5 * 3600},
          std::tuple{QStringLiteral("m"), QDateTime(QDate(2024, 1, 2), QTime(3, 0), Qt::UTC), 97 * 60}}) {
        for (QDateTime t = origin; t.date() < QDate(2024, 4, 1); t = t.addSecs(step))
            if (t.date().month() == 3)
                expected[summary] << t;
    }
    EXPECT_EQ(got, expected);
    EXPECT_EQ(expected["h"].first().time(), QTime(0, 10));
    EXPECT_EQ(expected["h"][5].time(), QTime(1, 10));
}

TEST(ICalendarExpand, ExcludedExtraAndMovedInstances)
{
    const ICalendarFile file = ICalendarFile::FromBytes(calendar(
        // Daily at 8:00 UTC; the 3rd excluded in another zone's words, the
        // 5th excluded by a date, the 7th moved to the 8th at 12:00 with a
        // new name, the 9th cancelled, plus an extra date on the 20th with
        // its own period.
        event("DTSTART:20240301T080000Z\nDTEND:20240301T083000Z\nRRULE:FREQ=DAILY;COUNT=10\n"
              "EXDATE;TZID=Europe/Berlin:20240303T090000\nEXDATE;VALUE=DATE:20240305\n"
              "RDATE;VALUE=PERIOD:20240320T060000Z/20240320T070000Z\nSUMMARY:Daily\nUID:series-1\n") +
        "BEGIN:VEVENT\nUID:series-1\nRECURRENCE-ID:20240307T080000Z\nDTSTART:20240308T120000Z\n"
        "SUMMARY:Daily (moved)\nEND:VEVENT\n"
        "BEGIN:VEVENT\nUID:series-1\nRECURRENCE-ID:20240309T080000Z\nSTATUS:CANCELLED\n"
        "SUMMARY:Daily\nEND:VEVENT\n"
        // A moved instance whose series is not in the file stands alone.
        "BEGIN:VEVENT\nUID:elsewhere\nRECURRENCE-ID:20240301T080000Z\nDTSTART:20240311T080000Z\n"
        "SUMMARY:Orphan\nEND:VEVENT\n"));
    const QString daily = at(QTime(8, 0)) + "Daily";
    EXPECT_EQ(days(file.MonthEntries(2024, 3, QTimeZone::utc())),
              (QList<Day>{{1, daily},
                          {2, daily},
                          {4, daily},
                          {6, daily},
                          {8, daily},
                          {8, at(QTime(12, 0)) + "Daily (moved)"},
                          {10, daily},
                          {11, at(QTime(8, 0)) + "Orphan"},
                          {20, at(QTime(6, 0)) + "Daily"}}));
}

TEST(ICalendarExpand, EventsCrossingMonthEdgesAppearOnEveryDayTheyCover)
{
    const ICalendarFile file = ICalendarFile::FromBytes(calendar(
        event("DTSTART;VALUE=DATE:20240130\nDTEND;VALUE=DATE:20240203\nSUMMARY:Fair\n") +
        event("DTSTART:20240228T220000Z\nDTEND:20240301T020000Z\nSUMMARY:Night shift\n") +
        event("DTSTART:20240229T230000Z\nDTEND:20240301T000000Z\nSUMMARY:Ends at midnight\n") +
        event("DTSTART;VALUE=DATE:20231215\nDURATION:P100D\nSUMMARY:Season\n") +
        // Friday to Monday every week: the weekend of 29 February reaches
        // into March, the one of 29 March into April.
        event("DTSTART;VALUE=DATE:20240202\nDTEND;VALUE=DATE:20240206\nRRULE:FREQ=WEEKLY\nSUMMARY:Away\n")));
    auto cover = [&](int year, int month, const QString& summary) {
        QList<int> out;
        for (const ICalendarDayEntry& e : file.MonthEntries(year, month, QTimeZone::utc()))
            if (e.Summary == summary)
                out << e.Day;
        return out;
    };
    EXPECT_EQ(cover(2024, 1, "Fair"), (QList<int>{30, 31}));
    EXPECT_EQ(cover(2024, 2, "Fair"), (QList<int>{1, 2}));
    EXPECT_EQ(cover(2024, 2, "Night shift"), (QList<int>{28, 29}));
    EXPECT_EQ(cover(2024, 3, "Night shift"), (QList<int>{1}));
    EXPECT_EQ(cover(2024, 3, "Ends at midnight"), QList<int>());
    QList<int> season;
    for (int d = 1; d <= 23; ++d)  // 15 December + 100 days = 24 March, exclusive
        season << d;
    EXPECT_EQ(cover(2024, 3, "Season"), season);

    // Independently: every day d of March for which some Friday f with
    // f <= d < f + 4 lies on or after 2 February.
    QList<int> away;
    for (int d = 1; d <= 31; ++d) {
        const QDate day(2024, 3, d);
        for (int back = 0; back < 4; ++back) {
            const QDate f = day.addDays(-back);
            if (f.dayOfWeek() == 5 && f >= QDate(2024, 2, 2))
                away << d;
        }
    }
    EXPECT_EQ(cover(2024, 3, "Away"), away);
    EXPECT_EQ(away.first(), 1);

    // The first day shows the time, later days the name alone; a timed
    // event's later day comes after the all-day ones, before other timed ones.
    const QList<Day> march = days(file.MonthEntries(2024, 3, QTimeZone::utc()));
    EXPECT_EQ(march.mid(0, 3), (QList<Day>{{1, "Season"}, {1, "Away"}, {1, "Night shift"}}));
    EXPECT_EQ(days(file.MonthEntries(2024, 2, QTimeZone::utc())).last(),
              (Day{29, at(QTime(23, 0)) + "Ends at midnight"}));
}

TEST(ICalendarExpand, TextIsUnescapedUnfoldedAndDecoded)
{
    QByteArray body = event("DTSTART;VALUE=DATE:20240301\nSUMMARY:Lunch\\, then\\; talk\\\\notes\\nsecond line\n") +
                      event("DTSTART;VALUE=DATE:20240302\nSUMMARY:A very long summary that a calendar program\n  folds over two lines\n") +
                      event("DTSTART;VALUE=DATE:20240303\nSUMMARY:Caf\xE9 \x80 5\n") +
                      event("DTSTART;VALUE=DATE:20240304\nSUMMARY:   \n") +
                      event("DTSTART;VALUE=DATE:20240305\nSUMMARY:Sorted later\nSTATUS:CANCELLED\n") +
                      "BEGIN:VTODO\nUID:t\nDTSTART;VALUE=DATE:20240306\nSUMMARY:Task\nEND:VTODO\n";
    const ICalendarFile file = ICalendarFile::FromBytes(calendar(body));
    EXPECT_EQ(days(file.MonthEntries(2024, 3, QTimeZone::utc())),
              (QList<Day>{{1, "Lunch, then; talk\\notes second line"},
                          {2, "A very long summary that a calendar program folds over two lines"},
                          {3, QString::fromUtf8("Café € 5")}}));
}

TEST(ICalendarExpand, UnboundedAndImpossibleRulesStayWithinTheMonth)
{
    const ICalendarFile file = ICalendarFile::FromBytes(calendar(
        event("DTSTART:20000101T000000Z\nRRULE:FREQ=SECONDLY\nSUMMARY:every second\n") +
        event("DTSTART:20000101T000000Z\nRRULE:FREQ=MINUTELY;BYMONTH=2;BYMONTHDAY=30\nSUMMARY:never\n") +
        event("DTSTART:20000101T000000Z\nRRULE:FREQ=SECONDLY;BYMONTHDAY=30;BYMONTH=2;COUNT=5\nSUMMARY:never either\n") +
        event("DTSTART;VALUE=DATE:00010101\nRRULE:FREQ=DAILY;BYMONTH=2;BYMONTHDAY=31\nSUMMARY:no day\n") +
        event("DTSTART:19900101T000000Z\nRRULE:FREQ=SECONDLY;COUNT=2000000000\nSUMMARY:counted\n") +
        event("DTSTART;VALUE=DATE:20240301\nRRULE:FREQ=HOURLY\nSUMMARY:hourly on a date\n") +
        event("DTSTART;VALUE=DATE:20240302\nSUMMARY:plain\n") +
        // Every second since 2000, each lasting 25 years: every one covers
        // all of March 2024.
        event("DTSTART:20000101T000000Z\nDURATION:P9200D\nRRULE:FREQ=SECONDLY\nSUMMARY:long\n")));
    int seconds = 0, plain = 0, others = 0;
    QMap<int, int> longPerDay;
    for (const ICalendarDayEntry& e : file.MonthEntries(2024, 3, QTimeZone::utc())) {
        if (e.Summary == "long")
            ++longPerDay[e.Day];
        else if (e.Summary == "every second")
            ++seconds;
        else if (e.Summary == "plain" || e.Summary == "hourly on a date")
            ++plain;
        else
            ++others;
    }
    EXPECT_GT(seconds, 0);
    EXPECT_LE(seconds, 100 * 31);
    EXPECT_EQ(plain, 2);
    EXPECT_EQ(others, 0);
    // At most 100 entries of one event a day.
    EXPECT_EQ(longPerDay.size(), 31);
    for (int n : longPerDay)
        EXPECT_EQ(n, 100);
}
