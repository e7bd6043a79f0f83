#include "drive/ProgramPlcArea.h"

#include "axis/MemoryAreas.h"
#include "base/BusyState.h"
#include "base/Operator.h"
#include "link/SerialLink.h"

namespace {
constexpr int TimeoutTextId = 10103;
}

int ProgramPlcArea(SerialLink& link, Operator& op, const QStringList& slotTexts, bool eightSlots,
                   const PlcAreaProgress& progress) {
    BusyGuard busy;
    bool complete = true;

    switch (RequestWriteUnlock(link)) {
    case UnlockResult::LinkFailed:
        link.reportFailure(op, TimeoutTextId);
        return PlcAreaFailed;
    case UnlockResult::Refused:
        // The old programs stay; the slots are still offered, but the run is
        // not a success.
        complete = false;
        break;
    case UnlockResult::Granted:
        if (PseudoReply::is(ErasePlcArea(link))) {
            link.reportFailure(op, TimeoutTextId);
            return PlcAreaFailed;
        }
        break;
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
                link.reportFailure(op, TimeoutTextId);
                return PlcAreaFailed;
            case UnlockResult::Refused:
                complete = false;
                break;
            case UnlockResult::Granted:
                // A write that does not come back (or never leaves because the
                // frame would be too long) is not a written slot.
                if (PseudoReply::is(WritePlcSlot(link, slot, text, eightSlots))) {
                    link.reportFailure(op, TimeoutTextId);
                    return PlcAreaFailed;
                }
                break;
            }
        }
        if (progress.done)
            progress.done(slot);
    }
    return complete ? PlcAreaDone : PlcAreaFailed;
}
