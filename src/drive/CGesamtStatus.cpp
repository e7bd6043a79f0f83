#include "drive/CGesamtStatus.h"
#include "base/MessageIds.h"

#include "axis/CKormakView.h"
#include "axis/LinkGone.h"
#include "axis/PanelContext.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "drive/OverallStatus.h"
#include "link/SerialLink.h"
#include "widgets/StatusLamp.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using OverallStatus::Reset;

namespace {

StatusLamp::Colour lampColour(OverallStatus::Colour c) {
    switch (c) {
    case OverallStatus::Colour::Green:
        return StatusLamp::Colour::Green;
    case OverallStatus::Colour::Red:
        return StatusLamp::Colour::Red;
    case OverallStatus::Colour::Yellow:
        return StatusLamp::Colour::Yellow;
    case OverallStatus::Colour::Grey:
        break;
    }
    return StatusLamp::Colour::Grey;
}

} // namespace

int CGesamtStatus::run(PanelContext& context) {
    int result = Rejected;
    bool restarted = false;
    {
        CGesamtStatus dialog(context.link, context.op, context.parent);
        result = dialog.exec();
        restarted = dialog.systemResetDone;
    }
    if (restarted)
        context.view.ReadAxisConfiguration();
    return result;
}

CGesamtStatus::CGesamtStatus(SerialLink& link, Operator& op, QWidget* parent)
    : QDialog(parent), link_(link), op_(op) {
    setObjectName(QStringLiteral("CGesamtStatus"));
    setModal(true);
    setWindowTitle(Texts::text(10000) + link_.currentAddress() + Texts::text(10061));

    const auto& table = OverallStatus::lamps();
    QList<QLabel*> labels;
    for (int i = 0; i < OverallStatus::LampCount; ++i) {
        auto* lamp = new StatusLamp(this);
        lamp->setObjectName(QStringLiteral("lamp%1").arg(1200 + i));
        lamps_ << lamp;
        auto* label = new QLabel(Texts::text(table[i].labelTextId), this);
        label->setObjectName(QStringLiteral("lampLabel%1").arg(1200 + i));
        labels << label;
    }
    // A frame of lamps in screen order; indented rows stand under the lamp
    // they belong to.
    auto frame = [&](std::initializer_list<std::pair<int, bool>> rows) {
        auto* box = new QGroupBox(this);
        auto* grid = new QGridLayout(box);
        grid->setVerticalSpacing(2);
        int row = 0;
        for (const auto& [lamp, indented] : rows) {
            grid->addWidget(lamps_[lamp - 1200], row, indented ? 1 : 0);
            grid->addWidget(labels[lamp - 1200], row, indented ? 2 : 1, 1, indented ? 1 : 2);
            ++row;
        }
        grid->setRowStretch(row, 1);
        return box;
    };
    auto* motion = frame({{1200, false}, {1220, false}, {1217, false}, {1219, false}});
    auto* errors = frame({{1201, false},
                          {1202, false},
                          {1221, false},
                          {1203, false},
                          {1212, false},
                          {1204, false},
                          {1213, false},
                          {1218, false}});
    auto* commands = frame({{1205, false},
                            {1210, true},
                            {1222, true},
                            {1211, true},
                            {1209, false},
                            {1208, false},
                            {1207, false}});
    auto* system = frame({{1206, false}, {1216, false}, {1215, false}, {1214, false}});

    // The four codes as a grid of caption and value, so that the values
    // stand in one column whatever the captions' lengths in a language.
    auto* codes = new QGroupBox(this);
    auto* codeLayout = new QGridLayout(codes);
    codeLayout->setColumnStretch(1, 1);
    for (int i = 0; i < 4; ++i) {
        auto* caption = new QLabel(Texts::text(10081 + i).remove(QLatin1Char('\t')), codes);
        caption->setObjectName(QStringLiteral("codeCaption%1").arg(1223 + i));
        codeLines_[i] = new QLabel(codes);
        codeLines_[i]->setObjectName(QStringLiteral("codeLine%1").arg(1223 + i));
        codeLines_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        codeLayout->addWidget(caption, i, 0);
        codeLayout->addWidget(codeLines_[i], i, 1);
    }

    auto* resetFrame = new QGroupBox(Texts::text(10089), this);
    resetFrame->setObjectName(QStringLiteral("resetFrame"));
    auto* resetLayout = new QVBoxLayout(resetFrame);
    static const char* const names[OverallStatus::ResetCount] = {
        "resetOutputDriver", "resetPowerStage", "resetInitiators", "resetSfi", "resetSystem"};
    for (int i = 0; i < OverallStatus::ResetCount; ++i) {
        boxes_[i] =
            new QCheckBox(Texts::text(OverallStatus::resetCaptionTextId(Reset(i))), resetFrame);
        boxes_[i]->setObjectName(QString::fromLatin1(names[i]));
        resetLayout->addWidget(boxes_[i]);
        connect(boxes_[i], &QCheckBox::clicked, this, &CGesamtStatus::boxClicked);
    }

    actionButton_ = new QPushButton(Texts::text(10096), this);
    actionButton_->setObjectName(QStringLiteral("actionButton"));
    actionButton_->setDefault(true);
    closeButton_ = new QPushButton(Texts::text(10030), this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    connect(actionButton_, &QPushButton::clicked, this, &CGesamtStatus::actionClicked);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(motion, 0, 0);
    grid->addWidget(errors, 1, 0);
    grid->addWidget(commands, 0, 1);
    grid->addWidget(codes, 1, 1);
    grid->addWidget(system, 0, 2);
    grid->addWidget(resetFrame, 1, 2);
    auto* buttons = new QHBoxLayout;
    // Shown while the port is gone, beside the buttons that can do nothing.
    linkState_ = new QLabel(this);
    linkState_->setObjectName(QStringLiteral("linkState"));
    linkState_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    linkState_->hide();
    buttons->addWidget(linkState_);
    buttons->addStretch(1);
    buttons->addWidget(actionButton_);
    buttons->addWidget(closeButton_);
    grid->addLayout(buttons, 2, 0, 1, 3);
}

void CGesamtStatus::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!refreshed_) {
        refreshed_ = true;
        RefreshOverallStatus();
    }
}

void CGesamtStatus::RefreshOverallStatus() {
    const OverallStatus::Reading status = OverallStatus::read(link_);
    codeLines_[0]->setText(status.codeText);
    if (!status.valid) {
        if (!link_.portOpen()) {
            // The port is gone: no lamp shows the axis's present state.
            showNotCurrent();
            link_.reportFailure(op_, MessageId::NoReply);
            return;
        }
        // The lamps keep what they showed: a lost reply says nothing about
        // faults, and grey would read as "no fault". The other codes would
        // only wait for their own time-outs.
        link_.reportFailure(op_, MessageId::NoReply);
        return;
    }
    linkState_->hide();
    const OverallStatus::Codes codes = OverallStatus::readCodes(link_);
    codeLines_[1]->setText(codes.bios);
    codeLines_[2]->setText(codes.system);
    codeLines_[3]->setText(codes.date);
    const QList<OverallStatus::Colour> colours = OverallStatus::lampColours(status.value);
    for (int i = 0; i < OverallStatus::LampCount; ++i) {
        lamps_[i]->setColour(lampColour(colours[i]));
        lamps_[i]->setToolTip(QString());
    }
}

void CGesamtStatus::showNotCurrent() {
    const QString why = Texts::text("axis.notCurrent");
    for (StatusLamp* lamp : std::as_const(lamps_)) {
        lamp->setColour(StatusLamp::Colour::Unknown);
        lamp->setToolTip(why);
    }
    linkState_->setText(why);
    linkState_->show();
}

void CGesamtStatus::boxClicked() {
    bool any = false;
    for (QCheckBox* box : boxes_)
        any = any || box->isChecked();
    actionButton_->setText(Texts::text(any ? 10095 : 10096));
}

void CGesamtStatus::actionClicked() {
    if (TellIfLinkGone(link_, op_)) {
        showNotCurrent();
        return;
    }
    // After a reset that did not reach the axis a refresh would only add a
    // second time-out message.
    if (actionButton_->text() != Texts::text(10096) && !performResets())
        return;
    RefreshOverallStatus();
}

bool CGesamtStatus::performResets() {
    for (int i = 0; i < int(Reset::System); ++i)
        if (boxes_[i]->isChecked() && !OverallStatus::runPartReset(link_, op_, Reset(i)))
            return false;
    if (!boxes_[int(Reset::System)]->isChecked())
        return true;
    if (!RunSystemReset(link_, op_, this, waitRunner_))
        return false;
    systemResetDone = true;
    return true;
}
