// This file must not include <termios.h>: the kernel's termbits header, which declares
// termios2, defines its own struct termios and the two cannot meet in one file.
#include "sim/SimLineRate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace sim {

int SimLineRate::of(int fd) {
    struct termios2 t {};
    if (::ioctl(fd, TCGETS2, &t) != 0)
        return 0;
    if (t.c_ospeed != 0)
        return int(t.c_ospeed);
    switch (t.c_cflag & CBAUD) {
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    default:
        return 0;
    }
}

bool SimLineRate::set(int fd, int rate) {
    struct termios2 t {};
    if (::ioctl(fd, TCGETS2, &t) != 0)
        return false;
    t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ospeed = unsigned(rate);
    t.c_ispeed = unsigned(rate);
    return ::ioctl(fd, TCSETS2, &t) == 0;
}

} // namespace sim
