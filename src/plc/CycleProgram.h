#pragma once

// One cycle program: the slot text the controller runs in PLC mode, and the
// values of the dialog row that shows it. This is the one codec for slot
// texts; the dialog, kormakctl and the tests all go through it.

#include "axis/AxisVocabulary.h"

#include <QString>

namespace CycleProgram {

// The move kinds in the order of the row's kind list: the panel's move types,
// then "not used".
enum Kind {
    InitialisePlus = AxisVocabulary::InitialisePlus,
    InitialiseMinus = AxisVocabulary::InitialiseMinus,
    PositionAbsolute = AxisVocabulary::PositionAbsolute,
    MoveRelative = AxisVocabulary::MoveRelative,
    FreeRunPlus = AxisVocabulary::FreeRunPlus,
    FreeRunMinus = AxisVocabulary::FreeRunMinus,
    StepPlus = AxisVocabulary::StepPlus,
    StepMinus = AxisVocabulary::StepMinus,
    Unused = AxisVocabulary::MoveTypeCount,
    KindCount
};

// The text ids of the kind list, in list order.
int kindTextId(int kind);

// The values of one row. ramp is the ramp index as stored after "PN"
// (upper-case hexadecimal, no leading zeros); empty means the text carries no
// " PN" part and the move runs on the axis's current ramp.
struct Row {
    int kind = Unused;
    QString target;
    QString offset;
    QString run;
    QString ramp;

    bool operator==(const Row&) const = default;
};

bool hasTarget(int kind);      // kinds 0..3
bool hasFrequencies(int kind); // kinds 0..5

// The slot text of a row; "" for an unused row. The single steps are fixed
// texts whatever the row's hidden fields hold.
QString text(const Row& row);

// The row a slot text shows. False for a non-empty text that holds none of
// the move keywords: it is no cycle program this dialog can show, and must
// stay in its slot as it is.
bool parse(const QString& slotText, Row* row);

// An offset or run frequency as a row's field may hold it: one to ten decimal
// digits and nothing else, so that no typed word joins the program's text.
bool frequencyValid(const QString& text);

// The ramp part for a list index: "%X", empty for no selection.
QString rampText(int index);
// The list index a ramp part names; -1 when it is not a hexadecimal number.
int rampIndex(const QString& ramp);

// True for a slot text that belongs to the cycle programs: not empty and not
// a step of an extended sequence ("$&").
bool isCycleText(const QString& slotText);
bool isExtendedStep(const QString& slotText);

} // namespace CycleProgram
