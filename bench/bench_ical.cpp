// iCalendar import: a file of 5,000 events, 500 of them repeating, put into
// one month. The goal is the whole program run
//   dayloom --export out.dlf --import-ics FILE DOCUMENT
// in under 0.3 s; the steps inside it are measured on their own too.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "ical/icalendarfile.h"
#include "page/calendardocument.h"
#include "page/icalendarcells.h"
#include "page/tcalendarpanel32.h"
#include "richtext/richtextformat.h"

namespace {

using namespace dayloom;

// 4,500 single events over 2020-2027 (all-day, UTC and Berlin times, some
// over several days) and 500 series: weekly, monthly by weekday, yearly,
// daily with a count, some with excluded dates.
QByteArray bigCalendar()
{
    QRandomGenerator rng(20240301);
    QByteArray out =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Dayloom benchmark//EN\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
        "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nTZNAME:CEST\r\n"
        "DTSTART:19700329T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\n"
        "BEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\n"
        "DTSTART:19701025T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\n"
        "END:VTIMEZONE\r\n";
    const char* rules[] = {"FREQ=WEEKLY;BYDAY=MO,WE", "FREQ=MONTHLY;BYDAY=2TU", "FREQ=YEARLY",
                           "FREQ=DAILY;COUNT=60", "FREQ=WEEKLY;INTERVAL=2;BYDAY=FR",
                           "FREQ=MONTHLY;BYMONTHDAY=15"};
    for (int i = 0; i < 5000; ++i) {
        const QDate day = QDate(2020, 1, 1).addDays(rng.bounded(8 * 365));
        const QByteArray date = day.toString("yyyyMMdd").toLatin1();
        out += "BEGIN:VEVENT\r\nUID:bench-" + QByteArray::number(i) + "@dayloom.invalid\r\n"
               "DTSTAMP:20240101T000000Z\r\nSUMMARY:Event number " + QByteArray::number(i) +
               " with a summary of ordinary length\r\n";
        const int kind = i % 3;
        if (kind == 0) {
            out += "DTSTART;VALUE=DATE:" + date + "\r\nDTEND;VALUE=DATE:" +
                   day.addDays(1 + rng.bounded(3)).toString("yyyyMMdd").toLatin1() + "\r\n";
        } else if (kind == 1) {
            out += "DTSTART:" + date + "T" + QByteArray::number(100000 + rng.bounded(12) * 10000) +
                   "Z\r\nDURATION:PT1H30M\r\n";
        } else {
            out += "DTSTART;TZID=Europe/Berlin:" + date + "T" +
                   QByteArray::number(100000 + rng.bounded(10) * 10000) +
                   "\r\nDTEND;TZID=Europe/Berlin:" + date + "T220000\r\n";
        }
        if (i % 10 == 0) {
            out += QByteArray("RRULE:") + rules[(i / 10) % 6] + "\r\n";
            if (i % 30 == 0)
                out += "EXDATE;VALUE=DATE:" + day.addDays(14).toString("yyyyMMdd").toLatin1() + "\r\n";
        }
        out += "END:VEVENT\r\n";
    }
    out += "END:VCALENDAR\r\n";
    return out;
}

struct Fixture {
    QTemporaryDir dir;
    QString ics, document;
    QByteArray bytes;
    Fixture()
    {
        bytes = bigCalendar();
        ics = dir.filePath("big.ics");
        QFile f(ics);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.close();
        document = dir.filePath("March.DLF");
        TCalendarPanel32 page;
        page.SetMainCalYear(2024);
        page.SetMainCalMonth(3);
        CalendarDocument::SaveToFile(page, document);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

QString programPath()
{
    const QString fromEnv = qEnvironmentVariable("DAYLOOM_PROGRAM");
    if (!fromEnv.isEmpty())
        return fromEnv;
    return QFileInfo(QCoreApplication::applicationDirPath() + QStringLiteral("/../dayloom"))
        .absoluteFilePath();
}

void BM_ImportProcessToDlf(benchmark::State& state)
{
    Fixture& f = fixture();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), QStringLiteral("Europe/Berlin"));
    const QStringList args = {"--program-dir", f.dir.path(), "--export", f.dir.filePath("out.dlf"),
                              "--import-ics", f.ics, f.document};
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(programPath(), args);
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            p.kill();
            p.waitForFinished();
            state.SkipWithError("the import did not finish with exit code 0");
            break;
        }
    }
    state.counters["bytes"] = double(f.bytes.size());
}
BENCHMARK(BM_ImportProcessToDlf)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(11)
    ->ReportAggregatesOnly(true);

void BM_ReadFile(benchmark::State& state)
{
    const QByteArray& bytes = fixture().bytes;
    for (auto _ : state) {
        const ICalendarFile file = ICalendarFile::FromBytes(bytes);
        benchmark::DoNotOptimize(file.EventCount());
    }
}
BENCHMARK(BM_ReadFile)->Unit(benchmark::kMillisecond);

void BM_MonthEntries(benchmark::State& state)
{
    const ICalendarFile file = ICalendarFile::FromBytes(fixture().bytes);
    const QTimeZone berlin("Europe/Berlin");
    qsizetype n = 0;
    for (auto _ : state)
        n = file.MonthEntries(2024, 3, berlin).size();
    state.counters["entries"] = double(n);
}
BENCHMARK(BM_MonthEntries)->Unit(benchmark::kMillisecond);

void BM_PutIntoCells(benchmark::State& state)
{
    const ICalendarFile file = ICalendarFile::FromBytes(fixture().bytes);
    const QList<ICalendarDayEntry> entries = file.MonthEntries(2024, 3, QTimeZone("Europe/Berlin"));
    const QTextCharFormat format = CharFormatFor(QStringLiteral("Arial"), 10, 0, Qt::black);
    for (auto _ : state) {
        TCalendarPanel32 page;
        page.SetMainCalYear(2024);
        page.SetMainCalMonth(3);
        benchmark::DoNotOptimize(PutICalendarEntries(page, entries, 2024, 3, format).Placed);
    }
}
BENCHMARK(BM_PutIntoCells)->Unit(benchmark::kMillisecond);

}  // namespace
