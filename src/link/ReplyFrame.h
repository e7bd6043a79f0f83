#pragma once

// Where a controller's reply lies in the bytes received after a request, and
// what the caller gets of it. Kept apart from the port so that every rule can
// be checked byte by byte, and fed arbitrary input.

#include <QByteArray>
#include <QString>

// The three texts SendCommand answers instead of a reply. Callers compare
// results with them character for character.
namespace PseudoReply {
inline const QString Timeout = QStringLiteral("TIMEOUT\r\n");
inline const QString Error = QStringLiteral("ERROR\r\n");
inline const QString Offline = QStringLiteral("OFFLINE\r\n");
bool is(const QString& reply);
} // namespace PseudoReply

namespace ReplyFrame {

constexpr char STX = 0x02;
constexpr char ETX = 0x03;
// More bytes than this in one exchange is a flooded line, not a reply.
constexpr qsizetype ReceiveLimit = 450;

struct Cut {
    enum class State {
        Waiting,  // no whole reply yet: keep reading until the deadline
        Complete, // text is the reply, cut as asked
        Overflow, // more arrived than a reply can hold: text is "ERROR\r\n"
    };
    State state = State::Waiting;
    QString text;
};

// Cuts the reply out of everything read since the request was written.
//
// A reply is complete when the last byte received is ETX. It runs from the
// last STX before that ETX: whatever came before it (line noise, the tail of
// a reply that missed its own request) is dropped. Bytes that end in ETX
// without an STX, or a frame with a zero byte or a second ETX inside, are no
// reply: the wait goes on, and a whole frame behind them is still taken.
//
// dataOnly = false gives everything between STX and ETX (status at offsets
// 1-2, data from offset 4); dataOnly = true gives the data field alone, from
// position 5 of the frame up to its ":" and two checksum characters, empty for
// a frame shorter than 10 bytes. The checksum is not verified: controllers in
// the field are known to rely on that. The text is decoded from code page 1252.
Cut cut(const QByteArray& received, bool dataOnly);

} // namespace ReplyFrame
