#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class Operator;
class SerialLink;

// What the ramp memory dialog lists about the controller's ramps.
struct RampListing {
    int count = 0;           // "IN?": programmed ramps, 0..16
    qint32 topFrequency = 0; // "IF?": Hz
    QStringList slopes;      // Hz/s per ramp, from the slope words (bounded by the reply)
    QStringList sizes;       // table bytes (2k + 4) per ramp, from the count words
};

// Reads count, top frequency and, when ramps exist, slopes and sizes. A reply
// that is no value (a pseudo-reply, a count outside 0..16) shows 10103 and
// gives false; the listing is then left as it was.
bool ReadRampListing(SerialLink& link, Operator& op, RampListing* listing);

// "IN?" alone, for entering delete mode: false (and 10103) when it gave no count.
bool ReadRampCount(SerialLink& link, Operator& op, int* count);

// How a release-guarded ramp memory command ended.
enum class RampCommandResult {
    Done,      // released and sent
    Refused,   // the controller refused the release: nothing was sent, no message
    LinkFailed // a pseudo-reply on the way: 10103 was shown
};

// Release, then "WA": the controller installs its ten internal ramps (and
// erases the PLC area). The caller then gives it time to finish.
RampCommandResult InstallInternalRamps(SerialLink& link, Operator& op);
// Release, then "WD", then 2000 ms for the controller to erase ramps and PLC area.
RampCommandResult EraseRampMemory(SerialLink& link, Operator& op);
// "WX" and 3000 ms for the controller to store the written memory; false (and
// 10103) when it did not answer.
bool StoreRampMemory(SerialLink& link, Operator& op);

// The dialog's free memory for the given table bytes in use.
constexpr qint32 RampFreeMemory(qint64 usedBytes) {
    return qint32(65168 - usedBytes);
}
// The smallest multiple of 100 Hz/s above the slope whose table just fills the
// free memory, or 0 when no more than 644 bytes are free (then nothing is
// suggested).
quint32 SuggestedRamp(qint32 topFrequency, qint64 usedBytes);
