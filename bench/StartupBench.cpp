// The program's start as its users wait for it: from exec of mervane with a calendar file to the
// first paint of its page, as a whole process (library loading, fonts, windows, the file). Runs on
// the platform of its environment: offscreen without a display, the X server with one (run it
// under xvfb-run for a figure without a desktop's compositor).

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <benchmark/benchmark.h>

namespace {

void BM_ExecToFirstPaint(benchmark::State& state)
{
    const QString bin = QCoreApplication::applicationDirPath();
    const QString program = bin + "/mervane";
    const QString calendar = bin + "/samples/Sample.MVF";
    // A user name of its own: a Mervane the user has open would otherwise take the file over.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("MERVANE_REPORT_FIRST_PAINT", "1");
    environment.insert("USER", "startup-bench-" + QString::number(QCoreApplication::applicationPid()));
    if (environment.value("DISPLAY").isEmpty() && environment.value("QT_QPA_PLATFORM").isEmpty())
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    state.SetLabel(environment.value("QT_QPA_PLATFORM", "xcb").toStdString());

    for (auto _ : state) {
        // A start right after the previous run's exit is slowed by what that exit left to do
        // (about 30 ms more here, under Xvfb): users start the program on a quiet machine, so
        // each run starts after a pause that is not timed.
        QThread::msleep(300);
        QProcess process;
        process.setProcessEnvironment(environment);
        QElapsedTimer timer;
        timer.start();
        process.start(program, {calendar});
        QByteArray output;
        while (!output.contains("first paint\n") && process.waitForReadyRead(10000))
            output += process.readAllStandardOutput();
        const double seconds = timer.nsecsElapsed() / 1e9;
        process.waitForFinished(10000);
        if (!output.contains("first paint\n")) {
            state.SkipWithError(("mervane did not paint its page: " + process.readAllStandardError()).constData());
            break;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_ExecToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
