#pragma once

#include "axis/AxisConfiguration.h"

#include <QString>
#include <QStringList>

// One axis panel's parameter set: the configuration of its axis, and what
// the panel keeps for itself — the move target and kind, the lists offered,
// the outputs, the bounds derived from the controller's maximum run
// frequency and the panel's state. The panel copies its controls into this
// set before any procedure reads it, and the procedures' results back.
struct AxisParameters : AxisConfiguration {
    QString moveTarget; // control 1103
    int moveType = 1;   // list 1007

    // List contents.
    QStringList startStopList; // 1003
    QStringList runFreqList;   // 1004

    // Outputs A0/A1 (check boxes 1029, 1030): 0 or 1 each.
    int outputA0 = 0;
    int outputA1 = 0;

    quint32 maxRunFreq = 0;
    quint32 maxStartStopFreq = 0; // maxRunFreq / 8

    bool sfiPresent = false;
    bool motorRunning = false;
    bool transferBusy = false;
    int portIndex = 0;
    int baudIndex = 0;
};
