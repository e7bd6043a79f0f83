// Measures an online save of an axis with all 256 PLC slots programmed, at
// 38400 Baud on a simulated line that takes as long as the bytes would take
// on a real one, against the floor the line itself sets: the bytes exchanged
// at 10 bits a byte. Prints each run, then the median, min and max of the time
// and of its ratio to the floor. Run on demand: build/bench/bench_save [runs]
#include "SimLine.h"
#include "axis/AxisParameters.h"
#include "axis/AxisReading.h"
#include "axis/CKormakDoc.h"
#include "base/Operator.h"
#include "files/ParameterFile.h"
#include "link/SerialLink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class QuietOperator : public Operator {
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
    void pumpEvents() override {}
};

constexpr int kRate = 38400;

// "median 1.02  min 1.01  max 1.05" of the values.
void printSpread(const char* what, std::vector<double> v, const char* unit) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    std::printf("%-22s median %.3f%s  min %.3f%s  max %.3f%s\n", what, median, unit, v.front(),
                unit, v.back(), unit);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, std::atoi(argv[1])) : 3;

    SimLine line(QStringLiteral("0"));
    sim::SimHost& host = line.host;
    host.setWireTime(true);
    line.axis(u'0', [](sim::SimAxis& a) {
        a.baud = kRate;
        for (int slot = 0; slot < a.slotCount(); ++slot)
            a.plcSlots[slot] =
                QStringLiteral("PO%1 PF2000 GA%2 PN3").arg(400 + slot).arg(slot * 16);
    });
    QuietOperator op;
    SerialLink link(op);
    if (!line.openLink(link, QStringLiteral("0"),
                       int(SerialLink::baudEntries().indexOf(QStringLiteral("38400 Baud"))))) {
        std::fprintf(stderr, "cannot open the simulated bus\n");
        return 1;
    }
    CKormakDoc doc;
    AxisParameters params;
    if (!ReadAxisConfiguration(link, op, params)) {
        std::fprintf(stderr, "the axis did not answer\n");
        return 1;
    }
    QTemporaryDir dir;
    std::vector<double> times, floors, ratios;
    for (int run = 0; run < runs; ++run) {
        host.resetByteCounts();
        host.clearLog();
        QElapsedTimer t;
        t.start();
        const bool saved =
            WriteParameterFile(dir.filePath(QStringLiteral("axis.OPM")), link, op, params, doc);
        const double seconds = t.nsecsElapsed() / 1e9;
        const qint64 bytes = host.bytesReceived() + host.bytesSent();
        const double floor = double(bytes) * 10 / kRate;
        const double ratio = seconds / floor;
        const qint64 commands = host.logCount();
        std::printf("run %d: %s, %lld commands, %lld bytes, %.3f s, wire floor %.3f s, "
                    "%.0f us above the floor per command\n",
                    run + 1, saved ? "saved" : "FAILED", commands, bytes, seconds, floor,
                    (seconds - floor) * 1e6 / qMax<qint64>(1, commands));
        if (!saved || op.messages != 0)
            return 1;
        times.push_back(seconds);
        floors.push_back(floor);
        ratios.push_back(ratio);
    }
    std::printf("over %d runs:\n", runs);
    printSpread("save time", times, " s");
    printSpread("wire floor", floors, " s");
    printSpread("ratio to the floor", ratios, "");
    // The same line with the simplest exchange, for comparison: what the simulated line
    // and the link add to every command, apart from the save's own work.
    host.resetByteCounts();
    QElapsedTimer t;
    t.start();
    constexpr int plain = 200;
    for (int i = 0; i < plain; ++i)
        link.SendCommand(QStringLiteral("IF?"));
    const double plainSeconds = t.nsecsElapsed() / 1e9;
    const double plainFloor = double(host.bytesReceived() + host.bytesSent()) * 10 / kRate;
    std::printf("%d \"IF?\" exchanges: %.0f us above the floor each\n", plain,
                (plainSeconds - plainFloor) * 1e6 / plain);
    return 0;
}
