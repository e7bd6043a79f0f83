#pragma once

#include <QStringList>
#include <functional>

class Operator;
class SerialLink;

// Closing codes of the progress window in send mode.
enum PlcAreaResult { PlcAreaDone = 1, PlcAreaFailed = 2 };

// What the progress window shows while the slots go out.
struct PlcAreaProgress {
    std::function<void(int slot)> sending; // before slot is looked at
    std::function<void(int slot)> done;    // after it
};

// Writes the PLC slot texts into the controller: a release and "WE" to erase
// the area, then each non-empty slot behind its own release ("EW" + "%02X", or
// "WU" + "%01X" for the family with eight slots). Empty texts leave their slot
// erased. Slots beyond the area are ignored.
//
// Returns PlcAreaDone only when everything asked for was written: a refused
// release (first or per slot) still lets the remaining slots go out but ends
// with PlcAreaFailed; a reply that is no value stops at once with 10103.
int ProgramPlcArea(SerialLink& link, Operator& op, const QStringList& slotTexts, bool eightSlots,
                   const PlcAreaProgress& progress = {});
