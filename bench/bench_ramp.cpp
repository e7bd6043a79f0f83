// Times the computation of the longest table the ramp dialog usually meets:
// 12 MHz clock, 4000 Hz top frequency, 1000 Hz/s, 8195 entries. Each run
// allocates and erases its own image, as one calculation does.

#include "drive/RampCalculation.h"
#include "drive/RampMemoryImage.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    std::vector<qint64> ns;
    ns.reserve(runs);
    int entries = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        auto image = RampMemoryImage::create();
        const RampTable table = ComputeRampTable(*image, 12000000, 4000, 1000, 65168);
        ns.push_back(timer.nsecsElapsed());
        entries = table.entries;
        if (table.status != RampTableStatus::Fits || table.bytesNeeded != 16394) {
            std::fprintf(stderr, "bench_ramp: unexpected table (%d entries)\n", entries);
            return 1;
        }
    }
    std::sort(ns.begin(), ns.end());
    const double median = ns[ns.size() / 2] / 1e6;
    const double best = ns.front() / 1e6;
    const double p95 = ns[ns.size() * 95 / 100] / 1e6;
    const double worst = ns.back() / 1e6;
    std::printf("ramp table, %d entries, %d runs: median %.4f ms, min %.4f ms, max %.4f ms, "
                "95%% %.4f ms; goal 0.2 ms, median ratio %.2f\n",
                entries, runs, median, best, worst, p95, median / 0.2);
    return median <= 0.2 ? 0 : 2;
}
