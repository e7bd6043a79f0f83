#pragma once

// The RS monitor's core: the operator's command sent in any of the four
// framings, the reply cut one of three ways for display, the history of sent
// commands, the stored list choices, and a log of every exchange with the
// raw bytes as they went over the wire.

#include "link/SerialLink.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace RsMonitor {

// A Full frame adds six characters to the command; with 505 it still fits
// the 511 that a frame may hold, so the command field never takes more.
constexpr int MaxCommandLength = 505;

// Typed text made ready for the wire. Every character goes out as one code
// page 1252 byte, so a character without that form is refused (the encoder
// would send "?", which turns a setting into a query), and so is a control
// character: a line feed of a pasted block, a tab, or the framing's own STX
// or ETX would go out unseen inside the frame. A command longer than
// MaxCommandLength is refused rather than cut. With upper-casing, a character
// is upper-cased only where its capital is again one code page 1252 byte
// ("ä" -> "Ä", "ÿ" -> "Ÿ"); "ß" and "µ" stay as typed.
struct TypedCommand {
    QString command; // what goes out; empty when refused
    QString refusal; // why nothing goes out, for the operator; empty when sent
    bool accepted() const { return refusal.isEmpty(); }
};
enum class Case { Upper, AsTyped };
TypedCommand commandFromTyped(const QString& typed, Case letterCase = Case::Upper);

// One line of the monitor's standard input, without its line end (LF or
// CR LF); false at the end of the input.
bool readInputLine(std::FILE* in, QByteArray* line);
// A line of the monitor's standard input (without its line end) as text. The
// terminal writes UTF-8; a line that is not valid UTF-8 is refused naming the
// first byte that breaks it, never decoded with replacement characters (they
// would reach the wire as "?"). False with refusal set then.
bool decodeInputLine(const QByteArray& line, QString* text, QString* refusal);

// The display list: what of the reply between STX and ETX is shown.
enum Display : int { DataOnly = 0, StatusAndData = 1, AllCharacters = 2 };

// The framing list runs from bare STX/ETX (index 0) to the full protocol
// (index 3): mode = 3 - index. -1 for an index outside the list.
int framingOfIndex(int index);
// Text id of a framing list entry (10137..10140), of a display entry (10141..10143).
int framingTextId(int index);
int displayTextId(int index);

// Cuts a reply (everything between STX and ETX, or a pseudo-reply) for the
// display index. An index outside the list shows the reply unchanged; a cut
// that would leave less than nothing shows nothing.
QString cutReply(const QString& reply, int displayIndex);

// Puts sent in front of the history unless an entry equal to it in upper case
// is there already. True when it was added.
bool addToHistory(QStringList& history, const QString& sent);

// The list choices kept in the settings store ("Settings/RSMon_Protokoll",
// "Settings/RSMon_Anzeige"); a stored value outside its list gives the default.
struct Choices {
    int framingIndex = 3; // "Volles Protokoll"
    int displayIndex = 0; // "Nur Daten"
};
Choices loadChoices();
void storeChoices(const Choices& choices);

// Bytes as text: printable characters as they are (code page 1252), control
// characters named in angle brackets (<STX>, <ETX>, <CR>, <LF>, <NUL>, other
// ones as their hexadecimal value, "<1B>").
QString visibleText(const QByteArray& bytes);
// Bytes as two-digit hexadecimal numbers separated by blanks.
QString hexText(const QByteArray& bytes);

// One exchange of the session as it happened.
struct LogEntry {
    QDateTime time;
    int mode = Full;
    QByteArray sent;      // empty when nothing was written (offline, port closed, too long)
    QByteArray discarded; // unread input dropped before the frame was written
    QByteArray received;  // every byte read, noise before the STX included
    QString result;       // what the link returned (the reply or a pseudo-reply)
};
// The entry as lines of the log file (no trailing line end).
QString formatEntry(const LogEntry& entry);

// One opening of the monitor on one axis: sends what the operator types, keeps
// the history and the log. Watches the link's exchanges while it lives.
class Session {
public:
    explicit Session(SerialLink& link);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Sends the command as commandFromTyped makes it in the framing of
    // framingIndex and returns the reply cut for displayIndex. Nothing is sent
    // without a framing, or when commandFromTyped refuses the text; the reply
    // is then empty. The history gets the text unless it was refused.
    QString send(const QString& command, int framingIndex, int displayIndex);
    // "H" with the full protocol, whatever the framing list shows.
    void stop();

    QStringList history() const { return history_; }
    const QList<LogEntry>& log() const { return log_; }
    QString logText() const;
    // Writes the log as a UTF-8 text file with CR LF line ends; false with error set
    // when it could not be written, the old file then stays as it was.
    bool saveLog(const QString& path, QString* error) const;
    bool saveLog(const QByteArray& name, QString* error) const;

private:
    QString exchange(const QString& command, bool dataOnly, int mode);

    SerialLink& link_;
    QStringList history_;
    QList<LogEntry> log_;
    SerialLink::Exchange last_;
    bool seen_ = false;
};

} // namespace RsMonitor
