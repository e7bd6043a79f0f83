#include "drive/PlcSend.h"

#include "widgets/CWait.h"

void PlcSend::prepare(CWait& wait, SerialLink* link, Operator& op) {
    wait.timedMode = false;
    wait.workRange = 255;
    wait.work = [this, link, &op](CWait& w) -> int {
        if (!link)
            return PlcAreaFailed;
        PlcAreaProgress progress;
        progress.sending = [&w](int slot) { w.showItem(slot); };
        progress.done = [&w](int slot) { w.setProgress(slot); };
        return ProgramPlcArea(*link, op, slotTexts, eightSlots, progress, &check);
    };
}
