#pragma once
// TApplication: the message loop, the exception display and the message box of the
// program; one global object `Application`, made by CreateApplication.
//
// Every dispatch into program code goes through Application->Guard(): an exception that
// leaves it goes to OnException when set, else to ShowException (a message box with the
// exception's text and the application title); EAbort is silent. The loop goes on.
#include <functional>

#include "platform/forms/Form.h"

using TExceptionEvent = std::function<void(TObject* Sender, Exception* E)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    void Initialize();
    // Until set: the program file's name without its extension, as the class library has it.
    AnsiString Title() const;
    void SetTitle(const AnsiString& v) { FTitle = v; }
    AnsiString ExeName() const;
    TCustomForm* MainForm() const { return FMainForm; }
    void SetMainForm(TCustomForm* f) { FMainForm = f; }
    bool Terminated() const { return FTerminated; }
    // Automatic update of the format settings from the system (always off here).
    bool UpdateFormatSettings() const { return FUpdateFormatSettings; }
    void SetUpdateFormatSettings(bool v) { FUpdateFormatSettings = v; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v) { FShowHint = v; }

    // Creates a form owned by the application; the first one becomes MainForm.
    template <typename T>
    void CreateForm(T*& Reference)
    {
        auto* f = new T(this);
        Reference = f;
        if (!FMainForm)
            FMainForm = f;
        f->DoCreate();
    }

    // Shows the main form and runs the loop until the main form closes or Terminate.
    void Run();
    void Terminate();
    // Handles waiting events and runs the queued main-thread calls.
    void ProcessMessages();
    // Waits for at least one event (or TimeoutMs) and handles it.
    void HandleMessage(int TimeoutMs = 50);

    // Win32-style message box (MB_ flags of Dialogs.h); returns IDOK, IDCANCEL, ...
    int MessageBox(const AnsiString& Text, const AnsiString& Caption, unsigned Flags = 0);
    void ShowException(Exception* E);
    // Sends the exception being handled to OnException or ShowException.
    void HandleException(TObject* Sender);
    // Runs Call; an exception leaving it goes to HandleException. Returns false then.
    bool Guard(const std::function<void()>& Call, TObject* Sender = nullptr);

    void Minimize();
    void Restore();
    void BringToFront();

    TExceptionEvent OnException;
    // The main form was minimised.
    TNotifyEvent OnMinimize;
    TIdleEvent OnIdle;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

private:
    AnsiString FTitle;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FUpdateFormatSettings = true;
    bool FShowHint = true;
    bool FRunning = false;
};

extern TApplication* Application;

// Creates the Qt application (when none exists), the global Application and Screen,
// and lets worker threads' Synchronize calls run on the loop, marking the calling thread
// as the main thread. Headless: the offscreen platform (tests).
void CreateApplication(int& argc, char** argv);
void DestroyApplication();
