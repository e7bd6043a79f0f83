#include "drive/OverallStatus.h"
#include "base/MessageIds.h"

#include "axis/AxisVocabulary.h"
#include "base/Operator.h"
#include "link/ReplyFrame.h"
#include "link/SerialLink.h"

namespace OverallStatus {

namespace {

// The character at position, or nothing past the end of the reply.
QString charAt(const QString& text, int position) {
    return position < text.size() ? text.mid(position, 1) : QString();
}

} // namespace

const QList<Lamp>& lamps() {
    // The parity lamp has no bit: the controller names none for it, and a
    // guessed one could light a false error.
    static const QList<Lamp> table{
        {0, Colour::Green, 10062},   {1, Colour::Red, 10066},     {2, Colour::Red, 10067},
        {3, Colour::Red, 10069},     {4, Colour::Red, 10071},     {5, Colour::Red, 10074},
        {7, Colour::Yellow, 10085},  {9, Colour::Red, 10080},     {11, Colour::Red, 10079},
        {12, Colour::Red, 10078},    {13, Colour::Red, 10075},    {15, Colour::Red, 10077},
        {17, Colour::Red, 10070},    {18, Colour::Yellow, 10072}, {21, Colour::Green, 10088},
        {22, Colour::Red, 10087},    {23, Colour::Red, 10086},    {24, Colour::Green, 10064},
        {25, Colour::Yellow, 10073}, {26, Colour::Green, 10065},  {27, Colour::Green, 10063},
        {31, Colour::Red, 10068},    {-1, Colour::Grey, 10076},
    };
    return table;
}

Reading decode(const QString& reply) {
    Reading r;
    if (PseudoReply::is(reply)) {
        r.codeText = reply.trimmed();
        return r;
    }
    // D3, D2, D1, S: most significant byte first.
    static const int positions[8] = {8, 9, 6, 7, 4, 5, 1, 2};
    for (int p : positions) {
        r.codeText += charAt(reply, p);
        r.value = (r.value << 4) | quint32(AxisVocabulary::hexDigitAt(reply, p));
    }
    r.valid = true;
    return r;
}

QList<Colour> lampColours(quint32 value) {
    QList<Colour> colours;
    for (const Lamp& l : lamps())
        colours << ((l.bit >= 0 && (value >> l.bit) & 1u) ? l.colour : Colour::Grey);
    return colours;
}

Reading read(SerialLink& link) {
    return decode(link.SendCommand(QStringLiteral("IS?"), false));
}

Codes readCodes(SerialLink& link) {
    Codes codes;
    codes.bios = link.SendCommand(QStringLiteral("IB?")).trimmed();
    codes.system = link.SendCommand(QStringLiteral("IV?")).trimmed();
    codes.date = link.SendCommand(QStringLiteral("IC?")).trimmed();
    return codes;
}

void clearReported(SerialLink& link) {
    link.SendCommand(QStringLiteral("IS?"), false);
}

QString resetCommand(Reset reset) {
    static const char* const commands[ResetCount] = {"CO", "CA", "CI", "CS", "CR"};
    return QString::fromLatin1(commands[int(reset)]);
}

int resetCaptionTextId(Reset reset) {
    return 10090 + int(reset);
}

int resetDoneTextId(Reset reset) {
    return reset == Reset::System ? 0 : 10106 + int(reset);
}

bool runPartReset(SerialLink& link, Operator& op, Reset reset) {
    if (PseudoReply::is(link.SendCommand(resetCommand(reset), false))) {
        link.reportFailure(op, MessageId::NoReply);
        return false;
    }
    op.inform(resetDoneTextId(reset));
    return true;
}

bool sendSystemReset(SerialLink& link, Operator& op) {
    const QString reply = link.SendCommand(resetCommand(Reset::System), true);
    // "TIMEOUT" is expected of an axis that restarts at once; "ERROR" and
    // "OFFLINE" mean the command never left.
    if (reply == PseudoReply::Error || reply == PseudoReply::Offline) {
        link.reportFailure(op, MessageId::NoReply);
        return false;
    }
    return true;
}

} // namespace OverallStatus
