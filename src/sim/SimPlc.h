#pragma once

// The PLC side of a simulated axis: in PLC mode ("PD1") a rising STROBE with
// ENABLE runs the cycle program of the selected slot as a real move and
// drives READY and ERROR; switches let tests have the write release refused.
// Also reads the operator lines kormak-sim takes on its standard input.

#include <QString>
#include <QStringList>

namespace sim {

class SimAxis;
class SimBus;

class SimPlc {
public:
    // Input bits of "II?" and output bits of "IO".
    enum : int { Strobe = 1, Enable = 2, Clear = 4, Reset = 8 };
    enum : int { Ready = 1, Error = 2 };

    // The write release ("FC") is refused every time, or only the n-th one
    // counted from when refuseReleaseNth was set (1 = the next).
    bool refuseReleaseAlways = false;
    int refuseReleaseNth = 0;
    // Called for every "FC" with the right code: false refuses it.
    bool grantRelease();

    // Runs on from the axis's advance: watches the mode and the inputs, steps
    // through a running program.
    void advance(SimAxis& axis);
    bool running() const { return !pending_.isEmpty() || started_; }

private:
    void start(SimAxis& axis);
    bool runToken(SimAxis& axis, const QString& token);

    int releasesSeen_ = 0;
    int lastInputs_ = 0;
    int lastMode_ = 0;
    QStringList pending_; // tokens still to run
    bool started_ = false;
};

// One operator line of kormak-sim's standard input, e.g. "3 inputs 0x3",
// "3 program 5", "3 outputs", "3 slot 05 PO400 PF2000 GA100 PN0". Returns
// the answer to print, or an error text starting with "?".
QString applyOperatorLine(SimBus& bus, const QString& line);

} // namespace sim
