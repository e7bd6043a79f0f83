#pragma once

// The fourteen parameters an axis is configured with, one row each: the
// two-letter code, how it is asked for, its caption, where the value lives
// and in which order the file, the report and the comparison list it. The
// file reader and writer, the transfer, the comparison, the report and
// kormakctl iterate these rows instead of spelling the parameters out.

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

struct AxisConfiguration;

namespace ParameterTable {

// Where a parameter's value lives.
enum class Field {
    OperatingMode,
    BoostCurrent,
    RunCurrent,
    StopCurrent,
    RunFreq,
    AxisLimit,
    Acceleration, // "PH": no control; the file records the controller default
    SystemType,
    ZeroOffsetMinus,
    RampIndex,
    StartStopFreq,
    ZeroOffsetPlus,
    BoostTime,
    Backlash,
};

// How the value is written after the code.
enum class Form {
    Text,         // the text as the axis sends it or the operator typed it
    Selection,    // a list selection, decimal; nothing without one
    HexSelection, // a list selection, one hexadecimal digit; nothing without one
    Fixed,        // "PH": always "0" from a panel
};

// What a file or a transfer accepts as the value.
enum class Check {
    Current,   // amperes ("1.5") or a level digit, as the family takes them
    Free,      // any text that is not empty (the boost time as typed)
    Selection, // a decimal list index, or "-1"
    HexIndex,  // a hexadecimal list index, or "-1"
    Number,    // a whole decimal number, signed
};

struct Row {
    const char* code; // "PD" .. "PW"
    Field field;
    Form form;
    bool current;        // asked "PA??" on an ampere family, else "PA?"
    int captionId;       // the panel's or the current dialog's caption; 0 for none
    int reportOrder;     // place in the report's general block; -1 when not there
    int reportCaptionId; // its caption there; 0 when not there
    bool shownByCli;     // listed by kormakctl show
    Check check;
    // The decimal selections name how many entries their list has.
    int listSize = 0;
};

// The rows in file order ("PD", "PA", "PR", "PS", "PF", "PG", "PH", "PL",
// "PM", "PN", "PO", "PP", "PT", "PW"): the order of a parameter file's
// section, of the transfer's commands and of the comparison.
const QList<Row>& rows();
// The rows the report's general block lists, in its order (the frequencies,
// mode and system, limit, backlash, the two zero offsets).
QList<Row> reportRows();
// The row of a code; nullptr for none of the fourteen.
const Row* find(QStringView code);

// "PF?"; "PA??" for a current on an ampere family.
QString query(const Row& row, bool amperes);
// A parameter as the operator knows it from the panel: "Run frequency (PF)";
// the code alone for one without a control of its own ("PH").
QString caption(const Row& row);

// The value a panel records for the row: its text, the selection's index in
// the row's form, "0" for "PH". nullopt for a list without a selection (a
// "PD-1" line would set nonsense in the next axis).
std::optional<QString> value(const Row& row, const AxisConfiguration& c);
// The text field of a Text row; nullptr for the others.
QString* textField(const Row& row, AxisConfiguration& c);
const QString* textField(const Row& row, const AxisConfiguration& c);
// The list selection of a Selection or HexSelection row; nullptr for the others.
int* selectionField(const Row& row, AxisConfiguration& c);

} // namespace ParameterTable
