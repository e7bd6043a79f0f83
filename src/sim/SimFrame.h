#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

namespace sim {

// One request frame as the bus reads it, and the reply frame it sends back.
//
// Which of the four framings a frame uses cannot always be told from its bytes, so the
// bus decides by this rule:
//   * checksummed: the text between STX and ETX ends in ":" and two upper-case hexadecimal
//     digits. If they are not the exclusive-or of every byte before them (colon included),
//     the frame is damaged and gets no reply. Anything else carries no checksum.
//   * addressed: the (checksum-free) text starts with "0".."9" or "A".."F". When the whole
//     text also starts with a known command mnemonic (only letters A-F can do that), it is
//     addressed only if the rest starts with a known mnemonic too, and not if the whole text
//     is a well-formed command while the rest is not: "EWA0..." writes slot A0, "CIS?" asks
//     axis C for "IS?", "FR0050" reads ramp memory, "0XY?" is an unknown command for axis 0.
//   * a frame without an address goes to the lowest axis present on the bus.
class SimFrame {
public:
    enum class Check { None, Good, Bad };

    Check check = Check::None;
    bool addressed = false;
    QChar address;   // valid when addressed
    QString command; // the command text, Latin-1

    // Decodes the bytes between STX and ETX (both excluded).
    static SimFrame decode(const QByteArray& payload);
    // Exclusive-or of all bytes.
    static quint8 checksum(const QByteArray& bytes);
    // STX, address, status as two hexadecimal digits, a blank, the data, ":", checksum, ETX.
    static QByteArray reply(QChar address, quint8 status, const QString& data);
    // A request in the full framing (STX, address, command, ":", checksum, ETX), for tests and
    // tools that talk to the bus.
    static QByteArray request(QChar address, const QString& command);

    static constexpr char STX = 0x02;
    static constexpr char ETX = 0x03;
};

} // namespace sim
