// CDlgSPSErweitert: the extended-sequence (step) dialog.
// Procedures: plc/ExtendedStep, SequenceArea, SlotPager. Tests: tests/plc/tst_sequencedialog,
// tst_plcdialogs.
#pragma once

// The extended-sequence dialog: the steps of one axis's PLC area (or of an
// offline file) nine rows at a time, edited, copied, deleted, programmed and
// run step by step on the axis with the executing row highlighted.

#include "plc/ExtendedStep.h"
#include "plc/PlcArea.h"
#include "plc/SlotPager.h"

#include <QDialog>
#include <functional>

class CWait;
class Operator;
class PanelContext;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class SerialLink;
class SlotReading;

class CDlgSPSErweitert : public QDialog {
    Q_OBJECT
public:
    static constexpr int RowCount = SlotPager::RowCount;
    static constexpr int TopMax = SlotPager::TopMax;
    // Result of the offline program button: the panel merges the steps.
    static constexpr int TakeOver = 2;

    using Setup = PlcArea::DialogSetup;

    CDlgSPSErweitert(SerialLink& link, Operator& op, const Setup& setup, QWidget* parent = nullptr);
    ~CDlgSPSErweitert() override; // gives the axis its values back

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
    // Writes the rows the operator changed back; false when a value is no
    // number or a jump target is out of range (quiet: the row keeps its
    // edit, nothing shown; otherwise after a message, with the focus in the
    // field).
    bool CollectRows(bool quiet = false);

    const QStringList& workingSlots() const { return working_.extendedSteps; }
    const QStringList& committedSlots() const { return committed_; }
    const QStringList& currentValueList() const { return currentValues_; }
    const QString& deviceType() const { return deviceType_; }
    int topSlot() const;
    int currentSlot() const { return currentSlot_; }
    int executingRow() const { return executingRow_; }
    bool testRunning() const { return running_; }

    // Runs the progress window in send mode; tests may replace it.
    using WaitRunner = std::function<int(CWait&)>;
    void setWaitRunner(WaitRunner runner) { waitRunner_ = std::move(runner); }
    // The clock of the test run's pauses (ms); tests may replace it.
    void setClock(std::function<qint64()> clock) { clock_ = std::move(clock); }

    // The offline take-over: the edited steps into the configuration's slot
    // lines (and the programs, where a step replaced one).
    void mergeInto(QStringList& slotLines) const;

    void reject() override; // the close check

    // The handlers, public so that tests reach them as a click would.
    void copyClicked();
    void deleteAllClicked();
    void programClicked();
    void closeClicked();
    void stopClicked();
    void testClicked(); // the Test button changed its state
    void scrollTo(int top);
    void kindChosen(int r, int kind);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Row {
        QLabel* slot = nullptr;
        QComboBox* kind = nullptr;
        QComboBox* list = nullptr;
        QLineEdit* edit = nullptr;
        bool changed = false; // the operator touched the row since ShowRows
        int shownKind = -1;   // the kind its controls hold
        ExtendedStep::Group loaded = ExtendedStep::Group::None; // what its list holds
    };

    void buildControls(); // CDlgSPSErweitertLayout.cpp
    void setTexts();
    int slotOf(int r) const;
    // The slot holds no step but a cycle program.
    bool takenByProgram(int slot) const;
    int rowOf(int slot) const;
    void fillList(Row& row, ExtendedStep::Group group);
    void showValue(Row& row, const ExtendedStep::Row& v);
    ExtendedStep::Row rowValues(const Row& row) const;
    // The row's controls read as a step of `kind`.
    ExtendedStep::Row rowValues(const Row& row, int kind) const;
    void runTest();
    void showExecuting(int slot);
    void markExecutingRow();
    void setRunning(bool running);
    void showPosition(const QString& position, const QString& status);
    bool online() const { return !setup_.offline; }
    bool amperes() const { return ExtendedStep::amperesFor(deviceType_); }

    SerialLink& link_;
    Operator& op_;
    Setup setup_;
    PlcArea::Slots working_;
    QStringList committed_ = QStringList(PlcArea::SlotCount);
    QStringList restore_;
    QString deviceType_;
    QStringList currentValues_;
    int previousTop_ = 0;
    int currentSlot_ = 0;
    int executingRow_ = -1;
    bool refill_ = false;
    bool filling_ = false;
    bool initialised_ = false;
    bool running_ = false;
    bool programsReplaced_ = false;
    bool moved_ = false; // a test run moved the motor: its counter stays
    WaitRunner waitRunner_;
    std::function<qint64()> clock_;

    Row rows_[RowCount];
    QScrollBar* scroll_ = nullptr;
    QLabel* slotHeading_ = nullptr;
    QLabel* kindHeading_ = nullptr;
    QPushButton* programButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QPushButton* testButton_ = nullptr;
    QLabel* positionHeading_ = nullptr;
    QLabel* position_ = nullptr;
    QLabel* status_ = nullptr;
    SlotReading* reading_ = nullptr;
    SlotPager* pager_ = nullptr;
};
