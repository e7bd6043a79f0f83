#include "axis/PanelCommands.h"

#include "axis/AxisVocabulary.h"
#include "axis/MemoryAreas.h"
#include "link/SerialLink.h"

MoveOutcome StartMove(SerialLink& link, int moveType, const QString& moveTarget) {
    MoveOutcome outcome;
    const QString command = AxisVocabulary::moveCommand(moveType, moveTarget);
    if (command.isEmpty())
        return outcome;
    if (AxisVocabulary::moveNeedsTarget(moveType) && !AxisVocabulary::validMoveTarget(moveTarget)) {
        outcome.result = MoveOutcome::Result::BadTarget;
        return outcome;
    }
    link.SendCommand(command, true, Full);
    outcome.result = MoveOutcome::Result::Sent;
    if (AxisVocabulary::moveReadsPosition(moveType)) {
        const QString position = link.SendCommand(QStringLiteral("PC?"), true, Full);
        if (PseudoReply::is(position)) {
            outcome.result = MoveOutcome::Result::PositionLost;
        } else {
            outcome.positionRead = true;
            outcome.position = position;
        }
    }
    return outcome;
}

StoreResult StoreCurrentParameters(SerialLink& link) {
    switch (RequestWriteUnlock(link)) {
    case UnlockResult::Refused:
        return StoreResult::Refused;
    case UnlockResult::LinkFailed:
        return StoreResult::LinkFailed;
    case UnlockResult::Granted:
        break;
    }
    const QString reply = link.SendCommand(QStringLiteral("WP"), true, Full);
    return PseudoReply::is(reply) ? StoreResult::LinkFailed : StoreResult::Stored;
}

ChangeCheck QueryParametersChanged(SerialLink& link) {
    const QString reply = link.SendCommand(QStringLiteral("IS?"), true, Full);
    if (PseudoReply::is(reply))
        return ChangeCheck::LinkFailed;
    return AxisVocabulary::parametersChanged(reply) ? ChangeCheck::Changed : ChangeCheck::Unchanged;
}
