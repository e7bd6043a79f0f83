#pragma once

// The program-wide busy state of a long operation (saving, transfer, ramp
// programming, PLC reading and programming). While it is held, nothing else
// may start talking to an axis: axis buttons, file commands, printing,
// language and baud change, drops and open requests wait or are refused,
// windows do not close, and panel activation leaves the current axis alone.
class BusyState {
public:
    static bool isBusy() { return depth() > 0; }

private:
    friend class BusyGuard;
    static int& depth() {
        static int d = 0;
        return d;
    }
};

// Holds the busy state for the lifetime of a scope.
class BusyGuard {
public:
    BusyGuard() { ++BusyState::depth(); }
    ~BusyGuard() { --BusyState::depth(); }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
};
