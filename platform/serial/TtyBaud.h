#pragma once
// Rates outside the classic B-constants go through the kernel's termios2
// interface, which cannot share a translation unit with <termios.h>.

// Sets both speeds of the terminal to Rate. False with errno set on failure.
bool SetTtyAnyBaud(int Fd, int Rate);
// The output speed of the terminal in Bd; -1 with errno set on failure.
int GetTtyAnyBaud(int Fd);
