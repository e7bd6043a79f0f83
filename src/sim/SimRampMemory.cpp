#include "sim/SimRampMemory.h"

#include <QtMath>

namespace sim {

const QList<quint16>& SimRampMemory::defaultSlopes() {
    static const QList<quint16> slopes = {0x0032, 0x007D, 0x00FA, 0x0177, 0x01F4,
                                          0x0271, 0x02EE, 0x036B, 0x03E8, 0x04B0};
    return slopes;
}

SimRampMemory::SimRampMemory() {
    erase();
}

void SimRampMemory::erase() {
    bytes_ = QByteArray(kSize, char(0xFF));
    // The first sixteen bytes are the controller's own; nothing reads or writes them.
    for (int i = 0; i < 0x10; ++i)
        bytes_[i] = 0;
    staging_ = bytes_;
    staged_ = false;
}

void SimRampMemory::installDefaults(qint64 clockHz, qint64 topFrequency) {
    erase();
    for (quint16 s : defaultSlopes())
        appendRamp(s, clockHz, topFrequency);
}

bool SimRampMemory::appendRamp(quint16 slope100, qint64 clockHz, qint64 topFrequency) {
    const int n = rampCount();
    if (n >= kMaxRamps || slope100 == 0 || slope100 == 0xFFFF)
        return false;
    // The controller's own table: the step durations of a uniformly accelerated motion
    // (t = sqrt(2 s / a)), in ticks of the step timer (a twelfth of the clock), stored as
    // 65536 minus the ticks. The table ends with the first step shorter than one step at
    // 1 % above the top frequency.
    const double a = slope100 * 100.0;
    const double ticksPerSecond = double(clockHz) / 12.0;
    const double limit = ticksPerSecond / (1.01 * double(qMax<qint64>(1, topFrequency)));
    QList<quint16> entries;
    double prev = 0;
    for (int step = 1; step < 32768; ++step) {
        const double t = std::sqrt(2.0 * step / a);
        const double ticks = (t - prev) * ticksPerSecond;
        prev = t;
        entries << quint16(65536 - qBound(1.0, ticks, 65535.0));
        if (ticks < limit)
            break;
    }
    const int start = nextFreeAddress();
    const int size = 2 * int(entries.size()) + 4;
    if (start + size > kTablesEnd)
        return false;
    setWord(start, quint16(entries.size()));
    for (int i = 0; i < entries.size(); ++i)
        setWord(start + 2 + 2 * i, entries[i]);
    setWord(start + size - 2, 0);
    setWord(0x10 + 2 * n, quint16(entries.size()));
    setWord(0x30 + 2 * n, quint16(start));
    setWord(0x50 + 2 * n, slope100);
    staging_ = bytes_;
    return true;
}

QByteArray SimRampMemory::read(int address, int count) const {
    QByteArray out;
    for (int i = 0; i < count; ++i) {
        const int a = address + i;
        out += a < kSize ? bytes_[a] : char(0xFF);
    }
    return out;
}

bool SimRampMemory::stage(int address, const QByteArray& bytes) {
    if (address < 0 || address + bytes.size() > kTablesEnd)
        return false;
    if (!staged_)
        staging_ = bytes_;
    staging_.replace(address, bytes.size(), bytes);
    staged_ = true;
    return true;
}

void SimRampMemory::commit() {
    if (staged_)
        bytes_ = staging_;
    staged_ = false;
}

void SimRampMemory::discard() {
    staging_ = bytes_;
    staged_ = false;
}

quint16 SimRampMemory::word(int address) const {
    return quint16((quint8(bytes_[address]) << 8) | quint8(bytes_[address + 1]));
}

void SimRampMemory::setWord(int address, quint16 value) {
    bytes_[address] = char(value >> 8);
    bytes_[address + 1] = char(value & 0xFF);
}

int SimRampMemory::rampCount() const {
    int n = 0;
    while (n < kMaxRamps && word(0x50 + 2 * n) != 0xFFFF)
        ++n;
    return n;
}

int SimRampMemory::nextFreeAddress() const {
    int next = kTablesStart;
    const int n = rampCount();
    for (int i = 0; i < n; ++i) {
        const int start = word(0x30 + 2 * i);
        const int count = word(0x10 + 2 * i);
        if (start == 0xFFFF || count == 0xFFFF)
            continue;
        next = qMax(next, start + 2 * count + 4);
    }
    return qMin(next, int(kTablesEnd));
}

quint32 SimRampMemory::slope(int index) const {
    if (index < 0 || index >= rampCount())
        return 0;
    return quint32(word(0x50 + 2 * index)) * 100;
}

} // namespace sim
