// CReset: the reset dialog.
// Procedures: drive/OverallStatus. Tests: tests/drive/tst_overallstatus.
#pragma once

// The reset dialog of the axis panel: the five resets without the status
// display. Closing with SystemResetCode asks the panel for the whole-system
// reset, which the panel runs itself (RunSystemReset) and then reads the axis
// again.

#include <QDialog>
#include <functional>

class CWait;
class Operator;
class PanelContext;
class QCheckBox;
class QPushButton;
class SerialLink;
class QWidget;

// Runs the progress window; tests shorten its seconds.
using WaitRunner = std::function<int(CWait&)>;

// "CR", then the timed progress window while the axis restarts, holding the
// busy state throughout. False when "CR" could not be sent (the message was
// shown). The caller reads the axis configuration again afterwards.
bool RunSystemReset(SerialLink& link, Operator& op, QWidget* parent, const WaitRunner& runner = {});

class CReset : public QDialog {
    Q_OBJECT
public:
    static constexpr int SystemResetCode = 3;
    CReset(SerialLink& link, Operator& op, QWidget* parent = nullptr);

    // The panel's reset button: the dialog modally; closed with
    // SystemResetCode, the panel stops polling, the whole system is reset
    // and, once "CR" went out, the panel reads the axis again. The dialog's
    // result.
    static int run(PanelContext& context);

private:
    void resetClicked();

    SerialLink& link_;
    Operator& op_;
    QCheckBox* boxes_[5] = {};
    QPushButton* resetButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};
