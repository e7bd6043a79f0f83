#pragma once

#include <QString>

// The person at the screen, as the procedures see them. Core code never opens a
// message box, touches a cursor or the status bar itself: it goes through this
// interface, which the main window implements with real widgets, kormakctl with
// the terminal, and the tests with a scripted recorder.
class Operator {
public:
    enum class Icon { None, Error, Warning, Question, Exclamation, Information };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    struct Message {
        int textId = 0;    // string-table id of the text (0: only `text` is given)
        QString text;      // the text when it is composed or fixed; else looked up from textId
        int captionId = 0; // string-table id of the caption; 0: the application title
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
    };

    virtual ~Operator() = default;

    // Shows a modal message and returns the button the operator chose.
    virtual Answer show(const Message& message) = 0;

    // The status-bar progress display: text in the message pane, a bar over the
    // second pane, wait cursor. hide() restores the idle text and the arrow.
    virtual void progressShow(const QString& text, int range, int step) = 0;
    virtual void progressStep() = 0;
    virtual void progressHide() = 0;

    // Waits ms milliseconds while the windows stay alive.
    virtual void wait(int ms) = 0;
    // Dispatches what is pending (PumpPendingMessages), never more.
    virtual void pumpEvents() = 0;

    // Conveniences.
    void error(int textId) { show({textId, {}, 0, Icon::Error, Buttons::Ok}); }
    void inform(int textId) { show({textId, {}, 0, Icon::Information, Buttons::Ok}); }
    Answer ask(int textId, Buttons buttons, Icon icon) {
        return show({textId, {}, 0, icon, buttons});
    }
};

// An operator that hands everything to another one; a subclass overrides what
// it does differently (counting the messages, asking at a terminal).
class ForwardingOperator : public Operator {
public:
    explicit ForwardingOperator(Operator& inner) : inner_(inner) {}
    Answer show(const Message& message) override { return inner_.show(message); }
    void progressShow(const QString& text, int range, int step) override {
        inner_.progressShow(text, range, step);
    }
    void progressStep() override { inner_.progressStep(); }
    void progressHide() override { inner_.progressHide(); }
    void wait(int ms) override { inner_.wait(ms); }
    void pumpEvents() override { inner_.pumpEvents(); }

private:
    Operator& inner_;
};

// Keeps a progress display up for the lifetime of a scope; hides it on every
// path out.
class ProgressGuard {
public:
    ProgressGuard(Operator& op, const QString& text, int range, int step) : op_(op) {
        op_.progressShow(text, range, step);
    }
    ~ProgressGuard() { op_.progressHide(); }
    ProgressGuard(const ProgressGuard&) = delete;
    ProgressGuard& operator=(const ProgressGuard&) = delete;
    void step() { op_.progressStep(); }

private:
    Operator& op_;
};
