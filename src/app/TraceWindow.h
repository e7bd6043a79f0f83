#pragma once

// The live trace of one online panel's axis: a window of its own (not a child
// of the panel area, whose activation would stop the panel's poll) drawing
// the position and speed of the last minute from what the panel's poll reads,
// with the moves started from the panel marked. It sends nothing itself.

#include "axis/AxisTrace.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

class CKormakView;
class Operator;
class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QPushButton;
class QScatterSeries;
class QValueAxis;
class QVBoxLayout;

class TraceWindow : public QWidget {
    Q_OBJECT
public:
    TraceWindow(CKormakView& panel, Operator& op, QWidget* owner);

    // The trace of panel among owner's windows, made on first use.
    static TraceWindow* forPanel(CKormakView& panel, Operator& op, QWidget* owner);

    CKormakView* panel() const { return panel_; }
    const AxisTrace& trace() const { return trace_; }
    QChartView* chartView() const { return view_; }

    // While paused, nothing is recorded and the picture stands still.
    bool paused() const { return paused_; }
    void setPaused(bool paused);
    void clear();
    // Both report a failure to the operator and return false.
    bool saveCsv(const QString& path);
    bool savePng(const QString& path);

    // Where the window goes beside a panel whose frame is panel (global
    // coordinates) on a screen whose free area is screen: right of it, else
    // left, else below, else above - whichever leaves the window the most
    // room, at most preferred, never less than minimum. Where no side has
    // room (a maximised panel window), it goes where it covers none of the
    // first of keepFree that leaves room (the panel's contents, else its Start
    // and Stop). Always within the screen.
    static QRect placeBeside(const QRect& panel, const QList<QRect>& keepFree, const QRect& screen,
                             const QSize& preferred, const QSize& minimum);
    // Places the window beside its panel on the panel's screen.
    void placeBesidePanel();

    // The clock the reads are stamped with, in ms; tests play their own.
    void setClock(std::function<qint64()> clock) { clock_ = std::move(clock); }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr QSize ChartMinimum{260, 200};
    // Lays the buttons out in as few rows as a window this wide allows.
    void arrangeButtons(int width);
    void retranslate();
    void positionPolled(const QString& position, bool running);
    void moveStarted(const QString& position);
    void redraw();
    void timeRunsOn();
    void askAndSaveCsv();
    void askAndSavePng();
    void saveFailed(const QString& error);
    qint64 now() const { return clock_(); }

    QPointer<CKormakView> panel_;
    Operator& op_;
    AxisTrace trace_;
    QElapsedTimer elapsed_;
    std::function<qint64()> clock_;
    QTimer scroll_;
    bool paused_ = false;
    bool placed_ = false;
    qint64 shownUntil_ = 0; // ms at the right edge of the picture

    QLabel* note_;
    QVBoxLayout* buttonRows_;
    QList<int> buttonRowOf_; // each button's row as last arranged
    QChart* chart_;
    QChartView* view_;
    QValueAxis* timeAxis_;
    QValueAxis* positionAxis_;
    QValueAxis* speedAxis_;
    QLineSeries* position_;
    QLineSeries* speed_;
    QScatterSeries* starts_;
    QPushButton* pauseButton_;
    QPushButton* clearButton_;
    QPushButton* saveCsvButton_;
    QPushButton* savePngButton_;
    QPushButton* closeButton_;
};
