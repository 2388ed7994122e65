// Printing to files, whole process: a year of months as one PDF and one
// month as a PNG at 96 dpi, each beside the same work done by pcal and
// Ghostscript (`tools/build.sh bench` installs both; a comparison whose peer
// is missing is skipped). In-process: the drawing of the year's PDF alone, the
// month's picture and its PNG encoding.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "core/pagemapping.h"
#include "core/screen.h"
#include "imaging/pngwriter.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "print/pdfexport.h"
#include "print/pictureexport.h"
#include "richtext/twprtfstorage.h"

using namespace dayloom;

namespace {

QString programPath()
{
    const QString fromEnv = qEnvironmentVariable("DAYLOOM_PROGRAM");
    if (!fromEnv.isEmpty())
        return fromEnv;
    return QFileInfo(QCoreApplication::applicationDirPath() + QStringLiteral("/../dayloom")).absoluteFilePath();
}

// A January 2027 month with a line of text in each of its 31 days.
void fillMonth(TCalendarPanel32& page)
{
    page.SetCalendarLayout(LOFullCalendarLS);
    page.SetMainCalMonth(1);
    page.SetMainCalYear(2027);
    for (int day = 1; day <= 31; ++day) {
        TWPRtfStorage s;
        s.SetRtfText(QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs18 Appointment ") + QByteArray::number(day) +
                     "\\par}");
        page.SetCellText(page.DayCell(day), s);
    }
}

struct Fixture {
    QTemporaryDir dir;
    QString document;
    Fixture()
    {
        TCalendarPanel32 page;
        fillMonth(page);
        document = dir.filePath(QStringLiteral("Month.DLF"));
        CalendarDocument::SaveToFile(page, document);
    }
};

bool runOnce(const QString& program, const QStringList& args, benchmark::State& state)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        p.kill();
        p.waitForFinished();
        state.SkipWithError("the command failed");
        return false;
    }
    return true;
}

bool havePeers(benchmark::State& state)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pcal")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty()) {
        state.SkipWithError("pcal or gs is not installed (tools/build.sh bench installs them)");
        return false;
    }
    return true;
}

void BM_YearPdfWholeProcess(benchmark::State& state)
{
    Fixture f;
    const QString out = f.dir.filePath(QStringLiteral("Year.pdf"));
    for (auto _ : state)
        if (!runOnce(programPath(), {"--program-dir", f.dir.path(), "--export", out, "--months", "12", f.document},
                     state))
            break;
}

void BM_PeerPcalGsYearPdf(benchmark::State& state)
{
    if (!havePeers(state))
        return;
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("Year.pdf"));
    const QString command = QStringLiteral("pcal -l 1 2027 12 | gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pdfwrite "
                                           "-sOutputFile=%1 -")
                                .arg(out);
    for (auto _ : state)
        if (!runOnce(QStringLiteral("/bin/sh"), {"-c", command}, state))
            break;
}

void BM_MonthPngWholeProcess(benchmark::State& state)
{
    Fixture f;
    const QString out = f.dir.filePath(QStringLiteral("Month.png"));
    for (auto _ : state)
        if (!runOnce(programPath(), {"--program-dir", f.dir.path(), "--export", out, "--dpi", "96", f.document},
                     state))
            break;
}

void BM_PeerPcalGsMonthPng(benchmark::State& state)
{
    if (!havePeers(state))
        return;
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("Month.png"));
    const QString command =
        QStringLiteral("pcal -l 1 2027 | gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=png16m -r96 -sOutputFile=%1 -")
            .arg(out);
    for (auto _ : state)
        if (!runOnce(QStringLiteral("/bin/sh"), {"-c", command}, state))
            break;
}

// The drawing of the year's PDF in this process (no start-up).
void BM_YearPdfDrawing(benchmark::State& state)
{
    SetScreenPPI(96);
    TCalendarPanel32 page;
    fillMonth(page);
    PrintJobOptions options;
    options.Count = 12;
    for (auto _ : state) {
        const QByteArray pdf = PdfExport::Render(page, options);
        benchmark::DoNotOptimize(pdf.size());
    }
}

// The month's 96 dpi picture (as --dpi 96 paints it) and its PNG encoding
// alone, on one thread and on every processor (argument 0).
void BM_MonthPicture(benchmark::State& state)
{
    SetScreenPPI(96);
    TCalendarPanel32 page;
    fillMonth(page);
    const PageMapping mapping = PageMapping::Bitmap(96, page.Layout().PPI);
    for (auto _ : state)
        benchmark::DoNotOptimize(PictureExport::CalendarPicture(page, mapping).width());
}

void BM_MonthPngEncoding(benchmark::State& state)
{
    SetScreenPPI(96);
    TCalendarPanel32 page;
    fillMonth(page);
    const QImage picture = PictureExport::CalendarPicture(page, PageMapping::Bitmap(96, page.Layout().PPI));
    const int threads = int(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(PngWriter::Encode(picture, 96, threads).size());
}

void wholeProcess(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_YearPdfWholeProcess)->Apply(wholeProcess);
BENCHMARK(BM_PeerPcalGsYearPdf)->Apply(wholeProcess);
BENCHMARK(BM_MonthPngWholeProcess)->Apply(wholeProcess);
BENCHMARK(BM_PeerPcalGsMonthPng)->Apply(wholeProcess);
BENCHMARK(BM_YearPdfDrawing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MonthPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MonthPngEncoding)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
