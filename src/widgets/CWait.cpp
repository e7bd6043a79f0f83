#include "widgets/CWait.h"

#include "base/Operator.h"

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

CWait::CWait(Operator& op, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), op_(op) {
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
        runWork();
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

void CWait::runWork() {
    timer_.stop();
    if (finishing_)
        return;
    finishing_ = true;
    label_->setText(text);
    bar_->setRange(0, workRange);
    bar_->setValue(0);
    // Without work there is nothing done: the run failed.
    finish(work ? work(*this) : 2);
}

void CWait::showItem(int n) {
    label_->setText(text + QString::number(n));
}

void CWait::setProgress(int value) {
    bar_->setValue(value);
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
