#pragma once
// Clients of the serial port component: components that take its received
// data and line events through a dispatcher.
#include "components/comm/Sercomm.h"
#include "components/comm/SercommThreads.h"

// What a client receives.
class ISerCommUser {
public:
    virtual ~ISerCommUser() = default;
    virtual void LineChanged(DWORD EventMask) = 0;
    virtual void DataChanged(PSerData Data, int Count) = 0;
};

// Links one client to one component's client list.
class TSerDispatcher : public TObject {
public:
    explicit TSerDispatcher(ISerCommUser* User) : FUser(User) {}
    ~TSerDispatcher() override;

    bool Active() const { return FActive; }
    void SetActive(bool v) { FActive = v; }
    TSerCustomComm* Comm() const { return FComm; }

    void SetDTRState(bool State);
    void PurgeRead();
    void PurgeWrite();
    void PurgeReadWrite();
    int WriteBuf(const void* Buffer, int Count);
    bool WriteText(const AnsiString& Text);
    bool WriteChar(char C);

    void DataEvent(PSerData Data, int Count);
    void LineEvent(DWORD EventMask);

private:
    friend class TSerCustomComm;
    bool FActive = true;
    TSerCustomComm* FComm = nullptr;
    ISerCommUser* FUser;
};

// Base of the components that attach to a TSerComm as clients.
class TSerCommComponent : public TSerComponent, public ISerCommUser {
public:
    explicit TSerCommComponent(TComponent* AOwner);
    ~TSerCommComponent() override;

    // Empty once the component has let the dispatcher go (also when it was
    // destroyed first and told us nothing).
    TSerComm* Comm() const { return FDispatcher->Comm() ? FComm : nullptr; }
    // Setting the same component again moves the client to the end of its list.
    void SetComm(TSerComm* Value);
    bool Active() const { return FDispatcher->Active(); }
    void SetActive(bool Value) { FDispatcher->SetActive(Value); }
    TSerDispatcher* Dispatcher() const { return FDispatcher.get(); }

    void DataChanged(PSerData, int) override {}
    void LineChanged(DWORD) override {}

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TSerComm* FComm = nullptr;
    std::unique_ptr<TSerDispatcher> FDispatcher;
};
