// Time from starting the program to the first paint of its main window, on
// the offscreen platform: the program is run with the hidden switch that
// makes it leave right after that paint.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

QString programPath()
{
    const QString fromEnv = qEnvironmentVariable("DAYLOOM_PROGRAM");
    if (!fromEnv.isEmpty())
        return fromEnv;
    return QFileInfo(QCoreApplication::applicationDirPath() + QStringLiteral("/../dayloom"))
        .absoluteFilePath();
}

void BM_StartToFirstPaint(benchmark::State& state)
{
    QTemporaryDir programDir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("DAYLOOM_QUIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
    const QString program = programPath();
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, {QStringLiteral("--program-dir"), programDir.path()});
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            p.kill();
            p.waitForFinished();
            state.SkipWithError("the program did not finish after its first paint");
            break;
        }
    }
}
BENCHMARK(BM_StartToFirstPaint)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(21)
    ->ReportAggregatesOnly(true);

}  // namespace
