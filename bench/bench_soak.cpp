// A long run over sixteen panels: the active panel changes and a move starts
// every few seconds. Reports the growth of the live heap after warm-up and
// every message shown (each one an error here).
// Run on demand, e.g. for an hour in the background:
//   build/bench/bench_soak 3600 > soak.txt
#include "PanelRig.h"
#include "axis/AxisVocabulary.h"
#include "axis/CKormakView.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 120;
    const int stepMs = 3000;
    const int warmUpSeconds = qMin(60, seconds / 4);

    RecordingOperator op;
    const std::unique_ptr<CMainFrame> main = showMainFrame(op);
    CMainFrame& frame = *main;
    if (!openAllPanels(frame)) {
        std::fprintf(stderr, "only %lld panels opened\n", qlonglong(frame.panels().size()));
        return 1;
    }

    int steps = 0;
    int moves = 0;
    qint64 heapAfterWarmUp = -1;
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
        if (heapAfterWarmUp < 0 && clock.elapsed() >= warmUpSeconds * 1000LL)
            heapAfterWarmUp = liveHeapBytes();
        if (clock.elapsed() >= seconds * 1000LL)
            app.quit();
    });
    step.start();
    app.exec();

    const qint64 heapEnd = liveHeapBytes();
    const double hours = double(clock.elapsed() - warmUpSeconds * 1000LL) / 3.6e6;
    std::printf("soak: %d s, %d panel switches, %d moves\n", seconds, steps, moves);
    if (heapAfterWarmUp >= 0 && hours > 0) {
        const double growthKb = double(heapEnd - heapAfterWarmUp) / 1024.0;
        std::printf("live heap: %.1f kB after warm-up, %+.1f kB since (%+.1f kB per hour; goal "
                    "< 100 kB per hour)\n",
                    double(heapAfterWarmUp) / 1024.0, growthKb, growthKb / hours);
    }
    std::printf("errors (messages shown): %d (goal 0)\n", op.messages);
    for (const QString& text : op.texts)
        std::printf("  %s\n", qPrintable(text));
    return op.messages == 0 ? 0 : 1;
}
