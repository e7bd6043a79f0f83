#include "plc/PlcPanel.h"

#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "plc/ExtendedStep.h"

namespace PlcPanel {

PlcArea::DialogSetup setupFor(const PanelContext& context) {
    const AxisParameters p = context.view.parameters();
    PlcArea::DialogSetup setup;
    setup.axis = context.view.axisAddress();
    setup.offline = context.view.isOffline();
    setup.startStopList = p.startStopList;
    setup.runFreqList = p.runFreqList;
    setup.rampList = p.rampList;
    setup.slotLines = p.slotLines;
    setup.fileDeviceType = ExtendedStep::deviceTypeFromLines(context.doc.lineList);
    return setup;
}

void takeOver(PanelContext& context, const std::function<void(QStringList&)>& merge) {
    QStringList slotLines = context.view.parameters().slotLines;
    merge(slotLines);
    context.view.setSlotLines(slotLines);
    context.doc.modified = true;
}

} // namespace PlcPanel
