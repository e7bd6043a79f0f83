// CGesamtStatus: the overall status dialog.
// Procedures: drive/OverallStatus. Tests: tests/drive/tst_overallstatus.
#pragma once

// The overall status dialog: the controller's 32-bit status as 23 lamps, the
// status, BIOS, system and date codes, and the five resets.

#include "drive/CReset.h"

#include <QDialog>

class Operator;
class PanelContext;
class QCheckBox;
class QLabel;
class QPushButton;
class SerialLink;
class StatusLamp;

class CGesamtStatus : public QDialog {
    Q_OBJECT
public:
    CGesamtStatus(SerialLink& link, Operator& op, QWidget* parent = nullptr);

    // The panel's status button: the dialog modally; after a whole-system
    // reset from it the panel reads the axis again. The dialog's result.
    static int run(PanelContext& context);

    // Set once the whole-system reset ran: the panel reads the axis again
    // after the dialog has closed.
    bool systemResetDone = false;

    void setWaitRunner(WaitRunner runner) { waitRunner_ = std::move(runner); }
    void RefreshOverallStatus();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void boxClicked();
    void actionClicked();
    bool performResets();
    // Lamps hatched and the notice shown: the port is gone.
    void showNotCurrent();

    SerialLink& link_;
    Operator& op_;
    WaitRunner waitRunner_;
    bool refreshed_ = false;
    QList<StatusLamp*> lamps_;
    QLabel* codeLines_[4] = {};
    QCheckBox* boxes_[5] = {};
    QLabel* linkState_ = nullptr;
    QPushButton* actionButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};
