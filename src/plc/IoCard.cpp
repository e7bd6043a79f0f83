#include "plc/IoCard.h"

#include "axis/AxisVocabulary.h"
#include "link/ReplyFrame.h"
#include "link/SerialLink.h"

namespace IoCard {

Presence checkPresent(SerialLink& link) {
    const QString reply = link.SendCommand(QStringLiteral("PE?"));
    // An offline configuration has no card to show.
    if (reply == PseudoReply::Offline)
        return Presence::Absent;
    if (PseudoReply::is(reply))
        return Presence::LinkFailed;
    return reply.startsWith(QLatin1String("POEA")) ? Presence::Present : Presence::Absent;
}

bool reducedFamily(const QString& deviceType) {
    return deviceType.startsWith(QLatin1String("TKV")) ||
           deviceType.startsWith(QLatin1String("TMW"));
}

bool readReducedFamily(SerialLink& link) {
    return reducedFamily(link.SendCommand(QStringLiteral("DO?")));
}

Inputs readInputs(SerialLink& link) {
    Inputs inputs;
    quint32 value = 0;
    for (auto [query, shown] : {std::pair{"II?", &inputs.control}, {"EI?", &inputs.programs}}) {
        const Read r = readRegister(link, QString::fromLatin1(query), &value);
        if (r == Read::Failed) {
            inputs.linkFailed = true;
            break;
        }
        if (r == Read::Ok)
            *shown = value;
    }
    return inputs;
}

Read readRegister(SerialLink& link, const QString& query, quint32* value) {
    const QString reply = link.SendCommand(query);
    if (PseudoReply::is(reply))
        return Read::Failed;
    return AxisVocabulary::hexReply(reply, value) ? Read::Ok : Read::Garbled;
}

bool readOutputs(SerialLink& link, Outputs* outputs) {
    Outputs read;
    if (readRegister(link, QStringLiteral("IO?"), &read.io) != Read::Ok ||
        readRegister(link, QStringLiteral("EO?"), &read.eo) != Read::Ok)
        return false;
    *outputs = read;
    return true;
}

bool writeOutputs(SerialLink& link, const Outputs& outputs) {
    if (PseudoReply::is(
            link.SendCommand(QStringLiteral("IO%1").arg(outputs.io & 0x3, 0, 16).toUpper())))
        return false;
    return !PseudoReply::is(
        link.SendCommand(QStringLiteral("EO%1").arg(outputs.eo & 0xF, 0, 16).toUpper()));
}

} // namespace IoCard
