#include "sim/SimPlc.h"

#include "sim/SimAxis.h"
#include "sim/SimBus.h"

#include <algorithm>

namespace sim {

bool SimPlc::grantRelease() {
    ++releasesSeen_;
    if (refuseReleaseAlways)
        return false;
    if (refuseReleaseNth > 0 && releasesSeen_ == refuseReleaseNth) {
        refuseReleaseNth = 0;
        releasesSeen_ = 0;
        return false;
    }
    if (refuseReleaseNth <= 0)
        releasesSeen_ = 0;
    return true;
}

void SimPlc::advance(SimAxis& axis) {
    const int mode = axis.params.operatingMode;
    if (mode != lastMode_) {
        lastMode_ = mode;
        pending_.clear();
        started_ = false;
        // Entering PLC mode the axis reports itself ready; back in mode 0 the
        // outputs are the PC's again.
        axis.outputs = mode == 1 ? Ready : 0;
    }
    const int inputs = axis.inputs;
    const bool rising = (inputs & Strobe) && !(lastInputs_ & Strobe);
    lastInputs_ = inputs;
    if (mode != 1)
        return;
    if (rising && (inputs & Enable) && !running() && !axis.moving())
        start(axis);
    while (running() && !axis.moving()) {
        if (pending_.isEmpty()) {
            started_ = false;
            axis.outputs |= Ready;
            break;
        }
        if (!runToken(axis, pending_.takeFirst())) {
            pending_.clear();
            started_ = false;
            axis.outputs = Ready | Error;
        }
    }
}

void SimPlc::start(SimAxis& axis) {
    const int slot = axis.programNumber;
    const QString text = slot < axis.slotCount() ? axis.plcSlots.value(slot) : QString();
    const QStringList tokens = text.split(u' ', Qt::SkipEmptyParts);
    const bool hasMove = std::any_of(tokens.begin(), tokens.end(),
                                     [](const QString& t) { return t.startsWith(u'G'); });
    if (text.startsWith(QLatin1String("$&")) || !hasMove) {
        axis.outputs |= Error;
        return;
    }
    axis.outputs &= ~(Ready | Error);
    // The frequencies and the ramp apply to the move; the position a
    // initialisation sets ("PC") follows it.
    for (const QString& t : tokens)
        if (t.startsWith(QLatin1String("PO")) || t.startsWith(QLatin1String("PF")) ||
            t.startsWith(QLatin1String("PN")))
            pending_ << t;
    for (const QString& t : tokens)
        if (!pending_.contains(t))
            pending_ << t;
    started_ = true;
}

bool SimPlc::runToken(SimAxis& axis, const QString& token) {
    const quint32 before = axis.latched;
    axis.latched &= ~StatusBit::ReadClears;
    axis.runFromPlc(token);
    const bool refused =
        axis.latched & (StatusBit::BadValue | StatusBit::NotNow | StatusBit::UnknownCommand);
    axis.latched |= before & StatusBit::ReadClears;
    return !refused;
}

QString applyOperatorLine(SimBus& bus, const QString& line) {
    const QStringList words = line.simplified().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    if (words.size() < 2 || words.at(0).size() != 1 || !bus.hasAxis(words.at(0).at(0).toUpper()))
        return QStringLiteral("? expected: AXIS inputs|program|outputs|slot ...");
    SimAxis& axis = bus.axis(words.at(0).at(0).toUpper());
    const QString what = words.at(1).toLower();
    const auto number = [&](int* value) {
        if (words.size() != 3)
            return false;
        QString t = words.at(2);
        bool ok = false;
        *value = t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? t.mid(2).toInt(&ok, 16)
                                                                        : t.toInt(&ok, 10);
        return ok && *value >= 0;
    };
    int value = 0;
    if (what == u"inputs") {
        if (!number(&value) || value > 15)
            return QStringLiteral("? inputs take 0..15 (bit 0 STROBE, 1 ENABLE, 2 CLEAR, 3 RESET)");
        axis.inputs = value;
    } else if (what == u"program") {
        if (!number(&value) || value > 255)
            return QStringLiteral("? program takes 0..255");
        axis.programNumber = value;
    } else if (what == u"outputs") {
        if (words.size() != 2)
            return QStringLiteral("? outputs takes nothing");
    } else if (what == u"slot") {
        bool ok = false;
        const int slot = words.value(2).toInt(&ok, 16);
        if (!ok || slot < 0 || slot >= axis.slotCount())
            return QStringLiteral("? slot takes a hexadecimal slot number of the area");
        axis.plcSlots[slot] = words.mid(3).join(u' ');
    } else {
        return QStringLiteral("? unknown: %1").arg(words.at(1));
    }
    return QStringLiteral("%1 inputs 0x%2 program %3 mode %4 READY %5 ERROR %6 position %7")
        .arg(axis.address)
        .arg(axis.inputs, 0, 16)
        .arg(axis.programNumber)
        .arg(axis.params.operatingMode)
        .arg(axis.outputs & SimPlc::Ready ? 1 : 0)
        .arg(axis.outputs & SimPlc::Error ? 1 : 0)
        .arg(axis.position());
}

} // namespace sim
