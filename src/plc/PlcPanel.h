#pragma once

// What both PLC dialogs (cycle programs and steps) do when a panel opens
// them: the panel's lists and slot lines into the dialog, the dialog on
// screen before it reads the axis, and an offline take-over back into the
// panel's configuration.

#include "axis/PanelContext.h"
#include "plc/PlcArea.h"

#include <QStringList>
#include <functional>

namespace PlcPanel {

// What a PLC dialog takes from the panel and its document.
PlcArea::DialogSetup setupFor(const PanelContext& context);

// The offline take-over: merge puts the dialog's slots into the panel's slot
// lines, which become the configuration's PLC area; the document is changed.
void takeOver(PanelContext& context, const std::function<void(QStringList&)>& merge);

// Shows the dialog at once, reads the area in it and runs it; the dialog's
// result (Rejected when the reading failed or was stopped).
template <class Dialog> int run(PanelContext& context) {
    Dialog dialog(context.link, context.op, setupFor(context), context.parent);
    const int result = dialog.showAndRun();
    if (result == Dialog::TakeOver)
        takeOver(context, [&dialog](QStringList& slotLines) { dialog.mergeInto(slotLines); });
    return result;
}

} // namespace PlcPanel
