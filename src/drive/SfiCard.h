#pragma once

// The SFI option card: its configuration byte, the name and places of its
// program files, the Intel HEX records they hold, and the programming run.
// The dialog (CSFIDialog), and the tests, call these.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Operator;
class SerialLink;

namespace SfiCard {

// Encoder line counts by index, as the card numbers them.
constexpr int EncoderLines[4] = {50, 500, 1000, 200};

struct Configuration {
    bool minus = false;    // preferred direction (bit 7)
    bool steps500 = false; // 500 motor steps, else 200 (bit 4)
    int encoderIndex = 0;  // 0..3 (bits 0-3)
};
quint8 configurationByte(const Configuration& c);
// "IM" and the byte as two upper-case digits ("IM92").
QString configurationCommand(const Configuration& c);

// What a reply to "IM?" says. A pseudo-reply or "FF" says nothing; a last
// digit above 3 names no encoder.
struct ReadConfiguration {
    bool known = false; // direction and steps are given
    bool minus = false;
    bool steps500 = false;
    int encoderIndex = -1; // -1: no encoder given
};
ReadConfiguration parseConfiguration(const QString& reply);

// What the card says of itself: whether it is switched on ("PI?" answered
// "1") and its configuration ("IM?").
struct State {
    bool active = false;
    ReadConfiguration configuration;
};
// "PI?", then "IM?". Empty, after 10103 (or the link's own message), when
// "PI?" got no answer: a card that does not answer has nothing to show.
std::optional<State> readState(SerialLink& link, Operator& op);

// "PI1" switches the card on, "PI0" off. The reply is not used: the dialog
// shows what the operator chose.
void setActive(SerialLink& link, bool active);

// "CS": clears the card's error.
void clearError(SerialLink& link);

// "200P0050.S" + suffix: steps, direction, encoder lines, the card's variant.
QString programFileName(const Configuration& c, const QString& suffix);
// The "IL?" reply is used in a file name only when it cannot leave the
// program directory: no pseudo-reply, no "/", "\", "..", control characters.
bool usableSuffix(const QString& reply);

// Where program files are looked for, in order: the user's data directory,
// the installed data directory, the folder beside the executable.
QStringList searchDirectories();
// The first file of that name in dirs, matched exactly in every directory
// first and then without regard to case; empty when there is none. tried gets
// the paths looked at.
QString findProgramFile(const QString& name, const QStringList& dirs, QStringList* tried);

// One data record of 16 bytes: 4 address digits and 32 data digits as the
// file has them.
struct Record {
    QString address;
    QString data;
};
// The data records of an Intel HEX text as the card takes them, in 16-byte
// pieces in file order up to the end record: a longer record is cut into
// pieces at their own addresses; a shorter record, a shorter rest of a
// longer one, and other record types are passed over. False
// when a line is no record, is cut short or has a wrong checksum: then no
// record is to be sent at all. badOffset gets where that line began.
bool readRecords(const QString& text, QList<Record>* records, qsizetype* badOffset = nullptr);

enum class Outcome {
    Programmed,  // records sent and "WX" sent
    FileMissing, // 10158 shown, nothing sent
    FileDamaged, // the file is damaged or holds no 16-byte piece: said, nothing sent
    Refused,     // write release refused: stops without a message
    LinkFailed,  // a reply did not come: 10103 (or the link's message) shown
    Rejected,    // the card answered "NO" to the configuration, a record or the store:
                 // 10114 shown, nothing more sent
};
// The programming run up to "WX": "IL?", the file (read and checked whole),
// the write release, "IM", one "WI" per record, "WX". dirs: where to look.
Outcome program(SerialLink& link, Operator& op, const Configuration& c, const QStringList& dirs);

// Files larger than this are no program files.
constexpr qint64 MaxFileBytes = 1 << 20;

} // namespace SfiCard
