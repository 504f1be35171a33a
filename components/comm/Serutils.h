#pragma once
// Small routines of the serial component family: a millisecond timer, bit
// tests, caret notation, file names and a port probe.
#include <cstdint>

#include "platform/core/Types.h"

struct TSerTimeEvent {
    std::uint32_t StartTick = 0; // the millisecond tick count at the start
    std::uint32_t Interval = 0;  // milliseconds
};

int MinInteger(int A, int B);
// The character, or a blank for the character 0.
char CN(char C);

// The platform's millisecond tick count (wraps after about 49.7 days).
std::uint32_t SerTickCount();
void InitTimer(TSerTimeEvent& Timer, std::uint32_t Interval);
// True once more than Interval milliseconds have passed since the start,
// counted modulo 2^32 so a wrap of the tick counter does not matter.
bool TimerExpired(const TSerTimeEvent& Timer);
bool TimerExpiredAt(const TSerTimeEvent& Timer, std::uint32_t Now);
// Waits Ms milliseconds; with ProcessMessages the window messages (timers,
// paints) and the hand-overs of worker threads run meanwhile (main thread
// only). Returns true.
bool SysDelay(std::uint32_t Ms, bool ProcessMessages);

// The calling thread sleeps Ms milliseconds (the platform's Sleep).
void SerSleep(std::uint32_t Ms);
// Passes the exception being handled to the application's standard exception
// handling; a handler's exception never ends a delivery loop.
class TObject;
void SerHandleException(TObject* Sender);

// 1 the port exists and is free, 2 there is no such port, 0 it cannot be opened (in use).
int GetPortState(int PortNum);

bool BitOn(int A, int B);
bool BitOff(int A, int B);

// Caret notation to control characters: "^M" is 13, "^^" a caret.
AnsiString StrCtrl(const AnsiString& S);

// Empties the variable first, then frees what it held.
template <typename T>
void FreeObject(T*& Obj)
{
    T* p = Obj;
    Obj = nullptr;
    delete p;
}

// The text with a path delimiter appended unless it is empty or ends with one;
// "\" for Windows paths, "/" for a path that uses "/" only.
AnsiString AddPathSlash(const AnsiString& S);
// Size of the file in bytes, -1 when there is none (or it is a folder).
int GetFileSize(const AnsiString& FileName);
// FileName, or the first of name-1.ext, name-2.ext, ... that names neither a file nor a folder.
AnsiString CreateUniqueFileName(const AnsiString& FileName);
