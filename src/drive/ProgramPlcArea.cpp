#include "drive/ProgramPlcArea.h"
#include "base/MessageIds.h"

#include "axis/CheckedWrite.h"
#include "axis/MemoryAreas.h"
#include "base/BusyState.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "link/SerialLink.h"

namespace {

// The controller's word that it did not take a permanent write.
bool answeredNo(const QString& data) {
    return data == QLatin1String("NO");
}

} // namespace

QString PlcAreaCheckText(const PlcAreaCheck& check, bool eightSlots) {
    const auto name = [eightSlots](int slot) {
        return QStringLiteral("%1").arg(slot, eightSlots ? 1 : 2, 16, QLatin1Char('0')).toUpper();
    };
    QStringList lines;
    if (check.eraseRefused)
        lines << Texts::text("plc.eraseAnsweredNo");
    for (const PlcAreaCheck::Refusal& r : check.refused)
        lines << Texts::text("plc.slotRefused").arg(name(r.slot), Texts::text(r.reasonTextId));
    if (check.answeredNo >= 0)
        lines << Texts::text("plc.slotAnsweredNo").arg(name(check.answeredNo));
    for (int slot : check.differing)
        lines << Texts::text("plc.slotDiffers").arg(name(slot));
    return lines.join(QLatin1Char('\n'));
}

int ProgramPlcArea(SerialLink& link, Operator& op, const QStringList& slotTexts, bool eightSlots,
                   const PlcAreaProgress& progress, PlcAreaCheck* check) {
    BusyGuard busy;
    bool complete = true;
    PlcAreaCheck own;
    PlcAreaCheck& found = check ? *check : own;
    found.refused.clear();
    found.differing.clear();
    found.answeredNo = -1;
    found.eraseRefused = false;

    if (!ClearCommandErrors(link)) {
        link.reportFailure(op, MessageId::NoReply);
        return PlcAreaFailed;
    }

    switch (RequestWriteUnlock(link)) {
    case UnlockResult::LinkFailed:
        link.reportFailure(op, MessageId::NoReply);
        return PlcAreaFailed;
    case UnlockResult::Refused:
        // The old programs stay; the slots are still offered, but the run is
        // not a success.
        complete = false;
        break;
    case UnlockResult::Granted: {
        const QString erased = ErasePlcArea(link);
        if (PseudoReply::is(erased)) {
            link.reportFailure(op, MessageId::NoReply);
            return PlcAreaFailed;
        }
        // The old slots are still there: writing over them would mix two areas.
        if (answeredNo(erased)) {
            found.eraseRefused = true;
            return PlcAreaFailed;
        }
        break;
    }
    }

    const int count = plcSlotCount(eightSlots);
    for (int slot = 0; slot < count; ++slot) {
        op.pumpEvents();
        if (progress.sending)
            progress.sending(slot);
        const QString text = slot < slotTexts.size() ? slotTexts.at(slot) : QString();
        if (!text.isEmpty()) {
            switch (RequestWriteUnlock(link)) {
            case UnlockResult::LinkFailed:
                link.reportFailure(op, MessageId::NoReply);
                return PlcAreaFailed;
            case UnlockResult::Refused:
                complete = false;
                break;
            case UnlockResult::Granted: {
                // A write that does not come back (or never leaves because the
                // frame would be too long) is not a written slot.
                const CheckedWrite written =
                    SendCheckedWrite(link, plcSlotWriteCommand(slot, text, eightSlots));
                if (written.result == CheckedWrite::Result::Lost) {
                    link.reportFailure(op, MessageId::NoReply);
                    return PlcAreaFailed;
                }
                if (written.result == CheckedWrite::Result::Refused) {
                    found.refused.append({slot, written.reasonTextId});
                    complete = false;
                    if (answeredNo(written.data))
                        return PlcAreaFailed;
                } else if (answeredNo(written.data)) {
                    found.answeredNo = slot;
                    return PlcAreaFailed;
                } else if (found.readBack) {
                    const QString held = ReadPlcSlot(link, slot, eightSlots);
                    if (PseudoReply::is(held)) {
                        link.reportFailure(op, MessageId::NoReply);
                        return PlcAreaFailed;
                    }
                    if (held != text) {
                        found.differing.append(slot);
                        complete = false;
                    }
                }
                break;
            }
            }
        }
        if (progress.done)
            progress.done(slot);
    }
    return complete ? PlcAreaDone : PlcAreaFailed;
}
