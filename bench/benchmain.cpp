// The main of every benchmark program: an offscreen GUI application at 96
// pixels per inch (the tests' screen), then Google Benchmark's own run.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "core/screen.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    dayloom::SetScreenPPI(96);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
