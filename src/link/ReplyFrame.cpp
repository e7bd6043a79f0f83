#include "link/ReplyFrame.h"

#include "base/Windows1252.h"

namespace PseudoReply {
bool is(const QString& reply) {
    return reply == Timeout || reply == Error || reply == Offline;
}
} // namespace PseudoReply

namespace ReplyFrame {

Cut cut(const QByteArray& received, bool dataOnly) {
    if (received.size() > ReceiveLimit)
        return {Cut::State::Overflow, PseudoReply::Error};
    const qsizetype n = received.size();
    if (n < 2 || received.back() != ETX)
        return {};
    const qsizetype start = received.lastIndexOf(STX, n - 2);
    if (start < 0)
        return {};
    // Views, not copies: every transaction passes through here.
    const QByteArrayView frame = QByteArrayView(received).sliced(start);
    const QByteArrayView inner = frame.sliced(1, frame.size() - 2);
    if (inner.contains(ETX) || inner.contains('\0'))
        return {};
    if (!dataOnly)
        return {Cut::State::Complete, fromWindows1252(inner)};
    const qsizetype dataLength = frame.size() - 9;
    if (dataLength <= 0)
        return {Cut::State::Complete, QString()};
    return {Cut::State::Complete, fromWindows1252(frame.sliced(5, dataLength))};
}

} // namespace ReplyFrame
