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
    // fault f instead of being sent plainly. A request that gets no reply anyway does not
    // use one up. param: LateReply delay in ms, Pieces piece count, Garbage and Overflow
    // byte counts; 0 picks the default (see Fault).
    void setFault(Fault f, int param = 0, int count = 1);
    // The reply to the next command that begins with command suffers fault f; the command
    // itself is carried out as usual (the controller did the work, its answer got lost).
    // Any fault set with setFault is left for the other replies.
    void setFaultFor(const QString& command, Fault f, int param = 0);
    Fault fault() const;
    // True once the port has vanished (Fault::Vanish).
    bool vanished() const;

    QStringList log() const;
    void clearLog();
    // Waits until the log holds at least count entries.
    bool waitForLog(int count, int timeoutMs);
    // Prints each command to stream as it arrives ("0 IF?"); nullptr stops printing.
    void setLogStream(FILE* stream);
    // The line rate the program has set on the tty, 0 while unknown.
    int lineRate() const;

private:
    struct Outgoing {
        qint64 dueMs;
        QByteArray bytes;
    };

    void serve();
    void sendLocked(const QByteArray& replies, qint64 now, const QStringList& commands);
    void deliverLocked(const QByteArray& replies, qint64 now, Fault f, int p);
    void flushLocked(qint64 now);
    void printLogLocked();
    void vanishLocked();
    qint64 nowMs() const;

    mutable std::mutex mutex_;
    std::condition_variable logChanged_;
    SimBus bus_;
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    Fault fault_ = Fault::None;
    int faultParam_ = 0;
    int faultCount_ = 0;
    QString commandFaultTarget_; // empty: no fault for one command
    Fault commandFault_ = Fault::None;
    int commandFaultParam_ = 0;
    std::deque<Outgoing> out_;
    FILE* logStream_ = nullptr;
    qsizetype logPrinted_ = 0;
    bool vanished_ = false;
    int lineRate_ = 0;
    std::chrono::steady_clock::time_point epoch_ = std::chrono::steady_clock::now();
};

} // namespace sim
