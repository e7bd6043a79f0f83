#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

class Operator;
class SerialLink;

// What the ramp memory dialog lists about the controller's ramps.
struct RampListing {
    int count = 0;           // "IN?": programmed ramps, 0..16
    qint32 topFrequency = 0; // "IF?": Hz
    QList<quint32> slopes;   // Hz/s per ramp, from the slope words (bounded by the reply)
    QList<qint32> sizes;     // table bytes (2k + 4) per ramp, from the count words
};

// Reads count, top frequency and, when ramps exist, slopes and sizes. A reply
// that is no value (a pseudo-reply, a count outside 0..16) shows 10103 (unless
// the caller has reported the link failure already) and gives false; the
// listing is then left as it was.
bool ReadRampListing(SerialLink& link, Operator& op, RampListing* listing,
                     bool reportFailure = true);

// "IQ?": the controller's clock in Hz, whose twelfth is the step timer's
// rate. A reply that is no number shows 10103 and gives false.
bool ReadRampClock(SerialLink& link, Operator& op, qint32* clockHz);

// "IN?" alone, for entering delete mode: false (and 10103) when it gave no count.
bool ReadRampCount(SerialLink& link, Operator& op, int* count);

// How a release-guarded ramp memory command ended.
enum class RampCommandResult {
    Done,       // released and sent
    Refused,    // the controller refused the release: nothing was sent, no message
    LinkFailed, // the release got a pseudo-reply: nothing was sent; 10103 was shown
    Unanswered  // the command went out but its reply was lost: 10103 was shown, and
                // the controller may or may not have carried it out
};

// What the ramp memory holds, as far as the controller tells.
enum class RampMemoryState {
    Erased,  // no ramp counted and every directory word reads 0xFFFF
    Holding, // ramps, or directory words that are not erased
    Unknown  // a reply was lost or is no value
};
RampMemoryState ReadRampMemoryState(SerialLink& link);

// Release, then "WA": the controller installs its ten internal ramps (and
// erases the PLC area). The caller then gives it time to finish, also when the
// reply was lost (Unanswered): the controller may be installing them anyway.
RampCommandResult InstallInternalRamps(SerialLink& link, Operator& op);
// Release, then "WD", then 2000 ms for the controller to erase ramps and PLC
// area. When the reply is lost the wait still follows, and the memory itself
// tells what happened: found erased, the erase counts as Done (no message);
// otherwise 10103 and Unanswered.
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
