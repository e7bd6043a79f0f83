#pragma once

// The window of nine rows over the 256 PLC slots that both PLC dialogs page
// through: the scroll bar and the wheel, copy to the end, delete-all and the
// close check. Whatever redraws the rows collects the operator's edits first.

#include <QObject>
#include <QStringList>
#include <functional>

class Operator;
class QComboBox;
class QScrollBar;
class QWheelEvent;
class QWidget;

class SlotPager : public QObject {
    Q_OBJECT
public:
    static constexpr int RowCount = 9;
    static constexpr int TopMax = 247;

    // What the dialog does for the pager.
    struct Rows {
        // Writes the rows the operator changed into the slots. False when a
        // row's edit cannot be collected: quiet, the row keeps its edit and
        // nothing is shown; otherwise after a message, with the focus in the
        // field.
        std::function<bool(bool quiet)> collect;
        // Fills the nine rows from slot `top` and clears their change marks.
        std::function<void(int top)> show;
        // Clears the rows' change marks: their edits are thrown away.
        std::function<void()> forget;
        // The highest first slot (0 on an eight-slot axis).
        std::function<int()> topMax;
    };

    // The rows' scroll bar ("scroll"): one line per step, a page of eight,
    // the first slot from 0 to TopMax.
    static QScrollBar* makeScrollBar(QWidget* parent);

    // `slotTexts` is the dialog's working list of slot texts.
    SlotPager(QScrollBar* scroll, QStringList& slotTexts, Rows rows, QObject* parent = nullptr);

    // The wheel over the control scrolls the rows and never changes its value.
    void watch(QWidget* control);
    // One line per wheel message, up for a positive delta; nothing while the
    // scroll bar is disabled.
    void wheel(QWheelEvent* event);

    int top() const { return top_; }
    // The slot a row shows, -1 for a slot not on show.
    int rowOf(int slot) const;

    // Collects the rows, then shows them from `top` with the scroll bar
    // following. False, with nothing moved, when an edit cannot be collected.
    bool scrollTo(int top, bool quiet = false);
    // Shows the rows from `top` without moving the scroll bar (the
    // simulation's view of a program). Collects quietly first: false, with
    // the rows left as they are, when an edit cannot be collected.
    bool redraw(int top);
    // Delete-all: the rows' edits are dropped and the rows show slot 0.
    void resetToTop();
    // Copies slot `current` into every slot from it up to `last` (exclusive),
    // bringing it into view first; false when the rows could not be collected.
    bool copyToEnd(int current, int last);
    // The close check: collects, and asks before edits not programmed are
    // dropped; true when the dialog may close.
    bool mayClose(Operator& op, const QStringList& committed);
    // Before a row's kind list takes a slot that holds the other dialog's kind
    // of program: asks `question`. On No the list shows no choice again (with
    // `filling` set meanwhile, so the dialog takes it for no choice of the
    // operator's) and false comes back.
    static bool mayTakeSlot(Operator& op, QComboBox* kind, bool& filling, const QString& question);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QScrollBar* scroll_;
    QStringList& slots_;
    Rows rows_;
    int top_ = 0;
    int shown_ = 0;
};
