// CWait: the progress window. Its PLC send: drive/PlcSend.
// Tests: tests/widgets/tst_cwait, tests/drive/tst_plcsend.
#pragma once

#include <QBasicTimer>
#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;
class Operator;

// The progress window: a caption, one line of text and a bar, no buttons.
// Timed mode counts seconds while the controller carries out something long
// and closes by itself with 1; work mode runs the caller's work once the window
// shows (the PLC area's sending, see drive/PlcSend), which names each item as
// it goes and moves the bar, and closes with the code the work returns. The
// caller sets the fields between construction and exec(); one object serves
// one run.
class CWait : public QDialog {
    Q_OBJECT
public:
    explicit CWait(Operator& op, QWidget* parent = nullptr);
    ~CWait() override;

    bool timedMode = true;
    QString caption;
    QString text;
    int seconds = 0; // timed mode: duration and bar range
    // Work mode: the work and the bar's range (0..workRange).
    std::function<int(CWait&)> work;
    int workRange = 255;
    // For the work: the text followed by the item now going out, and the bar.
    void showItem(int n);
    void setProgress(int value);

    // The length of one counted second; only tests shorten it.
    void setSecondMs(int ms) { secondMs_ = ms; }
    int ticks() const { return ticks_; }

    // The window closes itself; the operator cannot cut a run short.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void start();
    void tick();
    void runWork();
    void finish(int code);

    Operator& op_;
    QLabel* label_;
    QProgressBar* bar_;
    QBasicTimer timer_;
    int ticks_ = 0;
    int secondMs_ = 1000;
    bool started_ = false;
    bool finishing_ = false;
};
