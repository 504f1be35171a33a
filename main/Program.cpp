#include "main/Program.h"

#include "platform/forms/Application.h"
#include "platform/forms/Dialogs.h"
#include "platform/win/SingleInstance.h"

bool RefuseSecondInstance(const TNamedMutex& Mutex)
{
    if (!Mutex.AlreadyExists())
        return false;
    Application->SetTitle("Zorvane");
    ActivateRunningInstance(Mutex.Name());
    Application->MessageBox("'' Zorvane '' has already been opened!", Application->Title(), MB_OK);
    return true;
}

void ListenForLaterStarts()
{
    SetActivationHandler([] {
        // A minimised window is restored through its form, so that the form's own state
        // follows; then it is raised and activated.
        TCustomForm* main = Application->MainForm();
        if (main && main->WindowState() == wsMinimized)
            Application->Restore();
        Application->BringToFront();
    });
}
