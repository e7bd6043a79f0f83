#pragma once

#include "sim/SimBus.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace sim {

// The simulated bus on the master side of a pseudo-terminal, served by its own thread. The
// program opens slavePath() through its ordinary serial-port code. The host keeps the slave
// open itself so that the line survives while the program closes and reopens the port.
class SimHost {
public:
    explicit SimHost(const QString& axes = "0123456789ABCDEF");
    ~SimHost(); // stops
    SimHost(const SimHost&) = delete;
    SimHost& operator=(const SimHost&) = delete;

    // Opens the pty in raw mode at 28800 Baud and starts serving.
    bool start(QString* error = nullptr);
    void stop();
    QString slavePath() const;

    // Runs fn with the bus while the serving thread is held off.
    void withBus(const std::function<void(SimBus&)>& fn);

    // The next count replies (count < 0: every reply until setFault(Fault::None)) suffer
    // fault f instead of being sent plainly, after the first `after` replies have gone out
    // as usual (after = n - 1 strikes from the n-th reply on). A request that gets no reply
    // anyway does not use one up. param: LateReply delay in ms, Pieces piece count, Garbage
    // and Overflow byte counts; 0 picks the default (see Fault).
    void setFault(Fault f, int param = 0, int count = 1, int after = 0);
    // The reply to the next command that begins with command suffers fault f; the command
    // itself is carried out as usual (the controller did the work, its answer got lost).
    // Any fault set with setFault is left for the other replies. A command given with its
    // axis and a blank ("3 PF") aims at that axis only. Each call adds one aimed fault;
    // f = Fault::None removes them all.
    void setFaultFor(const QString& command, Fault f, int param = 0);
    Fault fault() const;
    // True once the port has vanished (Fault::Vanish).
    bool vanished() const;

    // See SimBus::log and SimBus::logCount.
    QStringList log() const;
    qint64 logCount() const;
    void clearLog();
    // The commands the axes refused (see SimBus::refusals); clearLog() keeps them. The log
    // stream gets a line "refused 3 EW5GA1: bad value" for each.
    QList<Refusal> refusals() const;
    void clearRefusals();
    // Waits until at least count lines were logged since the last clearLog().
    bool waitForLog(int count, int timeoutMs);
    // Prints each command to stream as it arrives ("0 IF?"); nullptr stops printing.
    void setLogStream(FILE* stream);
    // The line rate the program has set on the tty, 0 while unknown.
    int lineRate() const;

    // With wire time, bytes take as long as they would on the line at the rate the program
    // has set (10 bits a byte): a request is received only once its last byte would have
    // arrived, and a reply is sent once its last byte would have left. Off by default, so
    // that tests run at the speed of the pty.
    void setWireTime(bool on);
    bool wireTime() const;
    // The time an axis takes to start its answer once a request is complete (ms, 0: none).
    void setAnswerDelay(int ms);
    // Bytes read from the program and written to it since start (or the last reset).
    qint64 bytesReceived() const;
    qint64 bytesSent() const;
    void resetByteCounts();

private:
    // Due times are in microseconds since epoch_.
    struct Outgoing {
        qint64 dueUs;
        QByteArray bytes;
        int rate; // the line rate the reply was meant for, 0 while unknown
    };
    struct AimedFault {
        QString target;
        Fault fault;
        int param;
    };
    struct Incoming {
        qint64 dueUs;
        QByteArray bytes;
    };

    void serve();
    // Wakes the serving thread so that it sees a change made from outside.
    void wake();
    bool receiveLocked(const QByteArray& bytes, qint64 nowUs);
    void sendLocked(const QByteArray& replies, qint64 nowUs, const QStringList& commands);
    void deliverLocked(const QByteArray& replies, qint64 nowUs, Fault f, int p);
    void queueLocked(qint64 dueUs, const QByteArray& bytes);
    void flushLocked(qint64 nowUs);
    qint64 nextDueLocked() const;
    qint64 lineTimeUs(qsizetype bytes) const;
    void printLogLocked();
    void vanishLocked();
    qint64 nowUs() const;

    mutable std::mutex mutex_;
    std::condition_variable logChanged_;
    SimBus bus_;
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    int wakeFd_ = -1; // an eventfd: stop and changes from outside end the thread's wait
    Fault fault_ = Fault::None;
    int faultParam_ = 0;
    int faultCount_ = 0;
    int faultAfter_ = 0;
    std::deque<AimedFault> aimed_; // faults for one command each, in the order given
    std::deque<Outgoing> out_;
    std::deque<Incoming> in_;
    bool wireTime_ = false;
    int answerDelayMs_ = 0;
    qint64 rxFreeUs_ = 0; // when the line towards the axes is free again
    qint64 txFreeUs_ = 0; // when the line towards the program is free again
    qint64 bytesReceived_ = 0;
    qint64 bytesSent_ = 0;
    FILE* logStream_ = nullptr;
    qint64 logPrinted_ = 0;
    qsizetype refusalsPrinted_ = 0;
    bool vanished_ = false;
    int lineRate_ = 0;
    std::chrono::steady_clock::time_point epoch_ = std::chrono::steady_clock::now();
};

} // namespace sim
