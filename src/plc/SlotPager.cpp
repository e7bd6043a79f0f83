#include "plc/SlotPager.h"

#include "base/MessageIds.h"
#include "base/Operator.h"

#include <QComboBox>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>

QScrollBar* SlotPager::makeScrollBar(QWidget* parent) {
    auto* scroll = new QScrollBar(Qt::Vertical, parent);
    scroll->setObjectName(QStringLiteral("scroll"));
    scroll->setRange(0, TopMax);
    scroll->setPageStep(RowCount - 1);
    return scroll;
}

SlotPager::SlotPager(QScrollBar* scroll, QStringList& slotTexts, Rows rows, QObject* parent)
    : QObject(parent), scroll_(scroll), slots_(slotTexts), rows_(std::move(rows)) {}

void SlotPager::watch(QWidget* control) {
    control->installEventFilter(this);
}

bool SlotPager::eventFilter(QObject* watched, QEvent* event) {
    // A wheel turned over a row's list would pick another kind or value under
    // the pointer: over a row it scrolls, and the control never sees it.
    if (event->type() == QEvent::Wheel) {
        wheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void SlotPager::wheel(QWheelEvent* event) {
    event->accept();
    if (!scroll_->isEnabled())
        return;
    const int delta = event->angleDelta().y();
    if (delta != 0)
        scrollTo(top_ + (delta > 0 ? -1 : 1));
}

int SlotPager::rowOf(int slot) const {
    const int r = slot - shown_;
    return r >= 0 && r < RowCount ? r : -1;
}

bool SlotPager::scrollTo(int top, bool quiet) {
    const int topMax = rows_.topMax ? rows_.topMax() : TopMax;
    if (!rows_.collect(quiet)) {
        // The scroll bar goes back to the rows still on show.
        const QSignalBlocker block(scroll_);
        scroll_->setValue(top_);
        return false;
    }
    top_ = qBound(0, top, topMax);
    {
        const QSignalBlocker block(scroll_);
        scroll_->setValue(top_);
    }
    shown_ = top_;
    rows_.show(top_);
    return true;
}

bool SlotPager::redraw(int top) {
    if (!rows_.collect(true))
        return false;
    shown_ = qBound(0, top, TopMax);
    rows_.show(shown_);
    return true;
}

void SlotPager::resetToTop() {
    rows_.forget();
    top_ = 0;
    {
        const QSignalBlocker block(scroll_);
        scroll_->setValue(0);
    }
    shown_ = 0;
    rows_.show(0);
}

bool SlotPager::copyToEnd(int current, int last) {
    if (!rows_.collect(false))
        return false;
    // A current slot out of view is scrolled to, so that the scroll bar and
    // the next scroll step go on from the rows on show.
    if (rowOf(current) < 0)
        scrollTo(qMin(current, TopMax));
    for (int k = current; k < last && k < slots_.size(); ++k)
        slots_[k] = slots_.at(current);
    shown_ = top_;
    rows_.show(top_);
    return true;
}

bool SlotPager::mayClose(Operator& op, const QStringList& committed) {
    if (!rows_.collect(false))
        return false;
    return slots_ == committed || op.ask(MessageId::ChangedQuestion, Operator::Buttons::YesNo,
                                         Operator::Icon::Question) == Operator::Answer::Yes;
}

bool SlotPager::mayTakeSlot(Operator& op, QComboBox* kind, bool& filling, const QString& question) {
    if (op.show({0, question, 0, Operator::Icon::Question, Operator::Buttons::YesNo}) ==
        Operator::Answer::Yes)
        return true;
    filling = true;
    kind->setCurrentIndex(-1);
    filling = false;
    return false;
}
