#pragma once

#include <QString>
#include <QStringList>

// Whether a parameter file can be sent as it is. A file cut short, or edited
// by hand, would otherwise reach the axes with empty values, a ramp of 0 Hz/s
// or a half group of table words, and be stored permanently. Nothing here
// talks to an axis.

struct FileDamage {
    enum class Reason {
        None,
        Missing,    // a parameter line the transfer needs is not in the file
        Empty,      // the value is empty
        NotNumber,  // the value is not of its parameter's numeric form
        NotCurrent, // a current that is neither a level nor amperes of the file's family
        Table,      // a partial, zero or empty group of table words
    };
    Reason reason = Reason::None;
    int line = 0; // 1-based line of the file; 0 when the fault is not in a line
    QString text; // that line without its line end, the command, or the missing code
    bool damaged() const { return reason != Reason::None; }
};

// The device family a file was saved from: the three letters of its
// "; [ABC]" line. Empty for a file without one (an offline save of a new
// configuration writes "; [] ...", older files have none).
QString FileDeviceFamily(const QStringList& lines);

// The two families whose currents are amperes ("1.2"); the others take a
// hexadecimal level ("A").
bool IsAmpereFamily(const QString& family);

// The first fault of the file's lines: a parameter line whose value is empty
// or not of its form, a table line that is not whole groups of four
// hexadecimal digits (up to "FFFF") with none of them zero, or, in a file that
// has parameter lines, one of the parameters every transfer sends missing.
FileDamage CheckParameterFileLines(const QStringList& lines);

// The first of the transfer's parameter commands ("PF5000") whose value is
// empty or not of its form, for a file of the given family (empty: currents
// may be either form).
FileDamage CheckParameterCommands(const QStringList& commands, const QString& family);

// Where the file is damaged, for a message: "line 12: "PM"", ""PW" is
// missing", "value "PA2,0"".
QString FileDamageWhere(const FileDamage& damage);

// The index in lines of the table line FileRampTable reads, -1 when the file
// has none.
qsizetype FileRampTableLine(const QStringList& lines);
