// The main window's commands that load an offline configuration into axes
// and compare it with an axis.
#include "app/AxisBar.h"
#include "app/CMainFrame.h"
#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "base/BusyState.h"
#include "files/CCompareDialog.h"
#include "files/Transfer.h"

#include <QAction>
#include <QPointer>
#include <QSettings>

namespace {

const char ReadBackKey[] = "Transfer/ReadBack";

QSettings transferSettings() {
    return QSettings(QStringLiteral("Veltrax GmbH"), QStringLiteral("Kormak"));
}

} // namespace

bool CMainFrame::transferReadBack() const {
    return transferSettings().value(QLatin1String(ReadBackKey), true).toBool();
}

void CMainFrame::setTransferReadBack(bool on) {
    transferSettings().setValue(QLatin1String(ReadBackKey), on);
}

quint16 CMainFrame::tickedAxes() const {
    quint16 ticked = 0;
    for (int k = 0; k < 16; ++k)
        if (axisBar_->axisPresent(k))
            ticked |= quint16(1u << k);
    return ticked;
}

void CMainFrame::transferToAxes(CKormakView* view) {
    if (!view || !view->isOffline() || BusyState::isBusy())
        return;
    TransferToAxes transfer(link_, operator_);
    QPointer<CKormakView> panel(view);
    transfer.runningChanged = [panel](bool running) {
        if (panel)
            panel->setTransferRunning(running);
    };
    transfer.readBack = transferReadBack();
    const TransferToAxes::Result result =
        transfer.run(view->parameters(), view->document(), tickedAxes());

    // An open panel of an axis that was written shows what the axis now
    // holds, ramps included.
    for (CKormakView* online : panels()) {
        if (online->isOffline())
            continue;
        const int a = QStringLiteral("0123456789ABCDEF").indexOf(online->axisAddress());
        if (a >= 0 && online->axisAddress().size() == 1 && result.written[a])
            online->ReadAxisConfiguration();
    }
}

void CMainFrame::compareWithAxis() {
    CKormakView* view = activePanel();
    if (!view || !view->isOffline() || BusyState::isBusy())
        return;
    const AxisParameters params = view->parameters();
    CCompareDialog dialog(link_, operator_, params, view->document(), tickedAxes(), this);
    dialog.exec();
}
