#include "drive/CWait.h"

#include "base/Operator.h"
#include "drive/ProgramPlcArea.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimerEvent>
#include <QVBoxLayout>

namespace {
constexpr int SendDelayMs = 100;
constexpr int CloseDelayMs = 200;
} // namespace

CWait::CWait(Operator& op, SerialLink* link, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), op_(op),
      link_(link) {
    setObjectName(QStringLiteral("CWait"));
    setModal(true);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("text"));
    label_->setProperty("controlId", 1108);
    label_->setMinimumWidth(320);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("progress"));
    bar_->setProperty("controlId", 1107);
    bar_->setTextVisible(false);
    bar_->setRange(0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(bar_);
}

CWait::~CWait() = default;

void CWait::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Started from the event loop, so that closing at once also ends exec().
    if (!started_) {
        started_ = true;
        QMetaObject::invokeMethod(this, &CWait::start, Qt::QueuedConnection);
    }
}

void CWait::start() {
    setWindowTitle(caption);
    if (timedMode) {
        bar_->setRange(0, qMax(seconds, 0));
        bar_->setValue(0);
        label_->setText(text);
        // Nothing to count: a wait of no time is over at once.
        if (seconds <= 0) {
            finish(1);
            return;
        }
        timer_.start(secondMs_, Qt::PreciseTimer, this);
    } else {
        timer_.start(SendDelayMs, this);
    }
}

void CWait::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) {
        QDialog::timerEvent(event);
        return;
    }
    if (timedMode)
        tick();
    else
        sendSlots();
}

void CWait::tick() {
    if (finishing_)
        return;
    ++ticks_;
    bar_->setValue(qMin(ticks_, bar_->maximum()));
    if (ticks_ >= seconds) {
        finishing_ = true;
        timer_.stop();
        op_.wait(CloseDelayMs);
        finish(1);
    }
}

void CWait::sendSlots() {
    timer_.stop();
    if (finishing_)
        return;
    finishing_ = true;
    label_->setText(text);
    bar_->setRange(0, 255);
    bar_->setValue(0);
    if (!link_) {
        finish(PlcAreaFailed);
        return;
    }
    PlcAreaProgress progress;
    progress.sending = [this](int slot) { label_->setText(text + QString::number(slot)); };
    progress.done = [this](int slot) { bar_->setValue(slot); };
    finish(ProgramPlcArea(*link_, op_, slotTexts, eightSlots, progress, &check));
}

void CWait::finish(int code) {
    finishing_ = true;
    timer_.stop();
    done(code);
}

// The window closes itself; the operator cannot cut a run short.
void CWait::closeEvent(QCloseEvent* event) {
    if (!finishing_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void CWait::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CWait::reject() {}
