// Measures the cost of one framed transaction against the simulated bus over
// a pseudo-terminal, and the processor time the link uses while it waits for a
// reply that never comes. The rate is set against a bare echo over a
// pseudo-terminal of its own, measured in the same run, since absolute rates
// differ from machine to machine. Run on demand: build/bench/bench_link [count]
#include "base/Operator.h"
#include "link/SerialLink.h"
#include "sim/SimHost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <cstdio>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

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

void makeRaw(int fd) {
    termios t{};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd, TCSANOW, &t);
}

// Reads from fd until the bytes gathered end in ETX; false when the other end is gone.
bool readFrame(int fd, char* buf, size_t size) {
    size_t have = 0;
    while (have == 0 || buf[have - 1] != '\x03') {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 1000) <= 0)
            return false;
        const ssize_t n = ::read(fd, buf + have, size - have);
        if (n <= 0)
            return false;
        have = (have + size_t(n)) % size;
    }
    return true;
}

// The same exchange as the link's "IF?" with nothing in between: a client that writes the
// request and reads up to the ETX, and a peer that answers each request with a fixed reply.
class BareEcho {
public:
    BareEcho(const QByteArray& request, const QByteArray& reply)
        : request_(request), reply_(reply) {
        if (::openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0)
            return;
        makeRaw(slave_);
        makeRaw(master_);
        peer_ = std::thread([this] {
            char buf[512];
            while (readFrame(master_, buf, sizeof buf))
                if (::write(master_, reply_.constData(), size_t(reply_.size())) != reply_.size())
                    return;
        });
    }
    ~BareEcho() {
        if (slave_ >= 0)
            ::close(slave_); // ends the peer's wait
        if (peer_.joinable())
            peer_.join();
        if (master_ >= 0)
            ::close(master_);
    }
    // Runs count exchanges; false when one failed.
    bool run(int count) {
        char buf[512];
        for (int i = 0; i < count; ++i)
            if (::write(slave_, request_.constData(), size_t(request_.size())) != request_.size() ||
                !readFrame(slave_, buf, sizeof buf))
                return false;
        return true;
    }

private:
    QByteArray request_;
    QByteArray reply_;
    int master_ = -1;
    int slave_ = -1;
    std::thread peer_;
};

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

    // The bare echo exchanges the very bytes of one "IF?" transaction.
    const QByteArray request = link.buildFrame(QStringLiteral("IF?"), Full);
    const QString data = link.SendCommand(QStringLiteral("IF?"));
    const QByteArray body = "000 " + data.toLatin1() + ":";
    const QByteArray reply = '\x02' + body + SerialLink::checksumText(body).toLatin1() + '\x03';
    BareEcho echo(request, reply);
    if (!echo.run(200)) {
        std::fprintf(stderr, "the bare echo failed\n");
        return 1;
    }

    // Link and echo take turns in rounds, so that a change in the machine's load
    // falls on both alike.
    constexpr int rounds = 10;
    const int perRound = qMax(1, count / rounds);
    double linkNs = 0;
    double echoNs = 0;
    double cpu = 0;
    int bad = 0;
    QElapsedTimer t;
    for (int round = 0; round < rounds; ++round) {
        t.start();
        const double cpu0 = threadCpuMs();
        for (int i = 0; i < perRound; ++i)
            if (PseudoReply::is(link.SendCommand(QStringLiteral("IF?"))))
                ++bad;
        cpu += threadCpuMs() - cpu0;
        linkNs += double(t.nsecsElapsed());
        t.start();
        if (!echo.run(perRound)) {
            std::fprintf(stderr, "the bare echo failed\n");
            return 1;
        }
        echoNs += double(t.nsecsElapsed());
    }
    const int total = perRound * rounds;
    const double rate = total / (linkNs / 1e9);
    const double echoRate = total / (echoNs / 1e9);
    std::printf("transactions: %d (%d failed)\n", total, bad);
    std::printf("per transaction: %.1f us wall, %.1f us of the link's own processor time\n",
                linkNs / total / 1e3, cpu * 1e3 / total);
    std::printf("transactions per second: %.0f\n", rate);
    std::printf("bare echo over a pty: %.0f transactions per second (%lld + %lld bytes)\n",
                echoRate, qint64(request.size()), qint64(reply.size()));
    std::printf("link / bare echo: %.2f\n", rate / echoRate);

    // A request to an axis that is not on the bus waits out the whole time-out.
    link.setCurrentAddress(QStringLiteral("7"));
    t.start();
    const double wait0 = threadCpuMs();
    const QString r = link.SendCommand(QStringLiteral("IF?"));
    const double waitCpu = threadCpuMs() - wait0;
    const double waitWall = double(t.elapsed());
    std::printf("time-out wait: %s after %.0f ms, %.2f ms processor time = %.3f %% of one core\n",
                r == PseudoReply::Timeout ? "TIMEOUT" : "unexpected reply", waitWall, waitCpu,
                100.0 * waitCpu / waitWall);
    return 0;
}
