#pragma once

// A PLC area as a text file: the listing "kormakctl plc dump" writes and
// "plc load" reads back, or the slot lines of a parameter file. Loading erases
// the whole area first, so a file is read and checked whole before anything
// goes to the axis: a file that is no listing must never cost the operator
// the programs the axis holds.
//
// A listing is UTF-8 text, one slot a line: "NN text" with NN the slot number
// in two hexadecimal digits. Lines starting with ";" are comments, empty lines
// are skipped. The lines of a parameter file are taken too, as the file holds
// them (code page 1252): its "EW"/"WU" slot lines give slot texts, its command
// lines ("PO400") are not the area's business and are skipped.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace PlcListing {

// What a listing asks of the area.
struct Listing {
    QStringList texts;  // by slot, 256 entries; an empty text leaves its slot erased
    int highest = -1;   // the highest slot the file names, -1 when it names none
    bool erase = false; // a dump of an empty area: no slot line, nothing but the erase
};

// The longest write command one frame carries: a full frame adds STX, the
// address, ":", two checksum digits and ETX to the command.
int maxWriteCommandLength();

// Reads and checks the whole file. False with a message for the operator
// (naming the line) when a line is neither a slot line nor a line of a
// parameter file, when a slot is named twice, when a slot text holds a
// character that has no code page 1252 byte or a control character, when a
// slot's write command would not fit in one frame, or when the file names no
// slot at all and is no dump of an empty area. Nothing is sent either way.
bool Read(const QByteArray& bytes, Listing* listing, QString* error);

// The first line of a dump, naming the axis (without line end). A file of
// this line alone is the dump of an empty area and loads as an erase.
QString DumpHeader(const QString& axis);
// The line of one non-empty slot in a dump (without line end): "1A text".
QString DumpLine(int slot, const QString& text);

} // namespace PlcListing
