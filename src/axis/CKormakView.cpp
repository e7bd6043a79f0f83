#include "axis/CKormakView.h"

#include "app/CKormakDoc.h"
#include "app/Texts.h"
#include "axis/AxisReading.h"
#include "axis/AxisVocabulary.h"
#include "axis/PanelCommands.h"
#include "axis/PanelHost.h"
#include "axis/StatusLamp.h"
#include "axis/StatusPolling.h"
#include "link/BusyState.h"
#include "link/Operator.h"
#include "link/SerialLink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <optional>

using namespace AxisVocabulary;

namespace {

constexpr int PollIntervalMs = 250;
constexpr int TimeoutTextId = 10103;
constexpr int PortTextId = 10104;
constexpr int DefaultsQuestionId = 10105;
constexpr int StoreQuestionId = 10110;
constexpr int InputErrorTextId = 10243;
constexpr int InputErrorCaptionId = 10244;
constexpr int ChangedQuestionId = 10261;
constexpr int AxisWordId = 10000;
constexpr int PlcMode = 1; // operating mode list: 0 PC connection, 1 PLC mode

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

void setItems(QComboBox* box, const QStringList& items) {
    const QString edit = box->isEditable() ? box->currentText() : QString();
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    if (box->isEditable())
        box->setEditText(edit);
}

QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

void selectIndex(QComboBox* box, int index) {
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

} // namespace

CKormakView::CKormakView(PanelHost& host, CKormakDoc& doc, QWidget* parent)
    : QWidget(parent), host_(host), doc_(doc), link_(host.link()), op_(host.op()) {
    axisAddress_ = link_.currentAddress();
    offline_ = axisAddress_.contains(QLatin1String("OFFLINE"));
    params_.portIndex = link_.portIndex();
    params_.baudIndex = link_.baudIndex();
    setObjectName(QStringLiteral("axisPanel"));
    buildControls();
    retranslate();
    fillFixedLists();
    pollTimer_.setInterval(PollIntervalMs);
    connect(&pollTimer_, &QTimer::timeout, this, &CKormakView::pollTick);
}

CKormakView::~CKormakView() {
    pollTimer_.stop();
}

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
    rampsButton_ = makeButton(programGroup_, "rampsButton");
    plcButton_ = makeButton(programGroup_, "plcButton");
    plcExtButton_ = makeButton(programGroup_, "plcExtButton");
    storeButton_ = makeButton(programGroup_, "storeButton");
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
    for (const auto& [button, signal] : dialogs)
        connect(button, &QPushButton::clicked, this, [this, signal] { dialogButton(signal); });

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

// ---------------------------------------------------------------------------
// Fields and controls

AxisParameters CKormakView::parameters() {
    params_.startStopFreq = startStopFreq_->currentText();
    params_.runFreq = runFreq_->currentText();
    params_.position = position_->text();
    params_.axisLimit = axisLimit_->text();
    params_.backlash = backlash_->text();
    params_.zeroOffsetPlus = zeroOffsetPlus_->text();
    params_.zeroOffsetMinus = zeroOffsetMinus_->text();
    params_.moveTarget = moveTarget_->text();
    params_.rampIndex = ramp_->currentIndex();
    params_.systemType = systemType_->currentIndex();
    params_.operatingMode = operatingMode_->currentIndex();
    params_.moveType = moveType_->currentIndex();
    params_.startStopList = itemsOf(startStopFreq_);
    params_.runFreqList = itemsOf(runFreq_);
    params_.rampList = itemsOf(ramp_);
    params_.outputA0 = outputA0_->isChecked() ? 1 : 0;
    params_.outputA1 = outputA1_->isChecked() ? 1 : 0;
    return params_;
}

void CKormakView::setParameters(const AxisParameters& parameters) {
    params_ = parameters;
    applyLists();
    applyFields();
    selectIndex(moveType_, params_.moveType);
    moveTarget_->setText(params_.moveTarget);
    outputA0_->setChecked(params_.outputA0 != 0);
    outputA1_->setChecked(params_.outputA1 != 0);
}

void CKormakView::applyLists() {
    setItems(startStopFreq_, params_.startStopList);
    setItems(runFreq_, params_.runFreqList);
    setItems(ramp_, params_.rampList);
    selectIndex(ramp_, params_.rampIndex);
}

void CKormakView::applyFields() {
    selectIndex(ramp_, params_.rampIndex);
    selectIndex(systemType_, params_.systemType);
    selectIndex(operatingMode_, params_.operatingMode);
    setPositionText(params_.position);
    axisLimit_->setText(params_.axisLimit);
    backlash_->setText(params_.backlash);
    zeroOffsetPlus_->setText(params_.zeroOffsetPlus);
    zeroOffsetMinus_->setText(params_.zeroOffsetMinus);
    // The edit fields of the two frequency lists show exactly what the axis
    // holds, whether or not it is an entry of the list.
    startStopFreq_->setEditText(params_.startStopFreq);
    runFreq_->setEditText(params_.runFreq);
}

void CKormakView::setPositionText(const QString& text) {
    // setText clears the edit's modified flag: only the operator's own typing
    // makes the position worth sending.
    position_->setText(text);
}

void CKormakView::applyLamps(int shortStatus) {
    for (const LampRow& row : lamps_) {
        StatusLamp::Colour on = StatusLamp::Colour::Red;
        if (row.bitMask == ShortStatus::MotorRunning)
            on = StatusLamp::Colour::Green;
        else if (row.bitMask == ShortStatus::HardwareReset)
            on = StatusLamp::Colour::Yellow;
        row.lamp->setColour((shortStatus & row.bitMask) ? on : StatusLamp::Colour::Grey);
    }
}

void CKormakView::applyInputs(int inputs) {
    for (int n = 0; n < 4; ++n)
        inputs_[n]->setColour((inputs >> n) & 1 ? StatusLamp::Colour::Green
                                                : StatusLamp::Colour::Grey);
}

// ---------------------------------------------------------------------------
// Initialisation, reading, enabling

void CKormakView::InitialisePanel() {
    if (initialised_)
        return;
    initialised_ = true;

    const QString address = link_.currentAddress();
    title_ = offline_ ? doc_.typeTag + QStringLiteral(": ") + address
                      : Texts::text(AxisWordId) + address;
    transferButton_->setVisible(offline_);
    doc_.setTitle(title_, address, Texts::text(AxisWordId));
    retranslate();
    fillFixedLists();

    if (offline_) {
        PrepareOfflinePanel();
        ReadAxisConfiguration();
        if (!doc_.lineList.isEmpty())
            emit applyFileLinesRequested();
        return;
    }

    if (!link_.portOpen() && !link_.TogglePort()) {
        op_.error(PortTextId);
        SetPanelEnabled(false);
        return;
    }
    params_.portIndex = link_.portIndex();
    params_.baudIndex = link_.baudIndex();

    if (!ReadAxisConfiguration())
        return;
    if (!PollStatus())
        return;
    if (operatingMode_->currentIndex() != 0) {
        startButton_->setEnabled(false);
        outputA0_->setEnabled(false);
        outputA1_->setEnabled(false);
    } else {
        outputA0_->setEnabled(true);
        outputA1_->setEnabled(true);
    }
    startPollTimer();
}

bool CKormakView::ReadAxisConfiguration() {
    AxisParameters p = parameters();
    bool complete = false;
    {
        std::optional<AxisTarget> target;
        if (!offline_)
            target.emplace(link_, axisAddress_, params_.portIndex, params_.baudIndex,
                           mayReopenPort());
        complete = ::ReadAxisConfiguration(link_, op_, p, doc_);
    }
    const bool newConfiguration = link_.currentAddress().contains(QLatin1String("OFFLINE NEW"));
    if (complete || newConfiguration) {
        setParameters(p);
    } else {
        // Only the lists are rebuilt; the fields keep what the controls showed.
        params_.startStopList = p.startStopList;
        params_.runFreqList = p.runFreqList;
        params_.rampList = p.rampList;
        params_.rampIndex = p.rampIndex;
        params_.maxRunFreq = p.maxRunFreq;
        params_.maxStartStopFreq = p.maxStartStopFreq;
        params_.deviceType = p.deviceType;
        applyLists();
    }
    if (complete)
        sfiButton_->setEnabled(params_.sfiPresent);
    else if (!offline_)
        SetPanelEnabled(false);
    return complete;
}

void CKormakView::SetPanelEnabled(bool enable) {
    // In PLC mode the axis takes no moves from here: Start keeps its state.
    if (operatingMode_->currentIndex() != PlcMode)
        startButton_->setEnabled(enable);
    for (QWidget* w : std::initializer_list<QWidget*>{
             startStopFreq_, runFreq_, ramp_, systemType_, operatingMode_, currentsButton_,
             defaultButton_, axisLimit_, backlash_, zeroOffsetPlus_, zeroOffsetMinus_, resetButton_,
             rampsButton_, plcButton_, storeButton_, plcExtButton_, optionCardButton_})
        w->setEnabled(enable);
    // Without an SFI card its button stays off whatever happens.
    (params_.sfiPresent ? sfiButton_ : rsMonitorButton_)->setEnabled(enable);
}

void CKormakView::PrepareOfflinePanel() {
    for (QWidget* w : std::initializer_list<QWidget*>{
             startButton_, stopButton_, defaultButton_, position_, statusButton_, resetButton_,
             rampsButton_, storeButton_, optionCardButton_, rsMonitorButton_, sfiButton_})
        w->setEnabled(false);
}

// ---------------------------------------------------------------------------
// Activation and polling

void CKormakView::startPollTimer() {
    if (!offline_)
        pollTimer_.start(PollIntervalMs);
}

void CKormakView::stopPollTimer() {
    pollTimer_.stop();
}

void CKormakView::pollTick() {
    if (!PollStatus())
        stopPollTimer();
}

void CKormakView::ActivatePanel(bool activate) {
    if (host_.openingFile() || params_.transferBusy || BusyState::isBusy())
        return;
    const QString activeTitle = host_.activeChildTitle();
    if (activeTitle.isEmpty()) {
        stopPollTimer();
        if (link_.portOpen())
            link_.TogglePort();
        return;
    }
    if (!activate || closing_) {
        stopPollTimer();
        return;
    }
    const Activation activation = ActivateAxisLink(link_, activeTitle, host_.baudChangePending(),
                                                   &params_.portIndex, &params_.baudIndex);
    switch (activation.result) {
    case Activation::Result::Offline:
        PrepareOfflinePanel();
        break;
    case Activation::Result::PortShut:
        break;
    case Activation::Result::Lost:
        SetPanelEnabled(false);
        break;
    case Activation::Result::Ready:
        setPositionText(activation.position);
        startPollTimer();
        break;
    }
}

bool CKormakView::PollStatus() {
    if (link_.lastTimedOut() || host_.openingFile() || offline_ || closing_)
        return false;
    // A long operation owns the link between its transactions; the poll waits.
    if (BusyState::isBusy())
        return true;

    StatusPoll poll;
    {
        AxisTarget target(link_, axisAddress_, params_.portIndex, params_.baudIndex, false);
        poll = PollShortStatus(link_, params_.motorRunning);
    }
    if (poll.statusRead) {
        applyLamps(poll.shortStatus);
        if (poll.motion == StatusPoll::Motion::Started) {
            params_.motorRunning = true;
            SetPanelEnabled(false);
        } else if (poll.motion == StatusPoll::Motion::Stopped) {
            SetPanelEnabled(true);
            params_.motorRunning = false;
        }
        if (poll.positionRead)
            setPositionText(poll.position);
        applyInputs(poll.inputs);
    }
    if (poll.outputsRead) {
        outputA0_->setChecked(poll.outputA0);
        outputA1_->setChecked(poll.outputA1);
    }
    switch (poll.result) {
    case StatusPoll::Result::Done:
        return true;
    case StatusPoll::Result::TimedOut:
        stopPollTimer();
        op_.error(TimeoutTextId);
        return false;
    case StatusPoll::Result::Failed:
        break;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Commands

bool CKormakView::mayTalk() const {
    return initialised_ && !closing_ && !BusyState::isBusy();
}

bool CKormakView::mayReopenPort() const {
    return !BusyState::isBusy() && !host_.baudChangePending();
}

QString CKormakView::send(const QString& command) {
    if (offline_)
        return PseudoReply::Offline;
    if (command.isEmpty())
        return {};
    AxisTarget target(link_, axisAddress_, params_.portIndex, params_.baudIndex, mayReopenPort());
    return link_.SendCommand(command, true, Full);
}

void CKormakView::showInputError(QWidget* control) {
    op_.show({InputErrorTextId,
              {},
              InputErrorCaptionId,
              Operator::Icon::Exclamation,
              Operator::Buttons::Ok});
    control->setFocus(Qt::OtherFocusReason);
}

bool CKormakView::eventFilter(QObject* watched, QEvent* event) {
    // A list changes its value only while the operator works in it: a wheel
    // turned over a list passing by would change a value that nobody sends.
    if (event->type() == QEvent::Wheel) {
        auto* box = qobject_cast<QComboBox*>(watched);
        if (box && !box->hasFocus())
            return true;
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() != QEvent::FocusOut)
        return QWidget::eventFilter(watched, event);
    // Opening a list's drop-down does not leave the control.
    if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
        return QWidget::eventFilter(watched, event);
    if (inHandler_ || !mayTalk())
        return QWidget::eventFilter(watched, event);

    inHandler_ = true;
    if (watched == startStopFreq_ || watched == startStopFreq_->lineEdit())
        frequencyDone(startStopFreq_);
    else if (watched == runFreq_ || watched == runFreq_->lineEdit())
        frequencyDone(runFreq_);
    else if (watched == ramp_ || watched == systemType_ || watched == operatingMode_)
        comboDone(static_cast<QComboBox*>(watched));
    else if (auto* edit = qobject_cast<QLineEdit*>(watched))
        editDone(edit);
    inHandler_ = false;
    return QWidget::eventFilter(watched, event);
}

void CKormakView::frequencyDone(QComboBox* box) {
    const bool startStop = box == startStopFreq_;
    QString text = box->currentText();
    if (!ValidateSignedNumber(text)) {
        showInputError(box);
        return;
    }
    // Offline there is no controller maximum: the ends of the default lists
    // keep a configuration within what the controllers accept.
    quint32 bound = startStop ? params_.maxStartStopFreq : params_.maxRunFreq;
    if (offline_)
        bound = startStop ? DefaultMaxStartStopFreq : DefaultMaxRunFreq;
    const QString bounded = boundedFrequency(text, bound);
    if (bounded != text) {
        text = bounded;
        box->setEditText(text);
    }
    (startStop ? params_.startStopFreq : params_.runFreq) = text;
    send((startStop ? QStringLiteral("PO") : QStringLiteral("PF")) + text);
}

void CKormakView::comboDone(QComboBox* box) {
    const int index = box->currentIndex();
    if (box == ramp_)
        send(rampCommand(index));
    else if (box == systemType_)
        send(systemTypeCommand(index));
    else if (box == operatingMode_)
        send(operatingModeCommand(index));
}

void CKormakView::editDone(QLineEdit* edit) {
    const AxisParameters p = parameters();
    if (edit == position_) {
        // During a move the poll rewrites the position four times a second; a
        // click into the edit must not send a stale value back as the new
        // position. Only what the operator typed goes out.
        if (!position_->isModified())
            return;
        if (!ValidateSignedNumber(p.position)) {
            showInputError(position_);
            return;
        }
        send(QStringLiteral("PC") + p.position);
        position_->setModified(false);
    } else if (edit == axisLimit_) {
        send(QStringLiteral("PG") + p.axisLimit);
    } else if (edit == backlash_) {
        if (!ValidateSignedNumber(p.backlash)) {
            showInputError(backlash_);
            return;
        }
        send(QStringLiteral("PW") + p.backlash);
    } else if (edit == zeroOffsetPlus_) {
        send(QStringLiteral("PP") + p.zeroOffsetPlus);
    } else if (edit == zeroOffsetMinus_) {
        send(QStringLiteral("PM") + p.zeroOffsetMinus);
    }
}

void CKormakView::systemTypeChosen(int index) {
    if (!mayTalk())
        return;
    send(systemTypeCommand(index));
}

void CKormakView::setWorkingControlsForMode(int mode) {
    const bool pcConnection = mode == 0;
    startButton_->setEnabled(pcConnection);
    outputA0_->setEnabled(pcConnection);
    outputA1_->setEnabled(pcConnection);
}

void CKormakView::operatingModeChosen(int index) {
    // An offline configuration only records the mode.
    if (offline_ || !mayTalk())
        return;
    setWorkingControlsForMode(index);
    send(operatingModeCommand(index));
}

void CKormakView::outputsClicked() {
    if (!mayTalk())
        return;
    send(outputCommand(outputA0_->isChecked(), outputA1_->isChecked()));
}

void CKormakView::startClicked() {
    if (offline_ || !mayTalk())
        return;
    const AxisParameters p = parameters();
    MoveOutcome move;
    {
        AxisTarget target(link_, axisAddress_, params_.portIndex, params_.baudIndex,
                          mayReopenPort());
        move = StartMove(link_, p.moveType, p.moveTarget);
    }
    if (move.result == MoveOutcome::Result::BadTarget) {
        showInputError(moveTarget_);
        return;
    }
    if (move.positionRead)
        setPositionText(move.position);
    if (move.result == MoveOutcome::Result::PositionLost)
        op_.error(TimeoutTextId);
    stopButton_->setFocus(Qt::OtherFocusReason);
}

void CKormakView::stopClicked() {
    // Stopping the motor must work whatever else is going on; the command
    // still goes to this panel's own axis only.
    if (offline_ || !initialised_)
        return;
    send(QStringLiteral("H"));
}

void CKormakView::LoadDefaults() {
    if (offline_ || !mayTalk())
        return;
    if (op_.ask(DefaultsQuestionId, Operator::Buttons::OkCancel, Operator::Icon::Exclamation) !=
        Operator::Answer::Ok)
        return;
    stopPollTimer();
    send(QStringLiteral("PB"));
    ReadAxisConfiguration();
    startPollTimer();
}

void CKormakView::StoreParametersPermanently() {
    if (offline_ || !mayTalk())
        return;
    stopPollTimer();
    if (op_.ask(StoreQuestionId, Operator::Buttons::YesNo, Operator::Icon::Question) !=
        Operator::Answer::Yes)
        return;
    StoreResult result;
    {
        AxisTarget target(link_, axisAddress_, params_.portIndex, params_.baudIndex,
                          mayReopenPort());
        result = StoreCurrentParameters(link_);
    }
    if (result == StoreResult::LinkFailed)
        op_.error(TimeoutTextId);
}

void CKormakView::ClosePanel() {
    if (closing_)
        return;
    closing_ = true;
    stopPollTimer();
    if (offline_ || !initialised_)
        return;

    // The question sits between the two halves of the sequence: no other
    // panel may take the link meanwhile.
    const bool reopen = mayReopenPort();
    BusyGuard busy;
    AxisTarget target(link_, axisAddress_, params_.portIndex, params_.baudIndex, reopen);
    switch (QueryParametersChanged(link_)) {
    case ChangeCheck::Unchanged:
        return;
    case ChangeCheck::LinkFailed:
        op_.error(TimeoutTextId);
        return;
    case ChangeCheck::Changed:
        break;
    }
    if (op_.ask(ChangedQuestionId, Operator::Buttons::YesNo, Operator::Icon::Question) !=
        Operator::Answer::Yes)
        return;
    if (StoreCurrentParameters(link_) == StoreResult::LinkFailed)
        op_.error(TimeoutTextId);
}

void CKormakView::dialogButton(void (CKormakView::*signal)()) {
    stopPollTimer();
    emit(this->*signal)();
}
