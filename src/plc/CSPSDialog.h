// CSPSDialog: the cycle-program (PLC) dialog.
// Procedures: plc/CycleProgram, PlcArea, PlcHandshake, SlotPager. Tests: tests/plc/tst_cspsdialog,
// tst_plcdialogs.
#pragma once

// The cycle-program dialog: the PLC slots of one axis (or of an offline
// file) nine rows at a time, edited, copied, deleted and programmed; each
// row's test move, the stop button, and the hand-run PLC handshake.

#include "plc/CycleProgram.h"
#include "plc/PlcArea.h"
#include "plc/SlotPager.h"

#include <QDialog>
#include <QTimer>
#include <functional>

class Operator;
class PanelContext;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class SerialLink;
class SlotReading;
class StatusLamp;
class CWait;

class CSPSDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int RowCount = SlotPager::RowCount;
    static constexpr int TopMax = SlotPager::TopMax;
    // Result of the offline program button: the panel merges the slots.
    static constexpr int TakeOver = 2;

    using Setup = PlcArea::DialogSetup;

    CSPSDialog(SerialLink& link, Operator& op, const Setup& setup, QWidget* parent = nullptr);
    ~CSPSDialog() override; // gives the axis its values back

    // Reads the area (online) and fills the rows; false when the reading
    // failed or the operator stopped it, and the dialog is not to be used.
    // On a dialog already on screen the reading shows its progress there,
    // with every control but Close locked until it is done.
    bool Initialise();
    // Shows the dialog at once, reads the area in it and then runs it; the
    // dialog's result, Rejected when the reading failed or was stopped.
    int showAndRun();
    // The panel's button: the dialog with the panel's lists and slot lines,
    // on screen before it reads (showAndRun); an offline take-over goes into
    // the panel's configuration. The dialog's result.
    static int run(PanelContext& context);
    // True while the opening reads the area.
    bool reading() const;

    void ShowRows(int top);
    // Writes the rows the operator changed back; false when an offset or run
    // frequency is no number (quiet: the row keeps its edit, nothing shown;
    // otherwise after 10243 with the focus in the field).
    bool CollectRows(bool quiet = false);

    const QStringList& workingSlots() const { return working_.programs; }
    const QStringList& committedSlots() const { return committed_; }
    bool rzhDevice() const { return working_.eightSlots; }
    int topSlot() const;
    int currentSlot() const { return currentSlot_; }
    bool simulationRunning() const;
    QTimer& timer() { return timer_; }
    // Runs the progress window in send mode; tests may replace it.
    using WaitRunner = std::function<int(CWait&)>;
    void setWaitRunner(WaitRunner runner) { waitRunner_ = std::move(runner); }

    // The offline take-over: the edited programs into the configuration's
    // slot lines (and the steps, where a program replaced one).
    void mergeInto(QStringList& slotLines) const;

    void reject() override; // the close check

    // The handlers, public so that tests reach them as a click would.
    void testRow(int r);
    void stopClicked();
    void copyClicked();
    void deleteAllClicked();
    void programClicked();
    void closeClicked();
    void simulationClicked();
    void outputsClicked();
    void SimulationTick();
    void scrollTo(int top);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Row {
        QLabel* slot = nullptr;
        QComboBox* kind = nullptr;
        QLineEdit* target = nullptr;
        QComboBox* offset = nullptr;
        QComboBox* run = nullptr;
        QComboBox* ramp = nullptr;
        QPushButton* test = nullptr;
        bool changed = false;     // the operator touched the row since ShowRows
        bool rampChanged = false; // ... its ramp list
        QString storedRamp;       // the " PN" part of the text it shows
    };

    void buildControls();
    void setTexts();
    void kindChosen(int r, int kind);
    void showKindControls(Row& row, int kind);
    CycleProgram::Row rowValues(const Row& row) const;
    int slotOf(int r) const;
    // The slot holds no program but a step of the extended sequence.
    bool takenByStep(int slot) const;
    int rowOf(int slot) const;
    // Checks the targets of every changed program; false after 10243 with the
    // focus in the field.
    bool targetsValid();
    bool targetValid(const QString& target) const;
    void showTargetError(QLineEdit* field);
    void stopSimulation(bool sendOutputs);
    void setTestButtons(int enabledRow); // -1: none, -2: all
    bool online() const { return !setup_.offline; }
    QString send(const QString& command);
    void showPosition(const QString& position, const QString& status);

    SerialLink& link_;
    Operator& op_;
    Setup setup_;
    PlcArea::Slots working_;
    QStringList committed_ = QStringList(PlcArea::SlotCount);
    QStringList restore_;
    int currentSlot_ = 0;
    bool filling_ = false;
    bool initialised_ = false;
    bool timeoutShown_ = false;
    bool stepsReplaced_ = false;
    QTimer timer_;
    WaitRunner waitRunner_;

    Row rows_[RowCount];
    QScrollBar* scroll_ = nullptr;
    QLabel* headings_[5] = {};
    QPushButton* copyButton_ = nullptr;
    QPushButton* programButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QLabel* positionHeading_ = nullptr;
    QLabel* position_ = nullptr;
    QLabel* status_ = nullptr;
    QGroupBox* simulation_ = nullptr;
    StatusLamp* inputLamps_[4] = {};
    StatusLamp* programLamps_[8] = {};
    QList<QLabel*> lampLabels_;
    QCheckBox* ready_ = nullptr;
    QCheckBox* error_ = nullptr;
    QPushButton* simulationButton_ = nullptr;
    QLabel* programNumber_ = nullptr;
    SlotReading* reading_ = nullptr;
    SlotPager* pager_ = nullptr;
};
