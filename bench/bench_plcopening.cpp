// Measures how long both PLC dialogs take to appear and to finish reading
// the axis's 256 slots at 9600 Baud, on a simulated line that takes as long
// as the bytes would take on a real one. The time to the dialog's first
// paint is set against the 300 ms the operator may wait for a window, the
// reading against its floor: the bytes exchanged at 10 bits a byte.
// Run on demand: build/bench/bench_plcopening [runs]
// Without a display it runs offscreen; say QT_QPA_PLATFORM=xcb to measure
// on an X server.
#include "SimLine.h"
#include "base/Operator.h"
#include "link/SerialLink.h"
#include "plc/CDlgSPSErweitert.h"
#include "plc/CSPSDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kRate = 9600;
constexpr double kAppearGoalMs = 300;

// Dispatches events as the window's own operator does.
class PumpingOperator : public Operator {
public:
    int messages = 0;
    Answer show(const Message&) override {
        ++messages;
        return Answer::Ok;
    }
    void progressShow(const QString&, int, int) override {}
    void progressStep() override {}
    void progressHide() override {}
    void wait(int) override {}
    void pumpEvents() override { QCoreApplication::processEvents(); }
};

// Notes the time of the first paint of the watched dialog.
class FirstPaint : public QObject {
public:
    FirstPaint(const QElapsedTimer& clock) : clock_(clock) {}
    double ms = -1;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && ms < 0)
            ms = clock_.nsecsElapsed() / 1e6;
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& clock_;
};

struct Figures {
    QList<double> appearMs, readMs, floorMs;
};

// median, min and max of values
void print(const char* what, QList<double> values, double reference, const char* against) {
    std::sort(values.begin(), values.end());
    const double median = values.at(values.size() / 2);
    std::printf("  %-22s median %8.1f ms  min %8.1f  max %8.1f  %5.3f x %s\n", what, median,
                values.first(), values.last(), median / reference, against);
}

template <typename Dialog>
bool measure(sim::SimHost& host, SerialLink& link, PumpingOperator& op, Figures& f) {
    PlcArea::DialogSetup setup;
    setup.axis = QStringLiteral("0");
    setup.startStopList = {QStringLiteral("400")};
    setup.runFreqList = {QStringLiteral("2000")};
    host.resetByteCounts();
    QElapsedTimer clock;
    FirstPaint paint(clock);
    double readMs = -1;
    qint64 bytes = 0;
    clock.start();
    Dialog d(link, op, setup);
    d.installEventFilter(&paint);
    std::function<void()> whenRead = [&] {
        if (d.reading()) {
            QTimer::singleShot(0, &d, whenRead);
            return;
        }
        readMs = clock.nsecsElapsed() / 1e6;
        bytes = host.bytesReceived() + host.bytesSent();
        d.closeClicked();
    };
    QTimer::singleShot(0, &d, whenRead);
    d.showAndRun();
    if (readMs < 0 || paint.ms < 0 || op.messages)
        return false;
    f.appearMs << paint.ms;
    f.readMs << readMs;
    f.floorMs << bytes * 10.0 * 1000.0 / kRate;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, std::atoi(argv[1])) : 3;

    SimLine line(QStringLiteral("0"));
    sim::SimHost& host = line.host;
    host.setWireTime(true);
    line.axis(u'0', [](sim::SimAxis& a) {
        a.baud = kRate;
        for (int slot = 0; slot < a.slotCount(); slot += 2)
            a.plcSlots[slot] =
                QStringLiteral("PO%1 PF2000 GA%2 PN3").arg(400 + slot).arg(slot * 16);
    });
    PumpingOperator op;
    SerialLink link(op);
    if (!line.openLink(link, QStringLiteral("0"),
                       int(SerialLink::baudEntries().indexOf(QStringLiteral("9600 Baud"))))) {
        std::fprintf(stderr, "cannot open the simulated bus\n");
        return 1;
    }
    std::printf("PLC dialogs at %d Baud on the %s platform, %d runs each\n", kRate,
                qPrintable(QApplication::platformName()), runs);
    Figures cycle, steps;
    for (int run = 0; run < runs; ++run) {
        if (!measure<CSPSDialog>(host, link, op, cycle) ||
            !measure<CDlgSPSErweitert>(host, link, op, steps)) {
            std::fprintf(stderr, "an opening failed\n");
            return 1;
        }
    }
    for (const auto& [name, f] :
         {std::pair{"cycle programs", &cycle}, {"extended sequence", &steps}}) {
        std::printf("%s:\n", name);
        print("click to window", f->appearMs, kAppearGoalMs, "the 300 ms goal");
        QList<double> sorted = f->floorMs;
        std::sort(sorted.begin(), sorted.end());
        print("reading done", f->readMs, sorted.at(sorted.size() / 2), "the line's floor");
    }
    return 0;
}
