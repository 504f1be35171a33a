#include "components/controls/Owsystem.h"

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Application.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/LockKeys.h"
#include "platform/forms/Timer.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/win/SingleInstance.h"

// ---------------------------------------------------------------- file copy

bool TOwCopyFile::CheckExists()
{
    TSearchRec f;
    const bool found = FindFirst(SourceFile, faAnyFile, f) == 0;
    FindClose(f);
    if (found)
        FireEvent(BeforeOpen, this, f.Size, Date(), static_cast<TDateTime>(f.Time));
    return found;
}

bool TOwCopyFile::CheckOverwrite()
{
    if (Overwrite == omAlways || !FileExists(DestFile))
        return true;
    bool ok = true;
    FireEvent(BeforeOverwrite, this, ok);
    return ok;
}

bool TOwCopyFile::Execute()
{
    if (FRunning)
        return false; // a progress handler may not start a second copy into the first
    FRunning = true;
    FCancel = false;
    bool completed = false;
    // The copy goes into a file beside the destination that takes its place at the end.
    const AnsiString part = DestFile + ".part";
    bool partMade = false;
    try {
        std::vector<char> buffer(static_cast<size_t>(FBufferSize));
        CheckExists();
        TFileStream source(SourceFile, fmOpenRead);
        const int date = FileGetDate(source.Handle());
        if (CheckOverwrite()) {
            {
                TFileStream dest(part, fmCreate);
                partMade = true;
                Int64 total = 0;
                int n = 0;
                do {
                    Application->ProcessMessages();
                    n = source.Read(buffer.data(), FBufferSize);
                    if (n < 0)
                        throw EReadError("Stream read error");
                    if (n > 0)
                        dest.WriteBuffer(buffer.data(), n);
                    total += n;
                    DoProgress(total, FCancel);
                } while (n == FBufferSize && !FCancel);
                // A short read is the end only when the source says so: a failure after
                // the last bytes shows on the next read.
                Byte probe = 0;
                if (!FCancel && source.Read(&probe, 1) < 0)
                    throw EReadError("Stream read error");
            }
            if (!FCancel) {
                if (std::rename(part.c_str(), DestFile.c_str()) != 0)
                    throw EFCreateError("Cannot create file \"" + DestFile + "\". " + SysErrorMessage(errno));
                partMade = false;
                if (CopyDateTime)
                    FileSetDate(DestFile, date);
                completed = true;
            }
        }
    } catch (...) {
        if (partMade)
            DeleteFile(part);
        FRunning = false;
        DoAfterCopy();
        throw;
    }
    if (partMade)
        DeleteFile(part); // cancelled: nothing that looks like a copy stays
    FRunning = false;
    DoAfterCopy();
    return completed;
}

// ---------------------------------------------------------------- directory scan

// What a walk needs after its component may be gone: a walk started by Execute keeps it.
struct TOwDirScan::TState {
    bool cancel = false;
    bool scanning = false;
    bool destroyed = false;
    int searchMask = 0;
};

TOwDirScan::TOwDirScan(TComponent* AOwner) : TOwComponent(AOwner), FState(std::make_shared<TState>()) {}

TOwDirScan::~TOwDirScan()
{
    FState->cancel = true;
    // Freed from inside its own walk (a handler or the walk's message processing): the
    // walk cannot end while we wait, so it is left to unwind on its own, never touching
    // this component again.
    if (FState->scanning)
        FState->destroyed = true;
}

void TOwDirScan::Cancel() { FState->cancel = true; }

bool TOwDirScan::AbortScan() const { return FState->cancel || (Application && Application->Terminated()); }

bool TOwDirScan::Scanning() const { return FState->scanning; }

int TOwDirScan::Attrib() const
{
    static const int bits[] = {faArchive, faReadOnly, faHidden, faSysFile, faDirectory};
    int mask = 0;
    for (int i = 0; i < 5; ++i)
        if (Attributes & (1u << i))
            mask += bits[i];
    return mask;
}

namespace {
// The walk stops: the component is gone or the walk was cancelled.
void CheckWalk(bool Destroyed, bool Abort)
{
    if (Destroyed || Abort)
        ::Abort();
}
} // namespace

void TOwDirScan::Execute()
{
    std::shared_ptr<TState> s = FState; // outlives the component if a handler frees it
    s->searchMask = Attrib();
    s->cancel = false;
    s->scanning = true;
    AnsiString dir = Path;
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\')
        dir += '/';
    AnsiString pattern = Trim(Mask);
    if (pattern.empty())
        pattern = "*.*";
    try {
        Scan(s, dir, pattern, Recursive);
    } catch (...) {
        s->scanning = false;
        throw;
    }
    s->scanning = false;
    if (!s->destroyed)
        FireEvent(OnNotify, this);
}

void TOwDirScan::Scan(const std::shared_ptr<TState>& S, const AnsiString& Dir, const AnsiString& Pattern, bool Recurse)
{
    // After anything that may run other code (a handler, the message loop) S is checked
    // before the component is touched again.
    auto check = [&] { CheckWalk(S->destroyed, S->cancel || (Application && Application->Terminated())); };
    check();
    {
        // Copied: a handler may free the component and with it the event it runs from.
        const TOwPathEvent h = OnPathChange;
        FireEvent(h, this, Dir);
    }
    check();
    {
        TSearchRec f;
        struct Closer {
            TSearchRec& r;
            ~Closer() { FindClose(r); }
        } closer{f};
        for (int r = FindFirst(Dir + Pattern, S->searchMask, f); r == 0; r = FindNext(f)) {
            if (const TOwLocateEvent h = OnLocate)
                h(this, Dir, f, S->cancel);
            check();
        }
    }
    if (Recurse) {
        TSearchRec f;
        struct Closer {
            TSearchRec& r;
            ~Closer() { FindClose(r); }
        } closer{f};
        for (int r = FindFirst(Dir + "*.*", faDirectory, f); r == 0; r = FindNext(f)) {
            if (Application)
                Application->ProcessMessages();
            check();
            if ((f.Attr & faDirectory) && f.Name != "." && f.Name != "..")
                Scan(S, Dir + f.Name + "/", Pattern, Recurse);
            check();
        }
    }
    if (Application)
        Application->ProcessMessages();
}

// ---------------------------------------------------------------- run once

TOwRunOnce::TOwRunOnce(TComponent* AOwner) : TOwComponent(AOwner) {}

TOwRunOnce::~TOwRunOnce() = default;

AnsiString TOwRunOnce::LockName(const AnsiString& Title)
{
    AnsiString n = Title.substr(0, 256);
    for (char& c : n)
        if (c == '/' || c == '\\' || c == '\0')
            c = '_';
    return n.empty() ? AnsiString("_") : n;
}

void TOwRunOnce::Loaded()
{
    TOwComponent::Loaded();
    const AnsiString name = LockName(Application ? Application->Title() : AnsiString());
    FMutex = std::make_unique<TNamedMutex>(name);
    // Only a lock held by another instance counts; a lock we could not make at all does not.
    if (!FMutex->AlreadyExists())
        return;
    FireEvent(OnExists, this);
    if (RestorePrevInst)
        ActivateRunningInstance(name); // the running instance brings its own window forward
    if (Terminate) {
        if (ShowMessage)
            MessageDlg(MessageText, mtInformation, TMsgDlgButtons{mbOK});
        if (Application)
            Application->Terminate();
    }
}

// ---------------------------------------------------------------- lock keys

namespace {
constexpr Word kLockKeys[] = {VK_NUMLOCK, VK_CAPITAL, VK_SCROLL};
}

TOwKeyStatus::TOwKeyStatus(TComponent* AOwner) : TOwComponent(AOwner), FTimer(new TTimer(this))
{
    FTimer->SetEnabled(false);
    FTimer->SetInterval(100);
    FTimer->OnTimer = [this](TObject*) { Application->Guard([this] { Timer(); }, this); };
}

TOwKeyStatus::~TOwKeyStatus()
{
    FMonitorEvents = false;
    UpdateTimer();
}

void TOwKeyStatus::SetMonitorEvents(bool v)
{
    if (v == FMonitorEvents)
        return;
    FMonitorEvents = v;
    UpdateTimer();
}

void TOwKeyStatus::UpdateTimer() { FTimer->SetEnabled(FMonitorEvents); }

void TOwKeyStatus::SetKeys(TOwKeyStateTypes v)
{
    if (v == FKeys)
        return;
    // The keyboard is never set from here: the wish is recorded and reported.
    FKeys = v;
    Changed();
}

void TOwKeyStatus::Timer()
{
    TOwKeyStateTypes now = 0;
    for (int i = 0; i < 3; ++i) {
        bool on = false;
        if (!ReadLockKeyState(kLockKeys[i], on))
            return; // not readable here: the recorded state stands
        if (on)
            now |= 1u << i;
    }
    if (ComponentStateHas(csDesigning) || now == FKeys)
        return;
    FKeys = now;
    Changed();
}
