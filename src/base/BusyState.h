#pragma once

#include <functional>

// The program-wide busy state of a long operation (saving, transfer, ramp
// programming, PLC reading and programming). While it is held, nothing else
// may start talking to an axis: axis buttons, file commands, printing,
// language and baud change, drops and open requests wait or are refused,
// windows do not close, and panel activation leaves the current axis alone.
class BusyState {
public:
    static bool isBusy() { return depth() > 0; }
    // Called each time the last guard is released, so that what was held
    // back (an activation, an open request) can catch up.
    static void setOnIdle(std::function<void()> callback) { onIdle() = std::move(callback); }

private:
    friend class BusyGuard;
    static int& depth() {
        static int d = 0;
        return d;
    }
    static std::function<void()>& onIdle() {
        static std::function<void()> f;
        return f;
    }
};

// Holds the busy state for the lifetime of a scope.
class BusyGuard {
public:
    BusyGuard() { ++BusyState::depth(); }
    ~BusyGuard() {
        if (--BusyState::depth() == 0 && BusyState::onIdle())
            BusyState::onIdle()();
    }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
};
