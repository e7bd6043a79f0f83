#pragma once

// One step of an extended sequence: the "$&" slot text the controller keeps
// and the values of the dialog row that shows it. This is the one codec for
// step texts; the dialog, the test run, kormakctl and the tests go through it.

#include <QString>
#include <QStringList>

namespace ExtendedStep {

// The step kinds in the order of the row's kind list.
enum Kind {
    Unused,
    InitialisePlus,
    InitialiseMinus,
    PositionAbsolute,
    MoveRelative,
    Pause,
    Jump,
    StopCurrent,
    RunCurrent,
    BoostCurrent,
    BoostTime,
    ActualPosition,
    StartStopFrequency,
    RunFrequency,
    Ramp,
    ResetPowerStage,
    ResetInitiators,
    ResetOutputDriver,
    ResetSystem,
    ResetSfi,
    KindCount
};

// The text id of a kind in the kind list.
int kindTextId(int kind);

// Which parameter control a row of the kind shows.
enum class Control { None, Edit, List };
Control control(int kind);

// Which list a list row holds; rows of one group share their list.
enum class Group { None, Currents, StartStop, RunFrequencies, Ramps };
Group group(int kind);

// The value an edit or frequency row takes when its control is empty.
QString defaultValue(int kind);

// The values of one row. text is the edit text (the jump target in
// decimal), the frequency text, or the ampere value of a current on a device
// that speaks amperes; index is the list entry of a ramp or of a current
// level, and of an ampere value where the list has one (tenths of an
// ampere), else -1.
struct Row {
    int kind = Unused;
    QString text;
    int index = -1;

    bool operator==(const Row&) const = default;
};

// The row a slot text shows. False for a non-empty text that is no step of
// any kind: it is left in its slot as it is. amperes: currents are ampere
// values ("1.2"), otherwise level digits ("7").
bool parse(const QString& slotText, bool amperes, Row* row);

// How building a slot text from a row ended.
enum class Build {
    Done,
    BadJumpTarget, // the typed slot number is no number 0..255
    BadValue,      // a position, time or frequency that is no number
    NoValue        // a list row without an entry: nothing to store
};
// The slot text of a row ("" for an unused row); defaults fill empty controls.
Build text(const Row& row, bool amperes, QString* slotText);

// Whether a typed value suits a kind: a position is a signed number, a pause,
// time or frequency an unsigned one; the jump target has its own check.
bool valueValid(int kind, const QString& text);

// The row a change of kind leaves: the former value where it is one of the
// same sort and valid for the new kind (a position stays a position, a
// frequency a frequency), else the new kind's default.
Row changedKind(const Row& former, int kind);

// The kinds whose step moves the motor.
bool movesMotor(int kind);

// The jump target of a stored "N" step ("$&N1F" -> 31); -1 when the rest is
// no hexadecimal number, and the number itself when it is beyond the area.
int jumpTarget(const QString& slotText);
// The pause of a "T" step in ms; 0 when the rest is no decimal number.
qint64 pauseMs(const QString& slotText);
// What the test run does with a step.
enum class Action { Nothing, Pause, Jump, Send };
Action action(const QString& slotText);
// The command a "send" step puts on the wire: the text without "$&".
QString command(const QString& slotText);

bool isStep(const QString& slotText);

// Whether a device type speaks amperes in its current steps (TKV, TMW).
bool amperesFor(const QString& deviceType);
// The current list of the rows: amperes on TKV (0.0 .. 6.3 A) and TMW
// (0.0 .. 1.4 A); an offline file without a family marker offers the sixteen
// levels by name; an online level device the currents of its levels from
// the "FA?" reply, up to its first unreadable pair.
QStringList currentValueList(const QString& deviceType, bool offline, const QString& levelReply);

// The device type a parameter file names in its "; [TKV]" / "; [TMW]" line.
QString deviceTypeFromLines(const QStringList& lineList);

} // namespace ExtendedStep
