#include "platform/core/Component.h"

#include "platform/core/StringUtils.h"

#include <algorithm>
#include <cctype>
#include <typeinfo>

#include <cxxabi.h>

AnsiString TObject::ClassName() const
{
    int status = 0;
    const char* mangled = typeid(*this).name();
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    AnsiString name = (status == 0 && demangled) ? demangled : mangled;
    std::free(demangled);
    return name;
}

void TPersistent::Assign(TPersistent* Source)
{
    if (Source)
        Source->AssignTo(this);
    else
        throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + Dest->ClassName());
}

bool IsValidIdent(const AnsiString& Ident)
{
    if (Ident.empty())
        return false;
    auto first = static_cast<unsigned char>(Ident[0]);
    if (!(std::isalpha(first) || first == '_'))
        return false;
    return std::all_of(Ident.begin(), Ident.end(), [](char c) {
        auto u = static_cast<unsigned char>(c);
        return std::isalnum(u) || u == '_';
    });
}

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    FComponentState |= csDestroying;
    // Tell everyone who asked; they drop their references to us.
    while (!FFreeNotifies.empty()) {
        TComponent* other = *FFreeNotifies.begin();
        FFreeNotifies.erase(FFreeNotifies.begin());
        other->FFreeNotifies.erase(this);
        other->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::SetName(const AnsiString& NewName)
{
    if (NewName == FName)
        return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError("''" + NewName + "'' is not a valid component name");
    if (!NewName.empty() && FOwner) {
        TComponent* clash = FOwner->FindComponent(NewName);
        if (clash && clash != this)
            throw EComponentError("A component named " + NewName + " already exists");
    }
    FName = NewName;
}

TComponent* TComponent::Components(int Index) const
{
    if (Index < 0 || Index >= ComponentCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const
{
    if (!FOwner)
        return -1;
    auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const AnsiString& AName) const
{
    if (AName.empty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, AName))
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (!AComponent->FName.empty()) {
        TComponent* clash = FindComponent(AComponent->FName);
        if (clash && clash != AComponent)
            throw EComponentError("A component named " + AComponent->FName + " already exists");
    }
    if (AComponent->FOwner)
        AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    Notification(AComponent, TOperation::opRemove);
    Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent)
{
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent)
{
    auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (it != FComponents.end())
        FComponents.erase(it);
    AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents()
{
    // Last created first, as the class library frees them.
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        Remove(c);
        delete c;
    }
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    FFreeNotifies.insert(AComponent);
    AComponent->FFreeNotifies.insert(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (!AComponent)
        return;
    FFreeNotifies.erase(AComponent);
    AComponent->FFreeNotifies.erase(this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    // Owned components hear of removals too, so references among siblings are dropped.
    if (Operation == TOperation::opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    for (TComponent* c : std::vector<TComponent*>(FComponents))
        if (c != AComponent)
            c->Notification(AComponent, Operation);
}

void TComponent::SetComponentStateFlag(TComponentStateFlag f, bool on)
{
    if (on)
        FComponentState |= f;
    else
        FComponentState &= ~static_cast<unsigned>(f);
}

void TComponent::SetDesigning(bool on) { SetComponentStateFlag(csDesigning, on); }

void TComponent::BeginLoading()
{
    SetComponentStateFlag(csLoading, true);
    for (TComponent* c : FComponents)
        c->BeginLoading();
}

void TComponent::EndLoading()
{
    for (TComponent* c : FComponents)
        c->EndLoading();
    SetComponentStateFlag(csLoading, false);
    Loaded();
}

void TComponent::Loaded() {}
