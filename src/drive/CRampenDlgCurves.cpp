// The ramp memory dialog's pane of curves: shown on demand, fed from the
// listed slopes and the calculated table.
#include "drive/CRampenDlg.h"

#include "drive/RampCurvePanel.h"
#include "drive/RampMemory.h"

#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

void CRampenDlg::showCurves(bool show) {
    if (curvesButton_->isChecked() != show) {
        curvesButton_->setChecked(show); // comes back here through toggled
        return;
    }
    if (show && !clockRead_ && !working_) {
        // The clock gives the step timer's rate: read once, when first needed.
        clockRead_ = ReadRampClock(link_, op_, &clockHz_);
    }
    curvePanel_->setVisible(show);
    updateCurves();
    if (show)
        keepOnScreen();
}

void CRampenDlg::keepOnScreen() {
    // The pane widens the dialog to the right: it moves left (and up) as far
    // as needed to stay on its screen.
    layout()->activate();
    adjustSize();
    const QScreen* s = screen();
    if (!s || !isVisible())
        return;
    const QRect room = s->availableGeometry();
    const QRect frame = frameGeometry();
    QPoint to = pos();
    if (frame.right() > room.right())
        to.rx() -= std::min(frame.right() - room.right(), frame.left() - room.left());
    if (frame.bottom() > room.bottom())
        to.ry() -= std::min(frame.bottom() - room.bottom(), frame.top() - room.top());
    if (to != pos())
        move(to);
}

void CRampenDlg::updateCurves() {
    if (curvePanel_->isHidden())
        return;
    QList<RampCurvePanel::Entry> entries;
    for (int i = 0; i < model_.rowCount(); ++i) {
        RampCurvePanel::Entry e;
        e.number = i;
        quint32 slope = 0;
        model_.slope(i, &slope);
        e.slope = qMin(slope, RampSlopeLimit);
        // The controller wrote its internal ramps itself; what is drawn is the
        // table this program computes for the same slope.
        if (clockRead_)
            e.curve = ComputeRampCurve(clockHz_, model_.topFrequency(), e.slope);
        entries << e;
    }
    int selected = curvePanel_->selected();
    if (newCurve_.isValid()) {
        RampCurvePanel::Entry e;
        e.slope = newSlope_;
        e.curve = newCurve_;
        entries << e;
        selected = int(entries.size()) - 1;
    } else if (selected >= int(entries.size()) ||
               (selected >= 0 && curvePanel_->entries().value(selected).number < 0)) {
        selected = -1;
    }
    curvePanel_->setCurves(entries, model_.topFrequency(), selected);
}
