// CKormakView: the axis panel.
// Procedures: axis/PanelCommands, AxisReading, StatusPolling, link/LinkTarget.
// Tests: tests/axis/tst_axispanel, tst_axisprocedures.
#pragma once

#include "axis/AxisParameters.h"
#include "link/AxisAddress.h"
#include "link/LinkTarget.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

class CKormakDoc;
class Operator;
class PanelHost;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SerialLink;
class StatusLamp;

// The axis panel: the parameters, moves, status lamps, inputs and outputs of
// one axis, or of an offline configuration. Whether a panel is online or
// offline is decided by currentAddress when it is created and never changes.
//
// The panel's own commands always go to its own axis. It talks only through
// the link and the operator of its host; the procedures themselves (what is
// sent in which order, what is read from the replies) are core functions.
class CKormakView : public QWidget {
    Q_OBJECT
public:
    CKormakView(PanelHost& host, CKormakDoc& doc, QWidget* parent = nullptr);
    ~CKormakView() override;

    // --- called by the shell ------------------------------------------------------
    // Once, after the panel's child window exists: title, captions, lists, and
    // for an online panel the first read of the axis and the start of polling.
    void InitialisePanel();
    // When the panel's window becomes the active child (true) or stops being it
    // (false), and when the main window becomes active again with this panel
    // active.
    void ActivatePanel(bool activate);
    // When the panel's window is about to close: offers to store parameters
    // the axis reports as changed.
    void ClosePanel();

    // --- for the panel's dialogs ----------------------------------------------------
    // Reads the configuration into the controls; true after a complete online
    // read. A failed online read locks the panel.
    bool ReadAxisConfiguration();
    // Locks or unlocks the controls that must rest while the motor runs.
    void SetPanelEnabled(bool enable);
    // Disables what needs a live axis.
    void PrepareOfflinePanel();
    // One tick of the status poll; false stops polling.
    bool PollStatus();

    QString title() const { return title_; }
    bool isOffline() const { return offline_; }
    // The panel's own address, kept from creation: an axis, or one of the two
    // offline kinds. axisAddress() is its text.
    AxisAddress address() const { return address_; }
    QString axisAddress() const { return address_.text(); }
    CKormakDoc& document() const { return doc_; }
    PanelHost& host() const { return host_; }

    // The controls copied into the parameter set (the lists and the values
    // only the panel keeps included).
    AxisParameters parameters() const;
    // Puts a parameter set into the controls: lists, selections, texts and the
    // values only the panel keeps. Sends nothing.
    void setParameters(const AxisParameters& parameters);
    // The PLC area an offline panel holds, as a PLC dialog left it.
    void setSlotLines(const QStringList& slotLines) { params_.slotLines = slotLines; }

    // The currents and the boost time, which no control of the panel shows.
    void setCurrents(const AxisConfiguration& c) {
        params_.boostCurrent = c.boostCurrent;
        params_.runCurrent = c.runCurrent;
        params_.stopCurrent = c.stopCurrent;
        params_.boostTime = c.boostTime;
    }
    QString deviceType() const { return params_.deviceType; }
    void setDeviceType(const QString& type) { params_.deviceType = type; }
    bool sfiPresent() const { return params_.sfiPresent; }
    bool motorRunning() const { return params_.motorRunning; }
    bool transferBusy() const { return params_.transferBusy; }
    void setTransferBusy(bool busy) { params_.transferBusy = busy; }
    // During a transfer of this configuration: transferBusy, and the buttons
    // that would close the panel or open a dialog that talks to an axis
    // (currents, PLC, close, transfer) disabled; all undone with false.
    void setTransferRunning(bool running);
    int portIndex() const { return params_.portIndex; }
    int baudIndex() const { return params_.baudIndex; }
    void setPortIndex(int index) { params_.portIndex = index; }
    void setBaudIndex(int index) { params_.baudIndex = index; }

    // The 250 ms status poll.
    QTimer& pollTimer() { return pollTimer_; }
    void startPollTimer();
    void stopPollTimer();
    bool isPolling() const { return pollTimer_.isActive(); }

signals:
    // The buttons whose dialogs live elsewhere. Each is emitted after the
    // status poll has stopped; polling resumes through ActivatePanel when the
    // main window is active again.
    void currentsRequested();
    void statusRequested();
    void resetRequested();
    void rampsRequested();
    void plcRequested();
    void plcExtRequested();
    void optionCardRequested();
    void rsMonitorRequested();
    void sfiRequested();
    void transferRequested();
    // A position the status poll read (while the motor runs, and once when it
    // has stopped), and a move started from the panel with the position read
    // right after it (empty when none came): for the live trace, which sends
    // nothing of its own.
    void positionPolled(const QString& position, bool motorRunning);
    void moveStarted(const QString& position);
    // During InitialisePanel of an offline panel whose document holds the
    // lines of a parameter file: the lines are to be applied now.
    void applyFileLinesRequested();
    // The operator changed a parameter field or list (not the move target or
    // the move type, which are no part of the configuration).
    void configurationEdited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void watchConfigurationEdits();
    void retranslate();
    void fillFixedLists();
    void applyLists();
    void applyFields();
    void applyLamps(int shortStatus);
    void applyInputs(int inputs);
    // Lamps and position as last seen, marked as no longer current; undone by
    // the next status that comes in.
    void showNotCurrent();
    void showCurrent();
    void setPositionText(const QString& text);
    void updateMoveTargetVisibility();
    void setWorkingControlsForMode(int mode);

    // A send to the panel's own axis; nothing leaves an offline panel.
    QString send(const QString& command);
    bool mayTalk() const;
    bool mayReopenPort() const;
    AxisTarget::Port portUse() const;
    // Runs `request` with the link on the panel's own axis, port and rate (see
    // AxisTarget) and returns what it returns. Every request of the panel goes
    // through here; a failure of it is then told with reportLinkFailure.
    template <class Request> auto onAxis(Request&& request);
    // The same with the port use fixed beforehand (a sequence that holds the
    // link busy, where portUse() would no longer tell).
    template <class Request> auto onAxis(AxisTarget::Port port, Request&& request);
    // After the last request through onAxis failed: 10103 for a reply that did
    // not come, 10104 for a port that is closed or was lost; nothing when the
    // link has spoken itself since the request began.
    void reportLinkFailure();
    void showInputError(QWidget* control);

    // Handlers of the controls.
    void frequencyDone(QComboBox* box);
    void comboDone(QComboBox* box);
    void editDone(QLineEdit* edit);
    void systemTypeChosen(int index);
    void operatingModeChosen(int index);
    void outputsClicked();
    void startClicked();
    void stopClicked();
    void LoadDefaults();
    void StoreParametersPermanently();
    void dialogButton(void (CKormakView::*signal)());
    void pollTick();

    PanelHost& host_;
    CKormakDoc& doc_;
    SerialLink& link_;
    Operator& op_;
    AxisParameters params_;
    QTimer pollTimer_;
    QString title_;
    AxisAddress address_;
    bool offline_ = false;
    bool initialised_ = false;
    bool closing_ = false;
    bool inHandler_ = false;     // a message box of a handler must not start another handler
    bool linkLossShown_ = false; // the lost port has been reported since the last status
    int requestMessages_ = 0;    // messages shown before the last request through onAxis began

    // Controls, named after the field or role they stand for.
    QGroupBox* motionGroup_ = nullptr;
    QComboBox* moveType_ = nullptr;
    QLabel* moveTargetLabel_ = nullptr;
    QLineEdit* moveTarget_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;

    QGroupBox* parameterGroup_ = nullptr;
    QLabel* startStopLabel_ = nullptr;
    QComboBox* startStopFreq_ = nullptr;
    QLabel* runFreqLabel_ = nullptr;
    QComboBox* runFreq_ = nullptr;
    QLabel* rampLabel_ = nullptr;
    QComboBox* ramp_ = nullptr;
    QLabel* systemTypeLabel_ = nullptr;
    QComboBox* systemType_ = nullptr;
    QLabel* operatingModeLabel_ = nullptr;
    QComboBox* operatingMode_ = nullptr;
    QPushButton* currentsButton_ = nullptr;
    QPushButton* defaultButton_ = nullptr;

    QGroupBox* registerGroup_ = nullptr;
    QLabel* positionLabel_ = nullptr;
    QLineEdit* position_ = nullptr;
    QLabel* axisLimitLabel_ = nullptr;
    QLineEdit* axisLimit_ = nullptr;
    QLabel* backlashLabel_ = nullptr;
    QLineEdit* backlash_ = nullptr;
    QLabel* zeroOffsetMinusLabel_ = nullptr;
    QLineEdit* zeroOffsetMinus_ = nullptr;
    QLabel* zeroOffsetPlusLabel_ = nullptr;
    QLineEdit* zeroOffsetPlus_ = nullptr;

    QGroupBox* statusGroup_ = nullptr;
    struct LampRow {
        int bitMask;
        StatusLamp* lamp;
        QLabel* label;
        int textId;
    };
    QList<LampRow> lamps_; // in the order the poll sets them
    QPushButton* statusButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;

    QGroupBox* ioGroup_ = nullptr;
    StatusLamp* inputs_[4] = {};
    QCheckBox* outputA0_ = nullptr;
    QCheckBox* outputA1_ = nullptr;

    QGroupBox* programGroup_ = nullptr;
    QPushButton* rampsButton_ = nullptr;
    QPushButton* plcButton_ = nullptr;
    QPushButton* plcExtButton_ = nullptr;
    QPushButton* storeButton_ = nullptr;
    QPushButton* optionCardButton_ = nullptr;
    QPushButton* rsMonitorButton_ = nullptr;
    QPushButton* sfiButton_ = nullptr;

    QPushButton* closeButton_ = nullptr;
    QPushButton* transferButton_ = nullptr;
};
