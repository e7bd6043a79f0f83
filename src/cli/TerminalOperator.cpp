#include "cli/TerminalOperator.h"

#include "base/Texts.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>
#include <unistd.h>

Operator::Answer TerminalOperator::show(const Message& m) {
    const QString text = m.text.isEmpty() ? Texts::text(m.textId) : m.text;
    if (!quiet) {
        note(text);
        if (detail) {
            const QString more = detail(m);
            if (!more.isEmpty())
                note(more);
        }
    }
    switch (m.buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return assumeYes ? Answer::Ok : Answer::Cancel;
    case Buttons::YesNo:
        return assumeYes ? Answer::Yes : Answer::No;
    case Buttons::YesNoCancel:
        return assumeYes ? Answer::Yes : Answer::Cancel;
    }
    return Answer::Ok;
}

void TerminalOperator::note(const QString& text) {
    if (quiet)
        return;
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

void TerminalOperator::progressShow(const QString& text, int range, int step) {
    text_ = text;
    range_ = range;
    step_ = step;
    value_ = 0;
}

namespace {
// A running count only makes sense on a terminal; in a log it is noise.
bool stderrIsTerminal() {
    static const bool tty = ::isatty(STDERR_FILENO) == 1;
    return tty;
}
} // namespace

void TerminalOperator::progressStep() {
    value_ += step_;
    if (!quiet && range_ > 0 && stderrIsTerminal()) {
        std::fprintf(stderr, "\r%s %d/%d", text_.toLocal8Bit().constData(), qMin(value_, range_),
                     range_);
        std::fflush(stderr);
    }
}

void TerminalOperator::progressHide() {
    if (!quiet && range_ > 0 && value_ > 0 && stderrIsTerminal())
        std::fputc('\n', stderr);
    range_ = value_ = 0;
}

void TerminalOperator::wait(int ms) {
    QThread::msleep(ms > 0 ? ms : 0);
}

void TerminalOperator::pumpEvents() {
    QCoreApplication::processEvents();
}
