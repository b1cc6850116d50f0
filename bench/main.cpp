// The benchmarks' main. The widget benchmarks' QApplication is made when the first of them
// runs and destroyed at the end of main, while Qt's own global state still exists.
#include "BenchApp.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<QApplication> application;
// Qt gets the program name only: every other argument is the benchmark library's.
int qtArgc = 1;
char* qtArgv[] = {nullptr, nullptr};

} // namespace

void EnsureBenchApplication()
{
    if (!application)
        application = std::make_unique<QApplication>(qtArgc, qtArgv);
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qtArgv[0] = argv[0];
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    application.reset();
    benchmark::Shutdown();
    return 0;
}
