#include "axis/CheckedWrite.h"

#include "axis/AxisVocabulary.h"
#include "axis/StatusPolling.h"
#include "link/SerialLink.h"

namespace {

// Bits of the first data byte of "IS?" (bits 8-15 of the overall status).
constexpr int BadValueBit = 0x02;       // bit 9
constexpr int UnknownCommandBit = 0x08; // bit 11
constexpr int NotNowBit = 0x10;         // bit 12

constexpr int BadValueText = 10080;
constexpr int UnknownCommandText = 10079;
constexpr int NotNowText = 10078;

} // namespace

int CommandErrorTextOf(const QString& data) {
    if (data.size() < 2)
        return 0;
    const int first = AxisVocabulary::hexByteAt(data, 0);
    if (first & BadValueBit)
        return BadValueText;
    if (first & UnknownCommandBit)
        return UnknownCommandText;
    if (first & NotNowBit)
        return NotNowText;
    return 0;
}

QString WholeReplyData(const QString& reply) {
    const qsizetype length = reply.size() - 7;
    return length > 0 ? reply.mid(4, length) : QString();
}

CheckedWrite SendCheckedWrite(SerialLink& link, const QString& command) {
    CheckedWrite write;
    const QString reply = link.SendCommand(command, false, Full);
    if (PseudoReply::is(reply))
        return write;
    write.data = WholeReplyData(reply);
    write.result = CheckedWrite::Result::Taken;
    if (!(ShortStatus::of(reply) & ShortStatus::OtherError))
        return write;
    const QString status = link.SendCommand(QStringLiteral("IS?"), true, Full);
    if (PseudoReply::is(status)) {
        write.result = CheckedWrite::Result::Lost;
        return write;
    }
    write.reasonTextId = CommandErrorTextOf(status);
    if (write.reasonTextId != 0)
        write.result = CheckedWrite::Result::Refused;
    return write;
}

bool ClearCommandErrors(SerialLink& link) {
    return !PseudoReply::is(link.SendCommand(QStringLiteral("IS?"), true, Full));
}
