#pragma once

#include <QList>
#include <QString>
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

// What the controller made of the slots: a slot write whose reply carried
// status bit 6 with a command error of "IS?" was refused; with readBack,
// each written slot is read once right after its write, and one that does
// not hold the text sent (acknowledged but not stored) differs.
struct PlcAreaCheck {
    bool readBack = false;
    struct Refusal {
        int slot = 0;
        int reasonTextId = 0;
    };
    QList<Refusal> refused;
    QList<int> differing;
    // A slot write answered "NO" without a command error: the slot was not
    // stored. -1 when none was.
    int answeredNo = -1;
    bool eraseRefused = false; // "WE" answered "NO"
    bool clean() const {
        return refused.isEmpty() && differing.isEmpty() && answeredNo < 0 && !eraseRefused;
    }
};

// One line per refused or differing slot ("Slot 05 ..."), slots named as
// the dialogs name them (two hexadecimal digits, one for eight slots).
QString PlcAreaCheckText(const PlcAreaCheck& check, bool eightSlots);

// Writes the PLC slot texts into the controller: a release and "WE" to erase
// the area, then each non-empty slot behind its own release ("EW" + "%02X", or
// "WU" + "%01X" for the family with eight slots). Empty texts leave their slot
// erased. Slots beyond the area are ignored.
//
// Returns PlcAreaDone only when everything asked for was written: a refused
// release (first or per slot) still lets the remaining slots go out but ends
// with PlcAreaFailed; a reply that is no value stops at once with 10103.
// The overall status is read once before the first write, so that an old
// error bit does not count against a slot. A refused or differing slot
// (check) ends with PlcAreaFailed too. A "NO" to "WE" or to a slot write
// stops at once: the controller did not store it, and the check names it.
int ProgramPlcArea(SerialLink& link, Operator& op, const QStringList& slotTexts, bool eightSlots,
                   const PlcAreaProgress& progress = {}, PlcAreaCheck* check = nullptr);
