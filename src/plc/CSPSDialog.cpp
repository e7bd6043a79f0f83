#include "plc/CSPSDialog.h"
#include "base/MessageIds.h"

#include "axis/AxisVocabulary.h"
#include "axis/LinkGone.h"
#include "axis/MemoryAreas.h"
#include "base/BusyState.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "drive/PlcSend.h"
#include "drive/ProgramPlcArea.h"
#include "link/SerialLink.h"
#include "plc/PlcHandshake.h"
#include "plc/PlcPanel.h"
#include "plc/SlotPager.h"
#include "plc/SlotReading.h"
#include "widgets/CWait.h"
#include "widgets/StatusLamp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <optional>

namespace {
constexpr int CaptionId = 10115;
constexpr int SimulationStartId = 10126;
constexpr int SimulationStopId = 10128;
constexpr int ProgramNumberId = 10129;
constexpr int TestPeriodMs = 100;
constexpr int SimulationPeriodMs = 200;

void setShown(QWidget* w, bool shown) {
    w->setVisible(shown);
}

// The typed text of a combo box with edit field (its selected item's text
// when nothing was typed).
QString comboText(const QComboBox* box) {
    return box->currentText();
}

} // namespace

CSPSDialog::CSPSDialog(SerialLink& link, Operator& op, const Setup& setup, QWidget* parent)
    : QDialog(parent), link_(link), op_(op), setup_(setup) {
    setObjectName(QStringLiteral("CSPSDialog"));
    working_ = PlcArea::FromLineList(setup_.slotLines);
    buildControls();
    setTexts();
    timer_.setObjectName(QStringLiteral("timer22"));
    connect(&timer_, &QTimer::timeout, this, &CSPSDialog::SimulationTick);
}

CSPSDialog::~CSPSDialog() {
    timer_.stop();
    if (initialised_ && online() && !link_.lastTimedOut())
        PlcArea::SendRestoreCommands(link_, restore_);
}

void CSPSDialog::buildControls() {
    auto* grid = new QGridLayout(this);
    const char* headingNames[] = {"kindHeading", "targetHeading", "offsetHeading", "runHeading",
                                  "rampHeading"};
    for (int i = 0; i < 5; ++i) {
        headings_[i] = new QLabel(this);
        headings_[i]->setObjectName(QLatin1String(headingNames[i]));
        grid->addWidget(headings_[i], 0, i + 1);
    }
    for (int r = 0; r < RowCount; ++r) {
        Row& row = rows_[r];
        const QString n = QString::number(r);
        row.slot = new QLabel(this);
        row.slot->setObjectName(QStringLiteral("slot") + n);
        row.kind = new QComboBox(this);
        row.kind->setObjectName(QStringLiteral("kind") + n);
        row.target = new QLineEdit(this);
        row.target->setObjectName(QStringLiteral("target") + n);
        row.target->setMaxLength(11);
        row.offset = new QComboBox(this);
        row.offset->setObjectName(QStringLiteral("offset") + n);
        row.run = new QComboBox(this);
        row.run->setObjectName(QStringLiteral("run") + n);
        for (QComboBox* f : {row.offset, row.run}) {
            f->setEditable(true);
            f->lineEdit()->setMaxLength(10);
        }
        row.ramp = new QComboBox(this);
        row.ramp->setObjectName(QStringLiteral("ramp") + n);
        row.test = new QPushButton(QStringLiteral("Test"), this);
        row.test->setObjectName(QStringLiteral("test") + n);
        // Fixed geometry: a field a kind does not use keeps its room, and the
        // slot number its width for three digits, so that nothing moves
        // under the pointer as rows change or scroll.
        for (QWidget* w : {static_cast<QWidget*>(row.target), static_cast<QWidget*>(row.offset),
                           static_cast<QWidget*>(row.run), static_cast<QWidget*>(row.ramp),
                           static_cast<QWidget*>(row.test)}) {
            QSizePolicy policy = w->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            w->setSizePolicy(policy);
        }
        row.slot->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("888")) + 4);
        row.slot->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(row.slot, r + 1, 0);
        grid->addWidget(row.kind, r + 1, 1);
        grid->addWidget(row.target, r + 1, 2);
        grid->addWidget(row.offset, r + 1, 3);
        grid->addWidget(row.run, r + 1, 4);
        grid->addWidget(row.ramp, r + 1, 5);
        grid->addWidget(row.test, r + 1, 6);

        const auto touched = [this, r] {
            if (!filling_)
                rows_[r].changed = true;
        };
        connect(row.kind, &QComboBox::activated, this, [this, r](int k) { kindChosen(r, k); });
        connect(row.target, &QLineEdit::textEdited, this, touched);
        connect(row.offset, &QComboBox::currentTextChanged, this, touched);
        connect(row.run, &QComboBox::currentTextChanged, this, touched);
        connect(row.ramp, &QComboBox::activated, this, [this, r] {
            rows_[r].changed = true;
            rows_[r].rampChanged = true;
        });
        connect(row.test, &QPushButton::clicked, this, [this, r] { testRow(r); });
        for (QWidget* w : {static_cast<QWidget*>(row.kind), static_cast<QWidget*>(row.target),
                           static_cast<QWidget*>(row.offset), static_cast<QWidget*>(row.run),
                           static_cast<QWidget*>(row.ramp), static_cast<QWidget*>(row.test)})
            w->installEventFilter(this);
    }
    scroll_ = SlotPager::makeScrollBar(this);
    grid->addWidget(scroll_, 1, 7, RowCount, 1);
    SlotPager::Rows paged;
    paged.collect = [this](bool quiet) { return CollectRows(quiet); };
    paged.show = [this](int top) { ShowRows(top); };
    paged.forget = [this] {
        for (Row& row : rows_)
            row.changed = false;
    };
    paged.topMax = [this] { return working_.eightSlots ? 0 : TopMax; };
    pager_ = new SlotPager(scroll_, working_.programs, std::move(paged), this);
    for (const Row& row : rows_)
        for (QWidget* w : {static_cast<QWidget*>(row.kind), static_cast<QWidget*>(row.target),
                           static_cast<QWidget*>(row.offset), static_cast<QWidget*>(row.run),
                           static_cast<QWidget*>(row.ramp), static_cast<QWidget*>(row.test)})
            pager_->watch(w);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) {
        if (v != pager_->top())
            scrollTo(v);
    });

    auto* buttons = new QHBoxLayout;
    copyButton_ = new QPushButton(this);
    copyButton_->setObjectName(QStringLiteral("copyButton"));
    programButton_ = new QPushButton(this);
    programButton_->setObjectName(QStringLiteral("programButton"));
    deleteButton_ = new QPushButton(this);
    deleteButton_->setObjectName(QStringLiteral("deleteButton"));
    stopButton_ = new QPushButton(this);
    stopButton_->setObjectName(QStringLiteral("stopButton"));
    closeButton_ = new QPushButton(this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    for (QPushButton* b : {copyButton_, programButton_, deleteButton_, stopButton_, closeButton_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    grid->addLayout(buttons, RowCount + 1, 0, 1, 8);
    connect(copyButton_, &QPushButton::clicked, this, &CSPSDialog::copyClicked);
    connect(programButton_, &QPushButton::clicked, this, &CSPSDialog::programClicked);
    connect(deleteButton_, &QPushButton::clicked, this, &CSPSDialog::deleteAllClicked);
    connect(stopButton_, &QPushButton::clicked, this, &CSPSDialog::stopClicked);
    connect(closeButton_, &QPushButton::clicked, this, &CSPSDialog::closeClicked);

    auto* live = new QHBoxLayout;
    positionHeading_ = new QLabel(this);
    position_ = new QLabel(this);
    position_->setObjectName(QStringLiteral("position"));
    status_ = new QLabel(QStringLiteral("06h"), this);
    status_->setObjectName(QStringLiteral("status"));
    live->addWidget(positionHeading_);
    live->addWidget(position_);
    live->addWidget(status_);
    live->addStretch();
    grid->addLayout(live, RowCount + 2, 0, 1, 8);

    simulation_ = new QGroupBox(this);
    simulation_->setObjectName(QStringLiteral("simulation"));
    auto* sim = new QGridLayout(simulation_);
    const char* inputNames[] = {"STROBE", "ENABLE", "CLEAR", "RESET"};
    for (int i = 0; i < 4; ++i) {
        inputLamps_[i] = new StatusLamp(simulation_);
        inputLamps_[i]->setObjectName(QLatin1String(inputNames[i]));
        auto* label = new QLabel(QLatin1String(inputNames[i]), simulation_);
        lampLabels_ << label;
        sim->addWidget(inputLamps_[i], 0, 2 * i);
        sim->addWidget(label, 0, 2 * i + 1);
    }
    for (int i = 0; i < 8; ++i) {
        const QString name = QStringLiteral("PROG%1").arg(i);
        programLamps_[i] = new StatusLamp(simulation_);
        programLamps_[i]->setObjectName(name);
        auto* label = new QLabel(name, simulation_);
        lampLabels_ << label;
        sim->addWidget(programLamps_[i], 1 + i / 4, 2 * (i % 4));
        sim->addWidget(label, 1 + i / 4, 2 * (i % 4) + 1);
    }
    ready_ = new QCheckBox(QStringLiteral("&READY"), simulation_);
    ready_->setObjectName(QStringLiteral("ready"));
    error_ = new QCheckBox(QStringLiteral("&ERROR"), simulation_);
    error_->setObjectName(QStringLiteral("error"));
    simulationButton_ = new QPushButton(simulation_);
    simulationButton_->setObjectName(QStringLiteral("simulationButton"));
    simulationButton_->setAutoDefault(false);
    programNumber_ = new QLabel(simulation_);
    programNumber_->setObjectName(QStringLiteral("programNumber"));
    programNumber_->hide();
    sim->addWidget(ready_, 3, 0, 1, 2);
    sim->addWidget(error_, 3, 2, 1, 2);
    sim->addWidget(simulationButton_, 3, 4, 1, 2);
    sim->addWidget(programNumber_, 3, 6, 1, 2);
    grid->addWidget(simulation_, RowCount + 3, 0, 1, 8);
    reading_ = new SlotReading(this, closeButton_);
    grid->addWidget(reading_, RowCount + 4, 0, 1, 8);
    connect(ready_, &QCheckBox::clicked, this, &CSPSDialog::outputsClicked);
    connect(error_, &QCheckBox::clicked, this, &CSPSDialog::outputsClicked);
    connect(simulationButton_, &QPushButton::clicked, this, &CSPSDialog::simulationClicked);
    for (StatusLamp* l : inputLamps_)
        l->setColour(StatusLamp::Colour::Grey);
    for (StatusLamp* l : programLamps_)
        l->setColour(StatusLamp::Colour::Grey);
}

void CSPSDialog::setTexts() {
    setWindowTitle(Texts::text(MessageId::AxisWord) + setup_.axis + Texts::text(CaptionId));
    const int headingIds[] = {10116, 10117, 10118, 10119, 10120};
    for (int i = 0; i < 5; ++i)
        headings_[i]->setText(Texts::text(headingIds[i]));
    copyButton_->setText(Texts::text(10121));
    programButton_->setText(Texts::text(setup_.offline ? 10174 : 10122));
    deleteButton_->setText(Texts::text(10123));
    stopButton_->setText(Texts::text(10124));
    closeButton_->setText(Texts::text(10030));
    positionHeading_->setText(Texts::text(10262));
    simulation_->setTitle(Texts::text(10125));
    simulationButton_->setText(Texts::text(SimulationStartId));
}

bool CSPSDialog::Initialise() {
    for (int r = 0; r < RowCount; ++r) {
        rows_[r].offset->addItems(setup_.startStopList);
        rows_[r].run->addItems(setup_.runFreqList);
    }
    for (QWidget* w : simulation_->findChildren<StatusLamp*>())
        w->setEnabled(false);
    for (QLabel* l : lampLabels_)
        l->setEnabled(false);
    ready_->setEnabled(false);
    error_->setEnabled(false);
    QStringList ramps = setup_.rampList;
    if (setup_.offline) {
        simulationButton_->setEnabled(false);
        stopButton_->setEnabled(false);
    } else {
        PlcArea::Opening o;
        o.area = working_;
        // Nothing is known of the axis until the reading is done.
        position_->clear();
        status_->clear();
        reading_->begin();
        // Busy from before the first pump: nothing else goes out ahead of the opening.
        std::optional<BusyGuard> busy(std::in_place);
        // A dialog on screen shows itself before the first command goes out.
        if (isVisible())
            op_.pumpEvents();
        const PlcArea::ReadResult read =
            reading_->cancelled() ? PlcArea::ReadResult::Cancelled
                                  : PlcArea::ReadOpening(link_, op_, o, [this](int n, int count) {
                                        return reading_->step(n, count);
                                    });
        busy.reset();
        reading_->end();
        // Stopped by the operator: the axis has been given nothing to restore.
        if (read == PlcArea::ReadResult::Cancelled)
            return false;
        if (read != PlcArea::ReadResult::Done) {
            // A pseudo-reply is never kept as a slot text; without a reply the
            // axis gets nothing back at closing either.
            link_.setLastTimedOut(true);
            return false;
        }
        working_ = o.area;
        ramps = o.rampSlopes;
        restore_ = o.restoreCommands;
        position_->setText(o.position);
        status_->setText(o.shortStatus);
    }
    if (working_.eightSlots) {
        scroll_->setEnabled(false);
        rows_[RowCount - 1].kind->setEnabled(false);
    }
    for (int r = 0; r < RowCount; ++r) {
        rows_[r].ramp->addItems(ramps);
        for (int k = 0; k < CycleProgram::KindCount; ++k)
            rows_[r].kind->addItem(Texts::text(CycleProgram::kindTextId(k)));
    }
    committed_ = working_.programs;
    initialised_ = true;
    ShowRows(0);
    return true;
}

int CSPSDialog::run(PanelContext& context) {
    return PlcPanel::run<CSPSDialog>(context);
}

int CSPSDialog::showAndRun() {
    return SlotReading::showReadAndRun(*this, [this] { return Initialise(); });
}

bool CSPSDialog::reading() const {
    return reading_->active();
}

int CSPSDialog::slotOf(int r) const {
    return rows_[r].slot->text().toInt();
}

int CSPSDialog::rowOf(int slot) const {
    for (int r = 0; r < RowCount; ++r)
        if (slotOf(r) == slot)
            return r;
    return -1;
}

void CSPSDialog::showKindControls(Row& row, int kind) {
    setShown(row.target, CycleProgram::hasTarget(kind));
    setShown(row.offset, CycleProgram::hasFrequencies(kind));
    setShown(row.run, CycleProgram::hasFrequencies(kind));
    setShown(row.ramp, CycleProgram::hasFrequencies(kind));
    setShown(row.test, kind >= 0 && kind != CycleProgram::Unused);
}

void CSPSDialog::ShowRows(int top) {
    filling_ = true;
    for (int r = 0; r < RowCount; ++r) {
        Row& row = rows_[r];
        const int s = top + r;
        row.slot->setText(QString::number(s));
        row.changed = false;
        row.rampChanged = false;
        const QString p = working_.programs.value(s);
        CycleProgram::Row v;
        // A slot the extended sequence uses is shown as taken, not as free.
        const bool taken = takenByStep(s);
        const bool known = !taken && CycleProgram::parse(p, &v);
        row.kind->setToolTip(taken ? working_.extendedSteps.value(s) : known ? QString() : p);
        row.kind->setPlaceholderText(taken ? Texts::text("plc.takenByStep") : QString());
        // A text that is no cycle program shows no kind; it stays in its
        // slot unless the operator chooses one.
        row.kind->setCurrentIndex(known ? v.kind : -1);
        row.target->setText(v.target);
        row.offset->setCurrentIndex(row.offset->findText(v.offset));
        row.offset->setEditText(v.offset);
        row.run->setCurrentIndex(row.run->findText(v.run));
        row.run->setEditText(v.run);
        row.storedRamp = v.ramp;
        const int ramp = CycleProgram::rampIndex(v.ramp);
        row.ramp->setCurrentIndex(ramp < row.ramp->count() ? ramp : -1);
        showKindControls(row, known ? v.kind : -1);
        if (setup_.offline)
            row.test->setEnabled(false);
    }
    filling_ = false;
}

CycleProgram::Row CSPSDialog::rowValues(const Row& row) const {
    CycleProgram::Row v;
    v.kind = row.kind->currentIndex();
    v.target = row.target->text();
    v.offset = comboText(row.offset);
    v.run = comboText(row.run);
    // A ramp the operator did not change keeps its stored part, also one the
    // list cannot show.
    v.ramp = row.rampChanged || row.storedRamp.isEmpty()
                 ? CycleProgram::rampText(row.ramp->currentIndex())
                 : row.storedRamp;
    return v;
}

int CSPSDialog::topSlot() const {
    return pager_->top();
}

bool CSPSDialog::CollectRows(bool quiet) {
    bool all = true;
    for (int r = 0; r < RowCount; ++r) {
        const Row& row = rows_[r];
        if (!row.changed || row.kind->currentIndex() < 0)
            continue;
        const CycleProgram::Row v = rowValues(row);
        // A frequency that is no number would change the program it is
        // written into ("40 GR5"): it never becomes slot text.
        if (CycleProgram::hasFrequencies(v.kind)) {
            QComboBox* bad = !CycleProgram::frequencyValid(v.offset) ? row.offset
                             : !CycleProgram::frequencyValid(v.run)  ? row.run
                                                                     : nullptr;
            if (bad) {
                all = false;
                if (quiet)
                    continue;
                showTargetError(bad->lineEdit());
                return false;
            }
        }
        const int s = slotOf(r);
        if (s >= 0 && s < PlcArea::SlotCount)
            working_.programs[s] = CycleProgram::text(v);
    }
    return all;
}

bool CSPSDialog::takenByStep(int slot) const {
    return working_.programs.value(slot).isEmpty() && !working_.extendedSteps.value(slot).isEmpty();
}

void CSPSDialog::mergeInto(QStringList& slotLines) const {
    PlcArea::MergeIntoLineList(slotLines, working_.programs, working_.eightSlots);
    // A step the operator replaced by a program leaves the file with it.
    if (stepsReplaced_)
        PlcArea::MergeStepsIntoLineList(slotLines, working_.extendedSteps);
}

void CSPSDialog::kindChosen(int r, int kind) {
    Row& row = rows_[r];
    const int slot = slotOf(r);
    if (takenByStep(slot)) {
        if (!SlotPager::mayTakeSlot(op_, row.kind, filling_,
                                    Texts::text("plc.replaceStep").arg(slot)))
            return;
        // The program takes the slot: the step goes, on the axis and in the file.
        working_.extendedSteps[slot].clear();
        row.kind->setPlaceholderText(QString());
        stepsReplaced_ = true;
    }
    row.changed = true;
    if (CycleProgram::hasFrequencies(kind)) {
        filling_ = true;
        if (CycleProgram::hasTarget(kind) && row.target->text().isEmpty())
            row.target->setText(QStringLiteral("0"));
        if (row.offset->currentText().isEmpty())
            row.offset->setEditText(PlcArea::restoreValue(restore_, 0));
        if (row.run->currentText().isEmpty())
            row.run->setEditText(PlcArea::restoreValue(restore_, 1));
        if (row.ramp->currentIndex() < 0 && row.storedRamp.isEmpty()) {
            const int ramp = PlcArea::restoreRampIndex(restore_);
            row.ramp->setCurrentIndex(ramp < row.ramp->count() ? ramp : -1);
            row.rampChanged = true;
        }
        filling_ = false;
    }
    showKindControls(row, kind);
    if (setup_.offline)
        row.test->setEnabled(false);
    // The operator is still filling the row in (offline its frequencies may
    // start empty): a value that is no number is refused when the rows are
    // next scrolled, programmed or closed, not while the kind is picked.
    CollectRows(true);
}

bool CSPSDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (int r = 0; r < RowCount; ++r) {
            const Row& row = rows_[r];
            if (watched == row.kind || watched == row.target || watched == row.offset ||
                watched == row.run || watched == row.ramp || watched == row.test)
                currentSlot_ = slotOf(r);
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool CSPSDialog::targetValid(const QString& target) const {
    return ValidateSignedNumber(target) &&
           std::any_of(target.begin(), target.end(), [](QChar c) { return c.isDigit(); });
}

void CSPSDialog::showTargetError(QLineEdit* field) {
    op_.show({MessageId::DigitsOnly,
              {},
              MessageId::InputErrorCaption,
              Operator::Icon::Exclamation,
              Operator::Buttons::Ok});
    field->setFocus(Qt::OtherFocusReason);
}

bool CSPSDialog::targetsValid() {
    for (int s = 0; s < PlcArea::SlotCount; ++s) {
        const QString& text = working_.programs.at(s);
        if (text == committed_.at(s))
            continue;
        CycleProgram::Row v;
        if (!CycleProgram::parse(text, &v) || !CycleProgram::hasTarget(v.kind) ||
            targetValid(v.target))
            continue;
        if (rowOf(s) < 0)
            scrollTo(qMin(s, TopMax));
        const int r = rowOf(s);
        if (r >= 0)
            showTargetError(rows_[r].target);
        return false;
    }
    return true;
}

QString CSPSDialog::send(const QString& command) {
    return link_.SendCommand(command, true, Full);
}

void CSPSDialog::testRow(int r) {
    if (setup_.offline || r < 0 || r >= RowCount)
        return;
    const Row& row = rows_[r];
    const CycleProgram::Row v = rowValues(row);
    if (CycleProgram::hasTarget(v.kind) && !targetValid(v.target)) {
        showTargetError(row.target);
        return;
    }
    if (CycleProgram::hasFrequencies(v.kind)) {
        for (QComboBox* field : {row.offset, row.run})
            if (!CycleProgram::frequencyValid(field->currentText())) {
                showTargetError(field->lineEdit());
                return;
            }
    }
    for (const QString& command : PlcHandshake::testCommands(v))
        send(command);
    timeoutShown_ = false;
    timer_.start(TestPeriodMs);
}

void CSPSDialog::stopClicked() {
    if (online())
        send(AxisVocabulary::stopCommand());
}

bool CSPSDialog::simulationRunning() const {
    return ready_->isEnabled();
}

void CSPSDialog::showPosition(const QString& position, const QString& status) {
    if (position_->text() != position)
        position_->setText(position);
    if (status_->text() != status)
        status_->setText(status);
}

void CSPSDialog::setTestButtons(int enabledRow) {
    for (int r = 0; r < RowCount; ++r)
        rows_[r].test->setEnabled(enabledRow == -2 || r == enabledRow);
}

void CSPSDialog::SimulationTick() {
    const PlcHandshake::Poll poll = PlcHandshake::poll(link_, simulationRunning());
    if (!poll.answered) {
        // The axis is not answering: one message, and the poll ends.
        timer_.stop();
        if (!timeoutShown_)
            link_.reportFailure(op_, MessageId::NoReply);
        timeoutShown_ = true;
        if (simulationRunning())
            stopSimulation(false);
        return;
    }
    if (poll.positionRead)
        showPosition(poll.position, poll.status);
    if (!simulationRunning()) {
        if (poll.positionRead && !poll.moving())
            timer_.stop();
        return;
    }
    if (poll.inputsRead)
        for (int i = 0; i < 4; ++i)
            inputLamps_[i]->setColour((poll.inputs >> i) & 1 ? StatusLamp::Colour::Green
                                                             : StatusLamp::Colour::Grey);
    if (!poll.handshakeRead())
        return;
    const QString number = Texts::text(ProgramNumberId) + QString::number(poll.program) +
                           QStringLiteral(" / 0x") + poll.programReply;
    if (programNumber_->text() != number)
        programNumber_->setText(number);
    for (int i = 0; i < 8; ++i)
        programLamps_[i]->setColour((poll.program >> i) & 1 ? StatusLamp::Colour::Green
                                                            : StatusLamp::Colour::Grey);
    const int slot = poll.enabledSlot();
    if (slot < 0) {
        setTestButtons(-1);
        return;
    }
    int row = rowOf(slot);
    // Edits on show are collected first; one that cannot be stays on
    // screen, and no row is offered until the operator mends it.
    if (row < 0 && pager_->redraw(qMin(slot, TopMax)))
        row = rowOf(slot);
    setTestButtons(row);
}

void CSPSDialog::simulationClicked() {
    if (!simulationRunning()) {
        timeoutShown_ = false;
        timer_.start(SimulationPeriodMs);
        ready_->setEnabled(true);
        error_->setEnabled(true);
        for (StatusLamp* l : simulation_->findChildren<StatusLamp*>())
            l->setEnabled(true);
        for (QLabel* l : lampLabels_)
            l->setEnabled(true);
        setTestButtons(-1);
        scroll_->setEnabled(false);
        programNumber_->show();
        simulationButton_->setText(Texts::text(SimulationStopId));
        return;
    }
    stopSimulation(true);
}

void CSPSDialog::stopSimulation(bool sendOutputs) {
    ready_->setEnabled(false);
    error_->setEnabled(false);
    for (StatusLamp* l : simulation_->findChildren<StatusLamp*>()) {
        l->setColour(StatusLamp::Colour::Grey);
        l->setEnabled(false);
    }
    for (QLabel* l : lampLabels_)
        l->setEnabled(false);
    timer_.stop();
    setTestButtons(-2);
    if (sendOutputs)
        send(AxisVocabulary::outputCommand(false, false));
    scroll_->setEnabled(!working_.eightSlots);
    programNumber_->hide();
    simulationButton_->setText(Texts::text(SimulationStartId));
    pager_->redraw(pager_->top());
}

void CSPSDialog::outputsClicked() {
    send(AxisVocabulary::outputCommand(ready_->isChecked(), error_->isChecked()));
}

void CSPSDialog::copyClicked() {
    if (op_.ask(MessageId::CopyQuestion, Operator::Buttons::YesNo, Operator::Icon::Question) !=
        Operator::Answer::Yes)
        return;
    const int current = qBound(0, currentSlot_, PlcArea::SlotCount - 1);
    const int last = working_.eightSlots ? PlcArea::slotCount(true) : PlcArea::SlotCount;
    if (!pager_->copyToEnd(current, last))
        return;
    const int r = rowOf(current);
    if (r >= 0)
        rows_[r].kind->setFocus(Qt::OtherFocusReason);
}

void CSPSDialog::deleteAllClicked() {
    if (op_.ask(MessageId::DeletePlcQuestion, Operator::Buttons::YesNo, Operator::Icon::Question) !=
        Operator::Answer::Yes)
        return;
    // Not erased: the axis still holds every program, the dialog must show them.
    if (online() && !PlcArea::EraseOnAxis(link_, op_))
        return;
    working_.programs = QStringList(PlcArea::SlotCount);
    // The erase took the extended steps too; programming must not bring them back.
    working_.extendedSteps = QStringList(PlcArea::SlotCount);
    committed_ = working_.programs;
    pager_->resetToTop();
}

void CSPSDialog::programClicked() {
    if (!CollectRows())
        return;
    if (!targetsValid())
        return;
    if (setup_.offline) {
        done(TakeOver);
        return;
    }
    if (TellIfLinkGone(link_, op_))
        return;
    if (op_.ask(MessageId::ProgramPlcQuestion, Operator::Buttons::YesNo,
                Operator::Icon::Question) != Operator::Answer::Yes)
        return;
    CWait wait(op_, this);
    wait.caption = Texts::text(MessageId::SendPlcTitle);
    wait.text = Texts::text(MessageId::SendPlcLabel);
    PlcSend send;
    send.eightSlots = working_.eightSlots;
    send.prepare(wait, &link_, op_);
    send.slotTexts = PlcArea::TextsToProgram(working_);
    int result = 0;
    {
        BusyGuard busy;
        result = waitRunner_ ? waitRunner_(wait) : wait.exec();
    }
    if (result == PlcAreaDone) {
        committed_ = working_.programs;
        op_.inform(MessageId::ProgramDone);
    } else if (!send.check.clean()) {
        // The slots the controller refused or did not store, by name.
        op_.show({0,
                  Texts::text(MessageId::ProgramFailed) + QStringLiteral("\n\n") +
                      PlcAreaCheckText(send.check, working_.eightSlots),
                  0, Operator::Icon::Error, Operator::Buttons::Ok});
    } else if (link_.lastFailure() == SerialLink::Failure::None) {
        // A refused release: the area was not written as asked. A lost reply
        // has been reported where it happened; a second box would only repeat it.
        op_.error(MessageId::ProgramFailed);
    }
}

void CSPSDialog::closeClicked() {
    if (reading()) {
        reading_->cancel();
        return;
    }
    if (!pager_->mayClose(op_, committed_))
        return;
    QDialog::reject();
}

void CSPSDialog::reject() {
    if (reading()) {
        reading_->cancel();
        return;
    }
    if (BusyState::isBusy())
        return;
    closeClicked();
}

void CSPSDialog::keyPressEvent(QKeyEvent* event) {
    // Enter is no command in this dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

void CSPSDialog::scrollTo(int top) {
    pager_->scrollTo(top);
}

void CSPSDialog::wheelEvent(QWheelEvent* event) {
    // The wheel over the buttons, the live labels or the simulation group
    // below the rows does not move the rows.
    if (event->position().y() > scroll_->geometry().bottom()) {
        event->accept();
        return;
    }
    pager_->wheel(event);
}

void CSPSDialog::mousePressEvent(QMouseEvent* event) {
    scroll_->setFocus(Qt::MouseFocusReason);
    QDialog::mousePressEvent(event);
}
