#include "sim/SimAxis.h"

#include "sim/SimCommandSyntax.h"

#include <QRegularExpression>
#include <cmath>

namespace sim {

namespace {

QString hex(qint64 v, int width = 0) {
    return QString::number(v, 16).toUpper().rightJustified(width, u'0');
}

// Decimal with an optional sign; false for anything else (also for an empty text).
bool parseSigned(const QString& text, qint64* value) {
    static const QRegularExpression form(QStringLiteral("^[-+]?[0-9]{1,12}$"));
    if (!form.match(text).hasMatch())
        return false;
    *value = (text.startsWith(u'+') ? text.mid(1) : text).toLongLong();
    return true;
}

bool parseHex(const QString& text, qint64* value) {
    if (text.isEmpty() || text.size() > 8)
        return false;
    bool ok = false;
    *value = text.toLongLong(&ok, 16);
    return ok;
}

constexpr qint64 kInt32Max = 2147483647;

} // namespace

SimAxis::SimAxis(QChar addr) : address(addr) {
    for (int i = 0; i < 16; ++i)
        currentLevels += char(5 * (i + 1)); // 0.5 A .. 8.0 A
    for (int i = 0; i < 256; ++i)
        plcSlots << QString();
    setFamily(QStringLiteral("TKV 3A/50V"));
    ramps.installDefaults(clockHz, maxRunFreq);
}

void SimAxis::setFamily(const QString& text) {
    family_ = text;
    params = stored = defaults();
}

bool SimAxis::ampereFamily() const {
    return family_.contains(u"TKV") || family_.contains(u"TMW");
}

bool SimAxis::supportsBaud(int rate) const {
    if (rate == 9600 || rate == 28800)
        return true;
    return ampereFamily() && (rate == 14400 || rate == 19200 || rate == 38400);
}

SimParameters SimAxis::defaults() const {
    SimParameters p;
    if (family_.contains(u"TKV")) {
        p.stopCurrent = 5; // 0.5 A
        p.runCurrent = 10;
        p.boostCurrent = 15;
    } else if (family_.contains(u"TMW")) {
        p.stopCurrent = 3;
        p.runCurrent = 6;
        p.boostCurrent = 8;
    } else {
        p.stopCurrent = 2; // levels
        p.runCurrent = 4;
        p.boostCurrent = 0;
    }
    return p;
}

qint64 SimAxis::position() const {
    return qint64(std::llround(physical_ + offset_));
}

void SimAxis::setPosition(qint64 value) {
    offset_ = double(value) - physical_;
}

void SimAxis::setPhysicalPosition(double eighths) {
    const qint64 reg = position();
    physical_ = eighths;
    offset_ = double(reg) - physical_;
}

quint32 SimAxis::overallStatus() const {
    quint32 s = latched | shelved_;
    if (moving())
        s |= StatusBit::Running;
    if (physical_ <= 0)
        s |= StatusBit::InitiatorMinus;
    if (physical_ >= double(travel))
        s |= StatusBit::InitiatorPlus;
    const Motion kind = motion_ == Motion::Stopping ? beforeStop_ : motion_;
    if (moving() && kind == Motion::Initiator)
        s |= StatusBit::Initialising;
    if (moving() && kind == Motion::FreeRun)
        s |= StatusBit::FreeRunning;
    if (ramps.rampCount() == 0)
        s |= StatusBit::NoRamps;
    if (s & StatusBit::OtherErrors)
        s |= StatusBit::OtherError;
    return s;
}

int SimAxis::takePendingBaud() {
    const int rate = pendingBaud_;
    pendingBaud_ = 0;
    return rate;
}

quint8 SimAxis::replyStatus() const {
    quint32 s = overallStatus() | readCleared_;
    if (s & StatusBit::OtherErrors)
        s |= StatusBit::OtherError;
    return quint8(s & 0xFF);
}

QString SimAxis::execute(const QString& command, qint64 nowMs) {
    // Errors still latched from earlier commands are set aside meanwhile, so that the ones
    // this command raises can be told apart; the status reads them all the same.
    shelved_ = latched & StatusBit::Refusals;
    latched &= ~StatusBit::Refusals;
    readCleared_ = 0;
    const QString data = carryOut(command, nowMs);
    lastRefusal_ = latched & StatusBit::Refusals;
    latched |= shelved_;
    shelved_ = 0;
    return data;
}

QString SimAxis::carryOut(const QString& command, qint64 nowMs) {
    advance(nowMs);
    const QString m = SimCommandSyntax::mnemonicOf(command);
    if (m.isEmpty()) {
        latched |= StatusBit::UnknownCommand;
        return {};
    }
    const QString arg = command.mid(m.size());
    if (!SimCommandSyntax::wellFormed(command)) {
        latched |= StatusBit::BadValue;
        return {};
    }
    static const QStringList motion = {"GI", "GF", "GS", "GA", "GR", "H"};
    static const QStringList writes = {"FC", "WP", "WA", "WD", "WE", "EW", "WU", "WR", "WI", "WX"};
    if (motion.contains(m))
        return startMotion(m, arg);
    if (writes.contains(m) || (m == u"IM" && arg != u"?"))
        return write(m, arg);
    if (arg == u"?" || arg == u"??" || m == u"FR" || m == u"ER" || m == u"FU")
        return query(m, arg);
    if (m == u"CO" || m == u"CA" || m == u"CI" || m == u"CS" || m == u"CR") {
        if (m == u"CO")
            latched &= ~StatusBit::OutputDriver;
        else if (m == u"CA")
            latched &= ~StatusBit::PowerStage;
        else if (m == u"CI")
            latched &= ~StatusBit::InitiatorError;
        else if (m == u"CS")
            latched &= ~StatusBit::SfiError;
        else {
            resetDrive();
            restartEndMs_ = nowMs + restartMs;
        }
        return {};
    }
    if (m == u"DB") {
        static const int rates[] = {28800, 9600, 14400, 19200, 38400};
        const int rate = rates[arg.toInt()];
        if (!supportsBaud(rate)) {
            latched |= StatusBit::BadValue;
            return QStringLiteral("NO");
        }
        pendingBaud_ = rate;
        return QStringLiteral("OK");
    }
    if (m == u"PB") {
        params = defaults();
        latched |= StatusBit::ParametersChanged;
        return {};
    }
    if (m == u"PI") {
        if (!sfiCard)
            latched |= StatusBit::NotNow;
        else
            sfiActive = arg == u"1";
        return {};
    }
    if (m == u"IO" || m == u"EO") {
        qint64 v = 0;
        if (m == u"EO" && !ioCard) {
            latched |= StatusBit::NotNow;
        } else if (!parseHex(arg, &v) || v > (m == u"IO" ? 3 : 15)) {
            latched |= StatusBit::BadValue;
        } else {
            (m == u"IO" ? outputs : ioCardOutputs) = int(v);
        }
        return {};
    }
    if (m.size() == 2 && m.startsWith(u'P'))
        return setParameter(m, arg);
    // A mnemonic with a query-only form that arrived with something else.
    latched |= StatusBit::BadValue;
    return {};
}

QString SimAxis::query(const QString& m, const QString& arg) {
    using namespace StatusBit;
    if (m == u"IF")
        return QString::number(maxRunFreq);
    if (m == u"DO")
        return family_;
    if (m == u"II")
        return hex(inputs & 0xF);
    if (m == u"IS") {
        const quint32 s = overallStatus();
        readCleared_ = s & ReadClears;
        latched &= ~ReadClears;
        shelved_ &= ~ReadClears;
        return hex((s >> 8) & 0xFF, 2) + hex((s >> 16) & 0xFF, 2) + hex((s >> 24) & 0xFF, 2);
    }
    if (m == u"IC")
        return dateCode;
    if (m == u"IB")
        return biosCode;
    if (m == u"IV")
        return systemCode;
    if (m == u"ID")
        return deviceId;
    if (m == u"IQ")
        return QString::number(clockHz);
    if (m == u"IN")
        return QString::number(ramps.rampCount());
    if (m == u"IA")
        return hex(ramps.nextFreeAddress(), 4);
    if (m == u"FR")
        return QString::fromLatin1(ramps.read(arg.toInt(nullptr, 16), 16).toHex().toUpper());
    if (m == u"FA")
        return QString::fromLatin1(currentLevels.left(16).toHex().toUpper());
    if (m == u"PE")
        return ioCard ? QStringLiteral("POEA") : QStringLiteral("0");
    if (m == u"EI")
        return hex(programNumber & 0xFF, 2);
    if (m == u"IO")
        return hex(outputs);
    if (m == u"EO" || m == u"IL" || m == u"IM") {
        const bool present = m == u"EO" ? ioCard : sfiCard;
        if (!present) {
            latched |= NotNow;
            return {};
        }
        if (m == u"EO")
            return hex(ioCardOutputs);
        return m == u"IL" ? sfiVariant : hex(sfiConfig & 0xFF, 2);
    }
    if (m == u"PI")
        return !sfiCard    ? QStringLiteral("-1")
               : sfiActive ? QStringLiteral("1")
                           : QStringLiteral("0");
    if (m == u"ER" || m == u"FU") {
        const int slot = arg.toInt(nullptr, 16);
        if (eightSlots() != (m == u"FU") || slot >= slotCount()) {
            latched |= NotNow;
            return {};
        }
        return plcSlots.value(slot);
    }
    if (arg == u"??" && m != u"PA" && m != u"PR" && m != u"PS") {
        latched |= BadValue;
        return {};
    }
    const SimParameters& p = params;
    if (m == u"PO")
        return QString::number(p.startStopFreq);
    if (m == u"PF")
        return QString::number(p.runFreq);
    if (m == u"PN")
        return hex(p.rampIndex);
    if (m == u"PL")
        return QString::number(p.systemType);
    if (m == u"PD")
        return QString::number(p.operatingMode);
    if (m == u"PC")
        return QString::number(position());
    if (m == u"PG")
        return QString::number(p.axisLimit);
    if (m == u"PW")
        return QString::number(p.backlash);
    if (m == u"PP")
        return QString::number(p.zeroOffsetPlus);
    if (m == u"PM")
        return QString::number(p.zeroOffsetMinus);
    if (m == u"PH")
        return QString::number(p.ph);
    if (m == u"PT")
        return QString::number(p.boostTime);
    if (m == u"PA")
        return current(p.boostCurrent, arg == u"??");
    if (m == u"PR")
        return current(p.runCurrent, arg == u"??");
    if (m == u"PS")
        return current(p.stopCurrent, arg == u"??");
    latched |= BadValue;
    return {};
}

// The ampere families always speak amperes; the others answer "?" with their level and
// "??" with the level's current from the level table.
QString SimAxis::current(int value, bool amperes) const {
    if (ampereFamily())
        return QString::number(value / 10.0, 'f', 1);
    if (amperes)
        return QString::number(
            (value < currentLevels.size() ? quint8(currentLevels.at(value)) : 0) / 10.0, 'f', 1);
    return hex(value);
}

bool SimAxis::parseCurrent(const QString& text, int* value) const {
    if (ampereFamily()) {
        static const QRegularExpression form(QStringLiteral("^[0-9]{1,3}(\\.[0-9]{1,3})?$"));
        if (!form.match(text).hasMatch())
            return false;
        const int tenths = int(std::lround(text.toDouble() * 10));
        const int max = family_.contains(u"TKV") ? 63 : 14;
        if (tenths > max)
            return false;
        *value = tenths;
        return true;
    }
    static const QRegularExpression level(QStringLiteral("^[0-9A-Fa-f]$"));
    if (!level.match(text).hasMatch())
        return false;
    *value = text.toInt(nullptr, 16);
    return true;
}

QString SimAxis::setParameter(const QString& m, const QString& arg) {
    SimParameters& p = params;
    bool ok = false;
    if (m == u"PA" || m == u"PR" || m == u"PS") {
        int v = 0;
        ok = parseCurrent(arg, &v);
        if (ok)
            (m == u"PA" ? p.boostCurrent : m == u"PR" ? p.runCurrent : p.stopCurrent) = v;
    } else if (m == u"PN") {
        qint64 v = 0;
        ok = parseHex(arg, &v) && v < SimRampMemory::kMaxRamps;
        if (ok)
            p.rampIndex = int(v);
    } else {
        qint64 v = 0;
        if (parseSigned(arg, &v)) {
            const bool unsignedValue = v >= 0 && v <= kInt32Max;
            const bool signedValue = v >= -kInt32Max - 1 && v <= kInt32Max;
            if (m == u"PO")
                ok = v >= 0 && v <= maxRunFreq / 8;
            else if (m == u"PF")
                ok = v >= 0 && v <= maxRunFreq;
            else if (m == u"PL" || m == u"PD")
                ok = v == 0 || v == 1;
            else if (m == u"PG" || m == u"PP" || m == u"PM")
                ok = unsignedValue && !arg.startsWith(u'-');
            else if (m == u"PT")
                ok = v >= 0 && v <= 65535;
            else
                ok = signedValue;
            if (ok && m == u"PC" && moving()) {
                latched |= StatusBit::NotNow;
                return {};
            }
        }
        if (ok) {
            if (m == u"PC") {
                setPosition(v);
                return {}; // the position is not a stored parameter
            }
            if (m == u"PO")
                p.startStopFreq = v;
            else if (m == u"PF")
                p.runFreq = v;
            else if (m == u"PL")
                p.systemType = int(v);
            else if (m == u"PD")
                p.operatingMode = int(v);
            else if (m == u"PG")
                p.axisLimit = v;
            else if (m == u"PW")
                p.backlash = v;
            else if (m == u"PP")
                p.zeroOffsetPlus = v;
            else if (m == u"PM")
                p.zeroOffsetMinus = v;
            else if (m == u"PH")
                p.ph = v;
            else if (m == u"PT")
                p.boostTime = v;
            else
                ok = false;
        }
    }
    if (!ok) {
        latched |= StatusBit::BadValue;
        return {};
    }
    latched |= StatusBit::ParametersChanged;
    return {};
}

QString SimAxis::startMotion(const QString& m, const QString& arg) {
    if (m == u"H") {
        if (moving() && motion_ != Motion::Stopping) {
            beforeStop_ = motion_;
            motion_ = Motion::Stopping;
        }
        return {};
    }
    // Moves from the PC are refused in PLC mode and while a move is still running.
    if ((params.operatingMode != 0 && !plcDriven_) || moving()) {
        latched |= StatusBit::NotNow;
        return {};
    }
    const int dir = arg.startsWith(u'-') ? -1 : 1;
    if (m == u"GI" || m == u"GF") {
        motion_ = m == u"GI" ? Motion::Initiator : Motion::FreeRun;
        direction_ = dir;
        if (m == u"GI")
            latched &= ~StatusBit::Initialised;
    } else {
        double target = physical_;
        if (m == u"GS")
            target = physical_ + 8 * dir; // one full step
        else if (m == u"GR")
            target = physical_ + double(arg.toLongLong());
        else
            target = double(arg.toLongLong()) - offset_;
        if (target == physical_)
            return {};
        motion_ = Motion::Target;
        target_ = target;
        direction_ = target > physical_ ? 1 : -1;
    }
    speed_ = 0;
    // A move that starts at the initiator it heads for is over at once.
    step(0);
    return {};
}

double SimAxis::rampSlope() const {
    return double(ramps.slope(params.rampIndex));
}

void SimAxis::finishMotion() {
    motion_ = Motion::None;
    beforeStop_ = Motion::None;
    speed_ = 0;
}

// One slice of a move: accelerate from the start/stop frequency along the selected ramp up
// to the run frequency, brake in time to stop at the target, halt at the initiators.
void SimAxis::step(double seconds) {
    if (!moving())
        return;
    const double vmin = double(qMax<qint64>(1, qMin(params.startStopFreq, params.runFreq)));
    const double vmax = qMax(vmin, double(params.runFreq));
    const double a = rampSlope();
    if (speed_ < vmin)
        speed_ = vmin;
    bool brake = motion_ == Motion::Stopping;
    if (motion_ == Motion::Target) {
        const double remaining = std::fabs(target_ - physical_) / 8.0;
        const double needed = a > 0 ? (speed_ * speed_ - vmin * vmin) / (2 * a) : 0;
        brake = remaining <= needed;
    }
    if (a <= 0)
        speed_ = brake ? vmin : vmax;
    else if (brake)
        speed_ = qMax(vmin, speed_ - a * seconds);
    else
        speed_ = qMin(vmax, speed_ + a * seconds);

    double next = physical_ + direction_ * speed_ * seconds * 8.0;
    bool arrived = false;
    if (motion_ == Motion::Target &&
        ((direction_ > 0 && next >= target_) || (direction_ < 0 && next <= target_))) {
        next = target_;
        arrived = true;
    }
    bool atInitiator = false;
    if (direction_ < 0 && next <= 0) {
        next = 0;
        atInitiator = true;
    } else if (direction_ > 0 && next >= double(travel)) {
        next = double(travel);
        atInitiator = true;
    }
    physical_ = next;
    if (atInitiator && !arrived) {
        if (motion_ == Motion::Initiator) {
            setPosition(direction_ > 0 ? params.zeroOffsetPlus : params.zeroOffsetMinus);
            latched |= StatusBit::Initialised;
        } else if (motion_ == Motion::Target) {
            // A positioning move that runs into an end switch did not reach its target.
            latched |= StatusBit::InitiatorError;
        }
        finishMotion();
        return;
    }
    if (arrived || (motion_ == Motion::Stopping && speed_ <= vmin))
        finishMotion();
}

void SimAxis::runFromPlc(const QString& command) {
    const QString m = SimCommandSyntax::mnemonicOf(command);
    if (m.isEmpty() || !SimCommandSyntax::wellFormed(command)) {
        latched |= StatusBit::BadValue;
        return;
    }
    plcDriven_ = true;
    if (m.startsWith(u'G'))
        startMotion(m, command.mid(m.size()));
    else if (m.size() == 2 && m.startsWith(u'P'))
        setParameter(m, command.mid(m.size()));
    else
        latched |= StatusBit::UnknownCommand;
    plcDriven_ = false;
}

void SimAxis::advance(qint64 nowMs) {
    if (lastMs_ < 0 || nowMs < lastMs_) {
        lastMs_ = nowMs;
        plc.advance(*this);
        return;
    }
    double remaining = double(nowMs - lastMs_) / 1000.0;
    lastMs_ = nowMs;
    while (moving() && remaining > 0) {
        const double slice = qMin(remaining, 0.001);
        step(slice);
        remaining -= slice;
    }
    plc.advance(*this);
}

bool SimAxis::takeGrant(Grant sequence) {
    if (sequence == Grant::Open) {
        if (grant_ == Grant::Open) {
            grant_ = Grant::None;
            return true;
        }
    } else if (grant_ == Grant::Open || grant_ == sequence) {
        grant_ = sequence;
        return true;
    }
    // No release, or a write that does not belong to the open sequence: refuse it, and
    // end the sequence so that a half-written ramp or card program is never stored.
    dropGrant();
    latched |= StatusBit::NotNow;
    return false;
}

void SimAxis::dropGrant() {
    grant_ = Grant::None;
    ramps.discard();
    sfiStaged_.clear();
    sfiConfigStaged_ = -1;
}

QString SimAxis::write(const QString& m, const QString& arg) {
    const QString ok = QStringLiteral("OK");
    const QString refused = QStringLiteral("NO");
    if (m == u"FC") {
        dropGrant();
        if (arg != dateCode) {
            latched |= StatusBit::BadValue;
            return refused;
        }
        if (!plc.grantRelease())
            return refused;
        grant_ = Grant::Open;
        return ok;
    }
    // Slot commands of the other slot area are refused before they can use up a release.
    if ((m == u"EW" && eightSlots()) || (m == u"WU" && !eightSlots()) ||
        ((m == u"WI" || m == u"IM") && !sfiCard)) {
        latched |= StatusBit::NotNow;
        return refused;
    }
    if (m == u"WU" && arg.left(1).toInt(nullptr, 16) >= 8) {
        latched |= StatusBit::BadValue;
        return refused;
    }
    if (m == u"WR" || m == u"WI" || m == u"IM") {
        const Grant sequence = m == u"WR" ? Grant::Ramp : Grant::Sfi;
        if (!takeGrant(sequence))
            return refused;
        if (m == u"IM") {
            sfiConfigStaged_ = arg.toInt(nullptr, 16) & 0x9F;
            return ok;
        }
        const int address = arg.left(4).toInt(nullptr, 16);
        const QByteArray data = QByteArray::fromHex(arg.mid(4).toLatin1());
        if (m == u"WI") {
            sfiStaged_.insert(address, data);
            return ok;
        }
        if (!ramps.stage(address, data)) {
            latched |= StatusBit::MemoryOverflow;
            return refused;
        }
        return ok;
    }
    if (m == u"WX") {
        const Grant g = grant_;
        if (g == Grant::None) {
            latched |= StatusBit::NotNow;
            return refused;
        }
        if (g == Grant::Ramp)
            ramps.commit();
        if (g == Grant::Sfi) {
            if (sfiConfigStaged_ >= 0)
                sfiConfig = sfiConfigStaged_;
            if (!sfiStaged_.isEmpty())
                sfiProgram = sfiStaged_;
        }
        sfiStaged_.clear();
        sfiConfigStaged_ = -1;
        grant_ = Grant::None;
        return ok;
    }
    if (!takeGrant(Grant::Open))
        return refused;
    if (m == u"WP") {
        stored = params;
        latched &= ~StatusBit::ParametersChanged;
    } else if (m == u"WD" && ignoreErase) {
        // acknowledged, nothing erased
    } else if (m == u"WE" && refuseErase) {
        return refused;
    } else if (m == u"WA" || m == u"WD" || m == u"WE") {
        // The ramp commands take the PLC area with them.
        if (m == u"WA")
            ramps.installDefaults(clockHz, maxRunFreq);
        else if (m == u"WD")
            ramps.erase();
        for (QString& s : plcSlots)
            s.clear();
    } else if (m == u"EW" || m == u"WU") {
        const int digits = m == u"EW" ? 2 : 1;
        const int slot = arg.left(digits).toInt(nullptr, 16);
        if (refusedSlots.contains(slot))
            return refused;
        if (!unstoredSlots.contains(slot))
            plcSlots[slot] = arg.mid(digits);
    }
    return ok;
}

void SimAxis::resetDrive() {
    finishMotion();
    dropGrant();
    params = stored;
    latched = 0;
    outputs = 0;
    ioCardOutputs = 0;
}

} // namespace sim
