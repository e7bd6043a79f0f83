#include "plc/SequenceArea.h"
#include "base/MessageIds.h"

#include "axis/MemoryAreas.h"
#include "base/BusyState.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "link/SerialLink.h"
#include "plc/ExtendedStep.h"

#include <QElapsedTimer>

namespace SequenceArea {

namespace {
constexpr int PauseSliceMs = 10;

void reportLost(SerialLink& link, Operator& op) {
    link.reportFailure(op, link.lastFailure() == SerialLink::Failure::Timeout ||
                                   link.lastFailure() == SerialLink::Failure::None
                               ? MessageId::NoReply
                               : MessageId::PortNotOpened);
}

} // namespace

QStringList ReadRestoreCommands(SerialLink& link, const QString& deviceType) {
    const bool amperes = ExtendedStep::amperesFor(deviceType);
    QStringList commands;
    for (const char* m : {"PS", "PR", "PA", "PT", "PC", "PO", "PF", "PN", "PD"}) {
        const QString name = QLatin1String(m);
        const bool current = name == u"PS" || name == u"PR" || name == u"PA";
        const QString reply = link.SendCommand(
            name + (current && amperes ? QStringLiteral("??") : QStringLiteral("?")), true, Full);
        // A reply that is no value must never be sent back to the axis.
        commands << (PseudoReply::is(reply) ? QString() : name + reply);
    }
    return commands;
}

PlcArea::ReadResult ReadOpening(SerialLink& link, Operator& op, Opening& o,
                                const PlcArea::SlotProgress& read) {
    BusyGuard busy;
    const auto fail = [&] {
        reportLost(link, op);
        return PlcArea::ReadResult::Failed;
    };
    const DeviceFamily family = DeviceFamily::read(link);
    if (!family.replied())
        return fail();
    o.deviceType = family.text();
    {
        ProgressGuard progress(op, Texts::text(MessageId::ReadingSlots), PlcSlotCount - 1, 1);
        // The step dialog reads the 256 "ER" slots whatever the family.
        SlotAreaRead how;
        how.count = PlcSlotCount;
        how.pumpEvery = 1;
        how.keepGoing = read;
        // "ERROR" and "OFFLINE" are no slot texts any more than "TIMEOUT".
        const SlotAreaEnd end = ReadPlcSlotArea(link, op, how, [&](int i, const QString& reply) {
            if (ExtendedStep::isStep(reply))
                o.area.extendedSteps[i] = reply;
            else
                o.area.programs[i] = reply;
            progress.step();
            return true;
        });
        if (end == SlotAreaEnd::Lost)
            return fail();
        if (end == SlotAreaEnd::Stopped)
            return PlcArea::ReadResult::Cancelled;
    }
    int status = 0;
    if (!PlcArea::ParsePositionReply(link.SendCommand(QStringLiteral("PC?"), false, Full),
                                     &o.position, &o.shortStatus, &status)) {
        o.position.clear();
        o.shortStatus.clear();
    }
    o.restoreCommands = ReadRestoreCommands(link, o.deviceType);
    if (o.restoreCommands.value(8) != QLatin1String("PD0"))
        link.SendCommand(QStringLiteral("PD0"), true, Full);
    if (!ExtendedStep::amperesFor(o.deviceType)) {
        const QString levels = link.SendCommand(QStringLiteral("FA?"), true, Full);
        o.levelReply = PseudoReply::is(levels) ? QString() : levels;
    }
    return PlcArea::ReadResult::Done;
}

Standstill WaitForStandstill(SerialLink& link, Operator& op, const RunHooks& hooks) {
    for (;;) {
        op.wait(1);
        const QString reply = link.SendCommand(QStringLiteral("PC?"), false, Full);
        if (PseudoReply::is(reply)) {
            reportLost(link, op);
            return Standstill::TimedOut;
        }
        QString position, status;
        int statusByte = 0;
        const bool readable = PlcArea::ParsePositionReply(reply, &position, &status, &statusByte);
        if (readable && hooks.position)
            hooks.position(position, status);
        op.pumpEvents();
        if (readable && !(statusByte & 1))
            return Standstill::Reached;
        // Test released (or Stop pressed) while the axis still moves ends
        // the wait, so that also an axis whose reply cannot be read does
        // not hold the run.
        if (hooks.pressed && !hooks.pressed())
            return Standstill::Released;
    }
}

RunEnd TestRun(SerialLink& link, Operator& op, const QStringList& steps, const RunHooks& hooks) {
    BusyGuard busy;
    QElapsedTimer steady;
    steady.start();
    const auto now = [&] { return hooks.clock ? hooks.clock() : steady.elapsed(); };
    const auto pressed = [&] { return !hooks.pressed || hooks.pressed(); };

    int b = 0;
    while (b >= 0 && b < PlcArea::SlotCount) {
        if (hooks.at)
            hooks.at(b);
        op.pumpEvents();
        if (!pressed())
            return RunEnd::Released;
        const QString step = steps.value(b);
        switch (ExtendedStep::action(step)) {
        case ExtendedStep::Action::Nothing:
            break;
        case ExtendedStep::Action::Jump: {
            const int target = ExtendedStep::jumpTarget(step);
            if (target < 0) {
                // Read as 0 it would send the run round slot 0 for ever.
                op.show({0, Texts::text("plcext.badJump").arg(b), 0, Operator::Icon::Error,
                         Operator::Buttons::Ok});
                return RunEnd::BadJump;
            }
            b = target;
            continue;
        }
        case ExtendedStep::Action::Pause: {
            const qint64 ms = ExtendedStep::pauseMs(step);
            const qint64 start = now();
            for (qint64 passed = 0; passed < ms; passed = now() - start) {
                if (!pressed())
                    return RunEnd::Released;
                op.wait(int(qMin<qint64>(PauseSliceMs, ms - passed)));
                op.pumpEvents();
            }
            break;
        }
        case ExtendedStep::Action::Send:
            // What the reply says is not examined: what the axis makes of the
            // step shows in its status. No reply at all is a silent axis,
            // and the run does not go on blind.
            if (PseudoReply::is(link.SendCommand(ExtendedStep::command(step), true, Full))) {
                reportLost(link, op);
                return RunEnd::TimedOut;
            }
            switch (WaitForStandstill(link, op, hooks)) {
            case Standstill::TimedOut:
                return RunEnd::TimedOut;
            case Standstill::Released:
                return RunEnd::Released;
            case Standstill::Reached:
                break;
            }
            break;
        }
        ++b;
    }
    return RunEnd::Finished;
}

} // namespace SequenceArea
