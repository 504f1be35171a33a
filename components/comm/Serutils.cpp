#include "components/comm/Serutils.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <exception>
#include <sys/stat.h>
#include <thread>

#include "platform/core/Synchronize.h"
#include "platform/forms/Application.h"
#include "platform/serial/SerialDevice.h"
#include "platform/win/Timing.h"

int MinInteger(int A, int B) { return A < B ? A : B; }

char CN(char C) { return C == 0 ? ' ' : C; }

std::uint32_t SerTickCount() { return GetTickCount(); }

void InitTimer(TSerTimeEvent& Timer, std::uint32_t Interval)
{
    Timer.StartTick = SerTickCount();
    Timer.Interval = Interval;
}

bool TimerExpiredAt(const TSerTimeEvent& Timer, std::uint32_t Now)
{
    return static_cast<std::uint32_t>(Now - Timer.StartTick) > Timer.Interval;
}

bool TimerExpired(const TSerTimeEvent& Timer) { return TimerExpiredAt(Timer, SerTickCount()); }

bool SysDelay(std::uint32_t Ms, bool ProcessMessages)
{
    TSerTimeEvent t;
    InitTimer(t, Ms);
    while (!TimerExpired(t)) {
        if (ProcessMessages && Application)
            Application->ProcessMessages(); // timers, paints and hand-overs run meanwhile
        else if (ProcessMessages)
            CheckSynchronize(1);
        else
            std::this_thread::yield();
    }
    return true;
}

void SerSleep(std::uint32_t Ms) { Sleep(Ms); }

void SerHandleException(TObject* Sender)
{
    if (Application) {
        Application->HandleException(Sender);
        return;
    }
    // No application object (a program without windows): say it and go on.
    try {
        throw;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    } catch (...) {
    }
}

int GetPortState(int PortNum)
{
    int err = 0;
    auto dev = OpenSerialPort(PortNum, err);
    if (dev)
        return 1;
    return err == ENOENT ? 2 : 0;
}

bool BitOn(int A, int B) { return (A & B) > 0; }
bool BitOff(int A, int B) { return (A & B) == 0; }

AnsiString StrCtrl(const AnsiString& S)
{
    AnsiString r;
    bool caret = false;
    for (char c : S) {
        if (!caret) {
            if (c == '^')
                caret = true;
            else
                r += c;
            continue;
        }
        caret = false;
        if (c == '^')
            r += '^'; // "^^" stands for the caret itself
        else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            r += static_cast<char>((c & ~0x20) - 64);
        else {
            r += '^';
            r += c;
        }
    }
    return r;
}

AnsiString AddPathSlash(const AnsiString& S)
{
    if (S.empty() || S.back() == '\\' || S.back() == '/')
        return S;
    bool unixPath = S.find('/') != AnsiString::npos && S.find('\\') == AnsiString::npos;
    return S + (unixPath ? '/' : '\\');
}

int GetFileSize(const AnsiString& FileName)
{
    struct stat st {};
    if (FileName.empty() || stat(FileName.c_str(), &st) != 0)
        return -1;
    return static_cast<int>(st.st_size);
}

AnsiString CreateUniqueFileName(const AnsiString& FileName)
{
    size_t cut = FileName.find_last_of("\\/:");
    AnsiString dir = cut == AnsiString::npos ? AnsiString() : FileName.substr(0, cut + 1);
    AnsiString name = cut == AnsiString::npos ? FileName : FileName.substr(cut + 1);
    // The extension is cut at its own place: "a.txt.b.txt" keeps "a.txt.b" as its name.
    size_t dot = name.rfind('.');
    AnsiString ext = dot == AnsiString::npos ? AnsiString() : name.substr(dot);
    if (dot != AnsiString::npos)
        name.erase(dot);
    // Every candidate lies in the same directory, also after a drive letter.
    AnsiString base = dir.empty() ? AnsiString() : AddPathSlash(dir);
    auto exists = [](const AnsiString& f) {
        struct stat st {};
        return stat(f.c_str(), &st) == 0;
    };
    AnsiString candidate = base + name + ext;
    for (int n = 1; exists(candidate); ++n)
        candidate = base + name + "-" + std::to_string(n) + ext;
    return candidate;
}
