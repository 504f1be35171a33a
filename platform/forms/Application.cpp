#include "platform/forms/Application.h"

#include <QApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/eventfd.h>
#include <unistd.h>

#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"
#include "platform/core/Synchronize.h"
#include "platform/forms/ControlStyle_p.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/FormsImpl_p.h"
#include "platform/forms/Screen.h"

using namespace zvqt;

TApplication* Application = nullptr;

namespace {
QApplication* gOwnApp = nullptr;

// The loop's wake for calls queued by workers: a counter the loop watches. A worker's wake
// is one write to it: nothing allocated, no lock of Qt's taken.
int gWakeFd = -1;
QSocketNotifier* gWakeNotifier = nullptr;

void InstallLoopWake()
{
    if (gWakeNotifier)
        return;
    gWakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (gWakeFd < 0)
        throw Exception("Cannot make the message loop's wake: " + SysErrorMessage(errno));
    gWakeNotifier = new QSocketNotifier(gWakeFd, QSocketNotifier::Read);
    QObject::connect(gWakeNotifier, &QSocketNotifier::activated, [] {
        // Read first: a wake written while the calls run stays and brings the loop back.
        eventfd_t count = 0;
        eventfd_read(gWakeFd, &count);
        zvforms::Guard([] { CheckSynchronize(); }, Application);
    });
    SetWakeMainThread([] { eventfd_write(gWakeFd, 1); });
}

void RemoveLoopWake()
{
    // After this no worker is inside the wake, and none starts one.
    SetWakeMainThread(nullptr);
    delete gWakeNotifier;
    gWakeNotifier = nullptr;
    if (gWakeFd >= 0)
        close(gWakeFd);
    gWakeFd = -1;
}
} // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication()
{
    // Forms first, while the application object still answers their calls.
    DestroyComponents();
}

void TApplication::Initialize() {}

AnsiString TApplication::Title() const
{
    if (!FTitle.empty())
        return FTitle;
    const AnsiString exe = ExeName();
    AnsiString name = exe.substr(exe.find_last_of('/') + 1);
    if (const auto dot = name.rfind('.'); dot != AnsiString::npos && dot > 0)
        name.erase(dot);
    return name;
}

AnsiString TApplication::ExeName() const
{
    if (QCoreApplication::instance())
        return FromQString(QCoreApplication::applicationFilePath());
    return AnsiString();
}

void TApplication::Run()
{
    if (FTerminated)
        return;
    if (FMainForm)
        FMainForm->Show();
    FRunning = true;
    while (!FTerminated) {
        QApplication::exec();
        if (!FMainForm || !FMainForm->Visible())
            break;
    }
    FRunning = false;
}

void TApplication::Terminate()
{
    FTerminated = true;
    if (QCoreApplication::instance())
        QCoreApplication::quit();
}

void TApplication::ProcessMessages()
{
    if (QCoreApplication::instance()) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    Guard([] { CheckSynchronize(); }, this);
}

void TApplication::HandleMessage(int TimeoutMs)
{
    if (QCoreApplication::instance()) {
        QEventLoop loop;
        QTimer::singleShot(TimeoutMs, &loop, &QEventLoop::quit);
        loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents, TimeoutMs);
    }
    Guard([] { CheckSynchronize(); }, this);
}

int TApplication::MessageBox(const AnsiString& Text, const AnsiString& Caption, unsigned Flags)
{
    return ShowMessageBox(Text, Caption, Flags);
}

void TApplication::ShowException(Exception* E)
{
    if (!E)
        return;
    AnsiString msg = E->Message();
    // The class library ends the message with a period unless it ends in punctuation.
    if (!msg.empty() && static_cast<unsigned char>(msg.back()) > '.')
        msg += '.';
    ShowMessageBox(msg, Title(), MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(TObject* Sender)
{
    auto show = [&](Exception* e) {
        try {
            if (OnException)
                OnException(Sender, e);
            else
                ShowException(e);
        } catch (const std::exception& inner) {
            std::fprintf(stderr, "Exception in the exception handler: %s\n", inner.what());
        } catch (...) {
            std::fprintf(stderr, "Exception in the exception handler\n");
        }
    };
    try {
        throw;
    } catch (EAbort&) {
        // Silent, as the class library keeps it.
    } catch (Exception& e) {
        show(&e);
    } catch (const std::exception& e) {
        Exception ex(e.what());
        show(&ex);
    } catch (...) {
        Exception ex("Unknown exception");
        show(&ex);
    }
}

bool TApplication::Guard(const std::function<void()>& Call, TObject* Sender)
{
    try {
        Call();
        return true;
    } catch (...) {
        HandleException(Sender);
        return false;
    }
}

void TApplication::Minimize()
{
    if (FMainForm)
        FMainForm->SetWindowState(wsMinimized);
}

void TApplication::Restore()
{
    if (FMainForm)
        FMainForm->SetWindowState(wsNormal);
}

void TApplication::BringToFront()
{
    if (FMainForm && FMainForm->HandleAllocated()) {
        QWidget* w = zvforms::ImplOf(FMainForm)->widget;
        if (w->isMinimized())
            w->showNormal();
        w->raise();
        w->activateWindow();
    }
}

void CreateApplication(int& argc, char** argv)
{
    // The thread that makes the application is the one the loop and every Synchronize run on.
    SetMainThread();
    if (!QCoreApplication::instance()) {
        QApplication::setDesktopSettingsAware(false);
        gOwnApp = new QApplication(argc, argv);
    }
    if (QStyle* style = zvforms::NewControlStyle())
        QApplication::setStyle(style);
    QApplication::setFont(ToQFont(TFont()));
    if (!Screen)
        Screen = new TScreen(nullptr);
    if (!Application)
        Application = new TApplication(nullptr);
    // A worker's Synchronize wakes the loop, which runs the queued calls.
    InstallLoopWake();
}

void DestroyApplication()
{
    RemoveLoopWake();
    delete Application;
    Application = nullptr;
    delete Screen;
    Screen = nullptr;
    if (gOwnApp) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete gOwnApp;
        gOwnApp = nullptr;
    }
}
