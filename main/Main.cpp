// Program entry: one instance per user; a second start brings the first to the front.
#include "main/About.h"
#include "main/Lcr.h"
#include "main/Program.h"
#include "platform/core/Exceptions.h"
#include "platform/forms/Application.h"
#include "platform/win/SingleInstance.h"

int main(int argc, char** argv)
{
    CreateApplication(argc, argv);
    int result = 0;
    try {
        TNamedMutex mutex("Zorvane");
        if (!RefuseSecondInstance(mutex)) {
            ListenForLaterStarts();
            Application->Initialize();
            Application->SetTitle("Zorvane Series");
            Application->CreateForm(LCRForm);
            Application->CreateForm(AboutBox);
            Application->Run();
        }
    } catch (Exception& e) {
        Application->ShowException(&e);
        result = 1;
    }
    DestroyApplication();
    return result;
}
