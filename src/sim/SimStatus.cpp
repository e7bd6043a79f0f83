#include "sim/SimStatus.h"

#include "sim/SimBus.h"

#include <QList>
#include <utility>

namespace sim::SimStatus {

namespace {

const QList<std::pair<QString, quint32>>& names() {
    using namespace StatusBit;
    static const QList<std::pair<QString, quint32>> table{
        {"output-driver", OutputDriver},
        {"power-stage", PowerStage},
        {"initiators", InitiatorError},
        {"sfi", SfiError},
        {"receive", ReceiveError},
        {"bad-value", BadValue},
        {"unknown-command", UnknownCommand},
        {"not-now", NotNow},
        {"memory-overflow", MemoryOverflow},
        {"checksum", ChecksumError},
        {"temperature", TemperatureWarning},
        {"pulse-lock", PulseLock},
        {"hardware-reset", HardwareReset},
        {"no-system", NoSystem},
        {"no-ramps", NoRamps},
        {"parameters-changed", ParametersChanged},
        {"initialised", Initialised},
    };
    return table;
}

} // namespace

quint32 faultBit(const QString& name) {
    for (const auto& [n, bit] : names())
        if (n == name)
            return bit;
    return 0;
}

QStringList faultNames() {
    QStringList list;
    for (const auto& entry : names())
        list << entry.first;
    return list;
}

bool setFault(SimAxis& axis, const QString& name, bool on) {
    const quint32 bit = faultBit(name);
    if (!bit)
        return false;
    if (on)
        axis.latched |= bit;
    else
        axis.latched &= ~bit;
    return true;
}

QString applyLine(SimBus& bus, const QString& line) {
    const QStringList words = line.simplified().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    if (words.size() != 3 || words[0].size() != 1 || !bus.hasAxis(words[0][0].toUpper()))
        return QStringLiteral("expected: AXIS fault|clear|inputs|prog VALUE");
    SimAxis& axis = bus.axis(words[0][0].toUpper());
    const QString& what = words[1];
    const QString& value = words[2];
    if (what == u"fault" && value == u"none") {
        axis.latched = 0;
        return {};
    }
    if (what == u"fault" || what == u"clear")
        return setFault(axis, value, what == u"fault")
                   ? QString()
                   : QStringLiteral("unknown fault %1 (known: %2)")
                         .arg(value, faultNames().join(u", "));
    if (what == u"inputs" || what == u"prog") {
        bool ok = false;
        const int v = value.toInt(&ok, 16);
        if (!ok || v < 0 || v > (what == u"inputs" ? 0xF : 0xFF))
            return QStringLiteral("bad value %1").arg(value);
        (what == u"inputs" ? axis.inputs : axis.programNumber) = v;
        return {};
    }
    return QStringLiteral("unknown word %1").arg(what);
}

QString lineHelp() {
    return QStringLiteral("\nFaults and program-number inputs, on standard input too:\n"
                          "  A fault NAME      set a fault of axis A (\"none\" clears them all)\n"
                          "  A clear NAME      clear it again\n"
                          "  A prog HEX        program-number inputs PROG0..PROG7\n"
                          "Faults: ") +
           faultNames().join(u", ");
}

} // namespace sim::SimStatus
