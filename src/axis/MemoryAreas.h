#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "link/DeviceFamily.h"

class Operator;
class SerialLink;

// The pieces of the controller's vocabulary that every function storing
// something in an axis shares: the write release, the PLC slot memory and the
// text form of the programmed ramp slopes. All commands go through
// SendCommand with data-only replies and full framing.

// The controller's own ramps as it reports them after "WA": ten slopes (5000 ..
// 120000 Hz/s) and six unused words. Used wherever no controller list is at
// hand (new offline configurations, offline saving, files without a table).
extern const QString DefaultRampValueList;

// How the release handshake ended.
enum class UnlockResult {
    Granted,   // "FC" answered exactly "OK"
    Refused,   // the controller answered something else
    LinkFailed // "IC?" or "FC" got a pseudo-reply: nothing usable came back
};

// "IC?", then "FC" followed by the date code of that reply. A pseudo-reply to
// "IC?" is not a date code and is never sent back: the handshake stops there.
UnlockResult RequestWriteUnlock(SerialLink& link);
// True only when the release was granted; the caller sends its write only then.
bool WriteUnlock(SerialLink& link);

// The command texts for slot n: "ER%02X" / "FU%01X" and "EW%02X"+text /
// "WU%01X"+text. Empty for a slot number outside the area.
QString plcSlotReadCommand(int n, bool eightSlots);
QString plcSlotWriteCommand(int n, const QString& text, bool eightSlots);

// Reads slot n and returns its text (or the pseudo-reply). A slot number
// outside the area sends nothing and answers "ERROR\r\n".
QString ReadPlcSlot(SerialLink& link, int n, bool eightSlots);
// Writes slot n; the caller has run WriteUnlock first. Returns the reply, which
// nobody examines beyond pseudo-replies; a slot outside the area sends nothing.
QString WritePlcSlot(SerialLink& link, int n, const QString& text, bool eightSlots);
// How a caller reads the slot area: the slot form, which slots, and when
// pending events are dispatched. Each caller keeps the wire it has always
// had (the report reads 256 "ER" slots whatever the family; the comparison
// only the slots its file names).
struct SlotAreaRead {
    bool eightSlots = false;  // "FU%01X" instead of "ER%02X"
    int count = PlcSlotCount; // slots 0 .. count-1 in ascending order
    QList<int> only;          // when not empty: exactly these slots, in this order
    // Dispatch pending events after every n-th slot read (counted by slot
    // number: 16 pumps after slots 0F, 1F, ...); 0 never.
    int pumpEvery = 0;
    // Put the link back on the address the read began with before each slot,
    // whatever ran in between.
    bool holdAddress = false;
    // Asked after each slot and its pumping (slots read, of how many); false
    // ends the read there with nothing more sent.
    std::function<bool(int read, int count)> keepGoing;
};

// Told each slot's reply (never a pseudo-reply, possibly empty); false ends
// the read at once, before pumping.
using SlotVisitor = std::function<bool(int slot, const QString& text)>;

enum class SlotAreaEnd {
    Complete, // every slot asked for was read and visited
    Lost,     // a slot brought a pseudo-reply: the read stopped there
    Stopped,  // the visitor or keepGoing ended it
};

// Reads the slots of `how` one at a time and hands each reply to visit. The
// first pseudo-reply ends the read with Lost, its slot in *lostSlot; nothing
// is shown here, the caller says what the failure means to its operator.
SlotAreaEnd ReadPlcSlotArea(SerialLink& link, Operator& op, const SlotAreaRead& how,
                            const SlotVisitor& visit, int* lostSlot = nullptr);

// "WE": erases the whole area; the caller has run WriteUnlock first.
QString ErasePlcArea(SerialLink& link);

// "FR0050" followed by "FR0060", replies joined in that order; both are always
// sent. A pseudo-reply stays in its half of the text, where RampSlopes stops.
QString ReadRampValueList(SerialLink& link);

// The words of a ramp value list (or of a directory read with "FR"): groups of
// four digits from the start, each read as hexadecimal, up to the first
// "FFFF", the end of the text, or the first group that is not one to four
// hexadecimal digits.
QList<quint32> RampWords(const QString& text);

// The slopes of a ramp value list in Hz/s, decimal, in list order: groups of
// four digits from the start, each a hexadecimal count of 100 Hz/s. The list
// ends at the first "FFFF", at the end of the text, or at the first group that
// is not one to four hexadecimal digits (a pseudo-reply or line noise must not
// turn into a ramp).
QStringList RampSlopes(const QString& rampValueList);
