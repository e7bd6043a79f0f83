// CChildFrame: the window around one axis panel.
// Tests: tests/app/tst_shell.
#pragma once

#include "axis/CKormakView.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <functional>

class CKormakDoc;

// The child window of one axis panel: sized to the panel, no sizing border and
// no maximise button. Closing it runs the panel's ClosePanel first.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(CKormakView* view, CKormakDoc* doc, QWidget* parent = nullptr);

    CKormakView* view() const { return view_; }
    CKormakDoc* doc() const { return doc_; }
    // Fits the window to its panel.
    void fitToPanel();
    bool isClosing() const { return closing_; }
    // Asked before the window closes; false keeps it open (the operator
    // cancelled saving a changed document).
    std::function<bool(CChildFrame*)> mayClose;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPointer<CKormakView> view_;
    CKormakDoc* doc_;
    bool closing_ = false;
};
