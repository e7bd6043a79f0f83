// Measures the cost of one framed transaction over a pseudo-terminal, and the
// processor time the link uses while it waits for a reply that never comes.
// The wall time and the calling thread's processor time are set against a bare
// echo client, measured in the same run in alternating rounds, since absolute
// figures differ from machine to machine. The link runs twice per round: against
// the simulated bus, and against the echo client's own peer, which answers with
// the same bytes at once. Only the second compares the link's own work with the
// echo client's: against the simulator the link also waits for a slower peer,
// and a thread that sleeps and wakes pays for that in its processor time.
// Each figure is printed as median, min and max over the rounds.
// Run on demand: build/bench/bench_link [count]
#include "SimLine.h"
#include "base/Operator.h"
#include "link/SerialLink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
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
    // The device a second client (the link) can open to talk to the same peer.
    QString path() const {
        return slave_ >= 0 ? QString::fromLocal8Bit(::ttyname(slave_)) : QString();
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

struct Spread {
    double median, min, max;
};

Spread spread(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {median, v.front(), v.back()};
}

void printSpread(const char* what, const std::vector<double>& v, const char* unit) {
    const Spread s = spread(v);
    std::printf("  %-34s median %7.2f%s  min %7.2f%s  max %7.2f%s\n", what, s.median, unit, s.min,
                unit, s.max, unit);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 5000;

    SimLine line(QStringLiteral("0"));
    QuietOperator op;
    SerialLink link(op);
    if (!line.openLink(link)) {
        std::fprintf(stderr, "cannot open the simulated bus\n");
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
    SerialLink echoLink(op);
    echoLink.setPorts({echo.path()});
    echoLink.setBaudIndex(3);
    echoLink.setCurrentAddress(QStringLiteral("0"));
    if (!echoLink.TogglePort()) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(echo.path()));
        return 1;
    }
    for (int i = 0; i < 200; ++i)
        echoLink.SendCommand(QStringLiteral("IF?"));

    // Link and echo take turns in rounds, so that a change in the machine's load
    // falls on both alike.
    // The processor time is the calling thread's own: the link's in SendCommand, the echo
    // client's in its write and read; neither counts the other end of its pty.
    constexpr int rounds = 10;
    const int perRound = qMax(1, count / rounds);
    std::vector<double> linkWall, echoWall, linkCpu, echoCpu, wallRatio, cpuRatio;
    std::vector<double> peerCpu, peerRatio; // the link against the echo client's peer
    int bad = 0;
    QElapsedTimer t;
    for (int round = 0; round < rounds; ++round) {
        t.start();
        double cpu0 = threadCpuMs();
        for (int i = 0; i < perRound; ++i)
            if (PseudoReply::is(link.SendCommand(QStringLiteral("IF?"))))
                ++bad;
        linkCpu.push_back((threadCpuMs() - cpu0) * 1e3 / perRound);
        linkWall.push_back(double(t.nsecsElapsed()) / 1e3 / perRound);
        t.start();
        cpu0 = threadCpuMs();
        if (!echo.run(perRound)) {
            std::fprintf(stderr, "the bare echo failed\n");
            return 1;
        }
        echoCpu.push_back((threadCpuMs() - cpu0) * 1e3 / perRound);
        echoWall.push_back(double(t.nsecsElapsed()) / 1e3 / perRound);
        cpu0 = threadCpuMs();
        for (int i = 0; i < perRound; ++i)
            if (PseudoReply::is(echoLink.SendCommand(QStringLiteral("IF?"))))
                ++bad;
        peerCpu.push_back((threadCpuMs() - cpu0) * 1e3 / perRound);
        peerRatio.push_back(echoCpu.back() > 0 ? peerCpu.back() / echoCpu.back() : 0);
        wallRatio.push_back(linkWall.back() / echoWall.back());
        cpuRatio.push_back(echoCpu.back() > 0 ? linkCpu.back() / echoCpu.back() : 0);
    }
    const int total = perRound * rounds;
    std::printf("transactions: %d link against the simulator, %d link against the echo peer, %d "
                "bare echo (%d failed), %d rounds; bare echo exchanges %lld + %lld bytes\n",
                total, total, total, bad, rounds, qint64(request.size()), qint64(reply.size()));
    std::printf("per transaction, over the rounds:\n");
    printSpread("link wall time", linkWall, " us");
    printSpread("bare echo wall time", echoWall, " us");
    printSpread("link / bare echo, wall", wallRatio, " x ");
    printSpread("link processor time", linkCpu, " us");
    printSpread("bare echo client processor time", echoCpu, " us");
    printSpread("link / bare echo, processor", cpuRatio, " x ");
    printSpread("link on the echo peer, processor", peerCpu, " us");
    printSpread("  / bare echo client, processor", peerRatio, " x ");
    std::printf("goal: link processor time <= 1.5 x the bare echo client's on the same peer; "
                "median ratio %.2f (%.2f against the simulator)\n",
                spread(peerRatio).median, spread(cpuRatio).median);

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
