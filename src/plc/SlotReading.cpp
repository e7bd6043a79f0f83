#include "plc/SlotReading.h"
#include "base/MessageIds.h"

#include "base/Texts.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

namespace {} // namespace

SlotReading::SlotReading(QWidget* dialog, QWidget* keep)
    : QWidget(dialog), dialog_(dialog), keep_(keep) {
    setObjectName(QStringLiteral("slotReading"));
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(0, 0, 0, 0);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("readingText"));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("readingProgress"));
    bar_->setFormat(QStringLiteral("%v / %m"));
    line->addWidget(label_);
    line->addWidget(bar_, 1);
    // Keeps its room when hidden, so that the rows do not move when the
    // reading ends.
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
    hide();
}

void SlotReading::begin() {
    cancelled_ = false;
    active_ = true;
    label_->setText(Texts::text(MessageId::ReadingSlots));
    bar_->setRange(0, 0);
    bar_->setValue(0);
    locked_.clear();
    const QList<QWidget*> children = dialog_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* w : children) {
        // A control its dialog disabled stays so; only what is locked here
        // is unlocked at the end.
        if (w == this || w == keep_ || w->isWindow() || w->testAttribute(Qt::WA_ForceDisabled))
            continue;
        w->setEnabled(false);
        locked_ << w;
    }
    show();
    // Arrow and hourglass: the dialog still takes its Close.
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

bool SlotReading::step(int read, int count) {
    if (bar_->maximum() != count)
        bar_->setRange(0, count);
    bar_->setValue(read);
    // The status bar's progress puts up the wait cursor over this one.
    QApplication::changeOverrideCursor(Qt::BusyCursor);
    return !cancelled_;
}

void SlotReading::end() {
    if (!active_)
        return;
    active_ = false;
    QApplication::restoreOverrideCursor();
    for (const QPointer<QWidget>& w : std::as_const(locked_))
        if (w)
            w->setEnabled(true);
    locked_.clear();
    hide();
}

int SlotReading::showReadAndRun(QDialog& dialog, const std::function<bool()>& read) {
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    if (!read()) {
        dialog.hide();
        return QDialog::Rejected;
    }
    return dialog.exec();
}
