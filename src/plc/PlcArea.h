#pragma once

// The cycle-program side of the controller's PLC area: reading it when the
// dialog opens, the axis values given back when it closes, the texts handed to
// the programming run, and the lines a parameter file keeps the area in.

#include <QString>
#include <QStringList>
#include <functional>

#include "link/DeviceFamily.h"

class Operator;
class SerialLink;

namespace PlcArea {

constexpr int SlotCount = PlcSlotCount;

// What the dialog works on: the cycle programs by slot, and the steps of an
// extended sequence the axis holds, kept so that programming does not erase
// them.
struct Slots {
    QStringList programs = QStringList(SlotCount);
    QStringList extendedSteps = QStringList(SlotCount);
    bool eightSlots = false;
};

// The slots a parameter file holds in its "EW"/"WU" lines, in list order (a
// later line for a slot wins). A "WU" line marks the file as one of the
// family with eight slots. Lines whose slot number is no number of the area
// are left out.
Slots FromLineList(const QStringList& lineList);

// True for a file line that holds a cycle program ("EW"/"WU", and its text
// is no extended step).
bool isCycleLine(const QString& line);
// True for any slot line of either kind.
bool isSlotLine(const QString& line);
// True for a file line that holds a step of an extended sequence.
bool isStepLine(const QString& line);

// Replaces the file's former cycle-program lines by the non-empty programs in
// slot order, where the first of them stood (before the first slot line of
// either kind when there was none, at the end when there is no slot line).
// Extended steps and every other line stay where they are.
void MergeIntoLineList(QStringList& lineList, const QStringList& programs, bool eightSlots);

// The same for the steps of an extended sequence, always in the "EW" form:
// they replace the former step lines where the first of them stood (after
// the last cycle-program line when there was none, at the end when there is
// no slot line at all). Cycle programs and every other line stay in place.
void MergeStepsIntoLineList(QStringList& lineList, const QStringList& steps);

// How the reading at opening ended.
enum class ReadResult { Done, Failed, Cancelled };

// Told after each slot read (slots read, of how many) once pending events
// have been dispatched; false stops the reading there, with nothing more sent.
using SlotProgress = std::function<bool(int read, int count)>;

// What the dialog reads when it opens online.
struct Opening {
    Slots area;
    QStringList rampSlopes;      // Hz/s, decimal, in ramp order
    QStringList restoreCommands; // "PO..", "PF..", "PN..", "PD..": empty where the query failed
    QString position;            // data field of "PC?"
    QString shortStatus;         // two hexadecimal digits + "h"
};

// Opening online: "DO?", every slot with the status-bar progress (text
// 10172), the ramp slopes, the four restore queries, "PD0" and "PC?". The
// busy state is held throughout. A slot read that brings no reply ends the
// reading with 10103 (or the link's own message for a lost port) and Failed;
// the slot texts preloaded into `opening` stay where an axis answered "$&".
ReadResult ReadOpening(SerialLink& link, Operator& op, Opening& opening,
                       const SlotProgress& progress = {});

// The "PC?" reply (framed, dataOnly false) as position and short status. False
// when it is a pseudo-reply or its status is no hexadecimal byte.
bool ParsePositionReply(const QString& reply, QString* position, QString* statusText,
                        int* statusByte);

// The restore queries at opening; an entry whose query brought a pseudo-reply
// stays empty and is never sent.
QStringList ReadRestoreCommands(SerialLink& link);
void SendRestoreCommands(SerialLink& link, const QStringList& restoreCommands);
// The value part of a restore command ("PO400" -> "400"); empty when missing.
QString restoreValue(const QStringList& restoreCommands, int index);
// The axis's ramp index at opening ("PN?" answers hexadecimal); -1 if unknown.
int restoreRampIndex(const QStringList& restoreCommands);

// The 256 texts to program: each slot's cycle program, or the extended step
// the axis held there when the slot has no program.
QStringList TextsToProgram(const Slots& area);

// The 256 texts to program from the step dialog: each slot's step, or the
// cycle program the axis held there when the slot has no step.
QStringList StepTextsToProgram(const Slots& area);

// Delete all on the axis: the release handshake and "WE" under the busy state.
// A lost reply shows the link's message (10103), a refused release or erase
// 10114; false then, and the axis still holds every slot.
bool EraseOnAxis(SerialLink& link, Operator& op);

// What the panel hands a PLC dialog (cycle programs or steps) when it opens.
struct DialogSetup {
    QString axis; // the axis character, or "OFFLINE..."
    bool offline = false;
    QStringList startStopList;
    QStringList runFreqList;
    QStringList rampList; // offline: the panel's ramps; online they are read
    // Offline: the configuration's slot lines (AxisConfiguration::slotLines)
    // and the device type its file names in its "; [TKV]"/"; [TMW]" line.
    QStringList slotLines;
    QString fileDeviceType;
};

// The read command, the write command and their slot count for the family.
int slotCount(bool eightSlots);

} // namespace PlcArea
