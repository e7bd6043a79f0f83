#pragma once

#include <QByteArray>
#include <QList>

namespace sim {

// The controller's ramp memory: 64 KiB, big-endian words. 0x10-0x2F hold the step counts,
// 0x30-0x4F the table start addresses and 0x50-0x6F the slopes (in 100 Hz/s) of ramps
// 0..15; a word 0xFFFF marks an empty entry. Tables follow from 0x70 up to 0xFEFF.
//
// Block writes go to a staging copy and reach the memory only when they are stored, so a
// program that forgets to store its ramp sees its old memory on the next read.
class SimRampMemory {
public:
    static constexpr int kSize = 0x10000;
    static constexpr int kTablesStart = 0x70;
    static constexpr int kTablesEnd = 0xFF00; // first address past the table area
    static constexpr int kMaxRamps = 16;
    // The slopes of the internal default ramps, in 100 Hz/s.
    static const QList<quint16>& defaultSlopes();

    SimRampMemory();

    // Erased memory: every byte 0xFF, no ramp.
    void erase();
    // Erased memory with the internal default ramps, their tables computed for a controller
    // clocked at clockHz whose top frequency is topFrequency.
    void installDefaults(qint64 clockHz, qint64 topFrequency);
    // Appends one ramp of slope100 (in 100 Hz/s) with its table; false when it does not fit.
    bool appendRamp(quint16 slope100, qint64 clockHz, qint64 topFrequency);

    QByteArray read(int address, int count) const;
    // Staged write of one block; false when it reaches past the table area.
    bool stage(int address, const QByteArray& bytes);
    bool hasStaged() const { return staged_; }
    void commit();
    void discard();

    quint16 word(int address) const;
    // Programmed ramps: the entries before the first empty slope.
    int rampCount() const;
    // First address after the last table (0x70 when there is none).
    int nextFreeAddress() const;
    // Slope of ramp i in Hz/s, 0 when there is no such ramp.
    quint32 slope(int index) const;

private:
    void setWord(int address, quint16 value);

    QByteArray bytes_;
    QByteArray staging_;
    bool staged_ = false;
};

} // namespace sim
