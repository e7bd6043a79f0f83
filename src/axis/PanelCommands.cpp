#include "axis/PanelCommands.h"

#include "axis/AxisVocabulary.h"
#include "axis/MemoryAreas.h"
#include "link/SerialLink.h"

AxisTarget::AxisTarget(SerialLink& link, const QString& address, int portIndex, int baudIndex,
                       bool mayReopenPort)
    : link_(link), previousAddress_(link.currentAddress()), previousPort_(link.portIndex()),
      previousBaud_(link.baudIndex()) {
    link_.setCurrentAddress(address);
    if (mayReopenPort && link_.portOpen() &&
        (portIndex != previousPort_ || baudIndex != previousBaud_)) {
        link_.TogglePort();
        link_.setPortIndex(portIndex);
        link_.setBaudIndex(baudIndex);
        link_.TogglePort();
        reopened_ = true;
    }
}

AxisTarget::~AxisTarget() {
    if (reopened_) {
        if (link_.portOpen())
            link_.TogglePort();
        link_.setPortIndex(previousPort_);
        link_.setBaudIndex(previousBaud_);
        link_.TogglePort();
    }
    link_.setCurrentAddress(previousAddress_);
}

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
