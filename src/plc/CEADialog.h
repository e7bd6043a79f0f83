// CEADialog: the I/O card dialog.
// Procedures: plc/IoCard. Tests: tests/plc/tst_eadialog.
#pragma once

// The I/O card dialog: twelve input lamps refreshed four times a second, six
// outputs switched from check boxes.

#include <QBasicTimer>
#include <QDialog>

class Operator;
class PanelContext;
class QCheckBox;
class QLabel;
class SerialLink;
class StatusLamp;

class CEADialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int RefreshMs = 250;

    // The panel's button: asks the axis for the card and runs the dialog when
    // it has one ("Not Supported" when it has none, 10103 when it did not
    // answer). The dialog's result, Rejected when it did not open.
    static int run(PanelContext& context);
    // The same on the link alone; returns whether the dialog ran.
    static bool run(SerialLink& link, Operator& op, QWidget* parent = nullptr);

    CEADialog(SerialLink& link, Operator& op, QWidget* parent = nullptr);
    // Captions, the family's controls and the outputs as the card has them;
    // starts the refresh. False (after 10103) when the outputs could not be
    // read: the dialog must then not open.
    bool initialise();
    bool refreshing() const { return timer_.isActive(); }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    // Asks for the card and runs the dialog when it has one; whether it ran,
    // and its result in *result.
    static bool openIfPresent(SerialLink& link, Operator& op, QWidget* parent, int* result);
    void refreshInputs();
    void outputClicked();

    SerialLink& link_;
    Operator& op_;
    QBasicTimer timer_;
    StatusLamp* inputs_[4] = {}; // STROBE, ENABLE, CLEAR, RESET
    QLabel* inputLabels_[4] = {};
    StatusLamp* programs_[8] = {}; // PROG0..PROG7
    QCheckBox* outputs_[6] = {};   // READY, ERROR, Output 2..5
};
