// CRampenDlg: the ramp memory dialog.
// Procedures: drive/RampMemoryModel, RampMemory, RampCalculation. Tests: tests/drive/tst_rampendlg,
// tst_rampmemorymodel.
#pragma once

#include "drive/RampCalculation.h"
#include "drive/RampCurve.h"
#include "drive/RampMemoryModel.h"

#include <QDialog>
#include <functional>

class CWait;
class Operator;
class PanelContext;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RampCurvePanel;
class SerialLink;

// The ramp memory dialog: the ramps programmed in the current axis with their
// table sizes, the free ramp memory, one new ramp to compute and program, the
// controller's internal ramps, and deleting ramps (the survivors are
// programmed anew). All commands go to the axis in the link's current address.
// What it lists is held in a RampMemoryModel; the dialog shows the model.
class CRampenDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int RowCount = 16;

    CRampenDlg(SerialLink& link, Operator& op, QWidget* parent = nullptr);
    ~CRampenDlg() override;

    // The panel's ramps button: the dialog modally, then the panel reads its
    // configuration again, so that its ramp list follows what is now
    // programmed. The dialog's result.
    static int run(PanelContext& context);

    // Reads the list from the controller and shows it (also run when the
    // dialog opens).
    void RefreshRampList();
    // Shows the model's free memory and, outside delete mode, offers its
    // suggested slope.
    void UpdateFreeMemory();

    bool deleteMode() const { return deleteMode_; }
    bool working() const { return working_; }
    qint32 topFrequency() const { return model_.topFrequency(); }
    // The pane of ramp curves, hidden until the operator asks for it.
    RampCurvePanel* curvePanel() const { return curvePanel_; }
    void showCurves(bool show);

    // Runs the timed progress window while the internal ramps are installed;
    // tests shorten it.
    using WaitRunner = std::function<int(CWait&)>;
    void setWaitRunner(WaitRunner runner) { waitRunner_ = std::move(runner); }

    // Closing is ignored while the dialog programs or deletes.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class Working;
    void setTexts();
    void calculate();
    // Calculates the table for slope into the free memory given and shows
    // what it needs; the program button follows the outcome.
    bool calculateFor(quint32 slope, qint64 freeMemory);
    void setProgramEnabled(bool enabled);
    // The model's rows on screen.
    void showRows();
    void program();
    void installInternalRamps();
    void enterDeleteMode();
    void leaveDeleteMode();
    void deleteMarked();
    // Programs the unmarked rows anew into the erased memory; false when one failed.
    bool reprogramSurvivors();
    void markClicked(int row, bool checked);
    void closeDialog();
    void hideRows();
    void refreshList(bool reportFailure);
    void setWorking(bool working);
    void setNewRampControlsVisible(bool visible);
    void showNormalMode();
    void applyEnabled();
    // Recomputes the pane's curves from the shown rows and the new ramp's table.
    void updateCurves();
    void keepOnScreen();

    SerialLink& link_;
    Operator& op_;
    RampCalculation calc_;
    RampMemoryModel model_;
    WaitRunner waitRunner_;
    bool started_ = false;
    bool deleteMode_ = false;
    bool working_ = false;
    bool full_ = false;           // sixteen ramps: nothing more to calculate
    bool programEnabled_ = false; // a calculated table waits to be programmed
    QString lastWritten_;         // what the dialog itself last put into the new-ramp field
    qint32 clockHz_ = 0;          // "IQ?", once read by the pane or a calculation
    bool clockRead_ = false;
    RampCurve newCurve_; // the calculated new ramp's table, while it waits
    quint32 newSlope_ = 0;

    QGroupBox* listGroup_;
    QLabel* rowNumber_[RowCount];
    QLabel* rowSlope_[RowCount];
    QLabel* rowBytes_[RowCount];
    QCheckBox* mark_[RowCount];
    QLabel* noRamps_;
    QLabel* rampsFull_;
    QLabel* freeMemoryLabel_;
    QLabel* freeMemory_;
    QLabel* newRampLabel_;
    QLineEdit* newRamp_;
    QLabel* neededMemoryLabel_;
    QLabel* neededMemory_;
    QPushButton* calculateButton_;
    QPushButton* programButton_;
    QPushButton* internalButton_;
    QPushButton* deleteModeButton_;
    QPushButton* curvesButton_;
    RampCurvePanel* curvePanel_;
    QPushButton* closeButton_;
    QGroupBox* deleteGroup_;
    QLabel* deleteExplanation_;
    QPushButton* deleteButton_;
    QPushButton* abortButton_;
};
