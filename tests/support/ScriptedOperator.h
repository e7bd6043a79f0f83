#pragma once

#include "base/Operator.h"

#include <QList>
#include <QStringList>
#include <functional>

// Stands for the person at the screen in tests: answers questions from a
// script, lists every message shown, and never sleeps.
class ScriptedOperator : public Operator {
public:
    QList<Message> shown;  // every message, in order
    QList<Answer> answers; // next answers to questions; default: Yes / Ok
    QStringList progress;  // "show:<text>:<range>", "step", "hide"
    QList<int> waits;      // requested waits in ms
    int pumps = 0;
    std::function<void()> onPump; // lets a test act "between transactions"

    Answer show(const Message& m) override {
        shown << m;
        if (m.buttons == Buttons::Ok)
            return Answer::Ok;
        if (!answers.isEmpty())
            return answers.takeFirst();
        return m.buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
    }
    void progressShow(const QString& text, int range, int step) override {
        progress << QStringLiteral("show:%1:%2:%3").arg(text).arg(range).arg(step);
    }
    void progressStep() override { progress << QStringLiteral("step"); }
    void progressHide() override { progress << QStringLiteral("hide"); }
    void wait(int ms) override { waits << ms; }
    void pumpEvents() override {
        ++pumps;
        if (onPump)
            onPump();
    }

    QList<int> shownIds() const {
        QList<int> ids;
        for (const Message& m : shown)
            ids << m.textId;
        return ids;
    }
    void clear() {
        shown.clear();
        progress.clear();
        waits.clear();
        pumps = 0;
    }
};
