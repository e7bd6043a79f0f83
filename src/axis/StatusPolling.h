#pragma once

#include "link/AxisAddress.h"

#include <QString>

class SerialLink;

// The status byte every controller reply carries, and the bits the panel shows.
namespace ShortStatus {
constexpr int MotorRunning = 0x01;
constexpr int InitiatorPlus = 0x02;
constexpr int InitiatorMinus = 0x04;
constexpr int PowerStageError = 0x08;
constexpr int SfiError = 0x10;
constexpr int OtherError = 0x40;
constexpr int HardwareReset = 0x80;

// The status byte of a whole-frame reply (positions 1-2).
int of(const QString& wholeFrameReply);
// The input digit E0-E3 of a whole-frame "II?" reply (position 4).
int inputsOf(const QString& wholeFrameReply);
} // namespace ShortStatus

// One tick of the status poll: "II?" as a whole frame, "PC?" while the motor
// runs and once when it has stopped, then "IO?".
struct StatusPoll {
    enum class Result {
        Done,     // everything read
        TimedOut, // a query timed out: the poll stops and says so
        Failed    // the port is gone (or the panel is offline): the poll stops quietly
    };
    enum class Motion { Unchanged, Started, Stopped };

    Result result = Result::Failed;
    bool statusRead = false;
    int shortStatus = 0;
    int inputs = 0;
    Motion motion = Motion::Unchanged; // change of the panel's motorRunning
    bool positionRead = false;
    QString position;
    bool outputsRead = false; // false also when "IO?" was not hexadecimal
    bool outputA0 = false;
    bool outputA1 = false;
};

// Runs one poll for a panel whose motor was last seen running (`motorRunning`).
// A pseudo-reply is never shown as a position or an output state.
StatusPoll PollShortStatus(SerialLink& link, bool motorRunning);

// The link side of activating a panel: the panel's own axis becomes current,
// the port is closed and reopened on the panel's own port and rate (unless a
// baud rate change is running, when the panel takes over the bar's selection
// instead), and the position is read once.
struct Activation {
    enum class Result {
        Offline,  // the panel is offline: the link's address is offline (never a new configuration)
        PortShut, // no port open: nothing sent, no polling
        Lost,     // "PC?" got no reply: lastTimedOut is set, the panel must lock
        Ready     // position read: polling may start
    };
    Result result = Result::PortShut;
    QString position;
};
Activation ActivateAxisLink(SerialLink& link, const AxisAddress& address, bool baudChangePending,
                            int* portIndex, int* baudIndex);
