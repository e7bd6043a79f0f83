#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class CKormakDoc;
class Operator;
class SerialLink;
struct AxisConfiguration;

// An offline configuration beside an axis: what a transfer of it would
// change. The axis is only read ("?" queries, "FR", slot reads); nothing is
// written.

struct AxisComparison {
    struct Parameter {
        QString code;      // "PD" .. "PW"
        QString fileValue; // what the transfer sends; empty when it sends nothing
        QString axisValue;
        bool sent = true; // false for a list without a selection
        bool differs = false;
    };
    QList<Parameter> parameters;

    bool tableCompared = false;
    QString fileTable;
    QString axisTable;
    bool tablesEqual() const { return fileTable == axisTable; }

    bool plcCompared = false;
    bool eightSlots = false;
    // Slots whose text on the axis is not the one the file leaves there.
    QList<int> differingSlots;
    // Their contents side by side: what the file leaves there, what the axis
    // holds (empty: nothing).
    struct SlotTexts {
        QString file;
        QString axis;
    };
    QMap<int, SlotTexts> differingSlotTexts;
    // Lines of the other slot area, which this axis cannot take.
    QStringList foreignLines;
    bool plcEqual() const { return differingSlots.isEmpty() && foreignLines.isEmpty(); }

    bool parametersEqual() const;
    bool equal() const;
    // "PF", "table", "slot 05": every item that differs, in this order.
    QStringList differences() const;
};

// The two values stand for the same setting: the same text, or the same
// number (decimal; hexadecimal for the ramp index "PN").
bool SameParameterValue(const QString& code, const QString& fileValue, const QString& axisValue);

// A parameter as the operator knows it from the panel: "Run frequency (PF)";
// the code alone for one without a control of its own ("PH").
QString ParameterName(const QString& code);

// What to read back.
struct ComparisonScope {
    bool table = true;
    // true: the whole slot area, so that a slot the file leaves empty but the
    // axis holds shows; false: only the slots of the file's lines.
    bool wholePlcArea = true;
};

// Reads the axis in link.currentAddress() (probed by the caller) and compares
// it with params and doc, the offline panel's. Holds the busy state; every
// query goes to that axis. False (after 10103, or the link's own message)
// when a reply did not come: the comparison is then incomplete.
bool CompareWithAxis(SerialLink& link, Operator& op, const AxisConfiguration& params,
                     const CKormakDoc& doc, AxisComparison* result,
                     const ComparisonScope& scope = {});
