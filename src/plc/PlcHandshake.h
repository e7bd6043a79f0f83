#pragma once

// The exchanges of the cycle-program dialog's test and protocol simulation:
// the commands that test one row's program, and the poll of position,
// status, inputs and program number with the row the handshake enables.

#include "plc/CycleProgram.h"

#include <QString>
#include <QStringList>

class SerialLink;

namespace PlcHandshake {

// The commands that run a row's program by hand, in the order they go out:
// offset, run frequency and ramp (when the kind has them; without a ramp
// the move runs on the axis's current one), then the move itself.
QStringList testCommands(const CycleProgram::Row& row);

// What one poll found.
struct Poll {
    bool answered = false;     // "PC?" got a reply at all
    bool positionRead = false; // ... and it could be read
    QString position;
    QString status; // the short status, "06h"
    int statusByte = 0;
    bool inputsRead = false;
    quint32 inputs = 0; // bit 0 STROBE, 1 ENABLE, 2 CLEAR, 3 RESET
    bool programRead = false;
    quint32 program = 0;  // the program number the inputs select
    QString programReply; // the "EI?" reply as it came (hexadecimal)

    // The motor still moves (status bit 0).
    bool moving() const { return positionRead && (statusByte & 1); }
    // Inputs and program number are both known.
    bool handshakeRead() const { return inputsRead && programRead; }
    // The slot whose row may be tested: the selected program while STROBE
    // is on; -1 while it is off or nothing could be read.
    int enabledSlot() const;
};

// "PC?" (the whole reply); with `handshake` then "II?" and "EI?", asked
// also when an earlier one could not be read. A "PC?" without a reply asks
// nothing more.
Poll poll(SerialLink& link, bool handshake);

} // namespace PlcHandshake
