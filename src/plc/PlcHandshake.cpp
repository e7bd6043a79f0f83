#include "plc/PlcHandshake.h"

#include "axis/AxisVocabulary.h"
#include "link/SerialLink.h"
#include "plc/PlcArea.h"

namespace PlcHandshake {

QStringList testCommands(const CycleProgram::Row& row) {
    QStringList commands;
    if (CycleProgram::hasFrequencies(row.kind)) {
        commands << AxisVocabulary::startStopFreqCommand(row.offset)
                 << AxisVocabulary::runFreqCommand(row.run);
        // The ramp goes out as the slot holds it (hexadecimal).
        if (!row.ramp.isEmpty())
            commands << QStringLiteral("PN") + row.ramp;
    }
    const QString move = AxisVocabulary::moveCommand(
        row.kind, AxisVocabulary::moveNeedsTarget(row.kind) ? row.target : QString());
    if (!move.isEmpty())
        commands << move;
    return commands;
}

int Poll::enabledSlot() const {
    if (!handshakeRead() || !(inputs & 1))
        return -1;
    return int(program);
}

Poll poll(SerialLink& link, bool handshake) {
    Poll p;
    const QString reply = link.SendCommand(QStringLiteral("PC?"), false, Full);
    if (reply == PseudoReply::Timeout || reply == PseudoReply::Error)
        return p;
    p.answered = true;
    p.positionRead = PlcArea::ParsePositionReply(reply, &p.position, &p.status, &p.statusByte);
    if (!handshake)
        return p;
    p.inputsRead =
        AxisVocabulary::hexReply(link.SendCommand(QStringLiteral("II?"), true, Full), &p.inputs);
    p.programReply = link.SendCommand(QStringLiteral("EI?"), true, Full);
    p.programRead = AxisVocabulary::hexReply(p.programReply, &p.program);
    return p;
}

} // namespace PlcHandshake
