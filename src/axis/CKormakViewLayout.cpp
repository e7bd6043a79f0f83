// The axis panel's controls, their layout and their captions: built once,
// captions replaced from the string table whenever the language changes. The
// panel's behaviour is in CKormakView.cpp.
#include "axis/CKormakView.h"

#include "axis/AxisVocabulary.h"
#include "axis/PanelHost.h"
#include "widgets/StatusLamp.h"
#include "axis/StatusPolling.h"
#include "base/Texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace AxisVocabulary;

namespace {

// Long enough for any number a controller takes, short enough that no
// command built from a field can outgrow a frame.
constexpr int NumberFieldLength = 20;

// Captions hold CR LF where the label breaks; a label wants a plain newline.
QString caption(int id) {
    QString text = Texts::text(id);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

QComboBox* makeList(QWidget* parent, const char* name, bool editable) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(editable);
    if (editable) {
        // The typed value is what counts: no completion that turns "25" into
        // "250", no list entry added by Enter.
        box->setCompleter(nullptr);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->lineEdit()->setMaxLength(NumberFieldLength);
    }
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

QLineEdit* makeEdit(QWidget* parent, const char* name, bool digitsOnly) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(NumberFieldLength);
    if (digitsOnly)
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

QPushButton* makeButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

// ---------------------------------------------------------------------------
// Controls

void CKormakView::buildControls() {
    // Motion commands.
    motionGroup_ = new QGroupBox(this);
    moveType_ = makeList(motionGroup_, "moveType", false);
    moveTargetLabel_ = new QLabel(motionGroup_);
    moveTarget_ = makeEdit(motionGroup_, "moveTarget", false);
    // The target row keeps its room while hidden, so the panel does not jump.
    for (QWidget* w :
         {static_cast<QWidget*>(moveTargetLabel_), static_cast<QWidget*>(moveTarget_)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    startButton_ = makeButton(motionGroup_, "startButton");
    stopButton_ = makeButton(motionGroup_, "stopButton");
    auto* motionLayout = new QGridLayout(motionGroup_);
    motionLayout->addWidget(moveType_, 0, 0, 1, 2);
    motionLayout->addWidget(moveTargetLabel_, 1, 0);
    motionLayout->addWidget(moveTarget_, 1, 1);
    motionLayout->addWidget(startButton_, 2, 0);
    motionLayout->addWidget(stopButton_, 2, 1);

    // Parameters.
    parameterGroup_ = new QGroupBox(this);
    auto* parameterForm = new QFormLayout(parameterGroup_);
    startStopLabel_ = new QLabel(parameterGroup_);
    startStopFreq_ = makeList(parameterGroup_, "startStopFreq", true);
    runFreqLabel_ = new QLabel(parameterGroup_);
    runFreq_ = makeList(parameterGroup_, "runFreq", true);
    rampLabel_ = new QLabel(parameterGroup_);
    ramp_ = makeList(parameterGroup_, "ramp", false);
    systemTypeLabel_ = new QLabel(parameterGroup_);
    systemType_ = makeList(parameterGroup_, "systemType", false);
    operatingModeLabel_ = new QLabel(parameterGroup_);
    operatingMode_ = makeList(parameterGroup_, "operatingMode", false);
    parameterForm->addRow(startStopLabel_, startStopFreq_);
    parameterForm->addRow(runFreqLabel_, runFreq_);
    parameterForm->addRow(rampLabel_, ramp_);
    parameterForm->addRow(systemTypeLabel_, systemType_);
    parameterForm->addRow(operatingModeLabel_, operatingMode_);
    currentsButton_ = makeButton(parameterGroup_, "currentsButton");
    defaultButton_ = makeButton(parameterGroup_, "defaultButton");
    auto* parameterButtons = new QHBoxLayout;
    parameterButtons->addWidget(currentsButton_);
    parameterButtons->addWidget(defaultButton_);
    parameterForm->addRow(parameterButtons);

    // Position registers.
    registerGroup_ = new QGroupBox(this);
    auto* registerForm = new QFormLayout(registerGroup_);
    positionLabel_ = new QLabel(registerGroup_);
    position_ = makeEdit(registerGroup_, "position", false);
    axisLimitLabel_ = new QLabel(registerGroup_);
    axisLimit_ = makeEdit(registerGroup_, "axisLimit", true);
    backlashLabel_ = new QLabel(registerGroup_);
    backlash_ = makeEdit(registerGroup_, "backlash", false);
    zeroOffsetMinusLabel_ = new QLabel(registerGroup_);
    zeroOffsetMinus_ = makeEdit(registerGroup_, "zeroOffsetMinus", true);
    zeroOffsetPlusLabel_ = new QLabel(registerGroup_);
    zeroOffsetPlus_ = makeEdit(registerGroup_, "zeroOffsetPlus", true);
    registerForm->addRow(positionLabel_, position_);
    registerForm->addRow(axisLimitLabel_, axisLimit_);
    registerForm->addRow(backlashLabel_, backlash_);
    registerForm->addRow(zeroOffsetMinusLabel_, zeroOffsetMinus_);
    registerForm->addRow(zeroOffsetPlusLabel_, zeroOffsetPlus_);

    // Short status: the lamps in the order the poll sets them.
    statusGroup_ = new QGroupBox(this);
    auto* statusLayout = new QGridLayout(statusGroup_);
    struct LampDefinition {
        int lampId;
        int bitMask;
        int textId;
    };
    const LampDefinition definitions[] = {
        {1016, ShortStatus::MotorRunning, 10033},   {1017, ShortStatus::InitiatorPlus, 10031},
        {1018, ShortStatus::InitiatorMinus, 10032}, {1019, ShortStatus::PowerStageError, 10035},
        {1020, ShortStatus::SfiError, 10034},       {1021, ShortStatus::OtherError, 10036},
        {1022, ShortStatus::HardwareReset, 10037}};
    // On screen: the initiators, the motor, the SFI and power-stage errors, the rest.
    const int screenRow[] = {2, 0, 1, 4, 3, 5, 6};
    int i = 0;
    for (const LampDefinition& lampDef : definitions) {
        auto* lamp = new StatusLamp(statusGroup_);
        lamp->setObjectName(QStringLiteral("lamp%1").arg(lampDef.lampId));
        auto* label = new QLabel(statusGroup_);
        statusLayout->addWidget(lamp, screenRow[i], 0);
        statusLayout->addWidget(label, screenRow[i], 1);
        lamps_.append({lampDef.bitMask, lamp, label, lampDef.textId});
        ++i;
    }
    statusButton_ = makeButton(statusGroup_, "statusButton");
    resetButton_ = makeButton(statusGroup_, "resetButton");
    auto* statusButtons = new QHBoxLayout;
    statusButtons->addWidget(statusButton_);
    statusButtons->addWidget(resetButton_);
    statusLayout->addLayout(statusButtons, 7, 0, 1, 2);

    // Digital inputs and outputs.
    ioGroup_ = new QGroupBox(this);
    auto* ioLayout = new QGridLayout(ioGroup_);
    for (int n = 0; n < 4; ++n) {
        inputs_[n] = new StatusLamp(ioGroup_);
        inputs_[n]->setObjectName(QStringLiteral("input%1").arg(n));
        ioLayout->addWidget(inputs_[n], 0, 2 * n);
        ioLayout->addWidget(new QLabel(QStringLiteral("E%1").arg(n), ioGroup_), 0, 2 * n + 1);
    }
    outputA0_ = new QCheckBox(QStringLiteral("A0"), ioGroup_);
    outputA0_->setObjectName(QStringLiteral("outputA0"));
    outputA1_ = new QCheckBox(QStringLiteral("A1"), ioGroup_);
    outputA1_->setObjectName(QStringLiteral("outputA1"));
    ioLayout->addWidget(outputA0_, 1, 0, 1, 2);
    ioLayout->addWidget(outputA1_, 1, 2, 1, 2);

    // Programming the axis.
    programGroup_ = new QGroupBox(this);
    auto* programLayout = new QGridLayout(programGroup_);
    // Created row by row: the tab order follows the rows.
    rampsButton_ = makeButton(programGroup_, "rampsButton");
    storeButton_ = makeButton(programGroup_, "storeButton");
    plcButton_ = makeButton(programGroup_, "plcButton");
    plcExtButton_ = makeButton(programGroup_, "plcExtButton");
    optionCardButton_ = makeButton(programGroup_, "optionCardButton");
    rsMonitorButton_ = makeButton(programGroup_, "rsMonitorButton");
    sfiButton_ = makeButton(programGroup_, "sfiButton");
    programLayout->addWidget(rampsButton_, 0, 0);
    programLayout->addWidget(storeButton_, 0, 1);
    programLayout->addWidget(plcButton_, 1, 0);
    programLayout->addWidget(plcExtButton_, 1, 1);
    programLayout->addWidget(optionCardButton_, 2, 0, 1, 2);
    programLayout->addWidget(rsMonitorButton_, 3, 0);
    programLayout->addWidget(sfiButton_, 3, 1);

    closeButton_ = makeButton(this, "closeButton");
    transferButton_ = makeButton(this, "transferButton");

    auto* left = new QVBoxLayout;
    left->addWidget(motionGroup_);
    left->addWidget(parameterGroup_);
    left->addWidget(registerGroup_);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(statusGroup_);
    right->addWidget(ioGroup_);
    right->addWidget(programGroup_);
    right->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(transferButton_);
    bottom->addWidget(closeButton_);
    right->addLayout(bottom);
    auto* columns = new QHBoxLayout(this);
    columns->addLayout(left);
    columns->addLayout(right);
    // The child window is sized to the panel once; the panel keeps that size.
    columns->setSizeConstraint(QLayout::SetFixedSize);

    // Parameter fields send their value when the operator leaves them.
    for (QObject* watched : std::initializer_list<QObject*>{
             startStopFreq_, startStopFreq_->lineEdit(), runFreq_, runFreq_->lineEdit(), ramp_,
             systemType_, operatingMode_, position_, axisLimit_, backlash_, zeroOffsetPlus_,
             zeroOffsetMinus_})
        watched->installEventFilter(this);

    connect(moveType_, &QComboBox::currentIndexChanged, this,
            &CKormakView::updateMoveTargetVisibility);
    // Only the operator's choices count; the program's own selections send nothing.
    connect(systemType_, &QComboBox::activated, this, &CKormakView::systemTypeChosen);
    connect(operatingMode_, &QComboBox::activated, this, &CKormakView::operatingModeChosen);
    connect(outputA0_, &QCheckBox::clicked, this, &CKormakView::outputsClicked);
    connect(outputA1_, &QCheckBox::clicked, this, &CKormakView::outputsClicked);
    connect(startButton_, &QPushButton::clicked, this, &CKormakView::startClicked);
    connect(stopButton_, &QPushButton::clicked, this, &CKormakView::stopClicked);
    connect(defaultButton_, &QPushButton::clicked, this, &CKormakView::LoadDefaults);
    connect(storeButton_, &QPushButton::clicked, this, &CKormakView::StoreParametersPermanently);
    connect(closeButton_, &QPushButton::clicked, this, [this] { host_.closePanelWindow(this); });

    const std::pair<QPushButton*, void (CKormakView::*)()> dialogs[] = {
        {currentsButton_, &CKormakView::currentsRequested},
        {statusButton_, &CKormakView::statusRequested},
        {resetButton_, &CKormakView::resetRequested},
        {rampsButton_, &CKormakView::rampsRequested},
        {plcButton_, &CKormakView::plcRequested},
        {plcExtButton_, &CKormakView::plcExtRequested},
        {optionCardButton_, &CKormakView::optionCardRequested},
        {rsMonitorButton_, &CKormakView::rsMonitorRequested},
        {sfiButton_, &CKormakView::sfiRequested},
        {transferButton_, &CKormakView::transferRequested}};
    for (const auto& dialog : dialogs) {
        const auto signal = dialog.second;
        connect(dialog.first, &QPushButton::clicked, this,
                [this, signal] { dialogButton(signal); });
    }

    // Until the axis says otherwise there is no SFI card.
    sfiButton_->setEnabled(false);
    updateMoveTargetVisibility();
}

void CKormakView::retranslate() {
    motionGroup_->setTitle(Texts::text(10001));
    moveTargetLabel_->setText(QStringLiteral("...nach / ...um:"));
    startButton_->setText(Texts::text(10017));
    stopButton_->setText(Texts::text(10018));
    parameterGroup_->setTitle(Texts::text(10002));
    startStopLabel_->setText(caption(10003));
    runFreqLabel_->setText(caption(10004));
    rampLabel_->setText(caption(10005));
    systemTypeLabel_->setText(caption(10006));
    operatingModeLabel_->setText(caption(10007));
    currentsButton_->setText(Texts::text(10019));
    defaultButton_->setText(Texts::text(10020));
    registerGroup_->setTitle(Texts::text(10008));
    positionLabel_->setText(caption(10009));
    axisLimitLabel_->setText(caption(10010));
    backlashLabel_->setText(caption(10011));
    zeroOffsetMinusLabel_->setText(caption(10012));
    zeroOffsetPlusLabel_->setText(caption(10013));
    statusGroup_->setTitle(Texts::text(10014));
    for (const LampRow& row : lamps_)
        row.label->setText(caption(row.textId));
    statusButton_->setText(Texts::text(10021));
    resetButton_->setText(Texts::text(10022));
    ioGroup_->setTitle(Texts::text(10015));
    programGroup_->setTitle(Texts::text(10016));
    rampsButton_->setText(Texts::text(10023));
    plcButton_->setText(Texts::text(10024));
    plcExtButton_->setText(Texts::text(10281));
    storeButton_->setText(Texts::text(10025));
    optionCardButton_->setText(Texts::text(10027));
    rsMonitorButton_->setText(Texts::text(10028));
    sfiButton_->setText(QStringLiteral("SFI >>"));
    closeButton_->setText(Texts::text(10030));
    transferButton_->setText(Texts::text(10263));
    // Labels that carry a mnemonic hand the focus to their field.
    startStopLabel_->setBuddy(startStopFreq_);
    runFreqLabel_->setBuddy(runFreq_);
    rampLabel_->setBuddy(ramp_);
    systemTypeLabel_->setBuddy(systemType_);
    operatingModeLabel_->setBuddy(operatingMode_);
    positionLabel_->setBuddy(position_);
    axisLimitLabel_->setBuddy(axisLimit_);
    backlashLabel_->setBuddy(backlash_);
}

void CKormakView::fillFixedLists() {
    const auto fill = [](QComboBox* box, const QList<int>& ids) {
        const int selected = box->currentIndex();
        box->clear();
        for (int id : ids)
            box->addItem(Texts::text(id));
        box->setCurrentIndex(selected);
    };
    fill(moveType_, moveTypeTextIds());
    if (moveType_->currentIndex() < 0)
        moveType_->setCurrentIndex(InitialiseMinus);
    fill(systemType_, systemTypeTextIds());
    fill(operatingMode_, operatingModeTextIds());
}

void CKormakView::updateMoveTargetVisibility() {
    const bool needsTarget = moveNeedsTarget(moveType_->currentIndex());
    moveTargetLabel_->setVisible(needsTarget);
    moveTarget_->setVisible(needsTarget);
}
