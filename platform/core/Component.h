#pragma once
// The component model: TObject, TPersistent (Assign) and TComponent (owner, name,
// owned components freed with their owner, free notification).
#include <set>
#include <string>
#include <vector>

#include "platform/core/Events.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Types.h"

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
    virtual AnsiString ClassName() const;
};

class TPersistent : public TObject {
public:
    // Copies the source's published state; a class that cannot takes the
    // class library's error "Cannot assign a <source> to a <this>".
    virtual void Assign(TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest);
};

enum class TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4,
    csUpdating = 1u << 5,
};
using TComponentState = unsigned;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    const AnsiString& Name() const { return FName; }
    // A name must be a valid identifier and unique among the owner's components.
    virtual void SetName(const AnsiString& NewName);
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int Index) const;
    int ComponentIndex() const;
    // Case-insensitive search among the owned components, as the class library does.
    TComponent* FindComponent(const AnsiString& AName) const;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Deletes every owned component.
    void DestroyComponents();

    // AComponent is told (Notification opRemove) when this component is destroyed.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    TComponentState ComponentState() const { return FComponentState; }
    bool ComponentStateHas(TComponentStateFlag f) const { return (FComponentState & f) != 0; }
    void SetDesigning(bool on);

    // Loading: between BeginLoading and EndLoading (which calls Loaded on this
    // component and all owned ones) setters may defer their work.
    void BeginLoading();
    void EndLoading();

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    virtual void Loaded();
    void SetComponentStateFlag(TComponentStateFlag f, bool on);

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    AnsiString FName;
    int FTag = 0;
    std::vector<TComponent*> FComponents;
    std::set<TComponent*> FFreeNotifies;
    TComponentState FComponentState = 0;
};

bool IsValidIdent(const AnsiString& Ident);
