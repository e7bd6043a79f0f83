#include "drive/CRampenDlg.h"
#include "axis/CKormakView.h"
#include "axis/PanelContext.h"

#include "base/BusyState.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "drive/RampCurvePanel.h"
#include "drive/RampMemory.h"
#include "link/SerialLink.h"
#include "widgets/CWait.h"
#include "widgets/WaitCursor.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int InternalRampSeconds = 80;

// Texts of the table hold "\r\n" line breaks; a label breaks at "\n".
QString labelText(int id) {
    QString text = Texts::text(id);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

template <typename W> W* control(W* widget, const char* name, int id) {
    widget->setObjectName(QLatin1String(name));
    widget->setProperty("controlId", id);
    return widget;
}

// Restores the arrow on every path out of a deletion.
} // namespace

// While the dialog programs or deletes, the program is busy, every button is
// disabled and the dialog does not close; undone on every path out.
class Working {
public:
    explicit Working(CRampenDlg& dialog) : dialog_(dialog) { dialog_.setWorking(true); }
    ~Working() { dialog_.setWorking(false); }
    Working(const Working&) = delete;
    Working& operator=(const Working&) = delete;

private:
    CRampenDlg& dialog_;
    BusyGuard busy_;
};

int CRampenDlg::run(PanelContext& context) {
    int result = Rejected;
    {
        CRampenDlg dialog(context.link, context.op, context.parent);
        result = dialog.exec();
    }
    context.view.ReadAxisConfiguration();
    return result;
}

CRampenDlg::CRampenDlg(SerialLink& link, Operator& op, QWidget* parent)
    : QDialog(parent), link_(link), op_(op), calc_(link, op),
      waitRunner_([](CWait& wait) { return wait.exec(); }) {
    setObjectName(QStringLiteral("CRampenDlg"));
    setModal(true);

    listGroup_ =
        control(new QGroupBox(QStringLiteral("Programmierte Rampen"), this), "rampListGroup", 1302);
    auto* grid = new QGridLayout(listGroup_);
    grid->setVerticalSpacing(2);
    grid->addWidget(control(new QLabel(QStringLiteral("Nr."), listGroup_), "headingNumber", 1303),
                    0, 1);
    grid->addWidget(control(new QLabel(QStringLiteral("Rampe"), listGroup_), "headingRamp", -1), 0,
                    2, Qt::AlignRight);
    grid->addWidget(control(new QLabel(QStringLiteral("#Byte"), listGroup_), "headingBytes", -1), 0,
                    3, Qt::AlignRight);
    for (int i = 0; i < RowCount; ++i) {
        const QByteArray n = QByteArray::number(i);
        mark_[i] = control(new QCheckBox(listGroup_), ("deleteMark" + n).constData(), 1361 + i);
        rowNumber_[i] = control(new QLabel(QString::number(i), listGroup_),
                                ("rowNumber" + n).constData(), 1304 + 3 * i);
        rowSlope_[i] = control(new QLabel(listGroup_), ("rowSlope" + n).constData(), 1305 + 3 * i);
        rowBytes_[i] = control(new QLabel(listGroup_), ("rowBytes" + n).constData(), 1306 + 3 * i);
        rowSlope_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rowBytes_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rowSlope_[i]->setMinimumWidth(70);
        rowBytes_[i]->setMinimumWidth(55);
        grid->addWidget(mark_[i], i + 1, 0);
        grid->addWidget(rowNumber_[i], i + 1, 1);
        grid->addWidget(rowSlope_[i], i + 1, 2);
        grid->addWidget(rowBytes_[i], i + 1, 3);
        mark_[i]->hide();
        rowNumber_[i]->hide();
        rowSlope_[i]->hide();
        rowBytes_[i]->hide();
        connect(mark_[i], &QCheckBox::clicked, this,
                [this, i](bool checked) { markClicked(i, checked); });
    }
    noRamps_ =
        control(new QLabel(QStringLiteral(">> Keine Rampen ! <<"), listGroup_), "noRamps", 1381);
    noRamps_->setAlignment(Qt::AlignCenter);
    noRamps_->hide();
    grid->addWidget(noRamps_, RowCount + 1, 0, 1, 4);
    grid->setRowStretch(RowCount + 2, 1);

    freeMemoryLabel_ =
        control(new QLabel(QStringLiteral("Freier Speicher:"), this), "freeMemoryLabel", 1359);
    freeMemory_ = control(new QLabel(this), "freeMemory", 1360);
    newRampLabel_ = control(new QLabel(QStringLiteral("&Neue Rampe:"), this), "newRampLabel", 1354);
    newRamp_ = control(new QLineEdit(this), "newRamp", 1355);
    // Digits only, and few enough that no slope of them overflows a word of
    // the directory unnoticed or a frame.
    newRamp_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,7}")), newRamp_));
    newRamp_->setMaxLength(7);
    newRampLabel_->setBuddy(newRamp_);
    neededMemoryLabel_ =
        control(new QLabel(QStringLiteral("...benötigt an\nfreiem Speicher:"), this),
                "neededMemoryLabel", 1356);
    neededMemory_ = control(new QLabel(QStringLiteral("0"), this), "neededMemory", 1358);
    rampsFull_ = control(new QLabel(this), "rampsFull", 1401);
    rampsFull_->hide();

    calculateButton_ =
        control(new QPushButton(QStringLiteral("&Berechnen"), this), "calculateButton", 1);
    calculateButton_->setDefault(true);
    programButton_ =
        control(new QPushButton(QStringLiteral("&Programmieren"), this), "programButton", 1357);
    programButton_->setEnabled(false);
    internalButton_ = control(new QPushButton(QStringLiteral("&Interne Rampen"), this),
                              "internalRampsButton", 1352);
    deleteModeButton_ = control(new QPushButton(QStringLiteral("&Lösche Rampe..."), this),
                                "deleteModeButton", 1353);
    closeButton_ = control(new QPushButton(QStringLiteral("S&chliessen"), this), "closeButton", 2);
    curvesButton_ = control(new QPushButton(this), "curvesButton", -1);
    curvesButton_->setCheckable(true);
    curvePanel_ = new RampCurvePanel(this);
    curvePanel_->hide();

    deleteGroup_ = control(new QGroupBox(this), "deleteGroup", 1380);
    deleteExplanation_ = control(new QLabel(deleteGroup_), "deleteExplanation", 1379);
    deleteButton_ =
        control(new QPushButton(QStringLiteral("&Löschen !"), deleteGroup_), "deleteButton", 1377);
    abortButton_ = control(new QPushButton(QStringLiteral("&Abbruch"), deleteGroup_),
                           "abortDeleteButton", 1378);
    auto* deleteLayout = new QVBoxLayout(deleteGroup_);
    deleteLayout->addWidget(deleteExplanation_);
    deleteLayout->addStretch(1);
    deleteLayout->addWidget(deleteButton_);
    deleteLayout->addWidget(abortButton_);
    deleteGroup_->hide();
    deleteExplanation_->hide();
    deleteButton_->hide();
    abortButton_->hide();

    auto* memory = new QGridLayout;
    memory->addWidget(freeMemoryLabel_, 0, 0);
    memory->addWidget(freeMemory_, 0, 1, Qt::AlignRight);
    memory->addWidget(newRampLabel_, 1, 0);
    memory->addWidget(newRamp_, 1, 1);
    memory->addWidget(neededMemoryLabel_, 2, 0);
    memory->addWidget(neededMemory_, 2, 1, Qt::AlignRight);
    memory->addWidget(rampsFull_, 3, 0, 1, 2);

    auto* right = new QVBoxLayout;
    right->addLayout(memory);
    right->addSpacing(8);
    right->addWidget(calculateButton_);
    right->addWidget(programButton_);
    right->addWidget(internalButton_);
    right->addWidget(deleteModeButton_);
    right->addWidget(deleteGroup_);
    right->addStretch(1);
    right->addWidget(curvesButton_);
    right->addWidget(closeButton_);

    auto* top = new QHBoxLayout(this);
    // The dialog follows its content: the delete-mode text must not leave it
    // stretched afterwards.
    top->setSizeConstraint(QLayout::SetFixedSize);
    top->addWidget(listGroup_);
    top->addLayout(right);
    top->addWidget(curvePanel_);

    connect(calculateButton_, &QPushButton::clicked, this, &CRampenDlg::calculate);
    connect(programButton_, &QPushButton::clicked, this, &CRampenDlg::program);
    connect(internalButton_, &QPushButton::clicked, this, &CRampenDlg::installInternalRamps);
    connect(deleteModeButton_, &QPushButton::clicked, this, &CRampenDlg::enterDeleteMode);
    connect(deleteButton_, &QPushButton::clicked, this, &CRampenDlg::deleteMarked);
    connect(abortButton_, &QPushButton::clicked, this, &CRampenDlg::leaveDeleteMode);
    connect(closeButton_, &QPushButton::clicked, this, &CRampenDlg::closeDialog);
    // A slope typed after the calculation is not the table in the image.
    connect(newRamp_, &QLineEdit::textEdited, this, [this] {
        programButton_->setEnabled(false);
        if (newCurve_.isValid()) {
            newCurve_ = RampCurve{};
            updateCurves();
        }
    });
    connect(curvesButton_, &QPushButton::toggled, this, &CRampenDlg::showCurves);

    setTexts();
}

CRampenDlg::~CRampenDlg() = default;

void CRampenDlg::setTexts() {
    setWindowTitle(Texts::text(10000) + link_.currentAddress() + Texts::text(10164));
    rampsFull_->setText(labelText(10248));
    deleteExplanation_->setText(labelText(10249));
    noRamps_->setText(labelText(10250));
    deleteButton_->setText(Texts::text(10251));
    abortButton_->setText(Texts::text(10259));
    freeMemoryLabel_->setText(labelText(10252));
    newRampLabel_->setText(labelText(10253));
    listGroup_->setTitle(labelText(10254));
    calculateButton_->setText(Texts::text(10255));
    programButton_->setText(Texts::text(10122));
    neededMemoryLabel_->setText(labelText(10256));
    internalButton_->setText(Texts::text(10257));
    deleteModeButton_->setText(Texts::text(10258));
    closeButton_->setText(Texts::text(10030));
    curvesButton_->setText(Texts::text("ramp.curves"));
    curvePanel_->retranslate();
}

void CRampenDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_) {
        started_ = true;
        RefreshRampList();
    }
}

void CRampenDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    UpdateFreeMemory();
}

// --- the list --------------------------------------------------------------

void CRampenDlg::hideRows() {
    model_.clearRows();
    showRows();
}

void CRampenDlg::showRows() {
    for (int i = 0; i < RowCount; ++i) {
        quint32 slope = 0;
        qint32 bytes = 0;
        rowSlope_[i]->setText(model_.slope(i, &slope) ? QString::number(slope) : QString());
        rowBytes_[i]->setText(model_.tableBytes(i, &bytes) ? QString::number(bytes) : QString());
        const bool shown = i < model_.rowCount();
        rowNumber_[i]->setVisible(shown);
        rowSlope_[i]->setVisible(shown);
        rowBytes_[i]->setVisible(shown);
    }
}

void CRampenDlg::setNewRampControlsVisible(bool visible) {
    newRampLabel_->setVisible(visible);
    newRamp_->setVisible(visible);
    neededMemoryLabel_->setVisible(visible);
    neededMemory_->setVisible(visible);
}

void CRampenDlg::RefreshRampList() {
    refreshList(true);
}

void CRampenDlg::refreshList(bool reportFailure) {
    RampListing listing;
    if (!ReadRampListing(link_, op_, &listing, reportFailure))
        return;
    model_.setListing(listing);
    showRows();
    if (listing.count == 0) {
        noRamps_->show();
        UpdateFreeMemory();
        updateCurves();
        return;
    }
    noRamps_->hide();
    full_ = listing.count >= RowCount;
    applyEnabled();
    if (!deleteMode_) {
        setNewRampControlsVisible(!full_);
        rampsFull_->setVisible(full_);
    }
    UpdateFreeMemory();
    updateCurves();
}

void CRampenDlg::UpdateFreeMemory() {
    freeMemory_->setText(QString::number(model_.freeMemory()));
    // The new-ramp field is hidden in delete mode, and the slopes of the
    // survivors pass through it.
    if (deleteMode_)
        return;
    const quint32 suggestion = model_.suggestion();
    if (suggestion == 0)
        return;
    // Only a field the operator has not typed into takes the suggestion.
    if (newRamp_->text().isEmpty() || newRamp_->text() == lastWritten_) {
        lastWritten_ = QString::number(suggestion);
        if (newRamp_->text() != lastWritten_)
            newRamp_->setText(lastWritten_);
    }
}

// --- the buttons ---------------------------------------------------------------

void CRampenDlg::setProgramEnabled(bool enabled) {
    programEnabled_ = enabled;
    // The new ramp's curve lasts as long as its table waits to be programmed.
    if (!enabled)
        newCurve_ = RampCurve{};
    applyEnabled();
}

void CRampenDlg::applyEnabled() {
    const bool idle = !working_;
    calculateButton_->setEnabled(idle && !full_);
    programButton_->setEnabled(idle && programEnabled_);
    for (QPushButton* b :
         {internalButton_, deleteModeButton_, closeButton_, deleteButton_, abortButton_})
        b->setEnabled(idle);
    for (QCheckBox* c : mark_)
        c->setEnabled(idle);
    newRamp_->setReadOnly(!idle);
    curvesButton_->setEnabled(idle);
}

void CRampenDlg::setWorking(bool working) {
    working_ = working;
    applyEnabled();
}

void CRampenDlg::calculate() {
    if (working_)
        return;
    // The field takes digits only; a slope beyond the directory's word is
    // refused by the calculation with its own message.
    const qint64 typed = LeadingDecimal(newRamp_->text());
    const quint32 slope =
        typed < 0 || typed > qint64(RampSlopeLimit) ? RampSlopeLimit : quint32(typed);
    const bool calculated = calculateFor(slope, model_.freeMemory());
    if (calc_.clockHz > 0) {
        clockHz_ = calc_.clockHz;
        clockRead_ = true;
    }
    newCurve_ = RampCurve{};
    if (calculated && calc_.image) {
        // Drawn from the very table that "Programmieren" would write.
        newCurve_ = RampCurveOfImage(*calc_.image, clockHz_);
        newSlope_ = calc_.ramp;
    }
    updateCurves();
}

bool CRampenDlg::calculateFor(quint32 slope, qint64 freeMemory) {
    calc_.topFrequency = model_.topFrequency();
    calc_.ramp = slope;
    calc_.freeMemory = qint32(std::clamp<qint64>(freeMemory, 0, RampMemoryImage::TableSpace));
    const bool calculated = CalculateRamp(calc_);
    if (calculated)
        neededMemory_->setText(QString::number(calc_.bytesNeeded));
    setProgramEnabled(calculated);
    return calculated;
}

void CRampenDlg::program() {
    if (working_)
        return;
    bool programmed = false;
    {
        Working working(*this);
        programmed = ProgramRamp(calc_, true);
        if (programmed)
            RefreshRampList();
    }
    if (programmed)
        op_.inform(10166);
    else
        op_.error(10167);
    setProgramEnabled(false);
    updateCurves();
}

void CRampenDlg::installInternalRamps() {
    if (working_)
        return;
    if (op_.ask(10169, Operator::Buttons::YesNo, Operator::Icon::Warning) != Operator::Answer::Yes)
        return;
    setProgramEnabled(false);
    Working working(*this);
    // Refused or a failed release: nothing was sent. A link failure has been
    // reported already, and a list read over the same link would only report
    // it again. A lost reply to "WA" itself is different: the controller may
    // be installing the ramps all the same, so it gets its time and the list
    // shows afterwards what it holds.
    const RampCommandResult sent = InstallInternalRamps(link_, op_);
    if (sent != RampCommandResult::Done && sent != RampCommandResult::Unanswered)
        return;
    hideRows();
    // The controller computes its ten tables itself; that takes a while.
    CWait wait(op_, this);
    wait.timedMode = true;
    wait.caption = Texts::text(10241);
    wait.text = Texts::text(10242);
    wait.seconds = InternalRampSeconds;
    waitRunner_(wait);
    op_.progressHide(); // the status bar's idle text
    hideRows();
    setProgramEnabled(false);
    RefreshRampList();
}

void CRampenDlg::enterDeleteMode() {
    if (working_ || deleteMode_)
        return;
    int count = 0;
    if (!ReadRampCount(link_, op_, &count))
        return;
    deleteMode_ = true;
    model_.setMarkable(count);
    for (QWidget* w : std::initializer_list<QWidget*>{
             internalButton_, deleteModeButton_, newRampLabel_, newRamp_, neededMemoryLabel_,
             programButton_, neededMemory_, calculateButton_, rampsFull_})
        w->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{deleteButton_, abortButton_,
                                                      deleteExplanation_, deleteGroup_})
        w->show();
    for (int i = 0; i < model_.markableRows(); ++i)
        mark_[i]->show();
}

void CRampenDlg::leaveDeleteMode() {
    if (working_)
        return;
    showNormalMode();
    RefreshRampList();
}

void CRampenDlg::showNormalMode() {
    for (QWidget* w : std::initializer_list<QWidget*>{
             internalButton_, deleteModeButton_, newRampLabel_, newRamp_, neededMemoryLabel_,
             programButton_, neededMemory_, calculateButton_})
        w->show();
    // Marks do not outlive the mode: the free memory shown no longer counts them.
    for (QCheckBox* c : mark_) {
        c->hide();
        c->setChecked(false);
    }
    model_.clearMarks();
    for (QWidget* w : std::initializer_list<QWidget*>{deleteButton_, abortButton_,
                                                      deleteExplanation_, deleteGroup_})
        w->hide();
    deleteMode_ = false;
}

void CRampenDlg::markClicked(int row, bool checked) {
    model_.setMarked(row, checked);
    UpdateFreeMemory();
}

void CRampenDlg::deleteMarked() {
    if (working_ || !deleteMode_)
        return;
    if (!model_.anyMarked())
        return;
    if (op_.ask(10171, Operator::Buttons::YesNo, Operator::Icon::Warning) != Operator::Answer::Yes)
        return;

    bool stoppedEarly = false;
    bool unanswered = false;
    {
        Working working(*this);
        WaitCursor cursor;
        const RampCommandResult erased = EraseRampMemory(link_, op_);
        if (erased == RampCommandResult::Refused || erased == RampCommandResult::LinkFailed)
            return; // nothing sent: delete mode stays
        unanswered = erased == RampCommandResult::Unanswered;
        if (!unanswered)
            stoppedEarly = !reprogramSurvivors();
    }
    if (unanswered) {
        // "WD" went out but the memory was not found erased (or could not be
        // read): whatever it holds now is what the list must show. 10103 has
        // been shown; a failing list read would only repeat it.
        showNormalMode();
        op_.progressHide();
        setProgramEnabled(false);
        refreshList(false);
        return;
    }
    // The controller's memory is erased either way: the list must show what is left.
    if (stoppedEarly) {
        // The failure has been reported: a list read that fails as well must not
        // repeat it.
        op_.error(10167);
        showNormalMode();
        op_.progressHide();
        hideRows();
        setProgramEnabled(false);
        refreshList(false);
        return;
    }
    leaveDeleteMode();
    op_.progressHide();
    hideRows();
    setProgramEnabled(false);
    RefreshRampList();
}

bool CRampenDlg::reprogramSurvivors() {
    // Each survivor fitted before, so it fits the erased memory again.
    model_.setErased();
    UpdateFreeMemory();
    for (int i = 0; i < model_.markableRows(); ++i) {
        if (model_.marked(i))
            continue;
        // The survivor is programmed anew under the next free number.
        quint32 slope = 0;
        model_.slope(i, &slope);
        lastWritten_ = QString::number(slope);
        newRamp_->setText(lastWritten_);
        if (!calculateFor(slope, model_.freeMemory()) || !ProgramRamp(calc_, false))
            return false;
        const bool stored = StoreRampMemory(link_, op_);
        op_.progressHide();
        if (!stored)
            return false;
    }
    return true;
}

void CRampenDlg::closeDialog() {
    if (working_)
        return;
    op_.progressHide(); // the status bar's idle text
    done(QDialog::Rejected);
}

void CRampenDlg::closeEvent(QCloseEvent* event) {
    if (working_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CRampenDlg::reject() {
    if (working_)
        return;
    QDialog::reject();
}
