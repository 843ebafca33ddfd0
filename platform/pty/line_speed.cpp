// Kept apart from the rest of the terminal code: the kernel's termios2
// header clashes with the C library's <termios.h>.
#include "platform/pty/line_speed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace dlk {

bool SetArbitraryLineSpeed(int fd, unsigned baud) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return false;
    tio.c_cflag &= ~CBAUD;
    tio.c_cflag |= BOTHER;
    tio.c_cflag &= ~(CBAUD << IBSHIFT);
    tio.c_cflag |= BOTHER << IBSHIFT;
    tio.c_ispeed = baud;
    tio.c_ospeed = baud;
    return ioctl(fd, TCSETS2, &tio) == 0;
}

unsigned ReadLineSpeed(int fd) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return 0;
    return tio.c_ospeed;
}

}  // namespace dlk
