#pragma once

#include "base/Operator.h"

#include <functional>

// The operator seam on a terminal: messages go to standard error in the
// current language; questions take the answer given on the command line
// (--yes), and otherwise the cautious one (No / Cancel).
class TerminalOperator : public Operator {
public:
    bool assumeYes = false;
    bool quiet = false;
    // A line added under a message (kormakctl names the rate a request timed
    // out at); empty: nothing added.
    std::function<QString(const Message&)> detail;

    // A line on standard error that asks for nothing.
    void note(const QString& text);

    Answer show(const Message& message) override;
    void progressShow(const QString& text, int range, int step) override;
    void progressStep() override;
    void progressHide() override;
    void wait(int ms) override;
    void pumpEvents() override;

private:
    int range_ = 0;
    int value_ = 0;
    int step_ = 1;
    QString text_;
};
