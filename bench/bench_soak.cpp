// A long run over sixteen panels: the active panel changes and a move starts
// every few seconds. The live heap is sampled inside the event loop (every ten
// seconds unless a second argument says otherwise) and printed as it goes; at
// the end come its first and last values after warm-up and the slope of a
// least-squares line through those samples, and every message shown (each one
// an error here). The warm-up lasts until the simulator's bounded command log
// has filled and one minute more: until then the heap grows by design, and a
// slope over that time would hide a leak as well as invent one.
// Run on demand, e.g. for an hour in the background:
//   build/bench/bench_soak 3600 > soak.txt
#include "PanelRig.h"
#include "axis/AxisVocabulary.h"
#include "axis/CKormakView.h"
#include "sim/SimBus.h"
#include "sim/SimHost.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace {
struct Sample {
    double seconds;
    double kb;
};

// kB per hour of the least-squares line through the samples.
double slopeKbPerHour(const std::vector<Sample>& s) {
    if (s.size() < 2)
        return 0;
    double mt = 0, mk = 0;
    for (const Sample& x : s) {
        mt += x.seconds;
        mk += x.kb;
    }
    mt /= double(s.size());
    mk /= double(s.size());
    double num = 0, den = 0;
    for (const Sample& x : s) {
        num += (x.seconds - mt) * (x.kb - mk);
        den += (x.seconds - mt) * (x.seconds - mt);
    }
    return den > 0 ? num / den * 3600 : 0;
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 120;
    const int sampleSeconds = qMax(1, argc > 2 ? std::atoi(argv[2]) : 10);
    const int stepMs = 3000;
    // Past the filling of the simulator's command log: it keeps a fixed number of lines.
    const int settleSeconds = 60;
    double warmUpSeconds = -1; // set once the log has filled and settled
    double logFullAt = -1;

    PanelRig rig;
    if (!rig.start()) {
        std::fprintf(stderr, "cannot start the simulated bus\n");
        return 1;
    }
    RecordingOperator& op = rig.op;
    CMainFrame& frame = *rig.frame;
    if (!openAllPanels(frame)) {
        std::fprintf(stderr, "only %lld panels opened\n", qlonglong(frame.panels().size()));
        return 1;
    }

    int steps = 0;
    int moves = 0;
    std::vector<Sample> samples; // after warm-up
    QElapsedTimer clock;
    clock.start();
    QTimer step;
    step.setInterval(stepMs);
    QObject::connect(&step, &QTimer::timeout, &app, [&] {
        // The next panel comes to the front and moves its axis by a little.
        const QList<QMdiSubWindow*> windows = frame.mdiArea()->subWindowList();
        QMdiSubWindow* w = windows.at(steps++ % windows.size());
        frame.mdiArea()->setActiveSubWindow(w);
        QCoreApplication::processEvents();
        auto* type = w->findChild<QComboBox*>(QStringLiteral("moveType"));
        auto* target = w->findChild<QLineEdit*>(QStringLiteral("moveTarget"));
        auto* start = w->findChild<QPushButton*>(QStringLiteral("startButton"));
        if (type && target && start && start->isEnabled()) {
            type->setCurrentIndex(AxisVocabulary::MoveRelative);
            target->setText(QString::number(steps % 2 ? 2000 : -2000));
            start->click();
            ++moves;
        }
        if (clock.elapsed() >= seconds * 1000LL)
            app.quit();
    });
    QTimer sampler;
    sampler.setInterval(sampleSeconds * 1000);
    QObject::connect(&sampler, &QTimer::timeout, &app, [&] {
        const double t = clock.elapsed() / 1e3;
        const double kb = liveHeapBytes() / 1024.0;
        if (logFullAt < 0) {
            sim::SimHost* host = &rig.host;
            qint64 count = 0;
            int bound = 0;
            host->withBus([&](sim::SimBus& bus) {
                count = bus.logCount();
                bound = bus.logBound();
            });
            if (count >= bound)
                logFullAt = t;
        }
        if (warmUpSeconds < 0 && logFullAt >= 0 && t >= logFullAt + settleSeconds)
            warmUpSeconds = t;
        const bool warm = warmUpSeconds >= 0;
        if (warm)
            samples.push_back({t, kb});
        std::printf("heap %7.0f s %10.1f kB%s", t, kb, warm ? "" : "  (warm-up)");
        if (samples.size() >= 2)
            std::printf("  slope so far %+.1f kB/h", slopeKbPerHour(samples));
        std::printf("\n");
        std::fflush(stdout);
    });
    step.start();
    sampler.start();
    app.exec();

    if (warmUpSeconds >= 0)
        std::printf(
            "soak: %d s, %d panel switches, %d moves; the simulator's log filled at %.0f s, "
            "warm-up ended at %.0f s\n",
            seconds, steps, moves, logFullAt, warmUpSeconds);
    else
        std::printf("soak: %d s, %d panel switches, %d moves; the simulator's log did not fill "
                    "and settle: run longer\n",
                    seconds, steps, moves);
    if (samples.size() >= 2) {
        std::vector<double> kb;
        for (const Sample& x : samples)
            kb.push_back(x.kb);
        std::sort(kb.begin(), kb.end());
        const double slope = slopeKbPerHour(samples);
        std::printf("live heap after warm-up, %zu samples every %d s: first %.1f kB, last %.1f kB, "
                    "median %.1f kB, min %.1f kB, max %.1f kB\n",
                    samples.size(), sampleSeconds, samples.front().kb, samples.back().kb,
                    kb[kb.size() / 2], kb.front(), kb.back());
        std::printf("live heap slope (least squares): %+.1f kB/h; goal < 100 kB/h, ratio %.2f\n",
                    slope, slope / 100.0);
    } else {
        std::printf("live heap: too few samples after warm-up for a slope\n");
    }
    std::printf("errors (messages shown): %d (goal 0)\n", op.messages);
    for (const QString& text : op.texts)
        std::printf("  %s\n", qPrintable(text));
    return op.messages == 0 ? 0 : 1;
}
