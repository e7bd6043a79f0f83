// Measures one framed transaction over a network serial port on 127.0.0.1 —
// through ser2net in front of kormak-sim, as "rfc2217://" and "socket://" —
// as a ratio to the same transaction over the simulator's pty, measured in
// the same run. Needs /usr/sbin/ser2net. Run on demand:
// build/bench/bench_network [count]
#include "Ser2netRig.h"
#include "base/Operator.h"
#include "link/SerialLink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class QuietOperator : public Operator {
public:
    Answer show(const Message&) override { return Answer::Ok; }
    void progressShow(const QString&, int, int) override {}
    void progressStep() override {}
    void progressHide() override {}
    void wait(int) override {}
    void pumpEvents() override {}
};

// Microseconds per "IF?" transaction to axis 0 at 28800 Baud; -1 on a failure.
double perTransactionUs(const QString& port, int count) {
    QuietOperator op;
    SerialLink link(op);
    link.setPorts({port});
    link.setBaudIndex(3);
    if (!link.TogglePort())
        return -1;
    link.setCurrentAddress(QStringLiteral("0"));
    for (int i = 0; i < 20; ++i) // warm-up
        if (link.SendCommand(QStringLiteral("IF?")) != QLatin1String("10000"))
            return -1;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i)
        if (link.SendCommand(QStringLiteral("IF?")) != QLatin1String("10000"))
            return -1;
    const double us = double(clock.nsecsElapsed()) / 1e3 / count;
    link.TogglePort();
    QThread::msleep(300); // ser2net lets go of the pty a moment after its client
    return us;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? qMax(1, atoi(argv[1])) : 500;
    Ser2netRig rig;
    const QString failure = rig.start(QStringLiteral(KORMAK_SIM_EXE), {"--axes", "0"});
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "bench_network: %s\n", qPrintable(failure));
        return 1;
    }
    // The three ports take turns in rounds, so that a change in the machine's load falls
    // on all of them alike; each round's network figure is set against that round's pty.
    constexpr int rounds = 5;
    std::vector<double> pty, rfc, raw, rfcRatio, rawRatio;
    for (int round = 0; round < rounds; ++round) {
        pty.push_back(perTransactionUs(rig.device(), count));
        rfc.push_back(perTransactionUs(rig.rfc2217(), count));
        raw.push_back(perTransactionUs(rig.raw(), count));
        if (pty.back() <= 0 || rfc.back() <= 0 || raw.back() <= 0) {
            std::fprintf(stderr,
                         "bench_network: a transaction failed (pty %.0f, rfc2217 %.0f, "
                         "socket %.0f)\n",
                         pty.back(), rfc.back(), raw.back());
            return 1;
        }
        rfcRatio.push_back(rfc.back() / pty.back());
        rawRatio.push_back(raw.back() / pty.back());
    }
    const auto print = [](const char* what, std::vector<double> v, const char* unit) {
        std::sort(v.begin(), v.end());
        std::printf("%-26s median %8.2f%s  min %8.2f%s  max %8.2f%s\n", what, v[v.size() / 2], unit,
                    v.front(), unit, v.back(), unit);
    };
    std::printf("transactions per port and round: %d, %d rounds\n", count, rounds);
    print("pty", pty, " us");
    print("rfc2217://", rfc, " us");
    print("socket://", raw, " us");
    print("rfc2217:// / pty", rfcRatio, " x ");
    print("socket:// / pty", rawRatio, " x ");
    return 0;
}
