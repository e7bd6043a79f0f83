#pragma once

#include "base/Operator.h"

class CMainFrame;

// The operator seam on screen: message boxes owned by the main window with
// texts from the string table, and the main window's status-bar progress.
class GuiOperator : public Operator {
public:
    explicit GuiOperator(CMainFrame* frame = nullptr) : frame_(frame) {}
    void setFrame(CMainFrame* frame) { frame_ = frame; }

    Answer show(const Message& message) override;
    void progressShow(const QString& text, int range, int step) override;
    void progressStep() override;
    void progressHide() override;
    void wait(int ms) override;
    void pumpEvents() override;

private:
    CMainFrame* frame_;
};
