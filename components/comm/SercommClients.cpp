#include "components/comm/SercommClients.h"

#include <algorithm>

#include "components/comm/Serutils.h"
#include "platform/serial/SerialDevice.h"

// ---------------------------------------------------------- TSerDispatcher

TSerDispatcher::~TSerDispatcher()
{
    if (FComm)
        FComm->RemoveClient(this);
}

void TSerDispatcher::SetDTRState(bool State)
{
    if (FComm)
        FComm->SetDTR(State);
}

void TSerDispatcher::PurgeRead()
{
    if (FComm)
        FComm->PurgeRead();
}

void TSerDispatcher::PurgeWrite()
{
    if (FComm)
        FComm->PurgeWrite();
}

void TSerDispatcher::PurgeReadWrite()
{
    if (FComm)
        FComm->PurgeReadWrite();
}

int TSerDispatcher::WriteBuf(const void* Buffer, int Count) { return FComm ? FComm->WriteBuf(Buffer, Count) : 0; }
bool TSerDispatcher::WriteText(const AnsiString& Text) { return FComm ? FComm->WriteText(Text) : false; }
bool TSerDispatcher::WriteChar(char C) { return FComm ? FComm->WriteChar(C) : false; }

void TSerDispatcher::DataEvent(PSerData Data, int Count)
{
    if (FActive)
        FUser->DataChanged(Data, Count);
}

void TSerDispatcher::LineEvent(DWORD EventMask)
{
    if (FActive)
        FUser->LineChanged(EventMask);
}

// ------------------------------------------------------- TSerCommComponent

TSerCommComponent::TSerCommComponent(TComponent* AOwner)
    : TSerComponent(AOwner), FDispatcher(std::make_unique<TSerDispatcher>(this))
{
}

TSerCommComponent::~TSerCommComponent() { FDispatcher.reset(); }

void TSerCommComponent::SetComm(TSerComm* Value)
{
    // Only a component that still holds the dispatcher is touched.
    if (TSerComm* old = Comm())
        old->RemoveClient(FDispatcher.get());
    FComm = Value;
    if (FComm)
        FComm->InsertClient(FDispatcher.get());
}

void TSerCommComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    TSerComponent::Notification(AComponent, Operation);
    // A destroyed component has cleared our link already, so this only forgets it.
    if (Operation == TOperation::opRemove && FComm && AComponent == FComm)
        SetComm(nullptr);
}

// ------------------------------------------------ TSerCustomComm's clients

void TSerCustomComm::InsertClient(TSerDispatcher* Dispatcher)
{
    Dispatcher->FComm = this;
    FClients.push_back(Dispatcher);
}

void TSerCustomComm::RemoveClient(TSerDispatcher* Dispatcher)
{
    auto it = std::find(FClients.begin(), FClients.end(), Dispatcher);
    if (it == FClients.end())
        return;
    Dispatcher->FComm = nullptr;
    FClients.erase(it);
}

void TSerCustomComm::DestroyClients()
{
    while (!FClients.empty())
        RemoveClient(FClients.back());
}

void TSerCustomComm::WriteEvents(DWORD EventMask)
{
    if (!FControlsEnabled)
        return;
    const auto clients = FClients; // a client may leave while it is told
    for (TSerDispatcher* d : clients)
        d->LineEvent(EventMask);
}

void TSerCustomComm::WriteBuffer(PSerData Data, int Count)
{
    if (FControlsEnabled) {
        const auto clients = FClients;
        for (TSerDispatcher* d : clients)
            d->DataEvent(Data, Count);
    }
    if (OnRxBuf)
        OnRxBuf(this, Data, Count);
}

bool TSerCustomComm::WaitChar(int Ms)
{
    if (Ms < 0)
        Ms = 0;
    if (!Active()) {
        SerSleep(static_cast<std::uint32_t>(Ms)); // nothing can arrive on a closed port
        return false;
    }
    return FHandle->WaitInput(Ms);
}

bool TSerCustomComm::ReadCharWait(char& C, int Ms)
{
    WaitChar(Ms);
    return ReadChar(C);
}
