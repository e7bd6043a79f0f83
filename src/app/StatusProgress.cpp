#include "app/StatusProgress.h"

#include "base/Texts.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <QStatusBar>

namespace {
constexpr int ReadyText = 57345;
}

StatusProgress::StatusProgress(QStatusBar* bar) : bar_(bar) {
    messagePane_ = new QLabel(bar);
    messagePane_->setObjectName(QStringLiteral("messagePane"));
    // At least 300 wide; a longer progress text (the ramp number behind its
    // blanks) widens it rather than being cut off.
    messagePane_->setMinimumWidth(300);
    progressPane_ = new QLabel(bar);
    progressPane_->setObjectName(QStringLiteral("progressPane"));
    progressPane_->setFixedWidth(197);
    bar->addWidget(messagePane_);
    bar->addWidget(progressPane_);
    bar->addWidget(new QLabel(bar), 1);
    messagePane_->setText(Texts::text(ReadyText));
}

void StatusProgress::show(const QString& text, int range, int step) {
    bar_->clearMessage();
    messagePane_->setText(text);
    if (!progress_) {
        progress_ = new QProgressBar(bar_);
        progress_->setObjectName(QStringLiteral("statusProgress"));
        progress_->setTextVisible(false);
    }
    progress_->setRange(0, qMax(range, 0));
    progress_->setValue(0);
    step_ = step;
    if (bar_->layout())
        bar_->layout()->activate();
    progress_->setGeometry(progressPane_->geometry());
    progress_->show();
    if (cursorDepth_++ == 0)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void StatusProgress::step() {
    if (progress_)
        progress_->setValue(qMin(progress_->value() + step_, progress_->maximum()));
}

void StatusProgress::hide() {
    delete progress_;
    progress_ = nullptr;
    messagePane_->setText(Texts::text(ReadyText));
    while (cursorDepth_ > 0) {
        --cursorDepth_;
        QApplication::restoreOverrideCursor();
    }
}

QString StatusProgress::text() const {
    return messagePane_->text();
}

void StatusProgress::showMessage(const QString& text) {
    if (!progress_)
        messagePane_->setText(text.isEmpty() ? Texts::text(ReadyText) : text);
}

void StatusProgress::retranslate() {
    if (!progress_)
        messagePane_->setText(Texts::text(ReadyText));
}
