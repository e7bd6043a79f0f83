#pragma once

#include "axis/AxisParameters.h"

class Operator;
class SerialLink;

// Fills an axis's parameter set from its controller, or, for an offline panel,
// prepares the lists (and the defaults of a new configuration).
//
// Which of the three it is follows currentAddress: "OFFLINE NEW" sets the
// defaults of a new configuration (the four current texts
// included), any other "OFFLINE" only refills the frequency lists and leaves
// the fields alone, an axis address reads the axis. The commands go out in
// this order: "IF?", "PO?", "DO?", "PF?", "PL?", "PD?", "FR0050", "FR0060",
// "PN?", "PC?", "PG?", "PW?", "PP?", "PM?", "PI?".
//
// A pseudo-reply to any of them ends the read at once with message 10103: a
// lost reply must never become a parameter value (a lost "PL?" would select
// the rotary type and the next focus change would send it to a linear axis).
// The lists are in their final state for the bounds read so far.
//
// True only after a complete online read.
bool ReadAxisConfiguration(SerialLink& link, Operator& op, AxisParameters& parameters);

// The settings of a new offline configuration, lists included.
void ApplyNewOfflineDefaults(AxisParameters& parameters);
