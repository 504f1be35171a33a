#pragma once
// Non-visual bases of the owner-drawn library: a component with a version, and a shared
// component that notifies the change links of its clients.
#include <vector>

#include "components/controls/Owcontrols.h"
#include "platform/core/Component.h"

class TOwComponent : public TComponent {
public:
    explicit TOwComponent(TComponent* AOwner) : TComponent(AOwner) {}
    AnsiString Version() const { return OwVersion; }
    void SetVersion(const AnsiString&) {}
};

class TOwSharedComponent;

// A client's link to a shared component; removes itself from the component when freed.
class TOwChangeLink : public TObject {
public:
    ~TOwChangeLink() override;
    TOwSharedComponent* Sender() const { return FSender; }
    // Calls OnChange with the shared component.
    virtual void Change();
    TNotifyEvent OnChange;

private:
    friend class TOwSharedComponent;
    TOwSharedComponent* FSender = nullptr;
};

class TOwSharedComponent : public TOwComponent {
public:
    explicit TOwSharedComponent(TComponent* AOwner) : TOwComponent(AOwner) {}
    ~TOwSharedComponent() override;
    void InsertLink(TOwChangeLink* Link);
    void RemoveLink(TOwChangeLink* Link);
    void NotifyClients();
    int LinkCount() const { return static_cast<int>(FLinks.size()); }

private:
    std::vector<TOwChangeLink*> FLinks; // not owned
};
