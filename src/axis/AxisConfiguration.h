#pragma once

#include <QString>
#include <QStringList>

// What an axis is configured to: the fourteen parameters (ParameterTable
// says where each lives), the position, the ramps, the device type. This is
// what a parameter file records, a transfer sends and a comparison reads
// back; texts exactly as the controller sends them, selections as indexes.
struct AxisConfiguration {
    // Editable texts (controls 1003, 1004, 1011..1015).
    QString startStopFreq;
    QString runFreq;
    QString position;
    QString axisLimit;
    QString backlash;
    QString zeroOffsetPlus;
    QString zeroOffsetMinus;

    // List selections; -1 is "no selection".
    int rampIndex = -1;     // list 1005, sent as "PN" + "%X"
    int systemType = -1;    // list 1006: 0 rotary, 1 linear
    int operatingMode = -1; // list 1008: 0 PC connection, 1 PLC mode

    QStringList rampList; // list 1005: slopes in Hz/s, decimal

    // The currents and the boost time, as the current settings dialog keeps
    // them for an offline panel and a file records them: amperes ("1.5") on
    // an ampere family, a level digit elsewhere.
    QString boostCurrent; // "PA"
    QString runCurrent;   // "PR"
    QString stopCurrent;  // "PS"
    QString boostTime;    // "PT"

    QString deviceType; // reply to "DO?"

    // The PLC area an offline configuration holds: the slot lines of its
    // file ("EW" + two hexadecimal digits, or "WU" + one, then the slot's
    // text), each with "\r\n", in the order the file and the PLC dialogs
    // give them. An online panel leaves it empty: its area is the
    // controller's, read when a procedure needs it.
    QStringList slotLines;

    // True for a slot line of either form.
    static bool isSlotLine(const QString& line) {
        return line.startsWith(QLatin1String("EW")) || line.startsWith(QLatin1String("WU"));
    }
    // The slot lines of a file's lines, in their order.
    static QStringList slotLinesOf(const QStringList& lines) {
        QStringList found;
        for (const QString& line : lines)
            if (isSlotLine(line))
                found << line;
        return found;
    }
};
