#pragma once

#include "drive/ProgramPlcArea.h"
#include "link/DeviceFamily.h"

#include <QBasicTimer>
#include <QDialog>
#include <QStringList>

class QLabel;
class QProgressBar;
class Operator;
class SerialLink;

// The progress window: a caption, one line of text and a bar, no buttons.
// Timed mode counts seconds while the controller carries out something long
// and closes by itself; send mode writes the PLC slot texts (ProgramPlcArea)
// and closes with 1 when everything was written, 2 otherwise. The caller sets
// the fields between construction and exec(); one object serves one run.
class CWait : public QDialog {
    Q_OBJECT
public:
    explicit CWait(Operator& op, SerialLink* link = nullptr, QWidget* parent = nullptr);
    ~CWait() override;

    bool timedMode = true;
    QString caption;
    QString text;
    // Send mode: slot 0..255, empty = not written.
    QStringList slotTexts = QStringList(PlcSlotCount);
    int seconds = 0;         // timed mode: duration and bar range
    bool eightSlots = false; // send mode: "WU" and slots 0..7
    // Send mode: each written slot is read back (on unless a caller turns it
    // off); after the run, the slots refused or not held as sent.
    PlcAreaCheck check = {true, {}, {}};

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
    void sendSlots();
    void finish(int code);

    Operator& op_;
    SerialLink* link_;
    QLabel* label_;
    QProgressBar* bar_;
    QBasicTimer timer_;
    int ticks_ = 0;
    int secondMs_ = 1000;
    bool started_ = false;
    bool finishing_ = false;
};
