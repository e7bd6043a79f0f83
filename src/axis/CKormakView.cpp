#include "axis/CKormakView.h"
#include "base/MessageIds.h"

#include "axis/AxisReading.h"
#include "axis/AxisVocabulary.h"
#include "axis/CKormakDoc.h"
#include "axis/LinkGone.h"
#include "axis/PanelCommands.h"
#include "axis/PanelHost.h"
#include "axis/StatusPolling.h"
#include "base/BusyState.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "link/SerialLink.h"
#include "widgets/StatusLamp.h"

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
#include <QMetaMethod>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace AxisVocabulary;

namespace {

constexpr int PollIntervalMs = 250;
constexpr int DefaultsQuestionId = 10105;
constexpr int StoreQuestionId = 10110;
constexpr int ChangedQuestionId = 10261;
constexpr int PlcMode = 1; // operating mode list: 0 PC connection, 1 PLC mode

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

// Every request of a panel reaches its axis through here.
template <class Request> auto CKormakView::onAxis(Request&& request) {
    return onAxis(portUse(), std::forward<Request>(request));
}

template <class Request> auto CKormakView::onAxis(AxisTarget::Port port, Request&& request) {
    // Counted before the port may be reopened: what an open says is the link's.
    requestMessages_ = host_.messagesShown();
    AxisTarget target(link_, address_, params_.portIndex, params_.baudIndex, port);
    return request();
}

void CKormakView::watchConfigurationEdits() {
    const auto edited = [this] { emit configurationEdited(); };
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        // The move target and the edit field of a list that is not stored
        // are not part of the configuration.
        if (edit->objectName() == QLatin1String("moveTarget"))
            continue;
        connect(edit, &QLineEdit::textEdited, this, edited);
    }
    for (QComboBox* box : findChildren<QComboBox*>()) {
        if (box->objectName() == QLatin1String("moveType"))
            continue;
        connect(box, &QComboBox::activated, this, edited);
    }
}

CKormakView::CKormakView(PanelHost& host, CKormakDoc& doc, QWidget* parent)
    : QWidget(parent), host_(host), doc_(doc), link_(host.link()), op_(host.op()) {
    address_ = link_.axisAddress();
    offline_ = address_.isOffline();
    params_.portIndex = link_.portIndex();
    params_.baudIndex = link_.baudIndex();
    // Where the link is open must be known from before the panel's first request.
    LinkPlace::of(link_);
    setObjectName(QStringLiteral("axisPanel"));
    buildControls();
    watchConfigurationEdits();
    retranslate();
    fillFixedLists();
    pollTimer_.setInterval(PollIntervalMs);
    connect(&pollTimer_, &QTimer::timeout, this, &CKormakView::pollTick);
}

CKormakView::~CKormakView() {
    pollTimer_.stop();
}

// ---------------------------------------------------------------------------
// Fields and controls

AxisParameters CKormakView::parameters() const {
    // What the controls show now, over what the panel last read or set.
    AxisParameters p = params_;
    p.startStopFreq = startStopFreq_->currentText();
    p.runFreq = runFreq_->currentText();
    p.position = position_->text();
    p.axisLimit = axisLimit_->text();
    p.backlash = backlash_->text();
    p.zeroOffsetPlus = zeroOffsetPlus_->text();
    p.zeroOffsetMinus = zeroOffsetMinus_->text();
    p.moveTarget = moveTarget_->text();
    p.rampIndex = ramp_->currentIndex();
    p.systemType = systemType_->currentIndex();
    p.operatingMode = operatingMode_->currentIndex();
    p.moveType = moveType_->currentIndex();
    p.startStopList = itemsOf(startStopFreq_);
    p.runFreqList = itemsOf(runFreq_);
    p.rampList = itemsOf(ramp_);
    p.outputA0 = outputA0_->isChecked() ? 1 : 0;
    p.outputA1 = outputA1_->isChecked() ? 1 : 0;
    return p;
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
    showCurrent();
    for (const LampRow& row : lamps_) {
        StatusLamp::Colour on = StatusLamp::Colour::Red;
        if (row.bitMask == ShortStatus::MotorRunning)
            on = StatusLamp::Colour::Green;
        else if (row.bitMask == ShortStatus::HardwareReset)
            on = StatusLamp::Colour::Yellow;
        row.lamp->setColour((shortStatus & row.bitMask) ? on : StatusLamp::Colour::Grey);
    }
}

void CKormakView::showNotCurrent() {
    // The last values stay readable, but nothing on the panel may pass for the
    // axis's present state: lamps hatched, position greyed, both say why.
    const QString why = Texts::text("axis.notCurrent");
    for (const LampRow& row : lamps_) {
        row.lamp->setColour(StatusLamp::Colour::Unknown);
        row.lamp->setToolTip(why);
    }
    for (StatusLamp* input : inputs_) {
        input->setColour(StatusLamp::Colour::Unknown);
        input->setToolTip(why);
    }
    QPalette palette = position_->palette();
    palette.setColor(QPalette::Active, QPalette::Text,
                     palette.color(QPalette::Disabled, QPalette::Text));
    palette.setColor(QPalette::Inactive, QPalette::Text,
                     palette.color(QPalette::Disabled, QPalette::Text));
    position_->setPalette(palette);
    position_->setToolTip(why);
    position_->setProperty("current", false);
}

void CKormakView::showCurrent() {
    if (position_->property("current").toBool())
        return;
    for (const LampRow& row : lamps_)
        row.lamp->setToolTip({});
    for (StatusLamp* input : inputs_)
        input->setToolTip({});
    position_->setPalette(QPalette());
    position_->setToolTip({});
    position_->setProperty("current", true);
    linkLossShown_ = false;
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
                      : Texts::text(MessageId::AxisWord) + address;
    transferButton_->setVisible(offline_);
    doc_.setTitle(title_, address, Texts::text(MessageId::AxisWord));
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
        link_.reportOpenFailure(op_);
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
    // An offline panel reads its configuration from the link's offline address
    // as it stands: a new configuration gets the defaults.
    const auto read = [&] { return ::ReadAxisConfiguration(link_, op_, p); };
    const bool complete = offline_ ? read() : onAxis(read);
    const bool newConfiguration = link_.axisAddress().isNewConfiguration();
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

void CKormakView::setTransferRunning(bool running) {
    params_.transferBusy = running;
    for (QWidget* w : std::initializer_list<QWidget*>{currentsButton_, plcButton_, closeButton_,
                                                      transferButton_})
        w->setEnabled(!running);
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
    if (!host_.activePanel()) {
        stopPollTimer();
        if (link_.portOpen())
            link_.TogglePort();
        return;
    }
    if (!activate || closing_) {
        stopPollTimer();
        return;
    }
    const Activation activation = ActivateAxisLink(link_, address_, host_.baudChangePending(),
                                                   &params_.portIndex, &params_.baudIndex);
    switch (activation.result) {
    case Activation::Result::Offline:
        PrepareOfflinePanel();
        break;
    case Activation::Result::PortShut:
        // Nothing polls on a closed port.
        showNotCurrent();
        break;
    case Activation::Result::Lost:
        SetPanelEnabled(false);
        showNotCurrent();
        break;
    case Activation::Result::Ready:
        setPositionText(activation.position);
        showCurrent();
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

    const StatusPoll poll = onAxis([&] { return PollShortStatus(link_, params_.motorRunning); });
    if (poll.statusRead) {
        applyLamps(poll.shortStatus);
        if (poll.motion == StatusPoll::Motion::Started) {
            params_.motorRunning = true;
            SetPanelEnabled(false);
        } else if (poll.motion == StatusPoll::Motion::Stopped) {
            SetPanelEnabled(true);
            params_.motorRunning = false;
        }
        if (poll.positionRead) {
            setPositionText(poll.position);
            emit positionPolled(poll.position, poll.shortStatus & ShortStatus::MotorRunning);
        }
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
        showNotCurrent();
        op_.error(MessageId::NoReply);
        return false;
    case StatusPoll::Result::Failed:
        // The port is closed or gone: polling stops as after a time-out, and
        // the operator hears of it once.
        stopPollTimer();
        if (!linkLossShown_)
            reportLinkFailure();
        showNotCurrent();
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

AxisTarget::Port CKormakView::portUse() const {
    if (!mayReopenPort())
        return AxisTarget::Port::Stay;
    // The link belongs to the active panel: it stays on that panel's port.
    return host_.isActivePanel(this) ? AxisTarget::Port::Keep : AxisTarget::Port::Borrow;
}

void CKormakView::reportLinkFailure() {
    // The receive overflow has its own message from the link: no second box.
    if (host_.messagesShown() != requestMessages_) {
        linkLossShown_ = !link_.portOpen();
        return;
    }
    if (link_.portOpen()) {
        op_.error(MessageId::NoReply);
        return;
    }
    op_.error(MessageId::PortNotOpened);
    linkLossShown_ = true;
}

QString CKormakView::send(const QString& command) {
    if (offline_)
        return PseudoReply::Offline;
    if (command.isEmpty())
        return {};
    const QString reply = onAxis([&] { return link_.SendCommand(command, true, Full); });
    // Replies to setting and motion commands are not examined, but a command
    // that could not leave because the port is closed or lost must not pass
    // for sent.
    if (reply == PseudoReply::Error && !link_.portOpen()) {
        reportLinkFailure();
        stopPollTimer();
        showNotCurrent();
    }
    return reply;
}

void CKormakView::showInputError(QWidget* control) {
    op_.show({MessageId::DigitsOnly,
              {},
              MessageId::InputErrorCaption,
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
    // Only a controller knows its maximum. An offline configuration may come
    // from a faster axis than any default list: it keeps what the file or the
    // operator gives, within the field's length.
    if (!offline_) {
        const quint32 bound = startStop ? params_.maxStartStopFreq : params_.maxRunFreq;
        const QString bounded = boundedFrequency(text, bound);
        if (bounded != text) {
            text = bounded;
            box->setEditText(text);
        }
    }
    (startStop ? params_.startStopFreq : params_.runFreq) = text;
    send(startStop ? startStopFreqCommand(text) : runFreqCommand(text));
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
        send(positionCommand(p.position));
        position_->setModified(false);
    } else if (edit == axisLimit_) {
        send(axisLimitCommand(p.axisLimit));
    } else if (edit == backlash_) {
        if (!ValidateSignedNumber(p.backlash)) {
            showInputError(backlash_);
            return;
        }
        send(backlashCommand(p.backlash));
    } else if (edit == zeroOffsetPlus_) {
        send(zeroOffsetPlusCommand(p.zeroOffsetPlus));
    } else if (edit == zeroOffsetMinus_) {
        send(zeroOffsetMinusCommand(p.zeroOffsetMinus));
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
    const MoveOutcome move = onAxis([&] { return StartMove(link_, p.moveType, p.moveTarget); });
    if (move.result == MoveOutcome::Result::BadTarget) {
        showInputError(moveTarget_);
        return;
    }
    if (move.positionRead)
        setPositionText(move.position);
    if ((move.result == MoveOutcome::Result::Sent ||
         move.result == MoveOutcome::Result::PositionLost) &&
        link_.portOpen())
        emit moveStarted(move.positionRead ? move.position : QString());
    if (move.result != MoveOutcome::Result::NoSelection && !link_.portOpen()) {
        reportLinkFailure();
        stopPollTimer();
        showNotCurrent();
    } else if (move.result == MoveOutcome::Result::PositionLost) {
        op_.error(MessageId::NoReply);
    }
    stopButton_->setFocus(Qt::OtherFocusReason);
}

void CKormakView::stopClicked() {
    // Stopping the motor must work whatever else is going on; the command
    // still goes to this panel's own axis only.
    if (offline_ || !initialised_)
        return;
    if (TellIfLinkGone(link_, op_))
        return;
    send(stopCommand());
}

void CKormakView::LoadDefaults() {
    if (offline_ || !mayTalk())
        return;
    if (op_.ask(DefaultsQuestionId, Operator::Buttons::OkCancel, Operator::Icon::Exclamation) !=
        Operator::Answer::Ok)
        return;
    stopPollTimer();
    send(loadDefaultsCommand());
    // Without a port there is nothing to read back, and nothing to poll.
    if (!link_.portOpen())
        return;
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
    if (onAxis([&] { return StoreCurrentParameters(link_); }) == StoreResult::LinkFailed)
        reportLinkFailure();
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
    const AxisTarget::Port port = portUse();
    BusyGuard busy;
    onAxis(port, [&] {
        switch (QueryParametersChanged(link_)) {
        case ChangeCheck::Unchanged:
            return;
        case ChangeCheck::LinkFailed:
            // A port the operator was told is gone is not reported again by
            // every panel that closes after it.
            if (!link_.portOpen() && link_.lastFailureShown())
                return;
            reportLinkFailure();
            return;
        case ChangeCheck::Changed:
            break;
        }
        if (op_.ask(ChangedQuestionId, Operator::Buttons::YesNo, Operator::Icon::Question) !=
            Operator::Answer::Yes)
            return;
        // The question is no word of the link's: a store that fails after it
        // is still reported.
        requestMessages_ = host_.messagesShown();
        if (StoreCurrentParameters(link_) == StoreResult::LinkFailed)
            reportLinkFailure();
    });
}

void CKormakView::dialogButton(void (CKormakView::*signal)()) {
    // A button whose dialog is not there opens nothing, so it leaves the poll
    // alone: nothing would start it again.
    if (!isSignalConnected(QMetaMethod::fromSignal(signal)))
        return;
    stopPollTimer();
    emit(this->*signal)();
}
