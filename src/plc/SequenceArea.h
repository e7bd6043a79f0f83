#pragma once

// The extended-sequence side of the controller's PLC area: what the step
// dialog reads when it opens online, the axis values it gives back when it
// closes, and the step-by-step test run of a sequence on the axis.

#include "plc/PlcArea.h"

#include <QString>
#include <QStringList>
#include <functional>

class Operator;
class SerialLink;

namespace SequenceArea {

// What the dialog reads when it opens online.
struct Opening {
    // In: the steps preloaded from the document. Out: the steps the axis
    // holds (a slot without a step keeps its preloaded text) and its cycle
    // programs, which programming writes back beside the steps.
    PlcArea::Slots area;
    QString deviceType;          // the reply to "DO?"
    QString position;            // data field of "PC?"
    QString shortStatus;         // two hexadecimal digits + "h"
    QStringList restoreCommands; // PS, PR, PA, PT, PC, PO, PF, PN, PD + value; empty = not sent
    QString levelReply;          // "FA?" on a device that counts its currents in levels
};

// Opening online: "DO?", the 256 slots with the status-bar progress (text
// 10172), "PC?", the nine restore queries ("??" for the currents of a TKV or
// TMW), "PD0" unless the axis is in mode 0 already, and "FA?" on a level
// device. The busy state is held throughout. A slot read without a reply
// ends the reading with the link's message for it, and Failed. Pending
// events are dispatched after each slot, then `progress` is told.
PlcArea::ReadResult ReadOpening(SerialLink& link, Operator& op, Opening& opening,
                                const PlcArea::SlotProgress& progress = {});

// The restore queries of the opening; an entry whose query brought a
// pseudo-reply stays empty and is never sent back.
QStringList ReadRestoreCommands(SerialLink& link, const QString& deviceType);

// What the run looks at and shows while it goes.
struct RunHooks {
    std::function<bool()> pressed;    // the Test button is still down
    std::function<void(int slot)> at; // the run is about to carry out this slot
    std::function<void(const QString& position, const QString& status)> position;
    std::function<qint64()> clock; // ms, monotonic; a steady clock when not set
};

enum class RunEnd {
    Released, // Test released or Stop pressed, seen at a check
    Finished, // past slot 255, or a jump beyond the area
    TimedOut, // the axis stopped answering while the run waited for it
    BadJump   // a stored jump target that is no hexadecimal number
};

// Carries out the steps from slot 0: pauses ("T") in 10 ms slices, jumps
// ("N"), and every other step sent as a command and waited for until the
// axis stands still. Checks the button before each step and during pauses;
// holds the busy state.
RunEnd TestRun(SerialLink& link, Operator& op, const QStringList& steps, const RunHooks& hooks);

enum class Standstill { Reached, TimedOut, Released };
// Polls "PC?" every millisecond until the running bit of the status is clear.
Standstill WaitForStandstill(SerialLink& link, Operator& op, const RunHooks& hooks);

} // namespace SequenceArea
