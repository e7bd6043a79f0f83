#include "sim/SimHost.h"

#include "sim/SimLineRate.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {
constexpr int kPollMs = 5;      // motion and cycle programs advance at least this often
constexpr int kPieceGapMs = 30; // long enough for the reader to see each piece on its own
} // namespace

SimHost::SimHost(const QString& axes)
    : bus_(axes), wakeFd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

SimHost::~SimHost() {
    stop();
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

void SimHost::wake() {
    if (wakeFd_ >= 0) {
        const quint64 one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
}

qint64 SimHost::nowUs() const {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 epoch_)
        .count();
}

bool SimHost::start(QString* error) {
    if (thread_.joinable())
        return true;
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        if (error)
            *error = QStringLiteral("openpty: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    // Raw, so that STX and ETX and every other byte pass unchanged, and no echo.
    termios t{};
    ::tcgetattr(slave_, &t);
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    ::tcsetattr(slave_, TCSANOW, &t);
    SimLineRate::set(slave_, 28800);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    slavePath_ = QString::fromLocal8Bit(name);
    stop_ = false;
    vanished_ = false;
    thread_ = std::thread([this] { serve(); });
    return true;
}

void SimHost::stop() {
    stop_ = true;
    wake();
    if (thread_.joinable())
        thread_.join();
    std::lock_guard lock(mutex_);
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = slave_ = -1;
}

QString SimHost::slavePath() const {
    std::lock_guard lock(mutex_);
    return slavePath_;
}

void SimHost::withBus(const std::function<void(SimBus&)>& fn) {
    {
        std::lock_guard lock(mutex_);
        // The serving thread lets time act only when something is due: bring motion and
        // the cycle programs up to now before the caller looks.
        bus_.advance(nowUs() / 1000);
        fn(bus_);
        if (bus_.logCount() < logPrinted_)
            logPrinted_ = bus_.logCount();
        if (bus_.refusals().size() < refusalsPrinted_)
            refusalsPrinted_ = bus_.refusals().size();
    }
    wake();
    logChanged_.notify_all();
}

void SimHost::setFault(Fault f, int param, int count, int after) {
    std::lock_guard lock(mutex_);
    fault_ = f;
    faultParam_ = param;
    faultCount_ = f == Fault::None ? 0 : count;
    faultAfter_ = f == Fault::None ? 0 : qMax(0, after);
}

void SimHost::setFaultFor(const QString& command, Fault f, int param) {
    std::lock_guard lock(mutex_);
    if (f == Fault::None)
        aimed_.clear();
    else
        aimed_.push_back({command, f, param});
}

Fault SimHost::fault() const {
    std::lock_guard lock(mutex_);
    return faultCount_ != 0 ? fault_ : Fault::None;
}

bool SimHost::vanished() const {
    std::lock_guard lock(mutex_);
    return vanished_;
}

QStringList SimHost::log() const {
    std::lock_guard lock(mutex_);
    return bus_.log();
}

qint64 SimHost::logCount() const {
    std::lock_guard lock(mutex_);
    return bus_.logCount();
}

void SimHost::clearLog() {
    std::lock_guard lock(mutex_);
    bus_.clearLog();
    logPrinted_ = 0;
}

QList<Refusal> SimHost::refusals() const {
    std::lock_guard lock(mutex_);
    return bus_.refusals();
}

void SimHost::clearRefusals() {
    std::lock_guard lock(mutex_);
    bus_.clearRefusals();
    refusalsPrinted_ = 0;
}

bool SimHost::waitForLog(int count, int timeoutMs) {
    std::unique_lock lock(mutex_);
    return logChanged_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                [&] { return bus_.logCount() >= count; });
}

void SimHost::setLogStream(FILE* stream) {
    std::lock_guard lock(mutex_);
    logStream_ = stream;
    logPrinted_ = bus_.logCount();
    refusalsPrinted_ = bus_.refusals().size();
}

int SimHost::lineRate() const {
    std::lock_guard lock(mutex_);
    return master_ >= 0 ? SimLineRate::of(master_) : lineRate_;
}

void SimHost::setWireTime(bool on) {
    {
        std::lock_guard lock(mutex_);
        wireTime_ = on;
    }
    wake();
}

bool SimHost::wireTime() const {
    std::lock_guard lock(mutex_);
    return wireTime_;
}

void SimHost::setAnswerDelay(int ms) {
    std::lock_guard lock(mutex_);
    answerDelayMs_ = qMax(0, ms);
}

qint64 SimHost::bytesReceived() const {
    std::lock_guard lock(mutex_);
    return bytesReceived_;
}

qint64 SimHost::bytesSent() const {
    std::lock_guard lock(mutex_);
    return bytesSent_;
}

void SimHost::resetByteCounts() {
    std::lock_guard lock(mutex_);
    bytesReceived_ = bytesSent_ = 0;
}

qint64 SimHost::lineTimeUs(qsizetype bytes) const {
    // Ten bits a byte: start bit, eight data bits, stop bit. An axis listens at the rate the
    // program has set, or it does not answer at all; before the first byte none is known.
    const qint64 rate = lineRate_ > 0 ? lineRate_ : 28800;
    return (qint64(bytes) * 10 * 1000000 + rate - 1) / rate;
}

void SimHost::printLogLocked() {
    const QList<Refusal> refused = bus_.refusals();
    if (logStream_) {
        for (const QString& line : bus_.logSince(logPrinted_))
            std::fprintf(logStream_, "%s\n", line.toLatin1().constData());
        for (qsizetype i = refusalsPrinted_; i < refused.size(); ++i)
            std::fprintf(logStream_, "refused %s\n", refused[i].text().toLatin1().constData());
        std::fflush(logStream_);
    }
    logPrinted_ = bus_.logCount();
    refusalsPrinted_ = refused.size();
}

void SimHost::vanishLocked() {
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = slave_ = -1;
    out_.clear();
    in_.clear();
    vanished_ = true;
}

bool SimHost::receiveLocked(const QByteArray& bytes, qint64 now) {
    const qint64 before = bus_.logCount();
    const QByteArray replies = bus_.receive(bytes, now / 1000, lineRate_);
    printLogLocked();
    sendLocked(replies, now, bus_.logSince(before));
    return bus_.logCount() != before;
}

void SimHost::sendLocked(const QByteArray& replies, qint64 now, const QStringList& commands) {
    if (replies.isEmpty())
        return;
    for (auto it = aimed_.begin(); it != aimed_.end(); ++it) {
        const QString& target = it->target;
        for (const QString& line : commands) {
            // Log lines are the address, a blank and the command.
            // A target "3 PF" is aimed at one axis, "PF" at any.
            if (line.mid(2).startsWith(target) ||
                (target.size() > 2 && target.at(1) == u' ' && line.startsWith(target))) {
                const AimedFault a = *it;
                aimed_.erase(it);
                deliverLocked(replies, now, a.fault, a.param);
                return;
            }
        }
    }
    if (faultCount_ != 0 && faultAfter_ > 0) {
        --faultAfter_;
        deliverLocked(replies, now, Fault::None, 0);
        return;
    }
    const Fault f = faultCount_ != 0 ? fault_ : Fault::None;
    if (faultCount_ > 0)
        --faultCount_;
    deliverLocked(replies, now, f, faultParam_);
}

void SimHost::deliverLocked(const QByteArray& replies, qint64 now, Fault f, int p) {
    // Replies leave in order: a late one holds back those behind it, as on a real line.
    const qint64 answer = now + qint64(answerDelayMs_) * 1000;
    const qint64 earliest = out_.empty() ? answer : qMax(answer, out_.back().dueUs);
    switch (f) {
    case Fault::None:
        queueLocked(earliest, replies);
        break;
    case Fault::NoReply:
        break;
    case Fault::LateReply:
        queueLocked(earliest + qint64(p > 0 ? p : 1500) * 1000, replies);
        break;
    case Fault::Pieces: {
        const int n = qBound(2, p > 0 ? p : 3, int(replies.size()));
        const qsizetype size = (replies.size() + n - 1) / n;
        for (int i = 0; i * size < replies.size(); ++i)
            queueLocked(earliest + qint64(i) * kPieceGapMs * 1000, replies.mid(i * size, size));
        break;
    }
    case Fault::Garbage: {
        static const QByteArray noise("#?~%&*x!", 8);
        QByteArray bytes;
        for (int i = 0; i < (p > 0 ? p : 5); ++i)
            bytes += noise[i % noise.size()];
        queueLocked(earliest, bytes + replies);
        break;
    }
    case Fault::Overflow:
        // One write, so that the whole burst waits in the reader's queue at once.
        queueLocked(earliest, QByteArray(qMax(451, p > 0 ? p : 600), 'X') + replies);
        break;
    case Fault::Vanish:
        vanishLocked();
        break;
    }
}

void SimHost::queueLocked(qint64 due, const QByteArray& bytes) {
    if (wireTime_) {
        // The bytes go out one after the other; the last one is on the line only after
        // all of them took their time.
        due = qMax(due, txFreeUs_) + lineTimeUs(bytes.size());
        txFreeUs_ = due;
    }
    out_.push_back({due, bytes, lineRate_});
}

void SimHost::flushLocked(qint64 now) {
    const int rate = master_ >= 0 ? SimLineRate::of(master_) : 0;
    const auto onTheLine = [rate](Outgoing& o) {
        if (o.rate > 0 && rate > 0 && rate != o.rate) {
            // The program has changed the port's rate since the reply was sent: its bytes
            // arrive as framing noise, never as a frame.
            for (char& c : o.bytes)
                c = char(0x80 | (quint8(c) >> 1));
            o.rate = rate;
        }
    };
    while (master_ >= 0 && !out_.empty() && out_.front().dueUs <= now) {
        Outgoing& o = out_.front();
        onTheLine(o);
        // Replies due together leave in one write, back to back as a line carries
        // them: a reader never finds the first without the one right behind it.
        while (out_.size() > 1 && out_[1].dueUs <= now) {
            onTheLine(out_[1]);
            o.bytes += out_[1].bytes;
            out_.erase(out_.begin() + 1);
        }
        const ssize_t n = ::write(master_, o.bytes.constData(), size_t(o.bytes.size()));
        if (n < 0)
            return; // full (EAGAIN) or gone: try again on the next turn
        bytesSent_ += n;
        o.bytes.remove(0, n);
        if (!o.bytes.isEmpty())
            return;
        out_.pop_front();
    }
}

qint64 SimHost::nextDueLocked() const {
    qint64 next = std::numeric_limits<qint64>::max();
    if (!in_.empty())
        next = in_.front().dueUs;
    if (!out_.empty())
        next = qMin(next, out_.front().dueUs);
    return next;
}

void SimHost::serve() {
    // Wake-ups a fraction of a millisecond apart need the kernel to keep them: the
    // default slack of 50 us would add up over a long exchange.
    ::prctl(PR_SET_TIMERSLACK, 1UL);
    char buf[4096];
    while (!stop_) {
        int fd;
        // -1: nothing is due; the thread sleeps until bytes arrive or it is woken.
        qint64 waitUs = -1;
        {
            std::lock_guard lock(mutex_);
            fd = master_;
            // Moves and cycle programs run on in real time.
            if (fd >= 0 && bus_.busy())
                waitUs = qint64(kPollMs) * 1000;
            // Wake for the next byte due, not just on the next turn: with wire time the
            // delays are fractions of a millisecond.
            // Whatever is overdue after a turn is output the pty would not take yet:
            // give the reader a moment instead of spinning.
            const qint64 next = fd >= 0 ? nextDueLocked() : std::numeric_limits<qint64>::max();
            if (next != std::numeric_limits<qint64>::max()) {
                const qint64 left = next - nowUs();
                const qint64 due = left > 0 ? left : 1000;
                waitUs = waitUs < 0 ? due : qMin(due, waitUs);
            }
        }
        pollfd p[2] = {{wakeFd_, POLLIN, 0}, {fd, POLLIN, 0}};
        const timespec ts{time_t(waitUs / 1000000), long(waitUs % 1000000) * 1000};
        const int ready = ::ppoll(p, fd >= 0 ? 2 : 1, waitUs < 0 ? nullptr : &ts, nullptr);
        if (ready > 0 && (p[0].revents & POLLIN)) {
            quint64 count;
            [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
        }
        QByteArray received;
        if (fd >= 0 && ready > 0 && (p[1].revents & POLLIN)) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n > 0)
                received = QByteArray(buf, n);
        } else if (fd >= 0 && ready > 0 && p[1].revents) {
            // Hang-up or error without data: do not spin.
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
        }
        bool logged = false;
        {
            std::lock_guard lock(mutex_);
            const qint64 now = nowUs();
            bool fed = false;
            if (!received.isEmpty() && master_ >= 0) {
                lineRate_ = SimLineRate::of(master_);
                bytesReceived_ += received.size();
                if (wireTime_) {
                    const qint64 due = qMax(now, rxFreeUs_) + lineTimeUs(received.size());
                    rxFreeUs_ = due;
                    in_.push_back({due, received});
                } else {
                    logged = receiveLocked(received, now);
                    fed = true;
                }
            }
            while (master_ >= 0 && !in_.empty() && in_.front().dueUs <= now) {
                // The axis heard the last byte at its due time, not when this thread
                // got round to it: the answer is timed from there.
                const Incoming in = in_.front();
                in_.pop_front();
                logged = receiveLocked(in.bytes, in.dueUs) || logged;
                fed = true;
            }
            if (!fed)
                bus_.advance(now / 1000);
            flushLocked(now);
        }
        if (logged)
            logChanged_.notify_all();
    }
}

} // namespace sim
