#pragma once

// The ramp memory dialog's pane of ramp curves: step frequency over time of
// every listed ramp and of the calculated new one, each computed by the
// program, with the time each takes to its top frequency.

#include "drive/RampCurve.h"

#include <QList>
#include <QWidget>

class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QListWidget;
class QValueAxis;

class RampCurvePanel : public QWidget {
    Q_OBJECT
public:
    struct Entry {
        int number = -1; // ramp number in the controller; -1 for the calculated new ramp
        quint32 slope = 0;
        RampCurve curve;
    };

    explicit RampCurvePanel(QWidget* parent = nullptr);

    // Replaces the curves; the entry with `selected` (an index into entries,
    // or -1) is drawn stronger. topFrequency names the end of the curves.
    void setCurves(const QList<Entry>& entries, qint32 topFrequency, int selected);
    int selected() const { return selected_; }
    void select(int index);
    const QList<Entry>& entries() const { return entries_; }
    // The series drawn for entry i (null for an entry without a curve).
    QLineSeries* series(int index) const;
    QChartView* chartView() const { return view_; }

    void retranslate();

private:
    QString entryText(const Entry& entry) const;
    void applySelection();

    QList<Entry> entries_;
    QList<QLineSeries*> series_;
    qint32 topFrequency_ = 0;
    int selected_ = -1;

    QLabel* note_;
    QChart* chart_;
    QChartView* view_;
    QValueAxis* timeAxis_;
    QValueAxis* frequencyAxis_;
    QListWidget* list_;
};
