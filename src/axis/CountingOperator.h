#pragma once

#include "base/Operator.h"

// An operator that passes everything on and counts the messages shown. The
// main window puts it in front of its own, so that a panel can tell whether
// the link has already said something during a request.
class CountingOperator : public Operator {
public:
    explicit CountingOperator(Operator& inner) : inner_(inner) {}
    int shown() const { return shown_; }

    Answer show(const Message& message) override {
        ++shown_;
        return inner_.show(message);
    }
    void progressShow(const QString& text, int range, int step) override {
        inner_.progressShow(text, range, step);
    }
    void progressStep() override { inner_.progressStep(); }
    void progressHide() override { inner_.progressHide(); }
    void wait(int ms) override { inner_.wait(ms); }
    void pumpEvents() override { inner_.pumpEvents(); }

private:
    Operator& inner_;
    int shown_ = 0;
};
