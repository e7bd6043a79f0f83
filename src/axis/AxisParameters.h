#pragma once

#include <QString>
#include <QStringList>

// The configuration of one axis as the panel holds it: texts exactly as the
// controller sends them, list selections, and the bounds derived from the
// controller's maximum run frequency. The panel copies its controls into this
// set before any procedure reads it, and the procedures' results back.
struct AxisParameters {
    // Editable texts (controls 1003, 1004, 1011..1015, 1103).
    QString startStopFreq;
    QString runFreq;
    QString position;
    QString axisLimit;
    QString backlash;
    QString zeroOffsetPlus;
    QString zeroOffsetMinus;
    QString moveTarget;

    // List selections; -1 is "no selection".
    int rampIndex = -1;     // list 1005, sent as "PN" + "%X"
    int systemType = -1;    // list 1006: 0 rotary, 1 linear
    int operatingMode = -1; // list 1008: 0 PC connection, 1 PLC mode
    int moveType = 1;       // list 1007

    // List contents.
    QStringList startStopList; // 1003
    QStringList runFreqList;   // 1004
    QStringList rampList;      // 1005: slopes in Hz/s, decimal

    // Outputs A0/A1 (check boxes 1029, 1030): 0 or 1 each.
    int outputA0 = 0;
    int outputA1 = 0;

    quint32 maxRunFreq = 0;
    quint32 maxStartStopFreq = 0; // maxRunFreq / 8

    QString deviceType; // reply to "DO?"
    bool sfiPresent = false;
    bool motorRunning = false;
    bool transferBusy = false;
    int portIndex = 0;
    int baudIndex = 0;
};
