#pragma once

// The readable form of one PLC slot text for the report: a cycle program's
// move and values, or the one instruction of an extended sequence step.

#include <QString>
#include <QStringList>
#include <functional>

struct SlotDecodingContext {
    // The panel's ramp list (Hz/s, decimal), indexed by a "PN" value.
    QStringList rampList;
    // The panel's device type; "TKV" and "TMW" take currents in amperes.
    QString deviceType;
    // Online: sends "FA?" and gives its reply (the level table). Empty for an
    // offline panel, whose current steps show their level.
    std::function<QString()> readLevelTable;
};

// The readable text of one slot: cycle programs end without a line end,
// extended steps keep their text on one line after the sequence header.
// Values are taken with bounds: a "PN" index that names no ramp shows "?" as
// its slope, a step whose fixed positions are missing shows what it holds.
QString DecodeSlot(const QString& slotText, const SlotDecodingContext& context);

// The current of an extended current step ("$&PS5"): the level offline, the
// level table's ampere figure online ("FA?" is sent), the value as it stands
// when the table has no such entry.
QString FormatCurrent(const QString& stepText, const SlotDecodingContext& context);
