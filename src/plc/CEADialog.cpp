#include "plc/CEADialog.h"
#include "base/MessageIds.h"

#include "axis/LinkGone.h"
#include "axis/PanelContext.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "link/SerialLink.h"
#include "plc/IoCard.h"
#include "widgets/StatusLamp.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimerEvent>
#include <QVBoxLayout>

int CEADialog::run(PanelContext& context) {
    int result = Rejected;
    openIfPresent(context.link, context.op, context.parent, &result);
    return result;
}

bool CEADialog::run(SerialLink& link, Operator& op, QWidget* parent) {
    return openIfPresent(link, op, parent, nullptr);
}

bool CEADialog::openIfPresent(SerialLink& link, Operator& op, QWidget* parent, int* result) {
    switch (IoCard::checkPresent(link)) {
    case IoCard::Presence::LinkFailed:
        link.reportFailure(op, MessageId::NoReply);
        return false;
    case IoCard::Presence::Absent:
        // The same words in every language.
        op.show(
            {0, QStringLiteral("Not Supported"), 0, Operator::Icon::None, Operator::Buttons::Ok});
        return false;
    case IoCard::Presence::Present:
        break;
    }
    CEADialog dialog(link, op, parent);
    if (!dialog.initialise())
        return false;
    const int code = dialog.exec();
    if (result)
        *result = code;
    return true;
}

CEADialog::CEADialog(SerialLink& link, Operator& op, QWidget* parent)
    : QDialog(parent), link_(link), op_(op) {
    setObjectName(QStringLiteral("CEADialog"));
    setModal(true);

    auto* inputBox = new QGroupBox(this);
    auto* inputGrid = new QGridLayout(inputBox);
    static const char* const inputNames[4] = {"STROBE", "ENABLE", "CLEAR", "RESET"};
    for (int i = 0; i < 4; ++i) {
        inputs_[i] = new StatusLamp(inputBox);
        inputs_[i]->setObjectName(QStringLiteral("input%1").arg(1256 + i));
        inputLabels_[i] = new QLabel(QString::fromLatin1(inputNames[i]), inputBox);
        inputLabels_[i]->setObjectName(QStringLiteral("inputLabel%1").arg(1256 + i));
        inputGrid->addWidget(inputs_[i], i, 0);
        inputGrid->addWidget(inputLabels_[i], i, 1);
    }
    for (int i = 0; i < 8; ++i) {
        programs_[i] = new StatusLamp(inputBox);
        programs_[i]->setObjectName(QStringLiteral("program%1").arg(1260 + i));
        inputGrid->addWidget(programs_[i], i, 2);
        inputGrid->addWidget(new QLabel(QStringLiteral("PROG%1").arg(i), inputBox), i, 3);
    }
    inputLabels_[2]->setObjectName(QStringLiteral("inputLabel1484"));
    inputLabels_[3]->setObjectName(QStringLiteral("inputLabel1483"));

    auto* outputBox = new QGroupBox(this);
    auto* outputLayout = new QVBoxLayout(outputBox);
    const QString captions[6] = {QStringLiteral("&READY"),    QStringLiteral("&ERROR"),
                                 QStringLiteral("Output &2"), QStringLiteral("Output &3"),
                                 QStringLiteral("Output &4"), QStringLiteral("Output &5")};
    for (int i = 0; i < 6; ++i) {
        outputs_[i] = new QCheckBox(captions[i], outputBox);
        outputs_[i]->setObjectName(QStringLiteral("output%1").arg(1268 + i));
        outputLayout->addWidget(outputs_[i]);
        connect(outputs_[i], &QCheckBox::clicked, this, &CEADialog::outputClicked);
    }
    outputLayout->addStretch(1);

    auto* close = new QPushButton(Texts::text(10030), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(inputBox, 0, 0);
    layout->addWidget(outputBox, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons, 1, 0, 1, 2);
}

bool CEADialog::initialise() {
    setWindowTitle(Texts::text(10000) + link_.currentAddress() + Texts::text(10130));
    if (IoCard::readReducedFamily(link_)) {
        for (int i : {2, 3}) {
            inputs_[i]->hide();
            inputLabels_[i]->hide();
        }
        outputs_[4]->hide();
        outputs_[5]->hide();
    }
    IoCard::Outputs out;
    if (!IoCard::readOutputs(link_, &out)) {
        link_.reportFailure(op_, MessageId::NoReply);
        return false;
    }
    for (int i = 0; i < 2; ++i)
        outputs_[i]->setChecked((out.io >> i) & 1u);
    for (int i = 0; i < 4; ++i)
        outputs_[2 + i]->setChecked((out.eo >> i) & 1u);
    timer_.start(RefreshMs, this);
    return true;
}

void CEADialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) {
        QDialog::timerEvent(event);
        return;
    }
    refreshInputs();
}

void CEADialog::refreshInputs() {
    const auto show = [](StatusLamp* const* lamps, int count, quint32 value) {
        for (int i = 0; i < count; ++i)
            lamps[i]->setColour((value >> i) & 1u ? StatusLamp::Colour::Green
                                                  : StatusLamp::Colour::Grey);
    };
    const IoCard::Inputs inputs = IoCard::readInputs(link_);
    if (inputs.control)
        show(inputs_, 4, *inputs.control);
    if (inputs.programs)
        show(programs_, 8, *inputs.programs);
    if (inputs.linkFailed) {
        // A silent axis would otherwise hold the window for a whole time-out
        // four times a second.
        timer_.stop();
        link_.reportFailure(op_, MessageId::NoReply);
    }
}

void CEADialog::outputClicked() {
    if (TellIfLinkGone(link_, op_)) {
        // The output stays as the axis last had it.
        if (auto* box = qobject_cast<QCheckBox*>(sender()))
            box->setChecked(!box->isChecked());
        return;
    }
    IoCard::Outputs out;
    for (int i = 0; i < 2; ++i)
        out.io |= outputs_[i]->isChecked() ? 1u << i : 0u;
    for (int i = 0; i < 4; ++i)
        out.eo |= outputs_[2 + i]->isChecked() ? 1u << i : 0u;
    if (!IoCard::writeOutputs(link_, out))
        link_.reportFailure(op_, MessageId::NoReply);
}
