#include "plc/CDlgSPSErweitert.h"
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
#include "plc/PlcPanel.h"
#include "plc/SequenceArea.h"
#include "plc/SlotPager.h"
#include "plc/SlotReading.h"
#include "widgets/CWait.h"
#include "widgets/WaitCursor.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <optional>

using ExtendedStep::Group;

namespace {

// The executing row: black on red, also while the rows are disabled.
// The wait cursor of the opening, undone on every way out.
const QString ExecutingStyle = QStringLiteral(
    "QComboBox, QComboBox:disabled { color: black; background-color: rgb(255, 0, 0); }");

} // namespace

CDlgSPSErweitert::CDlgSPSErweitert(SerialLink& link, Operator& op, const Setup& setup,
                                   QWidget* parent)
    : QDialog(parent), link_(link), op_(op), setup_(setup) {
    setObjectName(QStringLiteral("CDlgSPSErweitert"));
    const PlcArea::Slots file = PlcArea::FromLineList(setup_.slotLines);
    working_.extendedSteps = file.extendedSteps;
    // Offline the file's programs tell which slots are taken; online the
    // axis does.
    if (setup_.offline) {
        working_.programs = file.programs;
        working_.eightSlots = file.eightSlots;
    }
    deviceType_ = setup_.fileDeviceType;
    buildControls();
    setTexts();
}

CDlgSPSErweitert::~CDlgSPSErweitert() {
    if (!initialised_ || !online() || link_.lastTimedOut())
        return;
    QStringList restore = restore_;
    // After a move the counter tells where the motor stands: setting it back
    // would make the next absolute move go somewhere else.
    if (moved_)
        restore.erase(
            std::remove_if(restore.begin(), restore.end(),
                           [](const QString& c) { return c.startsWith(QLatin1String("PC")); }),
            restore.end());
    PlcArea::SendRestoreCommands(link_, restore);
}

bool CDlgSPSErweitert::Initialise() {
    {
        const WaitCursor cursor;
        if (setup_.offline) {
            position_->setText(QStringLiteral("----"));
            status_->setText(QStringLiteral("--h"));
            stopButton_->setEnabled(false);
            testButton_->setEnabled(false);
            currentValues_ = ExtendedStep::currentValueList(deviceType_, true, {});
        } else {
            SequenceArea::Opening o;
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
                reading_->cancelled()
                    ? PlcArea::ReadResult::Cancelled
                    : SequenceArea::ReadOpening(link_, op_, o, [this](int n, int count) {
                          return reading_->step(n, count);
                      });
            busy.reset();
            reading_->end();
            // Stopped by the operator: the axis has been given nothing to restore.
            if (read == PlcArea::ReadResult::Cancelled)
                return false;
            if (read != PlcArea::ReadResult::Done) {
                // Without a reply the axis gets nothing back at closing either.
                link_.setLastTimedOut(true);
                return false;
            }
            working_ = o.area;
            deviceType_ = o.deviceType;
            restore_ = o.restoreCommands;
            position_->setText(o.position);
            status_->setText(o.shortStatus);
            currentValues_ = ExtendedStep::currentValueList(deviceType_, false, o.levelReply);
        }
        committed_ = working_.extendedSteps;
    }
    initialised_ = true;
    ShowRows(0);
    return true;
}

int CDlgSPSErweitert::run(PanelContext& context) {
    return PlcPanel::run<CDlgSPSErweitert>(context);
}

int CDlgSPSErweitert::showAndRun() {
    return SlotReading::showReadAndRun(*this, [this] { return Initialise(); });
}

bool CDlgSPSErweitert::reading() const {
    return reading_->active();
}

int CDlgSPSErweitert::slotOf(int r) const {
    return rows_[r].slot->text().toInt();
}

int CDlgSPSErweitert::rowOf(int slot) const {
    for (int r = 0; r < RowCount; ++r)
        if (slotOf(r) == slot)
            return r;
    return -1;
}

void CDlgSPSErweitert::fillList(Row& row, Group group) {
    row.list->clear();
    QStringList items;
    switch (group) {
    case Group::Currents:
        items = currentValues_;
        break;
    case Group::StartStop:
        // The panel's list ends at its first empty entry.
        for (const QString& f : setup_.startStopList) {
            if (f.isEmpty())
                break;
            items << f;
        }
        break;
    case Group::RunFrequencies:
        items = setup_.runFreqList;
        break;
    case Group::Ramps:
        items = setup_.rampList;
        break;
    case Group::None:
        break;
    }
    row.list->addItems(items);
    // Only the frequencies take a typed value.
    const bool editable = group == Group::StartStop || group == Group::RunFrequencies;
    row.list->setEditable(editable);
    if (editable)
        row.list->lineEdit()->setMaxLength(10);
    row.loaded = group;
}

void CDlgSPSErweitert::showValue(Row& row, const ExtendedStep::Row& v) {
    const ExtendedStep::Control c = ExtendedStep::control(v.kind);
    row.edit->setVisible(c == ExtendedStep::Control::Edit);
    row.list->setVisible(c == ExtendedStep::Control::List);
    row.edit->setText(c == ExtendedStep::Control::Edit ? v.text : QString());
    switch (ExtendedStep::group(v.kind)) {
    case Group::Currents:
    case Group::Ramps:
        // A value the list has no entry for shows no entry, and the step
        // stays as it is unless the operator picks one.
        row.list->setCurrentIndex(v.index >= 0 && v.index < row.list->count() ? v.index : -1);
        break;
    case Group::StartStop:
    case Group::RunFrequencies:
        row.list->setCurrentIndex(row.list->findText(v.text));
        row.list->setEditText(v.text);
        break;
    case Group::None:
        break;
    }
}

void CDlgSPSErweitert::ShowRows(int top) {
    top = qBound(0, top, TopMax);
    filling_ = true;
    for (int r = 0; r < RowCount; ++r) {
        Row& row = rows_[r];
        const int s = top + r;
        row.slot->setText(QString::number(s));
        row.changed = false;
        const QString p = working_.extendedSteps.value(s);
        ExtendedStep::Row v;
        // A slot a cycle program uses is shown as taken, not as free.
        const bool taken = takenByProgram(s);
        const bool known = !taken && ExtendedStep::parse(p, amperes(), &v);
        // A text that is no step shows no kind; it stays in its slot unless
        // the operator chooses one.
        row.kind->setCurrentIndex(known ? v.kind : -1);
        row.shownKind = known ? v.kind : -1;
        row.kind->setToolTip(taken ? working_.programs.value(s) : p);
        row.kind->setPlaceholderText(taken ? Texts::text("plc.takenByProgram") : QString());
        const Group group = known ? ExtendedStep::group(v.kind) : Group::None;
        // The lists are long; they are filled again only where the row
        // changes its group, or when everything is redrawn.
        if (group != Group::None && (refill_ || top == previousTop_ || row.loaded != group))
            fillList(row, group);
        showValue(row, v);
    }
    previousTop_ = top;
    refill_ = false;
    filling_ = false;
    markExecutingRow();
}

ExtendedStep::Row CDlgSPSErweitert::rowValues(const Row& row) const {
    return rowValues(row, row.kind->currentIndex());
}

ExtendedStep::Row CDlgSPSErweitert::rowValues(const Row& row, int kind) const {
    ExtendedStep::Row v;
    v.kind = kind;
    switch (ExtendedStep::control(v.kind)) {
    case ExtendedStep::Control::Edit:
        v.text = row.edit->text().trimmed();
        break;
    case ExtendedStep::Control::List:
        v.text = row.list->currentText();
        v.index = row.list->currentIndex();
        break;
    case ExtendedStep::Control::None:
        break;
    }
    return v;
}

int CDlgSPSErweitert::topSlot() const {
    return pager_->top();
}

bool CDlgSPSErweitert::CollectRows(bool quiet) {
    bool all = true;
    for (int r = 0; r < RowCount; ++r) {
        Row& row = rows_[r];
        if (!row.changed || row.kind->currentIndex() < 0)
            continue;
        const int s = slotOf(r);
        QString text;
        const ExtendedStep::Build built = ExtendedStep::text(rowValues(row), amperes(), &text);
        if (quiet && built != ExtendedStep::Build::Done && built != ExtendedStep::Build::NoValue) {
            all = false;
            continue;
        }
        switch (built) {
        case ExtendedStep::Build::Done:
            if (s >= 0 && s < PlcArea::SlotCount)
                working_.extendedSteps[s] = text;
            break;
        case ExtendedStep::Build::NoValue:
            break;
        case ExtendedStep::Build::BadValue: {
            op_.show({MessageId::DigitsOnly,
                      {},
                      MessageId::InputErrorCaption,
                      Operator::Icon::Exclamation,
                      Operator::Buttons::Ok});
            QLineEdit* field =
                ExtendedStep::control(row.kind->currentIndex()) == ExtendedStep::Control::List &&
                        row.list->lineEdit()
                    ? row.list->lineEdit()
                    : row.edit;
            field->setFocus(Qt::OtherFocusReason);
            field->selectAll();
            return false;
        }
        case ExtendedStep::Build::BadJumpTarget:
            op_.show({0, Texts::text("plcext.jumpRange"), 0, Operator::Icon::Exclamation,
                      Operator::Buttons::Ok});
            row.edit->setFocus(Qt::OtherFocusReason);
            row.edit->selectAll();
            return false;
        }
    }
    return all;
}

bool CDlgSPSErweitert::takenByProgram(int slot) const {
    return working_.extendedSteps.value(slot).isEmpty() && !working_.programs.value(slot).isEmpty();
}

void CDlgSPSErweitert::mergeInto(QStringList& slotLines) const {
    PlcArea::MergeStepsIntoLineList(slotLines, working_.extendedSteps);
    // A program the operator replaced by a step leaves the file with it.
    if (programsReplaced_)
        PlcArea::MergeIntoLineList(slotLines, working_.programs, working_.eightSlots);
}

void CDlgSPSErweitert::kindChosen(int r, int kind) {
    if (kind < 0 || kind >= ExtendedStep::KindCount)
        return;
    Row& row = rows_[r];
    const int slot = slotOf(r);
    if (takenByProgram(slot)) {
        if (!SlotPager::mayTakeSlot(op_, row.kind, filling_,
                                    Texts::text("plc.replaceProgram").arg(slot)))
            return;
        // The step takes the slot: the program goes, on the axis and in the file.
        working_.programs[slot].clear();
        row.kind->setPlaceholderText(QString());
        programsReplaced_ = true;
    }
    row.changed = true;
    // The value of the former kind stays where it suits the new one (a
    // position stays a position); otherwise the new kind's default (the
    // first entry of a current or ramp list).
    const ExtendedStep::Row v = ExtendedStep::changedKind(rowValues(row, row.shownKind), kind);
    row.shownKind = kind;
    filling_ = true;
    row.edit->clear();
    if (ExtendedStep::control(kind) == ExtendedStep::Control::Edit)
        row.edit->setText(v.text);
    const Group group = ExtendedStep::group(kind);
    if (group != Group::None) {
        if (row.loaded != group)
            fillList(row, group);
        if (group == Group::Currents || group == Group::Ramps) {
            const int index = v.index >= 0 && v.index < row.list->count() ? v.index : 0;
            row.list->setCurrentIndex(row.list->count() > 0 ? index : -1);
        } else {
            row.list->setCurrentIndex(row.list->findText(v.text));
            row.list->setEditText(v.text);
        }
    }
    filling_ = false;
    refill_ = true;
    const int top = slotOf(0);
    if (!CollectRows())
        return;
    ShowRows(top);
}

bool CDlgSPSErweitert::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (int r = 0; r < RowCount; ++r) {
            const Row& row = rows_[r];
            if (watched == row.kind || watched == row.list || watched == row.edit)
                currentSlot_ = slotOf(r);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CDlgSPSErweitert::scrollTo(int top) {
    if (running_)
        return;
    // A typed value that cannot be stored keeps the rows where they are.
    pager_->scrollTo(top);
}

void CDlgSPSErweitert::wheelEvent(QWheelEvent* event) {
    // The wheel below the rows (the buttons, the position) moves nothing.
    if (running_ || event->position().y() > scroll_->geometry().bottom()) {
        event->accept();
        return;
    }
    pager_->wheel(event);
}

void CDlgSPSErweitert::copyClicked() {
    if (op_.ask(MessageId::CopyQuestion, Operator::Buttons::YesNo, Operator::Icon::Question) !=
        Operator::Answer::Yes)
        return;
    const int current = qBound(0, currentSlot_, PlcArea::SlotCount - 1);
    refill_ = true;
    if (!pager_->copyToEnd(current, PlcArea::SlotCount))
        return;
    const int r = rowOf(current);
    if (r >= 0)
        rows_[r].kind->setFocus(Qt::OtherFocusReason);
}

void CDlgSPSErweitert::deleteAllClicked() {
    if (op_.ask(MessageId::DeletePlcQuestion, Operator::Buttons::YesNo, Operator::Icon::Question) !=
        Operator::Answer::Yes)
        return;
    // Not erased: the axis still holds every step, the dialog must show them.
    if (online() && !PlcArea::EraseOnAxis(link_, op_))
        return;
    working_.extendedSteps = QStringList(PlcArea::SlotCount);
    // The erase took the cycle programs too; programming must not bring them back.
    working_.programs = QStringList(PlcArea::SlotCount);
    committed_ = working_.extendedSteps;
    pager_->resetToTop();
}

void CDlgSPSErweitert::programClicked() {
    if (!CollectRows())
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
    send.eightSlots = false;
    send.prepare(wait, &link_, op_);
    send.slotTexts = PlcArea::StepTextsToProgram(working_);
    int result = 0;
    {
        BusyGuard busy;
        result = waitRunner_ ? waitRunner_(wait) : wait.exec();
    }
    if (result == PlcAreaDone) {
        committed_ = working_.extendedSteps;
        op_.inform(MessageId::ProgramDone);
    } else if (!send.check.clean()) {
        // The slots the controller refused or did not store, by name.
        op_.show({0,
                  Texts::text(MessageId::ProgramFailed) + QStringLiteral("\n\n") +
                      PlcAreaCheckText(send.check, false),
                  0, Operator::Icon::Error, Operator::Buttons::Ok});
    } else if (link_.lastFailure() == SerialLink::Failure::None) {
        // A refused release: a lost reply has been reported where it happened.
        op_.error(MessageId::ProgramFailed);
    }
}

void CDlgSPSErweitert::closeClicked() {
    if (reading()) {
        reading_->cancel();
        return;
    }
    if (running_) {
        testButton_->setChecked(false);
        return;
    }
    if (!pager_->mayClose(op_, committed_))
        return;
    QDialog::reject();
}

void CDlgSPSErweitert::reject() {
    if (reading()) {
        reading_->cancel();
        return;
    }
    if (running_ || BusyState::isBusy())
        return;
    closeClicked();
}

void CDlgSPSErweitert::keyPressEvent(QKeyEvent* event) {
    // Enter is no command in this dialog: it must neither end it nor hand
    // unprogrammed steps to the document.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

void CDlgSPSErweitert::stopClicked() {
    if (!online())
        return;
    if (testButton_->isChecked())
        testButton_->setChecked(false);
    link_.SendCommand(AxisVocabulary::stopCommand(), true, Full);
}

void CDlgSPSErweitert::testClicked() {
    // A second press releases the button; the running loop sees it.
    if (!testButton_->isChecked() || running_)
        return;
    runTest();
}

void CDlgSPSErweitert::showPosition(const QString& position, const QString& status) {
    if (position_->text() != position)
        position_->setText(position);
    if (status_->text() != status)
        status_->setText(status);
}

void CDlgSPSErweitert::markExecutingRow() {
    for (int r = 0; r < RowCount; ++r) {
        const QString style = running_ && r == executingRow_ ? ExecutingStyle : QString();
        if (rows_[r].kind->styleSheet() != style)
            rows_[r].kind->setStyleSheet(style);
    }
}

void CDlgSPSErweitert::showExecuting(int slot) {
    if (slot - slotOf(0) < 0 || slot - slotOf(0) >= RowCount)
        pager_->scrollTo(slot, true);
    executingRow_ = slot - slotOf(0);
    markExecutingRow();
}

void CDlgSPSErweitert::setRunning(bool running) {
    running_ = running;
    scroll_->setEnabled(!running);
    for (QPushButton* b : {copyButton_, deleteButton_, programButton_, closeButton_})
        b->setEnabled(!running);
    // The steps run as they were collected: the rows are not edited meanwhile.
    for (Row& row : rows_)
        for (QWidget* w : {static_cast<QWidget*>(row.kind), static_cast<QWidget*>(row.list),
                           static_cast<QWidget*>(row.edit)})
            w->setEnabled(!running);
    if (!running)
        executingRow_ = -1;
    markExecutingRow();
}

void CDlgSPSErweitert::runTest() {
    if (!online() || !CollectRows()) {
        testButton_->setChecked(false);
        return;
    }
    setRunning(true);
    pager_->scrollTo(0, true);
    SequenceArea::RunHooks hooks;
    hooks.pressed = [this] { return testButton_->isChecked(); };
    hooks.at = [this](int slot) {
        ExtendedStep::Row step;
        if (ExtendedStep::parse(working_.extendedSteps.value(slot), amperes(), &step) &&
            ExtendedStep::movesMotor(step.kind))
            moved_ = true;
        showExecuting(slot);
    };
    hooks.position = [this](const QString& p, const QString& s) { showPosition(p, s); };
    hooks.clock = clock_;
    const QPointer<CDlgSPSErweitert> alive(this);
    SequenceArea::TestRun(link_, op_, working_.extendedSteps, hooks);
    if (!alive)
        return;
    setRunning(false);
    testButton_->setChecked(false);
}
