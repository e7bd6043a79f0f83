#include "app/PanelDialogs.h"

#include "app/CRSMonitor.h"
#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "axis/PanelContext.h"
#include "drive/CGesamtStatus.h"
#include "drive/CRampenDlg.h"
#include "drive/CReset.h"
#include "drive/CSFIDialog.h"
#include "drive/CStrom.h"
#include "files/ParameterFile.h"
#include "plc/CDlgSPSErweitert.h"
#include "plc/CEADialog.h"
#include "plc/CSPSDialog.h"

#include <memory>

namespace PanelDialogs {

namespace {

struct Route {
    void (CKormakView::*request)();
    int (*run)(PanelContext&);
};

const Route routes[] = {
    {&CKormakView::currentsRequested, &CStrom::run},
    {&CKormakView::rsMonitorRequested, &CRSMonitor::run},
    {&CKormakView::rampsRequested, &CRampenDlg::run},
    {&CKormakView::plcRequested, &CSPSDialog::run},
    {&CKormakView::plcExtRequested, &CDlgSPSErweitert::run},
    {&CKormakView::statusRequested, &CGesamtStatus::run},
    {&CKormakView::resetRequested, &CReset::run},
    {&CKormakView::optionCardRequested, &CEADialog::run},
    {&CKormakView::sfiRequested, &CSFIDialog::run},
};

} // namespace

void connect(SerialLink& link, Operator& op, QWidget* parent, CKormakView& view, CKormakDoc& doc) {
    // The routes share the context; it goes with their connections when the
    // panel is destroyed.
    const auto context = std::make_shared<PanelContext>(link, op, parent, view, doc);
    for (const Route& route : routes)
        QObject::connect(&view, route.request, &view,
                         [context, run = route.run] { run(*context); });

    // An offline panel's file: what it says of the currents goes into the
    // panel's currents dialog, which keeps it for the panel's life.
    QObject::connect(&view, &CKormakView::applyFileLinesRequested, &view, [context] {
        AxisParameters p = context->view.parameters();
        CStrom& currents = CStrom::forPanel(*context);
        const ApplyResult r =
            ApplyFileLines(context->doc.lineList, p, context->doc, currents.fields());
        currents.fields() = r.currents;
        context->view.setParameters(p);
    });
}

} // namespace PanelDialogs
