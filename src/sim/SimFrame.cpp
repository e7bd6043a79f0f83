#include "sim/SimFrame.h"

#include "sim/SimCommandSyntax.h"

namespace sim {

namespace {

bool isUpperHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

QByteArray hex2(quint8 v) {
    return QByteArray::number(v, 16).rightJustified(2, '0').toUpper();
}

} // namespace

quint8 SimFrame::checksum(const QByteArray& bytes) {
    quint8 sum = 0;
    for (char c : bytes)
        sum ^= quint8(c);
    return sum;
}

SimFrame SimFrame::decode(const QByteArray& payload) {
    SimFrame f;
    QByteArray body = payload;
    const qsizetype n = payload.size();
    if (n >= 3 && payload[n - 3] == ':' && isUpperHex(payload[n - 2]) &&
        isUpperHex(payload[n - 1])) {
        const quint8 sent = quint8(payload.mid(n - 2).toUInt(nullptr, 16));
        f.check = checksum(payload.left(n - 2)) == sent ? Check::Good : Check::Bad;
        body = payload.left(n - 3);
    }
    const QString text = QString::fromLatin1(body);
    if (!text.isEmpty() && SimCommandSyntax::isAddress(text.front())) {
        const QStringView rest = QStringView(text).mid(1);
        bool addressed = true;
        // No command starts with a digit; a letter A-F may be an address or the start of a
        // command, and then the reading that makes sense wins.
        if (!SimCommandSyntax::mnemonicOf(text).isEmpty()) {
            addressed =
                !SimCommandSyntax::mnemonicOf(rest).isEmpty() &&
                !(SimCommandSyntax::wellFormed(text) && !SimCommandSyntax::wellFormed(rest));
        }
        if (addressed) {
            f.addressed = true;
            f.address = text.front();
            f.command = rest.toString();
            return f;
        }
    }
    f.command = text;
    return f;
}

QByteArray SimFrame::reply(QChar address, quint8 status, const QString& data) {
    QByteArray inner;
    inner += address.toLatin1();
    inner += hex2(status);
    inner += ' ';
    inner += data.toLatin1();
    inner += ':';
    return STX + inner + hex2(checksum(inner)) + ETX;
}

QByteArray SimFrame::request(QChar address, const QString& command) {
    QByteArray inner;
    inner += address.toLatin1();
    inner += command.toLatin1();
    inner += ':';
    return STX + inner + hex2(checksum(inner)) + ETX;
}

} // namespace sim
