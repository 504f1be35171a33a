#include <gtest/gtest.h>

#include <vector>

#include "platform/core/Component.h"

namespace {

// Records what it hears and drops its reference to a removed peer.
class Watcher : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* Peer = nullptr;
    std::vector<AnsiString> Heard;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove && AComponent == Peer) {
            Heard.push_back("remove " + AComponent->Name());
            Peer = nullptr;
        }
    }
};

class Counted : public TComponent {
public:
    Counted(TComponent* owner, int* alive) : TComponent(owner), FAlive(alive) { ++*FAlive; }
    ~Counted() override { --*FAlive; }

private:
    int* FAlive;
};

} // namespace

TEST(Component, OwnerDeletesItsComponentsAndNotifiesThoseThatAsked)
{
    int alive = 0;
    Watcher outside(nullptr);
    auto* owner = new TComponent(nullptr);
    auto* a = new Counted(owner, &alive);
    a->SetName("ViewIma1");
    new Counted(new Counted(owner, &alive), &alive); // grandchild
    ASSERT_EQ(alive, 3);
    outside.Peer = a;
    a->FreeNotification(&outside);

    delete owner;
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(outside.Peer, nullptr);
    EXPECT_EQ(outside.Heard, std::vector<AnsiString>{"remove ViewIma1"});
}

TEST(Component, FindComponentByNameBuiltAtRunTime)
{
    TComponent form(nullptr);
    for (int i = 1; i <= 8; ++i)
        (new TComponent(&form))->SetName("View" + std::to_string(i) + "Ima");
    TComponent* found = form.FindComponent("View" + std::to_string(5) + "Ima");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->ComponentIndex(), 4);
    EXPECT_EQ(form.FindComponent("VIEW5IMA"), found); // names are case-insensitive
    EXPECT_EQ(form.FindComponent("View9Ima"), nullptr);
}

TEST(Component, NamesMustBeIdentifiersAndUniqueWithinOwner)
{
    TComponent form(nullptr);
    auto* a = new TComponent(&form);
    a->SetName("PowerBtn");
    auto* b = new TComponent(&form);
    EXPECT_THROW(b->SetName("powerbtn"), EComponentError);
    EXPECT_THROW(b->SetName("1Btn"), EComponentError);
    b->SetName("TrigBtn");
    EXPECT_EQ(b->Name(), "TrigBtn");
}

TEST(Component, DeletingAComponentRemovesItFromItsOwner)
{
    TComponent form(nullptr);
    auto* a = new TComponent(&form);
    new TComponent(&form);
    delete a;
    EXPECT_EQ(form.ComponentCount(), 1);
}

TEST(Persistent, AssignWithoutSupportRaisesTheLibraryError)
{
    TPersistent a, b;
    try {
        a.Assign(&b);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TPersistent to a TPersistent");
    }
}
