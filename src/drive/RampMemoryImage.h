#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

// The controller's ramp memory as the program assembles it before writing:
// offsets 0x00-0x6F are the memory addresses of the directory, and the new
// ramp's table is built from offset 0x70 on, wherever the controller will put
// it. Erased memory reads 0xFF, so that is what every byte starts as.
class RampMemoryImage {
public:
    static constexpr int Size = 0xFF00;       // 65280 bytes, the whole ramp memory
    static constexpr int CountWords = 0x10;   // step count k of ramp 0..15
    static constexpr int AddressWords = 0x30; // table start address of ramp 0..15
    static constexpr int SlopeWords = 0x50;   // slope of ramp 0..15 in units of 100 Hz/s
    static constexpr int TableOffset = 0x70;  // where the new table is assembled
    static constexpr int TableSpace = Size - TableOffset; // 65168: an empty memory's free bytes
    static constexpr int BlockSize = 16;                  // one "WR" / "FR" transfer
    static constexpr int MaxRamps = 16;

    // Null when the memory for the image cannot be had.
    static std::unique_ptr<RampMemoryImage> create();

    quint8 at(int offset) const {
        return offset >= 0 && offset < Size ? bytes_[offset] : quint8(0xFF);
    }
    void set(int offset, quint8 value) {
        if (offset >= 0 && offset < Size)
            bytes_[offset] = value;
    }
    // 16-bit words are stored high byte first.
    quint16 word(int offset) const { return quint16(at(offset) << 8 | at(offset + 1)); }
    void setWord(int offset, quint16 value) {
        set(offset, quint8(value >> 8));
        set(offset + 1, quint8(value & 0xFF));
    }

    // Stores count bytes parsed from hex digits (two per byte, first byte
    // first) from offset on. Bytes the text does not cover, or covers with
    // something other than two hexadecimal digits, read as erased (0xFF).
    void storeHex(int offset, const QString& digits, int count);
    // Sixteen bytes from offset as 32 upper-case hexadecimal digits; bytes past
    // the end of the image read as 0xFF.
    QString blockHex(int offset) const;

    const quint8* data() const { return bytes_; }
    quint8* data() { return bytes_; }

private:
    RampMemoryImage() = default;
    quint8 bytes_[Size];
};
