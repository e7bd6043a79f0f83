#pragma once

namespace sim {

// The line rate of a tty, read and set through the Linux termios2 interface, which also
// carries the rates without a classic constant (14400, 28800). On a pseudo-terminal the
// settings are shared, so the master side sees what the program set on the slave.
class SimLineRate {
public:
    // The output rate in baud, or 0 when it cannot be read.
    static int of(int fd);
    static bool set(int fd, int rate);
};

} // namespace sim
