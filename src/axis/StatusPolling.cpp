#include "axis/StatusPolling.h"

#include "axis/AxisVocabulary.h"
#include "link/SerialLink.h"

using AxisVocabulary::hexByteAt;
using AxisVocabulary::hexDigitAt;

namespace ShortStatus {

int of(const QString& reply) {
    return hexByteAt(reply, 1);
}

int inputsOf(const QString& reply) {
    return hexDigitAt(reply, 4);
}

} // namespace ShortStatus

namespace {

StatusPoll::Result failureOf(const QString& reply) {
    return reply == PseudoReply::Timeout ? StatusPoll::Result::TimedOut
                                         : StatusPoll::Result::Failed;
}

} // namespace

StatusPoll PollShortStatus(SerialLink& link, bool motorRunning) {
    StatusPoll poll;
    const QString status = link.SendCommand(QStringLiteral("II?"), false, Full);
    if (PseudoReply::is(status)) {
        poll.result = failureOf(status);
        return poll;
    }
    poll.statusRead = true;
    poll.shortStatus = ShortStatus::of(status);
    poll.inputs = ShortStatus::inputsOf(status);

    const bool running = poll.shortStatus & ShortStatus::MotorRunning;
    if (running || motorRunning) {
        if (running && !motorRunning)
            poll.motion = StatusPoll::Motion::Started;
        else if (!running)
            poll.motion = StatusPoll::Motion::Stopped;
        const QString position = link.SendCommand(QStringLiteral("PC?"), true, Full);
        if (PseudoReply::is(position)) {
            poll.result = failureOf(position);
            return poll;
        }
        poll.positionRead = true;
        poll.position = position;
    }

    const QString outputs = link.SendCommand(QStringLiteral("IO?"), true, Full);
    if (PseudoReply::is(outputs)) {
        poll.result = failureOf(outputs);
        return poll;
    }
    quint32 value = 0;
    if (AxisVocabulary::hexReply(outputs, &value)) {
        poll.outputsRead = true;
        poll.outputA0 = value & 0x01;
        poll.outputA1 = value & 0x02;
    }
    poll.result = StatusPoll::Result::Done;
    return poll;
}

Activation ActivateAxisLink(SerialLink& link, const AxisAddress& address, bool baudChangePending,
                            int* portIndex, int* baudIndex) {
    Activation activation;
    if (address.isOffline()) {
        link.setAxisAddress(AxisAddress::offline());
        activation.result = Activation::Result::Offline;
        return activation;
    }
    link.setAxisAddress(address);
    if (!link.portOpen()) {
        activation.result = Activation::Result::PortShut;
        return activation;
    }
    link.setLastTimedOut(false);
    if (!baudChangePending) {
        // Every activation puts the link back on the panel's own port and rate,
        // even when they are unchanged: another panel may have used another.
        link.TogglePort();
        link.setPortIndex(*portIndex);
        link.setBaudIndex(*baudIndex);
        link.TogglePort();
    } else {
        *portIndex = link.portIndex();
        *baudIndex = link.baudIndex();
    }
    const QString position = link.SendCommand(QStringLiteral("PC?"), true, Full);
    if (PseudoReply::is(position)) {
        // A port that could not be reopened fails like a silent axis.
        link.setLastTimedOut(true);
        activation.result = Activation::Result::Lost;
        return activation;
    }
    activation.position = position;
    activation.result = Activation::Result::Ready;
    return activation;
}
