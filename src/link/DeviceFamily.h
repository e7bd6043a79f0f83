#pragma once

// The controller family as an axis names it in its reply to "DO?": the one
// place that reads the type codes out of that text, and what follows from
// them (currents in amperes, the eight-slot PLC area, the reduced I/O card,
// the rates the axis can switch to).

#include <QString>

class SerialLink;

// Slot counts of the PLC area: 256 slots "00".."FF", or 8 slots "0".."7" on
// the family with eight.
constexpr int PlcSlotCount = 256;
constexpr int PlcSlotCountEight = 8;
inline int plcSlotCount(bool eightSlots) {
    return eightSlots ? PlcSlotCountEight : PlcSlotCount;
}

class DeviceFamily {
public:
    static constexpr int TkvAmpereEntries = 64; // 0.0 A .. 6.3 A
    static constexpr int TmwAmpereEntries = 15; // 0.0 A .. 1.4 A

    // How a type code is looked for in the text. Each test keeps the rule it
    // has always used: the rate list and the I/O card look at the beginning,
    // saving, currents and the slot area anywhere, an offline panel's current
    // dialog at the whole text (a file's device marker is the code alone).
    enum class Rule { BeginsWith, Contains, Exact };

    DeviceFamily() = default;
    explicit DeviceFamily(const QString& typeText) : text_(typeText) {}

    // Sends "DO?" (data only) to the axis at the link's address. The reply
    // may be a pseudo-reply; replied() tells, text() keeps it as it came.
    static DeviceFamily read(SerialLink& link);

    const QString& text() const { return text_; }
    // The leading letters, upper case: "TKV 3A/50V" and "TKV 6A/80V" are both
    // "TKV". Empty when the text starts with none.
    QString code() const;
    // False when "DO?" brought a pseudo-reply ("TIMEOUT", "ERROR", ...).
    bool replied() const;

    // The type code ("TKV", "RZH", ...) under the rule.
    bool is(const char* code, Rule rule) const;
    bool beginsWith(const char* code) const { return is(code, Rule::BeginsWith); }
    bool contains(const char* code) const { return is(code, Rule::Contains); }
    bool isExactly(const char* code) const { return is(code, Rule::Exact); }

    // "TKV" or "TMW": currents in amperes ("PA??"), all five baud rates.
    bool ampereFamily(Rule rule) const;
    // Entries of an ampere family's current list: 64 for "TKV", 15 for "TMW"
    // ("TKV" asked first), 0 for a family that takes levels.
    int ampereEntryCount(Rule rule) const;
    // "RZH" anywhere: the PLC area has eight slots, "FU"/"WU".
    bool eightSlots() const { return contains("RZH"); }
    int slotCount() const { return plcSlotCount(eightSlots()); }
    // A reply beginning with "TKV" or "TMW": the I/O card has no CLEAR and
    // RESET lamps and no outputs 4 and 5.
    bool reducedIo() const { return ampereFamily(Rule::BeginsWith); }
    // A reply beginning with "TKV" or "TMW" offers every baud rate, any other
    // 9600 and 28800 only.
    bool fullRateRange() const { return ampereFamily(Rule::BeginsWith); }

private:
    QString text_;
};
