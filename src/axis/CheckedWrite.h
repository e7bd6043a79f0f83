#pragma once

#include <QString>

class SerialLink;

// Whether a controller took a setting command. Every reply carries the short
// status; its "other error" bit (6) says that something is wrong, either a
// refused command or a standing fault (an initiator, the output driver). The
// overall status ("IS?") tells which: its command-error bits (9 "Parameter
// value incorrect", 11 "Unknown command", 12 "Command is just invalid") mean
// the command was refused. Reading "IS?" clears those bits in the controller.
struct CheckedWrite {
    enum class Result {
        Taken,   // no error bit, or a standing fault without a command error
        Refused, // a command-error bit was set: reasonTextId says which
        Lost,    // no reply to the command or to "IS?": a pseudo-reply
    };
    Result result = Result::Lost;
    QString data;         // the reply's data field (empty for a pseudo-reply)
    int reasonTextId = 0; // 10080, 10079 or 10078 for a refusal
    bool taken() const { return result == Result::Taken; }
};

// The text id of the first command-error bit of an "IS?" data field (bits 9,
// 11, 12 in its first byte), 0 when none is set.
int CommandErrorTextOf(const QString& overallStatusData);

// The data field of a whole-frame reply (from position 4, without the
// checksum): what SendCommand gives with dataOnly = true.
QString WholeReplyData(const QString& wholeFrameReply);

// Sends command to link.currentAddress() and checks its short status, asking
// "IS?" only when bit 6 is set. Adds no message.
CheckedWrite SendCheckedWrite(SerialLink& link, const QString& command);

// Reads "IS?" once so that an error bit left by an earlier command does not
// stand against the next write. False when no reply came.
bool ClearCommandErrors(SerialLink& link);
