#include "drive/CReset.h"

#include "axis/CKormakView.h"
#include "axis/PanelContext.h"
#include "base/BusyState.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "drive/OverallStatus.h"
#include "link/SerialLink.h"
#include "widgets/CWait.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using OverallStatus::Reset;

namespace {
// What a title bar takes beside its text: the icon and the window buttons.
constexpr int TitleBarButtons = 160;
} // namespace

bool RunSystemReset(SerialLink& link, Operator& op, QWidget* parent, const WaitRunner& runner) {
    BusyGuard busy;
    if (!OverallStatus::sendSystemReset(link, op))
        return false;
    CWait wait(op, parent);
    wait.timedMode = true;
    wait.caption = Texts::text(10097);
    wait.text = Texts::text(10098);
    wait.seconds = OverallStatus::SystemResetSeconds;
    if (runner)
        runner(wait);
    else
        wait.exec();
    return true;
}

int CReset::run(PanelContext& context) {
    int code = Rejected;
    {
        CReset dialog(context.link, context.op, context.parent);
        code = dialog.exec();
    }
    if (code != SystemResetCode)
        return code;
    context.view.stopPollTimer();
    if (RunSystemReset(context.link, context.op, context.parent))
        context.view.ReadAxisConfiguration();
    return code;
}

CReset::CReset(SerialLink& link, Operator& op, QWidget* parent)
    : QDialog(parent), link_(link), op_(op) {
    setObjectName(QStringLiteral("CReset"));
    setModal(true);
    setWindowTitle(Texts::text(10097));
    auto* layout = new QVBoxLayout(this);
    static const char* const names[OverallStatus::ResetCount] = {
        "resetOutputDriver", "resetPowerStage", "resetInitiators", "resetSfi", "resetSystem"};
    for (int i = 0; i < OverallStatus::ResetCount; ++i) {
        boxes_[i] = new QCheckBox(Texts::text(OverallStatus::resetCaptionTextId(Reset(i))), this);
        boxes_[i]->setObjectName(QString::fromLatin1(names[i]));
        layout->addWidget(boxes_[i]);
    }
    auto* buttons = new QHBoxLayout;
    resetButton_ = new QPushButton(Texts::text(10095), this);
    resetButton_->setObjectName(QStringLiteral("resetButton"));
    resetButton_->setDefault(true);
    closeButton_ = new QPushButton(Texts::text(10030), this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    buttons->addWidget(resetButton_);
    buttons->addWidget(closeButton_);
    layout->addLayout(buttons);
    connect(resetButton_, &QPushButton::clicked, this, &CReset::resetClicked);
    connect(closeButton_, &QPushButton::clicked, this, [this] { done(2); });
    // Wide enough for the whole title beside the title bar's buttons: the
    // check boxes alone would leave it "Anlag...eset".
    QFont titleFont = font();
    titleFont.setBold(true);
    setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + TitleBarButtons);
}

void CReset::resetClicked() {
    for (int i = 0; i < int(Reset::System); ++i) {
        // After a reset that did not reach the axis the others would not
        // either: one message is enough, and the dialog stays for a retry.
        if (boxes_[i]->isChecked() && !OverallStatus::runPartReset(link_, op_, Reset(i)))
            return;
    }
    if (boxes_[int(Reset::System)]->isChecked()) {
        done(SystemResetCode);
        return;
    }
    OverallStatus::clearReported(link_);
    done(1);
}
