// Measures the cost of one framed transaction against the simulated bus over
// a pseudo-terminal, and the processor time the link uses while it waits for a
// reply that never comes. Run on demand: build/bench/bench_link [count]
#include "base/Operator.h"
#include "link/SerialLink.h"
#include "sim/SimHost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <sys/resource.h>

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

double threadCpuMs() {
    rusage u{};
    getrusage(RUSAGE_THREAD, &u);
    return u.ru_utime.tv_sec * 1e3 + u.ru_utime.tv_usec / 1e3 + u.ru_stime.tv_sec * 1e3 +
           u.ru_stime.tv_usec / 1e3;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 5000;

    sim::SimHost host(QStringLiteral("0"));
    if (!host.start()) {
        std::fprintf(stderr, "cannot start the simulated bus\n");
        return 1;
    }
    QuietOperator op;
    SerialLink link(op);
    link.setPorts({host.slavePath()});
    link.setBaudIndex(3);
    link.setCurrentAddress(QStringLiteral("0"));
    if (!link.TogglePort()) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(host.slavePath()));
        return 1;
    }
    for (int i = 0; i < 200; ++i) // warm up both ends
        link.SendCommand(QStringLiteral("IF?"));

    QElapsedTimer t;
    t.start();
    const double cpu0 = threadCpuMs();
    int bad = 0;
    for (int i = 0; i < count; ++i)
        if (PseudoReply::is(link.SendCommand(QStringLiteral("IF?"))))
            ++bad;
    const double ns = double(t.nsecsElapsed());
    const double cpu = threadCpuMs() - cpu0;
    std::printf("transactions: %d (%d failed)\n", count, bad);
    std::printf("per transaction: %.1f us wall, %.1f us of the link's own processor time\n",
                ns / count / 1e3, cpu * 1e3 / count);
    std::printf("transactions per second: %.0f\n", count / (ns / 1e9));

    // A request to an axis that is not on the bus waits out the whole time-out.
    link.setCurrentAddress(QStringLiteral("7"));
    t.restart();
    const double wait0 = threadCpuMs();
    const QString r = link.SendCommand(QStringLiteral("IF?"));
    const double waitCpu = threadCpuMs() - wait0;
    const double waitWall = double(t.elapsed());
    std::printf("time-out wait: %s after %.0f ms, %.2f ms processor time = %.3f %% of one core\n",
                r == PseudoReply::Timeout ? "TIMEOUT" : "unexpected reply", waitWall, waitCpu,
                100.0 * waitCpu / waitWall);
    return 0;
}
