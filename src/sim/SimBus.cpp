#include "sim/SimBus.h"

#include "sim/SimFrame.h"

namespace sim {

namespace {
// A frame longer than any the program may send is line noise; drop it rather than grow.
constexpr int kMaxFrame = 1024;
// Keeps a runaway sender from growing the record without end.
constexpr int kMaxRefusals = 1000;

QString causeOf(quint32 bits) {
    QStringList causes;
    if (bits & StatusBit::UnknownCommand)
        causes << QStringLiteral("unknown command");
    if (bits & StatusBit::BadValue)
        causes << QStringLiteral("bad value");
    if (bits & StatusBit::NotNow)
        causes << QStringLiteral("not now");
    if (bits & StatusBit::MemoryOverflow)
        causes << QStringLiteral("memory overflow");
    if (bits & StatusBit::ChecksumError)
        causes << QStringLiteral("bad checksum");
    return causes.join(QStringLiteral(", "));
}
} // namespace

QString Refusal::text() const {
    return QString(address) + u' ' + command + QStringLiteral(": ") + cause;
}

SimBus::SimBus(const QString& axes) {
    for (QChar c : axes) {
        const int i = indexOf(c.toUpper());
        if (i >= 0 && !axes_[i])
            axes_[i] = std::make_unique<SimAxis>(c.toUpper());
    }
}

int SimBus::indexOf(QChar a) {
    static const QString all = QStringLiteral("0123456789ABCDEF");
    return int(all.indexOf(a));
}

bool SimBus::hasAxis(QChar a) const {
    const int i = indexOf(a);
    return i >= 0 && axes_[i];
}

SimAxis& SimBus::axis(QChar a) {
    if (!hasAxis(a))
        qFatal("simulated bus has no axis %c", char(a.toLatin1()));
    return *axes_[indexOf(a)];
}

const SimAxis& SimBus::axis(QChar a) const {
    return const_cast<SimBus*>(this)->axis(a);
}

QString SimBus::axes() const {
    QString s;
    for (const auto& a : axes_)
        if (a)
            s += a->address;
    return s;
}

QStringList SimBus::log() const {
    return QStringList(log_.begin(), log_.end());
}

QStringList SimBus::logSince(qint64 n) const {
    const qint64 first = logCount_ - qint64(log_.size());
    const auto skip = qBound(qint64(0), n - first, qint64(log_.size()));
    return QStringList(log_.begin() + skip, log_.end());
}

QList<QByteArray> SimBus::frames() const {
    return QList<QByteArray>(frames_.begin(), frames_.end());
}

void SimBus::clearLog() {
    log_.clear();
    frames_.clear();
    logCount_ = 0;
}

void SimBus::setLogBound(int lines) {
    logBound_ = qMax(1, lines);
    trimLog();
}

void SimBus::trimLog() {
    while (log_.size() > size_t(logBound_))
        log_.pop_front();
    while (frames_.size() > size_t(logBound_))
        frames_.pop_front();
}

void SimBus::advance(qint64 nowMs) {
    for (auto& a : axes_)
        if (a)
            a->advance(nowMs);
}

bool SimBus::busy() const {
    for (const auto& a : axes_)
        if (a && (a->moving() || a->plc.running()))
            return true;
    return false;
}

QByteArray SimBus::receive(const QByteArray& bytes, qint64 nowMs, int lineRate) {
    advance(nowMs);
    QByteArray out;
    for (char c : bytes) {
        if (c == SimFrame::STX) {
            // A new start discards an unfinished frame: the program never interleaves.
            pending_.clear();
            inFrame_ = true;
        } else if (!inFrame_) {
            continue; // noise between frames
        } else if (c == SimFrame::ETX) {
            inFrame_ = false;
            handleFrame(pending_, nowMs, lineRate, &out);
            pending_.clear();
        } else if (pending_.size() < kMaxFrame) {
            pending_ += c;
        } else {
            inFrame_ = false;
            pending_.clear();
        }
    }
    return out;
}

void SimBus::handleFrame(const QByteArray& payload, qint64 nowMs, int lineRate, QByteArray* out) {
    if (payload.isEmpty())
        return;
    const SimFrame f = SimFrame::decode(payload);
    QChar target = f.addressed ? f.address : QChar();
    if (!f.addressed) {
        const QString present = axes();
        if (!present.isEmpty())
            target = present.front();
    }
    log_.push_back((target.isNull() ? QStringLiteral("-") : QString(target)) + u' ' + f.command);
    frames_.push_back(SimFrame::STX + payload + SimFrame::ETX);
    ++logCount_;
    trimLog();
    if (target.isNull() || !hasAxis(target))
        return;
    SimAxis& a = axis(target);
    // At another rate the axis sees only noise; while it restarts, nothing.
    if (lineRate != a.baud || a.restarting(nowMs))
        return;
    if (f.check == SimFrame::Check::Bad) {
        a.latched |= StatusBit::ChecksumError;
        if (refusals_.size() < kMaxRefusals)
            refusals_ << Refusal{a.address, f.command, causeOf(StatusBit::ChecksumError)};
        return;
    }
    const QString data = a.execute(f.command, nowMs);
    if (const quint32 bits = a.lastRefusal(); bits && refusals_.size() < kMaxRefusals)
        refusals_ << Refusal{a.address, f.command, causeOf(bits)};
    *out += SimFrame::reply(a.address, a.replyStatus(), data);
    if (const int rate = a.takePendingBaud())
        a.baud = rate;
}

} // namespace sim
