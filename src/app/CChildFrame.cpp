#include "app/CChildFrame.h"

#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "base/BusyState.h"

#include <QCloseEvent>
#include <QStyle>

CChildFrame::CChildFrame(CKormakView* view, CKormakDoc* doc, QWidget* parent)
    : QMdiSubWindow(parent), view_(view), doc_(doc) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setOption(QMdiSubWindow::RubberBandResize, false);
    setWidget(view);
    doc_->setParent(this);
    setWindowTitle(doc_->title());
    connect(doc_, &CKormakDoc::titleChanged, this, &QWidget::setWindowTitle);
}

void CChildFrame::fitToPanel() {
    if (!widget())
        return;
    widget()->adjustSize();
    const QSize inner = widget()->sizeHint();
    // The frame adds the title bar and the borders around the panel.
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    setFixedSize(inner.width() + 2 * border, inner.height() + title + border);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    // A long operation of this or any other panel must finish first.
    if (BusyState::isBusy()) {
        event->ignore();
        return;
    }
    if (!closing_) {
        if (mayClose && !mayClose(this)) {
            event->ignore();
            return;
        }
        closing_ = true;
        if (view_)
            view_->ClosePanel();
    }
    event->accept();
    emit closed();
    QMdiSubWindow::closeEvent(event);
}
