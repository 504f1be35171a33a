#include "platform/serial/TtyBaud.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

bool SetTtyAnyBaud(int Fd, int Rate)
{
    struct termios2 tio {};
    if (ioctl(Fd, TCGETS2, &tio) != 0)
        return false;
    tio.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    tio.c_ispeed = static_cast<speed_t>(Rate);
    tio.c_ospeed = static_cast<speed_t>(Rate);
    return ioctl(Fd, TCSETS2, &tio) == 0;
}

int GetTtyAnyBaud(int Fd)
{
    struct termios2 tio {};
    if (ioctl(Fd, TCGETS2, &tio) != 0)
        return -1;
    return static_cast<int>(tio.c_ospeed);
}
