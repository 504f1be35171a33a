#include "components/controls/OwcontrolsComponents.h"

#include <algorithm>

TOwChangeLink::~TOwChangeLink()
{
    if (FSender)
        FSender->RemoveLink(this);
}

void TOwChangeLink::Change()
{
    if (OnChange)
        OnChange(FSender);
}

TOwSharedComponent::~TOwSharedComponent()
{
    while (!FLinks.empty())
        RemoveLink(FLinks.back());
}

void TOwSharedComponent::InsertLink(TOwChangeLink* Link)
{
    Link->FSender = this;
    FLinks.push_back(Link);
}

void TOwSharedComponent::RemoveLink(TOwChangeLink* Link)
{
    auto it = std::find(FLinks.begin(), FLinks.end(), Link);
    if (it == FLinks.end())
        return;
    Link->FSender = nullptr;
    FLinks.erase(it);
}

void TOwSharedComponent::NotifyClients()
{
    // By index: a handler may remove (or free) links while the walk goes on.
    for (size_t i = 0; i < FLinks.size(); ++i)
        FLinks[i]->Change();
}
