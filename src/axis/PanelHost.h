#pragma once

#include <QString>

class Operator;
class SerialLink;
class CKormakView;
class QWidget;

// What an axis panel needs from the main window that owns it. The main window
// implements it; tests may implement it with a bare link.
class PanelHost {
public:
    virtual ~PanelHost() = default;
    virtual SerialLink& link() = 0;
    virtual Operator& op() = 0;
    // Set while File Open runs: activation and polling do nothing.
    virtual bool openingFile() const = 0;
    // Set while a baud rate change is in progress.
    virtual bool baudChangePending() const = 0;
    // The panel of the active child window; null when no child window is active.
    virtual CKormakView* activePanel() const = 0;
    // Whether `panel` is the active one: the link belongs to it. Panels are
    // told apart by identity, never by their titles, which two panels may share.
    bool isActivePanel(const CKormakView* panel) const { return panel && activePanel() == panel; }
    // Closes the panel's child window (its ClosePanel runs first).
    virtual void closePanelWindow(CKormakView* panel) = 0;
    // The widget that owns dialogs opened by the panel.
    virtual QWidget* dialogParent() = 0;
    // How many messages have been shown so far through the operator the link
    // reports to (see CountingOperator). A panel compares it across a request: when the link has
    // spoken itself (the receive overflow), the panel adds no second box.
    virtual int messagesShown() const { return 0; }
};
