#pragma once

// The step frequency over time of one ramp table, as the controller runs it:
// what the ramp memory dialog draws and `kormakctl ramp-table --csv` prints.
// The curves come from the very table words the program writes (or would
// write), never from a formula of their own.

#include "drive/RampCalculation.h"
#include "drive/RampMemoryImage.h"

#include <QList>
#include <QString>
#include <QtGlobal>

struct RampCurvePoint {
    double seconds = 0; // when the step starts: the sum of the durations before it
    double hz = 0;      // (clock / 12) / the step's ticks
};

struct RampCurve {
    RampTableStatus status = RampTableStatus::NoMemory; // of the table behind the curve
    QList<RampCurvePoint> points;                       // one per step entry, in step order
    double secondsToTop = 0; // the sum of every step's duration: the time to the top frequency

    bool isValid() const { return status == RampTableStatus::Fits && !points.isEmpty(); }
};

// Timer ticks of a stored step entry: 65536 minus the word, so "0001" is the
// longest step the word holds (65535 ticks) and never a wrapped short one.
int RampStepTicks(quint16 entry);

// The curve of a table's step entries for an axis with this clock ("IQ?").
// A clock below 12 Hz gives a timer that never ticks: no points, NoClock.
RampCurve RampCurveOfEntries(const QList<quint16>& entries, qint32 clockHz);

// The curve of the table assembled in an image from offset 0x70 (count,
// entries), as a successful calculation leaves it.
RampCurve RampCurveOfImage(const RampMemoryImage& image, qint32 clockHz);

// Computes the table the program would write for this slope with the same
// calculation, and gives its curve; a table that cannot be made gives its
// status and no points.
RampCurve ComputeRampCurve(qint32 clockHz, qint32 topFrequency, quint32 ramp,
                           qint32 freeMemory = RampMemoryImage::TableSpace);

// "step,time_s,frequency_hz" and one line per step (steps counted from 1,
// time with microseconds, frequency with millihertz, '.' as decimal point),
// each line ending in "\n".
QString RampCurveCsv(const RampCurve& curve);
