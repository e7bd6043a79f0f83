#pragma once

// Moving an axis and the link to another baud rate: the rate commands, the
// rates an axis family offers, and the change itself.

#include <QList>
#include <QString>

class SerialLink;

namespace BaudChange {

// The axis's rate command for an entry of the baud list ("DB1" for
// "9600 Baud", "DB0" for "28800 Baud"); empty outside the list.
QString commandOf(int baudIndex);

// The baud list entries a controller family can switch to: all five for
// "TKV" and "TMW", else 9600 and 28800 only.
QList<int> offeredIndexes(const QString& deviceType);

// The device type of the axis at the link's address ("DO?").
QString readDeviceType(SerialLink& link);

enum class Result {
    Changed,      // the axis said "OK"; the link is open at the new rate, "Baud" is stored
    Refused,      // no "OK": the link stays open at the old rate, nothing is stored
    ReopenFailed, // the axis moved, but the port could not be opened again
    // No reply to the rate command: where the axis answers now was asked,
    // at the new rate first, then at the old one.
    LostAtNew,   // it answers at the new rate: the link follows, as after "OK"
    LostAtOld,   // it still answers at the old rate: the link stays there
    LostNowhere, // it answers at neither: the link is left at the old rate
};

// Sends the rate command at the current rate; on "OK" reopens the port at the
// new rate, selects it in the link and stores it as "Baud". Without a reply
// the axis may have switched or not: it is asked ("IC?") at the new rate,
// then at the old one. Shows nothing.
Result ChangeBaudRate(SerialLink& link, int newBaudIndex);

} // namespace BaudChange
