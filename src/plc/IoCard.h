#pragma once

// The optional digital I/O card: whether the axis has one, its input and
// output registers, and the commands that switch its outputs. The dialog
// (CEADialog) shows what these return.

#include <QString>
#include <optional>

class SerialLink;

namespace IoCard {

enum class Presence { Present, Absent, LinkFailed };
// "PE?": a reply beginning with "POEA" reports the card. A lost reply or a
// closed port is no answer at all, not "no card"; an offline panel has none.
Presence checkPresent(SerialLink& link);

// The families without CLEAR, RESET and Outputs 4 and 5.
bool reducedFamily(const QString& deviceType);

// "DO?": whether the axis is of a family without CLEAR, RESET and Outputs 4
// and 5. A reply that names no family counts as the full card.
bool readReducedFamily(SerialLink& link);

struct Outputs {
    quint32 io = 0; // bit 0 READY, bit 1 ERROR
    quint32 eo = 0; // bits 0..3 Output 2..5
};
// "IO?" and "EO?". False unless both answered with a hexadecimal number: the
// boxes must never start from a register that was not read, or the next
// click would switch live outputs off.
bool readOutputs(SerialLink& link, Outputs* outputs);

enum class Read { Ok, Garbled, Failed };
// One hexadecimal register ("II?", "EI?"). Garbled: a reply that is not a
// hexadecimal number (the value stays as it was); Failed: a pseudo-reply.
Read readRegister(SerialLink& link, const QString& query, quint32* value);

// One refresh of the input lamps: "II?" (STROBE, ENABLE, CLEAR, RESET in bits
// 0-3), then "EI?" (PROG0..PROG7 in bits 0-7). A register whose reply is no
// hexadecimal number is empty and its lamps keep what they showed. After a
// pseudo-reply linkFailed is set and nothing more is asked.
struct Inputs {
    std::optional<quint32> control;
    std::optional<quint32> programs;
    bool linkFailed = false;
};
Inputs readInputs(SerialLink& link);

// "IO" and "EO" with the values in upper-case hexadecimal ("IO3", "EOC"),
// both on every change. False when the first did not reach the axis (the
// second is then not sent).
bool writeOutputs(SerialLink& link, const Outputs& outputs);

} // namespace IoCard
