// The lines a person types on kormak-sim's standard input: status faults ("3 fault
// receive") and operator lines ("3 slot 05 GA100", "3 inputs 3"). Each line of the input is
// tried both ways on a bus with a 256-slot and an eight-slot axis.
#include "FuzzInput.h"
#include "sim/SimBus.h"
#include "sim/SimPlc.h"
#include "sim/SimStatus.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromLocal8Bit(fuzzBytes(data, size));
    sim::SimBus bus(QStringLiteral("3A"));
    bus.axis(u'A').setFamily(QStringLiteral("RZH 2.0"));
    for (const QString& line : text.split(u'\n')) {
        sim::SimStatus::applyLine(bus, line);
        sim::applyOperatorLine(bus, line);
    }
    // The slot areas keep their size whatever a line asked for.
    if (bus.axis(u'3').plcSlots.size() != 256 || bus.axis(u'A').plcSlots.size() < 8)
        __builtin_trap();
    return 0;
}
