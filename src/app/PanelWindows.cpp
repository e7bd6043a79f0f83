#include "app/PanelWindows.h"

#include "app/CChildFrame.h"
#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "axis/PanelHost.h"
#include "base/BusyState.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "link/AxisAddress.h"
#include "link/ProbeAxis.h"
#include "link/SerialLink.h"

#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QTimer>
#include <algorithm>

PanelWindows::PanelWindows(QMdiArea* area, PanelHost& host, SerialLink& link, Operator& op)
    : mdi_(area), host_(host), link_(link), operator_(op) {
    connect(mdi_, &QMdiArea::subWindowActivated, this, &PanelWindows::onSubWindowActivated);
    // A panel brought to the front during a long operation takes over the
    // link once the operation is over.
    BusyState::setOnIdle([this] {
        QTimer::singleShot(0, this, [this] { onSubWindowActivated(mdi_->currentSubWindow()); });
    });
}

PanelWindows::~PanelWindows() {
    BusyState::setOnIdle({});
}

void PanelWindows::discardAll() {
    BusyState::setOnIdle({});
    // Panels still open talk to the link while they close; close them first.
    disconnect(mdi_, nullptr, this, nullptr);
    for (QMdiSubWindow* w : mdi_->subWindowList())
        delete w;
}

QList<CKormakView*> PanelWindows::panels() const {
    QList<CKormakView*> list;
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (auto* c = qobject_cast<CChildFrame*>(w); c && c->view() && !c->isClosing())
            list << c->view();
    return list;
}

CChildFrame* PanelWindows::activeChild() const {
    return qobject_cast<CChildFrame*>(mdi_->currentSubWindow());
}

CKormakView* PanelWindows::activePanel() const {
    CChildFrame* c = activeChild();
    return c ? c->view() : nullptr;
}

QString PanelWindows::activeChildTitle() const {
    QMdiSubWindow* w = mdi_->currentSubWindow();
    return w ? w->windowTitle() : QString();
}

CChildFrame* PanelWindows::childOfFile(const QString& path) const {
    const QString wanted = QFileInfo(path).canonicalFilePath();
    if (wanted.isEmpty())
        return nullptr;
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        auto* c = qobject_cast<CChildFrame*>(w);
        if (c && c->view() && !c->isClosing() && c->view()->isOffline() &&
            !c->doc()->filePath.isEmpty() &&
            QFileInfo(c->doc()->filePath).canonicalFilePath() == wanted)
            return c;
    }
    return nullptr;
}

void PanelWindows::closePanelWindow(CKormakView* panel) {
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (auto* c = qobject_cast<CChildFrame*>(w); c && c->view() == panel)
            c->close();
}

CKormakView* PanelWindows::createPanel(CKormakDoc* doc) {
    auto* view = new CKormakView(host_, *doc);
    emit panelMade(view, doc);
    auto* child = new CChildFrame(view, doc);
    child->mayClose = [this](CChildFrame* c) { return confirmClose(c); };
    mdi_->addSubWindow(child);
    connect(child, &CChildFrame::closed, this, &PanelWindows::onPanelWindowClosed);
    view->InitialisePanel();
    // An offline configuration is a document: what the operator changes in
    // its parameter fields is asked about before the window closes. An
    // online panel has its own question about storing the axis's parameters.
    if (view->isOffline())
        connect(view, &CKormakView::configurationEdited, doc, [doc] { doc->modified = true; });
    child->fitToPanel();
    emit panelsChanged();
    child->show();
    mdi_->setActiveSubWindow(child);
    return view;
}

bool PanelWindows::confirmClose(CChildFrame* child) {
    CKormakView* view = child->view();
    CKormakDoc* doc = child->doc();
    if (!view || !doc || !view->isOffline() || !doc->modified)
        return true;
    const QString name =
        doc->filePath.isEmpty() ? child->windowTitle() : QFileInfo(doc->filePath).fileName();
    const Operator::Answer answer =
        operator_.show({0, Texts::text("file.saveChanges").arg(name), 0,
                        Operator::Icon::Exclamation, Operator::Buttons::YesNoCancel});
    if (answer == Operator::Answer::No)
        return true;
    if (answer == Operator::Answer::Yes)
        return saver_ && saver_(child, false);
    return false;
}

void PanelWindows::onSubWindowActivated(QMdiSubWindow* window) {
    if (!window && !mdi_->subWindowList().isEmpty())
        return; // the main window as a whole lost the activation
    // A long operation keeps its axis: no other panel becomes the one that talks.
    if (BusyState::isBusy())
        return;
    auto* child = qobject_cast<CChildFrame*>(window);
    CKormakView* next = child ? child->view() : nullptr;
    if (next == talking_)
        return;
    if (talking_)
        talking_->ActivatePanel(false);
    talking_ = next;
    if (next)
        next->ActivatePanel(true);
    emit talkingPanelChanged();
}

void PanelWindows::onPanelWindowClosed() {
    if (!talking_ || !panels().contains(talking_.data()))
        talking_ = nullptr;
    if (panels().isEmpty()) {
        // The last panel is gone: nothing polls any more and the port closes.
        talking_ = nullptr;
        if (link_.portOpen())
            link_.TogglePort();
    }
    emit panelsChanged();
}

bool PanelWindows::closeAll() {
    if (BusyState::isBusy())
        return false;
    // Every panel closes through its ClosePanel, the active one first.
    while (!mdi_->subWindowList().isEmpty()) {
        QMdiSubWindow* w = mdi_->currentSubWindow();
        if (!w)
            w = mdi_->subWindowList().first();
        if (!w->close())
            return false;
        delete w;
    }
    talking_ = nullptr;
    if (link_.portOpen())
        link_.TogglePort();
    return true;
}

void PanelWindows::reactivate() {
    if (talking_)
        talking_->ActivatePanel(true);
}

void PanelWindows::mainWindowActivated() {
    QTimer::singleShot(0, this, [this] {
        if (BusyState::isBusy() || !talking_ || QApplication::activeModalWidget())
            return;
        talking_->ActivatePanel(true);
    });
}

void PanelWindows::showAxis(int k) {
    if (k < 0 || k > 15 || BusyState::isBusy())
        return;
    const AxisAddress address = AxisAddress::axis(k);
    link_.setAxisAddress(address);
    if (!link_.portOpen() && !link_.TogglePort()) {
        link_.reportOpenFailure(operator_);
        return;
    }
    // An open panel of the axis comes to the front without any traffic.
    QList<QMdiSubWindow*> order = mdi_->subWindowList(QMdiArea::StackingOrder);
    std::reverse(order.begin(), order.end());
    if (QMdiSubWindow* active = mdi_->currentSubWindow()) {
        order.removeAll(active);
        order.prepend(active);
    }
    for (QMdiSubWindow* w : order) {
        auto* child = qobject_cast<CChildFrame*>(w);
        if (child && child->view() && child->view()->address() == address) {
            // In front already but no longer polling (after a lost reply or a
            // lost port): it takes the link
            // back and polls again, as a newly activated panel does.
            if (w == mdi_->currentSubWindow() && talking_ && !talking_->isPolling() &&
                !BusyState::isBusy())
                talking_->ActivatePanel(true);
            else
                mdi_->setActiveSubWindow(w);
            return;
        }
    }
    if (ProbeAxis(link_))
        createPanel(new CKormakDoc);
}

// ---------------------------------------------------------------------------
// Arrangement

void PanelWindows::cascade() {
    // Each window keeps its size (it is fitted to its panel); only the
    // places change, so nothing grows beyond the work area.
    const int step = mdi_->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
    QPoint at(0, 0);
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        if (w->isMinimized())
            continue;
        w->move(at);
        w->raise();
        at += QPoint(step, step);
        if (at.y() + w->height() > mdi_->viewport()->height() ||
            at.x() + w->width() > mdi_->viewport()->width())
            at = QPoint(0, 0);
    }
    if (QMdiSubWindow* active = mdi_->activeSubWindow())
        active->raise();
}

void PanelWindows::tile() {
    // Side by side in rows as wide as the work area, each window at its own
    // size. What does not fit below stays reachable by scrolling; the main
    // window never grows to hold it.
    const int width = mdi_->viewport()->width();
    int x = 0, y = 0, rowHeight = 0;
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        if (w->isMinimized())
            continue;
        if (x > 0 && x + w->width() > width) {
            x = 0;
            y += rowHeight;
            rowHeight = 0;
        }
        w->move(x, y);
        x += w->width();
        rowHeight = qMax(rowHeight, w->height());
    }
}

void PanelWindows::arrangeMinimised() {
    int x = 0;
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        if (!w->isMinimized())
            continue;
        w->move(x, mdi_->viewport()->height() - w->height());
        x += w->width();
    }
}
