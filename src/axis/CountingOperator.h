#pragma once

#include "base/Operator.h"

// An operator that passes everything on and counts the messages shown. The
// main window puts it in front of its own, so that a panel can tell whether
// the link has already said something during a request.
class CountingOperator : public ForwardingOperator {
public:
    explicit CountingOperator(Operator& inner) : ForwardingOperator(inner) {}
    int shown() const { return shown_; }

    Answer show(const Message& message) override {
        ++shown_;
        return ForwardingOperator::show(message);
    }

private:
    int shown_ = 0;
};
