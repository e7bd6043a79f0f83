// The program offscreen with sixteen simulated axes: how long opening all
// sixteen panels through the axis buttons takes, the resident memory
// afterwards (also with a live trace drawn by Qt Charts), and the processor
// share while the active panel polls.
// Run on demand: build/bench/bench_panels [poll seconds]
#include "PanelRig.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings; // the user's own settings stay untouched
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    const int pollSeconds = argc > 1 ? std::atoi(argv[1]) : 10;

    RecordingOperator op;
    const std::unique_ptr<CMainFrame> main = showMainFrame(op);
    CMainFrame& frame = *main;

    QElapsedTimer t;
    t.start();
    if (!openAllPanels(frame)) {
        std::fprintf(stderr, "only %lld panels opened\n", qlonglong(frame.panels().size()));
        return 1;
    }
    const double openMs = double(t.nsecsElapsed()) / 1e6;
    QCoreApplication::processEvents();
    std::printf("open 16 panels: %.0f ms (%.0f ms each)\n", openMs, openMs / 16);
    std::printf("resident memory after: %.1f MB (goal <= 80 MB)\n", residentMb());
    // The plot library at work: the active panel's live trace drawn.
    frame.openTrace();
    QCoreApplication::processEvents();
    std::printf("resident memory with the live trace open (Qt Charts): %.1f MB (goal <= 80 MB)\n",
                residentMb());

    // Let the active panel poll; the simulated bus runs in this process too
    // and is counted with it.
    QTimer::singleShot(1000, &app, &QCoreApplication::quit); // settle
    app.exec();
    const double cpu0 = processCpuMs();
    t.restart();
    QTimer::singleShot(pollSeconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    const double share = 100.0 * (processCpuMs() - cpu0) / double(t.elapsed());
    std::printf("processor while polling: %.2f %% of one core over %d s (goal <= 2 %%), "
                "program and simulated bus together\n",
                share, pollSeconds);
    std::printf("messages shown: %d\n", op.messages);
    return op.messages == 0 ? 0 : 1;
}
