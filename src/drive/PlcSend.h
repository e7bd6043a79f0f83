#pragma once

#include "drive/ProgramPlcArea.h"
#include "link/DeviceFamily.h"

#include <QStringList>

class CWait;
class Operator;
class SerialLink;

// The PLC area written from the progress window (ProgramPlcArea): the window's
// text names each slot as it goes out and its bar follows the slots. It closes
// with PlcAreaDone when everything was written, PlcAreaFailed otherwise (also
// at once without a link).
struct PlcSend {
    QStringList slotTexts = QStringList(PlcSlotCount); // slot 0..255, empty = not written
    bool eightSlots = false;                           // "WU" and slots 0..7
    // Each written slot is read back (on unless a caller turns it off); after
    // the run, the slots refused or not held as sent.
    PlcAreaCheck check = {true, {}, {}};

    // Makes wait send the area when it shows; this object must outlive the run.
    void prepare(CWait& wait, SerialLink* link, Operator& op);
};
