// The program with sixteen simulated axes: how long opening all sixteen panels
// through the axis buttons takes, the resident memory afterwards (also with a
// live trace drawn by Qt Charts), and the processor share while the active
// panel polls (median, min and max over one-second windows). With a DISPLAY it
// runs on that X server and then once more offscreen, and says which is which;
// without one, offscreen only (which understates memory and processor share).
// Run on demand: build/bench/bench_panels [poll seconds]
#include "PanelRig.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <vector>

int main(int argc, char** argv) {
    // Asked for no platform: the X server when there is one, and offscreen after it.
    const bool alsoOffscreen =
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", alsoOffscreen ? "xcb" : "offscreen");
    QTemporaryDir settings; // the user's own settings stay untouched
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    const int pollSeconds = qMax(1, argc > 1 ? std::atoi(argv[1]) : 10);
    std::printf("platform: %s%s\n", qPrintable(QGuiApplication::platformName()),
                QGuiApplication::platformName() == u"offscreen" ? " (no X server)"
                                                                : " (a real X server)");

    PanelRig rig;
    if (!rig.start()) {
        std::fprintf(stderr, "cannot start the simulated bus\n");
        return 1;
    }
    RecordingOperator& op = rig.op;
    CMainFrame& frame = *rig.frame;

    QElapsedTimer t;
    t.start();
    if (!openAllPanels(frame)) {
        std::fprintf(stderr, "only %lld panels opened\n", qlonglong(frame.panels().size()));
        return 1;
    }
    const double openMs = double(t.nsecsElapsed()) / 1e6;
    QCoreApplication::processEvents();
    std::printf("open 16 panels: %.0f ms (%.0f ms each)\n", openMs, openMs / 16);
    const double rss = residentMb();
    std::printf("resident memory after: %.1f MB (goal <= 80 MB, ratio %.2f)\n", rss, rss / 80);
    // The plot library at work: the active panel's live trace drawn.
    frame.openTrace();
    QCoreApplication::processEvents();
    const double rssTrace = residentMb();
    std::printf("resident memory with the live trace open (Qt Charts): %.1f MB (goal <= 80 MB, "
                "ratio %.2f)\n",
                rssTrace, rssTrace / 80);

    // Let the active panel poll; the simulated bus runs in this process too
    // and is counted with it.
    QTimer::singleShot(1000, &app, &QCoreApplication::quit); // settle
    app.exec();
    std::vector<double> shares;
    for (int s = 0; s < pollSeconds; ++s) {
        const double cpu0 = processCpuMs();
        t.restart();
        QTimer::singleShot(1000, &app, &QCoreApplication::quit);
        app.exec();
        shares.push_back(100.0 * (processCpuMs() - cpu0) / double(t.elapsed()));
    }
    std::sort(shares.begin(), shares.end());
    double mean = 0;
    for (double x : shares)
        mean += x / double(shares.size());
    const double median = shares[shares.size() / 2];
    std::printf("processor while polling, program and simulated bus together, %d one-second "
                "windows: median %.2f %%, min %.2f %%, max %.2f %%, mean %.2f %% of one core; "
                "goal <= 1 %%, ratio %.2f\n",
                pollSeconds, median, shares.front(), shares.back(), mean, mean / 1.0);
    std::printf("messages shown: %d\n", op.messages);
    int status = op.messages == 0 ? 0 : 1;
    if (alsoOffscreen) {
        std::printf("\n");
        std::fflush(stdout);
        QProcess again;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        again.setProcessEnvironment(env);
        again.setProcessChannelMode(QProcess::ForwardedChannels);
        again.start(QCoreApplication::applicationFilePath(), app.arguments().mid(1));
        again.waitForFinished(-1);
        status = status || again.exitCode();
    }
    return status;
}
