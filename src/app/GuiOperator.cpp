#include "app/GuiOperator.h"

#include "app/CMainFrame.h"
#include "base/Texts.h"
#include "link/SerialLink.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

Operator::Answer GuiOperator::show(const Message& m) {
    QMessageBox box(frame_);
    box.setWindowTitle(m.captionId ? Texts::text(m.captionId) : Texts::text(57344));
    box.setText(m.text.isEmpty() ? Texts::text(m.textId) : m.text);
    switch (m.icon) {
    case Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Warning:
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    // Button texts come from the string table too, so a message in French
    // does not answer with English buttons.
    auto add = [&box](QMessageBox::StandardButton b, const char* id) {
        box.addButton(b)->setText(Texts::text(id));
    };
    switch (m.buttons) {
    case Buttons::Ok:
        add(QMessageBox::Ok, "button.ok");
        break;
    case Buttons::OkCancel:
        add(QMessageBox::Ok, "button.ok");
        add(QMessageBox::Cancel, "button.cancel");
        break;
    case Buttons::YesNo:
        add(QMessageBox::Yes, "button.yes");
        add(QMessageBox::No, "button.no");
        break;
    case Buttons::YesNoCancel:
        add(QMessageBox::Yes, "button.yes");
        add(QMessageBox::No, "button.no");
        add(QMessageBox::Cancel, "button.cancel");
        break;
    }
    // A wait cursor of a running operation must not hide the arrow here.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int r = box.exec();
    QApplication::restoreOverrideCursor();
    switch (r) {
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Ok;
    }
}

void GuiOperator::progressShow(const QString& text, int range, int step) {
    if (frame_)
        frame_->progressShow(text, range, step);
}

void GuiOperator::progressStep() {
    if (frame_)
        frame_->progressStep();
}

void GuiOperator::progressHide() {
    if (frame_)
        frame_->progressHide();
}

void GuiOperator::wait(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        PumpPendingMessages();
        QThread::msleep(10);
    }
}

void GuiOperator::pumpEvents() {
    PumpPendingMessages();
}
