#pragma once

// The controller's 32-bit overall status: how the reply to "IS?" becomes the
// status code text and the 23 lamps of the status dialog, and the resets that
// clear parts of it. One reader for every caller (dialogs and kormakctl).

#include <QList>
#include <QString>

class Operator;
class SerialLink;

namespace OverallStatus {

enum class Colour { Grey, Green, Red, Yellow };

// One lamp of the status dialog: its bit (-1: none) and the colour it shows
// when that bit is set.
struct Lamp {
    int bit;
    Colour colour;
    int labelTextId;
};
constexpr int LampCount = 23;
// Lamp i (control 1200 + i) in lamp order, not screen order.
const QList<Lamp>& lamps();

struct Reading {
    // False for a pseudo-reply: the lamps keep what they showed, since a lost
    // reply is no evidence of "no fault".
    bool valid = false;
    // What the "Statuscode:" line shows: D3 D2 D1 S, or the pseudo-reply.
    QString codeText;
    quint32 value = 0;
};

// Reads a reply to "IS?" sent with the whole frame (dataOnly false): positions
// 1-2 hold the short status S, 4-9 the bytes D1, D2, D3. A missing or
// non-hexadecimal character counts as no digit (0), never a read past the text.
Reading decode(const QString& reply);

// The colour of every lamp for a status value.
QList<Colour> lampColours(quint32 value);

// Sends "IS?" and decodes the reply.
Reading read(SerialLink& link);

// The three codes the status dialog shows beneath the status code, as the
// axis answers "IB?", "IV?" and "IC?" (a pseudo-reply is shown as its text).
struct Codes {
    QString bios;
    QString system;
    QString date;
};
Codes readCodes(SerialLink& link);

// Sends "IS?" for what it does, not for its reply: asking for the overall
// status clears the errors the axis has reported.
void clearReported(SerialLink& link);

// The five resets, in the order of their check boxes.
enum class Reset { OutputDriver, PowerStage, Initiators, Sfi, System };
constexpr int ResetCount = 5;
QString resetCommand(Reset reset);
int resetCaptionTextId(Reset reset); // 10090..10094
int resetDoneTextId(Reset reset);    // 10106..10109; 0 for System

// One of the first four resets: sends its command and tells the operator the
// result. A pseudo-reply means the command never reached the axis: 10103 (or
// the link's own message), never the success text. True when it reached it.
bool runPartReset(SerialLink& link, Operator& op, Reset reset);

// Sends "CR". Its reply is not used (the axis may restart before answering),
// but a port that is closed means nothing was sent: false after the message.
bool sendSystemReset(SerialLink& link, Operator& op);

// How long the axis needs after "CR" before it answers again.
constexpr int SystemResetSeconds = 5;

} // namespace OverallStatus
