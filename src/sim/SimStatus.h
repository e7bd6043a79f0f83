#pragma once

// Faults and inputs of the simulated axes set from outside while the bus runs:
// by tests through these calls, by a person through lines on kormak-sim's
// standard input ("3 fault power-stage").

#include <QString>
#include <QStringList>

namespace sim {

class SimAxis;
class SimBus;

namespace SimStatus {

// The named bits of the overall status that can be set as faults; 0 for a
// name that is not one of faultNames().
quint32 faultBit(const QString& name);
QStringList faultNames();

// Sets or clears a named fault bit; false for an unknown name.
bool setFault(SimAxis& axis, const QString& name, bool on = true);

// Carries out one line:
//   A fault NAME     sets a fault bit ("none" clears them all)
//   A clear NAME     clears it again
//   A inputs HEX     the input register ("II?": STROBE, ENABLE, CLEAR, RESET)
//   A prog HEX       the program-number inputs ("EI?": PROG0..PROG7)
// Returns an empty text when done, otherwise what was wrong with the line.
QString applyLine(SimBus& bus, const QString& line);

// What applyLine understands, for the help text.
QString lineHelp();

} // namespace SimStatus
} // namespace sim
