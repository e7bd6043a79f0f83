#pragma once

#include "sim/SimAxis.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <deque>
#include <memory>

namespace sim {

// What SimHost does to the next reply(s) instead of sending them plainly.
enum class Fault {
    None,
    NoReply,   // the reply is dropped
    LateReply, // the reply is sent param ms later (default 1500, after the program's time-out)
    Pieces,    // the reply is sent in param pieces (default 3) with short gaps
    Garbage,   // param bytes of noise (default 5) come before the reply
    Overflow,  // a burst of param bytes (default 600, at least 451) comes before the reply
    Vanish,    // the port disappears instead of replying: the pty is closed
};

// A command an axis refused: it answered with the "other error" bit and the cause in its
// overall status.
struct Refusal {
    QChar address;
    QString command;
    QString cause; // "unknown command", "bad value", "not now", "memory overflow", "bad checksum"

    // "3 EW5GA1: bad value"
    QString text() const;
    bool operator==(const Refusal&) const = default;
};

// Up to sixteen controller axes on one serial line. Pure logic: bytes in, bytes out, time
// given by the caller, so tests drive it without a port and without waiting.
class SimBus {
public:
    explicit SimBus(const QString& axes = "0123456789ABCDEF");

    // Feeds bytes received at time nowMs (monotonic ms) with the line rate the program has
    // set, and returns the replies to send now (may be empty). A frame that is not complete
    // yet is kept until its ETX arrives.
    QByteArray receive(const QByteArray& bytes, qint64 nowMs, int lineRate);
    // Lets motion run on up to nowMs.
    void advance(qint64 nowMs);
    // True while an axis moves or runs a cycle program: time alone changes its state then,
    // so advance() is due every few milliseconds. Otherwise only a request or a change made
    // through the bus does.
    bool busy() const;

    bool hasAxis(QChar a) const;
    // The axis with address a; it must exist (hasAxis).
    SimAxis& axis(QChar a);
    const SimAxis& axis(QChar a) const;
    // The addresses present, ascending.
    QString axes() const;

    // One line per received command: address, blank, command text ("0 IF?"). Frames
    // without an address are listed under the axis they went to. Only the newest
    // logBound() lines are kept, oldest first, so that a long run does not grow.
    QStringList log() const;
    // The lines logged since construction or clearLog(), dropped ones included.
    qint64 logCount() const { return logCount_; }
    // The kept lines from the n-th on (0: the first since clearLog()).
    QStringList logSince(qint64 n) const;
    void clearLog();
    // The request frames as received, STX to ETX; the newest logBound() of them.
    QList<QByteArray> frames() const;
    int logBound() const { return logBound_; }
    // At least 1; drops the oldest lines and frames beyond it at once.
    void setLogBound(int lines);
    // The commands the axes refused since construction or clearRefusals(), oldest first.
    // Kept apart from the log, so that clearing the log keeps them.
    QList<Refusal> refusals() const { return refusals_; }
    void clearRefusals() { refusals_.clear(); }

private:
    void handleFrame(const QByteArray& payload, qint64 nowMs, int lineRate, QByteArray* out);
    static int indexOf(QChar a);

    std::array<std::unique_ptr<SimAxis>, 16> axes_;
    QByteArray pending_;
    bool inFrame_ = false;
    void trimLog();

    int logBound_ = 10000;
    qint64 logCount_ = 0;
    std::deque<QString> log_;
    std::deque<QByteArray> frames_;
    QList<Refusal> refusals_;
};

} // namespace sim
