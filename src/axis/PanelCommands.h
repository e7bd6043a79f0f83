#pragma once

#include <QString>

class SerialLink;

// Points the link at one axis for the lifetime of a scope and puts the
// previous target back afterwards. A panel's commands always go to the
// panel's own axis: a panel being closed while another is active (every panel
// at shutdown) or a focus change that lands after another window's activation
// must not talk to whichever axis happens to be current.
//
// When the port is open on another port or rate than the axis was opened
// with, the port is closed and reopened for the scope (unless
// `mayReopenPort` is false, as during a baud rate change).
class AxisTarget {
public:
    AxisTarget(SerialLink& link, const QString& address, int portIndex, int baudIndex,
               bool mayReopenPort = true);
    ~AxisTarget();
    AxisTarget(const AxisTarget&) = delete;
    AxisTarget& operator=(const AxisTarget&) = delete;

private:
    SerialLink& link_;
    QString previousAddress_;
    int previousPort_ = 0;
    int previousBaud_ = 0;
    bool reopened_ = false;
};

// The move of a move type: the motion command, and for absolute, relative and
// single-step moves "PC?" afterwards.
struct MoveOutcome {
    enum class Result {
        Sent,        // the move went out (and the position was read where due)
        NoSelection, // no move type: nothing sent
        BadTarget,   // the target is not a number: nothing sent
        PositionLost // the move went out, but "PC?" brought no reply
    };
    Result result = Result::NoSelection;
    bool positionRead = false;
    QString position;
};
MoveOutcome StartMove(SerialLink& link, int moveType, const QString& moveTarget);

// How storing the current parameters permanently ended.
enum class StoreResult {
    Stored,    // release granted and "WP" answered
    Refused,   // the controller refused the release: nothing stored, nothing to say
    LinkFailed // "IC?", "FC" or "WP" got no reply
};
// WriteUnlock, then "WP" only when the release was granted.
StoreResult StoreCurrentParameters(SerialLink& link);

// Whether the axis reports parameters changed since they were last stored
// ("IS?", bit 5 of the second data byte).
enum class ChangeCheck { Unchanged, Changed, LinkFailed };
ChangeCheck QueryParametersChanged(SerialLink& link);
