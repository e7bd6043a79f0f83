// BaudChangeFlow: the menu command that moves the active panel's axis and the
// link to another baud rate. Tests: tests/app/tst_linkdialogs.
#pragma once

class Operator;
class PanelWindows;
class QWidget;
class SerialLink;

// Asks for the new rate (CChangeBaud), moves the axis and the link there
// (BaudChange), and leaves the panel polling at the rate the axis answers
// at, telling the operator where that is when a reply was lost.
class BaudChangeFlow {
public:
    BaudChangeFlow(SerialLink& link, Operator& op, PanelWindows& windows, QWidget* dialogParent);

    // The command itself; does nothing without an online panel in front or
    // while a long operation runs.
    void run();
    // The command has an axis to move: the panel that talks is online.
    bool possible() const;
    // Set while the change runs: the panel's activation keeps its hands off
    // the bar's port and rate.
    bool pending() const { return pending_; }

private:
    SerialLink& link_;
    Operator& operator_;
    PanelWindows& windows_;
    QWidget* dialogParent_;
    bool pending_ = false;
};
