#pragma once

#include "drive/RampMemoryImage.h"

#include <QString>
#include <QtGlobal>
#include <memory>

class Operator;
class SerialLink;

// How a table computation ended.
enum class RampTableStatus {
    Fits,           // entries, end mark and count are in the image
    NoMemory,       // the table reached the free memory (or the end of the image)
    SlopeTooLarge,  // slope / 100 would not fit the directory's 16-bit slope word
    NoTopFrequency, // a top frequency of 0 or below leaves no limit to compute towards
    NoClock         // a clock below 12 Hz gives a timer that never ticks
};

struct RampTable {
    RampTableStatus status = RampTableStatus::NoMemory;
    int entries = 0;     // k: entries stored (on NoMemory: those stored before the check failed)
    int bytesNeeded = 0; // 2k + 4 when the table fits
};

// Slopes at or above this do not fit the directory word (and 0xFFFF itself
// marks an empty entry).
constexpr quint32 RampSlopeLimit = 0xFFFFu * 100u; // 6,553,500 Hz/s

// Computes one ramp table into image from offset 0x70: the count k, the k
// step entries from 0x72 on and the end mark. freeMemory is clamped to the
// room the image has; the memory check follows every stored entry. The
// arithmetic is single precision in a fixed order and the stored values depend
// on exactly that order: do not "simplify" it.
RampTable ComputeRampTable(RampMemoryImage& image, qint32 clockHz, qint32 topFrequency,
                           quint32 ramp, qint32 freeMemory);

// The low 32 bits of x truncated toward zero to a 64-bit integer. Values no
// 64-bit integer holds (infinities, NaN, beyond +-2^63) give 0, which is what
// the processor's own conversion leaves in the low half.
quint32 TruncateToLow32(double x);

// The context of one ramp calculation and its programming: the caller sets
// the numbers it starts from, the calculation leaves its results beside them.
class RampCalculation {
public:
    RampCalculation(SerialLink& link, Operator& op) : link(link), op(op) {}

    SerialLink& link;
    Operator& op;

    qint32 topFrequency = 0; // Hz; the caller sets it from "IF?"
    quint32 ramp = 0;        // Hz/s; RampSlopeLimit and above are refused
    qint32 freeMemory = 0;   // bytes the new table must fit into (bounded to the table space)
    qint32 bytesNeeded = 0;  // result: 2k + 4
    int rampNumber = -1;     // the number "IN?" gave the new ramp
    qint32 clockHz = 0;      // the clock "IQ?" gave the last calculation (0: not read)
    std::unique_ptr<RampMemoryImage>
        image; // from a successful CalculateRamp until ProgramRamp ends
};

// Reads the directory, computes the new table into a fresh image and reports
// its size. Messages: 10103 (a reply that is no value), 10165 (no image),
// "ramp.slopeTooLarge" (a slope the directory cannot name), 10170 (the table
// does not fit, or cannot be made for this axis).
bool CalculateRamp(RampCalculation& context);

// Writes directory and table block by block behind the write release. With
// finish, also stores the memory ("WX"), waits for the controller and removes
// the progress display; the caller then reads the list anew. Without finish
// the progress display stays up for the caller, who sends "WX" itself.
bool ProgramRamp(RampCalculation& context, bool finish);

// Reads a text as a decimal integer: leading blanks, an optional sign, digits
// up to the first other character; no digits give 0. Saturates instead of
// wrapping.
qint64 LeadingDecimal(const QString& text, bool* hasDigits = nullptr);
