#pragma once
// Non-visual system components of the owner-drawn library: file copy, directory scan,
// single-instance guard and lock-key status (the notification-area icon is in
// OwsystemTray.h).
#include <functional>
#include <memory>

#include "components/controls/OwcontrolsComponents.h"
#include "platform/core/DateTime.h"
#include "platform/core/FileUtils.h"

class TBitmap;
class TNamedMutex;
class TStringList;
class TStrings;
class TTimer;

// ---------------------------------------------------------------- file copy

enum TOwOverwriteMode { omAlways = 0, omEvent = 1 };

using TOwOverwriteEvent = std::function<void(TObject* Sender, bool& Overwrite)>;
using TOwOpenEvent = std::function<void(TObject* Sender, Int64 Size, TDateTime Date, TDateTime Time)>;
using TOwProgressEvent = std::function<void(TObject* Sender, Int64 BytesCopied, bool& Cancel)>;

// Copies one file to another in chunks, keeping the window responsive, with progress and
// cancel. The copy is written beside the destination and takes its place only when
// complete: a cancelled or failed copy leaves no file that looks complete, and an older
// destination stays as it was.
class TOwCopyFile : public TOwComponent {
public:
    explicit TOwCopyFile(TComponent* AOwner) : TOwComponent(AOwner) {}
    ~TOwCopyFile() override { Terminate(); }

    AnsiString DestFile;
    AnsiString SourceFile;
    int BufferSize() const { return FBufferSize; }
    void SetBufferSize(int v) { FBufferSize = v < 1 ? 1 : v; }
    TOwOverwriteMode Overwrite = omAlways;
    bool CopyDateTime = true;
    TOwOverwriteEvent BeforeOverwrite;
    TOwOpenEvent BeforeOpen;
    TOwProgressEvent OnProgress;
    TNotifyEvent AfterCopy;

    // One copy; true when it completed. A copy already running (a progress handler that
    // starts another) is refused with false. File errors raise after AfterCopy.
    bool Execute();
    // Stops a running copy after the chunk in progress.
    void Terminate() { FCancel = true; }
    bool Running() const { return FRunning; }
    bool CheckExists();
    bool CheckOverwrite();

protected:
    virtual void DoProgress(Int64 Bytes, bool& Cancel) { FireEvent(OnProgress, this, Bytes, Cancel); }
    virtual void DoAfterCopy() { FireEvent(AfterCopy, this); }

private:
    int FBufferSize = 1024;
    bool FCancel = false;
    bool FRunning = false;
};

// ---------------------------------------------------------------- directory scan

enum TFileAttribute { fatArchive, fatReadonly, fatHidden, fatSystem, fatDirectory };
using TFileAttributes = unsigned; // bit (1 << TFileAttribute)
constexpr TFileAttributes FileAttr(TFileAttribute a) { return 1u << a; }

using TOwLocateEvent =
    std::function<void(TObject* Sender, const AnsiString& Path, const TSearchRec& SearchRec, bool& Cancel)>;
using TOwPathEvent = std::function<void(TObject* Sender, const AnsiString& Path)>;

// Walks a folder (and its subfolders, depth first) reporting the files that match a
// mask and an attribute filter. Hidden means a dot file; the root is "/".
class TOwDirScan : public TOwComponent {
public:
    explicit TOwDirScan(TComponent* AOwner);
    ~TOwDirScan() override;

    AnsiString Mask = "*.*";
    AnsiString Path = "/";
    bool Recursive = true;
    TFileAttributes Attributes = FileAttr(fatArchive) | FileAttr(fatReadonly);
    TOwLocateEvent OnLocate;
    TOwPathEvent OnPathChange;
    TNotifyEvent OnNotify;

    // One walk; a cancelled walk ends with the silent EAbort.
    void Execute();
    void Cancel();
    bool AbortScan() const;
    int Attrib() const;
    bool Scanning() const;

private:
    struct TState;
    void Scan(const std::shared_ptr<TState>& S, const AnsiString& Dir, const AnsiString& Pattern, bool Recurse);
    std::shared_ptr<TState> FState;
};

// ---------------------------------------------------------------- run once

// When its form loads, finds another running instance of the application (a lock named
// after the title), asks it to come forward and by default ends this one. A lock that
// cannot be taken for any other reason counts as no other instance.
class TOwRunOnce : public TOwComponent {
public:
    explicit TOwRunOnce(TComponent* AOwner);
    ~TOwRunOnce() override;

    AnsiString MessageText;
    bool ShowMessage = false;
    bool Terminate = true;
    bool RestorePrevInst = true;
    TNotifyEvent OnExists;
    // The lock's name for a title (at most 256 characters, no path separators).
    static AnsiString LockName(const AnsiString& Title);

protected:
    void Loaded() override;

private:
    std::unique_ptr<TNamedMutex> FMutex;
};

// ---------------------------------------------------------------- lock keys

enum TOwKeyStateType { ksNUM, ksCAPS, ksSCROLL };
using TOwKeyStateTypes = unsigned; // bit (1 << TOwKeyStateType)

// The lock keys' states, watched every 100 ms while MonitorEvents. They are read where
// the display server tells them and never set: writing Keys only records the wish.
class TOwKeyStatus : public TOwComponent {
public:
    explicit TOwKeyStatus(TComponent* AOwner);
    ~TOwKeyStatus() override;
    bool MonitorEvents() const { return FMonitorEvents; }
    void SetMonitorEvents(bool v);
    TOwKeyStateTypes Keys() const { return FKeys; }
    void SetKeys(TOwKeyStateTypes v);
    TNotifyEvent OnChange;
    // One look at the keys (the timer's tick).
    void Timer();

protected:
    virtual void Changed() { FireEvent(OnChange, this); }

private:
    void UpdateTimer();
    bool FMonitorEvents = false;
    TOwKeyStateTypes FKeys = 0;
    TTimer* FTimer = nullptr; // owned as a component
};

// ---------------------------------------------------------------- data components

class TOwBitmaps;

// A shared list of bitmaps; linked controls hear of every change before OnChange.
class TOwBitmapList : public TOwSharedComponent {
public:
    explicit TOwBitmapList(TComponent* AOwner);
    ~TOwBitmapList() override;
    TOwBitmaps* Bitmaps() const { return FBitmaps.get(); }
    void SetBitmaps(TOwBitmaps* v);
    // nullptr outside 0 .. count - 1; the list keeps owning the bitmap.
    TBitmap* GetBitmap(int Index) const;
    TNotifyEvent OnChange;

protected:
    virtual void Changed() { FireEvent(OnChange, this); }

private:
    std::unique_ptr<TOwBitmaps> FBitmaps;
};

// A string list to place on a form.
class TOwStringList : public TOwComponent {
public:
    explicit TOwStringList(TComponent* AOwner);
    ~TOwStringList() override;
    TStringList* Strings() const { return FStrings.get(); }
    void SetStrings(TStrings* v);
    bool Sorted() const;
    void SetSorted(bool v);
    int Count() const;
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

private:
    std::unique_ptr<TStringList> FStrings;
};
