#include "app/BaudChangeFlow.h"

#include "app/CChangeBaud.h"
#include "app/PanelWindows.h"
#include "axis/CKormakView.h"
#include "base/BusyState.h"
#include "base/MessageIds.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "link/AxisAddress.h"
#include "link/BaudChange.h"
#include "link/SerialLink.h"

BaudChangeFlow::BaudChangeFlow(SerialLink& link, Operator& op, PanelWindows& windows,
                               QWidget* dialogParent)
    : link_(link), operator_(op), windows_(windows), dialogParent_(dialogParent) {}

bool BaudChangeFlow::possible() const {
    // An offline panel has no axis to move.
    return !link_.axisAddress().isOffline();
}

void BaudChangeFlow::run() {
    CKormakView* panel = windows_.activePanel();
    if (!panel || panel->isOffline() || BusyState::isBusy())
        return;
    int newIndex = -1;
    {
        CChangeBaud dialog(link_, dialogParent_);
        if (dialog.exec() != QDialog::Accepted)
            return;
        newIndex = dialog.newBaudIndex();
    }
    if (newIndex < 0)
        return;
    pending_ = true;
    panel->stopPollTimer();
    const BaudChange::Result result = BaudChange::ChangeBaudRate(link_, newIndex);
    // The flag never outlives the change: left set, every later activation
    // would hand the bar's port and rate to whichever panel comes to the front.
    pending_ = false;
    if (result == BaudChange::Result::Refused) {
        // The axis stays where it was, and so do the link and the panel.
        panel->startPollTimer();
        return;
    }
    if (result == BaudChange::Result::LostAtOld || result == BaudChange::Result::LostNowhere) {
        // The reply to the rate command was lost; the link is back at the
        // panel's rate, and the operator learns where the axis answers.
        panel->startPollTimer();
        const bool atOld = result == BaudChange::Result::LostAtOld;
        operator_.show({0,
                        atOld ? Texts::text("baud.lostAtOld")
                                    .arg(BaudChange::commandOf(newIndex))
                                    .arg(SerialLink::baudRateOf(link_.baudIndex()))
                              : Texts::text("baud.lostNowhere")
                                    .arg(BaudChange::commandOf(newIndex))
                                    .arg(SerialLink::baudRateOf(newIndex))
                                    .arg(SerialLink::baudRateOf(link_.baudIndex())),
                        0, Operator::Icon::Warning, Operator::Buttons::Ok});
        return;
    }
    // The activation that follows the message box runs after this handler and
    // restores the panel's own rate: that is the new one from now on.
    panel->setPortIndex(link_.portIndex());
    panel->setBaudIndex(newIndex);
    if (result == BaudChange::Result::ReopenFailed) {
        operator_.error(MessageId::PortNotOpened);
        return;
    }
    panel->startPollTimer();
    if (result == BaudChange::Result::LostAtNew)
        operator_.show({0,
                        Texts::text("baud.lostAtNew")
                            .arg(BaudChange::commandOf(newIndex))
                            .arg(SerialLink::baudRateOf(newIndex)),
                        0, Operator::Icon::Information, Operator::Buttons::Ok});
    else
        operator_.inform(10240);
}
