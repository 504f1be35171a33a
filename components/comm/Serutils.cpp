#include "components/comm/Serutils.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <exception>
#include <thread>

#include "platform/core/FileUtils.h"
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
    return S.empty() ? S : IncludeTrailingPathDelimiter(S);
}

int GetFileSize(const AnsiString& FileName)
{
    return static_cast<int>(FileSizeOf(FileName));
}

AnsiString CreateUniqueFileName(const AnsiString& FileName)
{
    AnsiString dir = ExtractFilePath(FileName);
    AnsiString name = ExtractFileName(FileName);
    // The extension is cut at its own place: "a.txt.b.txt" keeps "a.txt.b" as its name.
    AnsiString ext = ExtractFileExt(name);
    name.erase(name.size() - ext.size());
    // Every candidate lies in the same directory, also after a drive letter.
    AnsiString base = AddPathSlash(dir);
    // A folder of that name blocks the file as much as a file does.
    auto taken = [](const AnsiString& f) { return FileExists(f) || DirectoryExists(f); };
    AnsiString candidate = base + name + ext;
    for (int n = 1; taken(candidate); ++n)
        candidate = base + name + "-" + std::to_string(n) + ext;
    return candidate;
}
