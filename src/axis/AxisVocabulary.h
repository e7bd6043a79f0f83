#pragma once

#include <QString>
#include <QStringList>

// The controller's command vocabulary as the axis panel uses it: the rules
// that build the selection lists, the reading of numbers out of replies and
// entries, and the texts of the setting and motion commands. Nothing here
// talks to a controller.

// An entry for a signed number field: empty, or a digit, "+" or "-" followed
// by digits only. "+" or "-" alone passes, as an empty field does.
bool ValidateSignedNumber(const QString& text);

namespace AxisVocabulary {

// Move types of list 1007, in list order.
enum MoveType {
    InitialisePlus = 0,
    InitialiseMinus = 1,
    PositionAbsolute = 2,
    MoveRelative = 3,
    FreeRunPlus = 4,
    FreeRunMinus = 5,
    StepPlus = 6,
    StepMinus = 7,
    MoveTypeCount = 8
};

// The text ids of the three fixed lists, in list order.
QList<int> moveTypeTextIds();
QList<int> systemTypeTextIds();
QList<int> operatingModeTextIds();

// --- numbers -------------------------------------------------------------------
// The leading decimal digits of a reply as an unsigned 32-bit number; no digit
// gives 0, and more than fits gives the largest value rather than wrapping.
quint32 leadingUnsigned(const QString& text);
// An entered frequency as the bound check sees it: optional sign, then leading
// digits, saturating. Any negative amount lies above every bound, so a typed
// "-5" is replaced by the bound instead of being sent.
quint32 enteredFrequency(const QString& text);
// A list index from a reply: the leading digits in the given base. -1 when
// there is no digit or the value does not index a list of `count` entries.
int replyIndex(const QString& reply, int base, int count);
// A hexadecimal reply read whole ("IO?"): false when it is not one or more
// hexadecimal digits, so a garbled reply changes nothing.
bool hexReply(const QString& reply, quint32* value);
// A text of one to maxDigits (at most 8) hexadecimal digits and nothing else,
// as its value; -1 otherwise (a slot's ramp index, jump target or level).
qint64 wholeHex(const QString& text, int maxDigits);
// The value of one hexadecimal digit (either case); -1 for any other character.
int hexValue(QChar c);
// A hexadecimal digit at a fixed position of a reply; a missing character or
// a non-digit counts as no digit (0).
int hexDigitAt(const QString& text, int position);
// The two characters at position and position + 1 read as a hexadecimal
// number: its leading digits, so a missing character ends the number and no
// digit at all gives 0.
int hexByteAt(const QString& text, int position);

// --- selection lists -----------------------------------------------------------
// The bounds that apply where no controller has reported its maximum: the
// ends of the default lists.
constexpr quint32 DefaultMaxRunFreq = 10000;
constexpr quint32 DefaultMaxStartStopFreq = 1250;

// The start/stop frequency list without a controller bound: 50 .. 1100, 1250.
QStringList defaultStartStopList();
// Steps of 50 below 500, then 100; entries above the bound left out; the bound
// itself appended unless it is the last entry already.
QStringList boundedStartStopList(quint32 maxStartStopFreq);
// The run frequency list without a bound: 50 .. 10000 in 41 entries.
QStringList defaultRunFreqList();
// Steps of 50 below 500, 100 below 1000, 250 below 5000, then 500; entries
// above the bound left out, the bound appended unless already last.
QStringList boundedRunFreqList(quint32 maxRunFreq);
// The lists a controller gets for its bounds: the default list when the bound
// is the default list's end, the bounded list otherwise.
QStringList startStopListFor(quint32 maxStartStopFreq);
QStringList runFreqListFor(quint32 maxRunFreq);
// The ramp list of a new offline configuration: the controller's ten
// internal default slopes.
QStringList offlineRampList();
// The ramp list from a ramp value list (the two "FR" replies joined).
QStringList rampListFromValueList(const QString& rampValueList);
// The bound of the start/stop frequency from the controller's maximum.
inline quint32 maxStartStopFreqOf(quint32 maxRunFreq) {
    return maxRunFreq / 8;
}

// --- commands ------------------------------------------------------------------
// A frequency entry after the bound check: the entry, or the bound in decimal
// when the entry reads above it.
QString boundedFrequency(const QString& entry, quint32 bound);
// The setting commands of the value fields: mnemonic + the field's text as it
// stands ("PO", "PF" frequencies; "PC" position, "PG" axis limit, "PW"
// backlash, "PP" / "PM" zero-point offsets). An empty text sends the bare
// mnemonic.
QString startStopFreqCommand(const QString& value);
QString runFreqCommand(const QString& value);
QString positionCommand(const QString& value);
QString axisLimitCommand(const QString& value);
QString backlashCommand(const QString& value);
QString zeroOffsetPlusCommand(const QString& value);
QString zeroOffsetMinusCommand(const QString& value);
// "H": halts the axis. "PB": the controller's internal defaults.
QString stopCommand();
QString loadDefaultsCommand();
// "PN" + index in upper-case hexadecimal; empty without a selection.
QString rampCommand(int index);
// "PL" / "PD" + index in decimal; empty without a selection.
QString systemTypeCommand(int index);
QString operatingModeCommand(int index);
// "IO" + (A0 + 2 x A1) in decimal.
QString outputCommand(bool a0, bool a1);
// The motion command of a move type; empty for no or an unknown selection.
QString moveCommand(int moveType, const QString& target);
// Absolute and relative moves carry the target of edit 1103.
bool moveNeedsTarget(int moveType);
// Moves after which the position is read back at once ("PC?").
bool moveReadsPosition(int moveType);
// A target that may go on the wire: a signed number with at least one digit,
// so that a typo never becomes a move to 0.
bool validMoveTarget(const QString& target);

// The changed-parameters flag of the overall status: bit 5 of the second data
// byte (reply positions 2-3) of "IS?". False for a reply too short to hold it.
bool parametersChanged(const QString& overallStatusReply);

} // namespace AxisVocabulary
