#pragma once

#include <QString>
#include <QStringList>

#include "link/DeviceFamily.h"

class Operator;
class SerialLink;

// The values the current settings dialog keeps for its panel between openings.
// For a connected axis the type text is read again at every opening; for an
// offline panel it is the type the parameter file named (empty without one).
struct CurrentSettings {
    QString typeText;     // controller family: "TKV", "TMW", a "DO?" reply, or empty
    QString stopCurrent;  // "PS" value
    QString runCurrent;   // "PR" value
    QString boostCurrent; // "PA" value
    QString boostTime;    // "PT" value, milliseconds as typed
};

namespace Currents {

// How the three current lists offer their values.
enum class Kind {
    Amperes, // "TKV" and "TMW": 0.1 A steps, values such as "1.5"
    Levels   // every other controller: one hexadecimal digit 0..F
};

constexpr int TkvEntryCount = DeviceFamily::TkvAmpereEntries;
constexpr int TmwEntryCount = DeviceFamily::TmwAmpereEntries;
constexpr int LevelCount = 16;
// The boost time goes out as "PT" + text; keep it far inside one frame.
constexpr int BoostTimeMaxLength = 16;

// Number of ampere entries for a type text: 64 for "TKV", 15 for "TMW", 0 for
// a controller that takes levels. With exact set, the whole text must be the
// code (an offline panel's type comes from a file's device line); otherwise
// the code may stand anywhere in it (a connected axis's "DO?" reply).
int ampereEntryCount(const QString& typeText, bool exact);

// "0.0 A", "0.1 A", ... computed in single precision as the controllers'
// own tools do.
QStringList ampereEntries(int count);
// "Stufe 0" .. "Stufe F" in the current language.
QStringList levelEntries();
// The entries of a "FA?" reply: byte i (digits 2i, 2i+1) in units of 0.1 A.
// The list ends at the first byte that is not two hexadecimal digits, so a
// short or garbled table can never put a wrong ampere figure next to a level.
QStringList levelTableEntries(const QString& faReply);
// 10, 20, 30, 40, 50, 75, 100, 150, 200, 250, 500, 750, 1000.
QStringList boostTimeEntries();

// List index of a value: trunc(single(x) * 10) for amperes, the leading
// hexadecimal digits for levels. -1 when the text holds no number or a
// negative one; the caller still checks the index against its list.
int ampereIndex(const QString& value);
int levelIndex(const QString& value);
// The value text of a list index: "%.1f" of index / 10 in single precision,
// or the upper-case hexadecimal digit. Empty for an index that is no value.
QString ampereValue(int index);
QString levelValue(int index);

// What the dialog shows after opening.
struct Display {
    QString title; // "Achse 3", or the offline marker alone
    bool offline = false;
    Kind kind = Kind::Levels;
    QStringList entries; // the same entries in all three current lists
    int stopIndex = -1;  // -1: no selection
    int runIndex = -1;
    int boostIndex = -1;
    QString boostTimeText;
    QStringList boostTimeList;
    bool linkFailed = false; // a query got a pseudo-reply; 10103 was shown once
};

// Opens the dialog's values. Offline (the current address contains
// "OFFLINE"): from fields, nothing sent. Connected: "DO?", then "FA?" for a
// level controller, the three current queries and "PT?". A query answered by
// a pseudo-reply leaves its list without selection and its field as it was;
// 10103 is shown once.
Display Open(SerialLink& link, Operator& op, CurrentSettings& fields);

// What the operator chose when closing with OK.
struct Choice {
    int stopIndex = -1;
    int runIndex = -1;
    int boostIndex = -1;
    QString boostTimeText;
};

// OK: stores the chosen values in fields and, for a connected axis, sends
// "PS", "PR", "PA", "PT" in this order. A list without selection keeps its
// field and sends nothing; for a connected axis an empty boost time sends
// nothing either (a bare "PT" is no value). Returns the commands sent. A
// pseudo-reply to one of them shows 10103 once: the operator must not think
// the currents were set.
QStringList Accept(SerialLink& link, Operator& op, CurrentSettings& fields, const Display& shown,
                   const Choice& choice);

} // namespace Currents
