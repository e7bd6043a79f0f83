#pragma once

#include <QString>

class SerialLink;

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
