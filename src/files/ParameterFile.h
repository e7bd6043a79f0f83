#pragma once

#include "drive/Currents.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

class CKormakDoc;
class Operator;
class SerialLink;
struct AxisConfiguration;

// The ".OPM" parameter file: the engineer's backup of one axis and, line for
// line, the script that sets up the next machine. Lines starting with ";" are
// comments and section markers; every other line is a controller command.

// The file-dialog filter of the document type.
inline QString parameterFileFilter() {
    return QStringLiteral("Kormak Files (*.OPM)");
}

// How a composition ended.
enum class ComposeStatus {
    Complete,
    // The axis did not answer a query (or the port is closed); 10175 or, in
    // the PLC area, 10103 was shown. Nothing may be written.
    Stopped
};

// Composes the whole file as it goes to disk (code page 1252, CR LF) for the
// panel whose parameters are given: an online save reads the axis in
// link.currentAddress(), an offline save (the address contains "OFFLINE")
// writes the panel and the document. Texts are in the current language. Holds
// the busy state while it talks to the axis.
ComposeStatus ComposeParameterFile(SerialLink& link, Operator& op, const AxisConfiguration& params,
                                   const CKormakDoc& doc, QByteArray* file,
                                   const QDate& date = QDate::currentDate());

// Saves the document to path. Writes through FileIo::writeFile, so only a
// complete file arrives: a save that stops (a time-out, a closed port, a lost slot)
// or fails to write leaves the previous file byte for byte as it was. On
// success the document is marked saved (filePath, modified) and its next
// title change decorates the title (retitlePending). On a disk error nothing
// is shown: the message is put into fileError for the caller to report.
bool WriteParameterFile(const QString& path, SerialLink& link, Operator& op,
                        const AxisConfiguration& params, CKormakDoc& doc,
                        QString* fileError = nullptr);

// Splits file bytes into lines: a line ends at CR LF or at a lone LF, a last
// line without a line end counts, empty lines are kept. Each line comes back
// decoded, with "\r\n" appended, as the document keeps them.
QStringList SplitFileLines(const QByteArray& bytes);

// A parameter file is some tens of kilobytes; anything larger is not one.
inline constexpr qint64 MaxParameterFileBytes = 1024 * 1024;

// Reads the file into the document: lineList gets every line with "\r\n"
// appended, typeTag the file's name. Parses nothing. False (document left as
// it was, *error saying why) when the file cannot be read, is a directory, or
// holds more than MaxParameterFileBytes (see FileIo::readFile).
bool ReadFileLines(const QString& path, CKormakDoc& doc, QString* error = nullptr);
// The same for a name given as the bytes the file system holds.
bool ReadFileLines(const QByteArray& name, CKormakDoc& doc, QString* error = nullptr);

// The acceleration table of a file as the transfer programs it: the line two
// below the first table marker (in any of the writer's three languages, or
// "[accelerations]"), from after its first "]: " (from its third character
// without one) to its line end. The controller's default list when there is
// no marker, or when the marker stands in one of the last two lines; *found
// tells which.
QString FileRampTable(const QStringList& lines, bool* found = nullptr);

// What ApplyFileLines found for the panel's current settings dialog, and
// what it did with the acceleration table.
struct ApplyResult {
    CurrentSettings currents; // the dialog's fields after the file's PA/PR/PS/PT and device line
    bool tableFound = false;  // a table marker with its table line was seen
};

// Applies the lines of an opened file to an offline panel: the parameter lines
// set the fields and selections of params, a "; [TKV]"/"; [TMW]" line sets
// params.deviceType and the dialog's type text, the acceleration table (marker
// in German, English or French) appends to params.rampList and selects the
// ramp of the "PN" line before it. The four current texts the file lacks
// are the dialog's, and the document takes the dialog's type text (typeTag).
// dialogFields are the values the panel's current settings dialog holds
// before the file is applied; the caller gives the result's currents back to
// that dialog. Without lines
// nothing changes (the type tag keeps the file's name). Sends nothing.
ApplyResult ApplyFileLines(const QStringList& lines, AxisConfiguration& params, CKormakDoc& doc,
                           const CurrentSettings& dialogFields = {});
