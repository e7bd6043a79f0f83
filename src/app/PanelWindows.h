// PanelWindows: the axis panels' windows in the main window's work area.
// Tests: tests/app/tst_shell, tst_linkdialogs, tst_documentcommands.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class CChildFrame;
class CKormakDoc;
class CKormakView;
class Operator;
class PanelHost;
class QMdiArea;
class QMdiSubWindow;
class SerialLink;

// One child window per panel: made for a document, found again by file or
// by axis, activated (the panel in front is the one that talks on the link),
// arranged, and closed, with the question before an edited offline
// configuration's window goes.
class PanelWindows : public QObject {
    Q_OBJECT
public:
    // host is what the panels are made with; area holds their windows.
    PanelWindows(QMdiArea* area, PanelHost& host, SerialLink& link, Operator& op);
    ~PanelWindows() override;

    QMdiArea* area() const { return mdi_; }
    // The panels whose windows are open and not closing.
    QList<CKormakView*> panels() const;
    // The panel of the window in front.
    CKormakView* activePanel() const;
    // The panel that last took the link. During a long operation it stays
    // the one that talks although another window comes to the front.
    CKormakView* talkingPanel() const { return talking_; }
    QString activeChildTitle() const;
    CChildFrame* activeChild() const;
    // The window of an offline configuration read from path, if one is open.
    CChildFrame* childOfFile(const QString& path) const;

    // A panel for doc in a new window, in front; panelMade runs before the
    // panel reads anything.
    CKormakView* createPanel(CKormakDoc* doc);
    // The panel of axis k (0..15): brought to the front when its window is
    // open, else made once the axis answers.
    void showAxis(int k);
    void closePanelWindow(CKormakView* panel);
    // Closes every window, the active one first; false when one stayed open
    // (a long operation runs, or the operator cancelled a save question).
    bool closeAll();
    // Deletes every window without a question (the main window goes away).
    void discardAll();
    // Saves the document of a window; asked when an edited offline
    // configuration's window is about to close.
    void setSaver(std::function<bool(CChildFrame*, bool askForName)> saver) {
        saver_ = std::move(saver);
    }

    // Window arrangement that keeps every panel at its own size and never
    // makes the main window larger.
    void cascade();
    void tile();
    // The minimised windows along the bottom edge.
    void arrangeMinimised();

    // Nothing was opened after all: the talking panel takes the link again.
    void reactivate();
    // The main window is active again (back from a dialog, a message box or
    // another program): the talking panel takes its port and rate back and
    // polls, once the event that brought us here is done.
    void mainWindowActivated();

signals:
    // A panel was made; its dialogs are wired here.
    void panelMade(CKormakView* view, CKormakDoc* doc);
    // A window opened or closed.
    void panelsChanged();
    // Another panel took the link.
    void talkingPanelChanged();

private:
    void onSubWindowActivated(QMdiSubWindow* window);
    void onPanelWindowClosed();
    bool confirmClose(CChildFrame* child);

    QMdiArea* mdi_;
    PanelHost& host_;
    SerialLink& link_;
    Operator& operator_;
    std::function<bool(CChildFrame*, bool)> saver_;
    QPointer<CKormakView> talking_;
};
