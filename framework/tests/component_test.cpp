#include "framework/components/component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dlk {
namespace {

std::vector<std::string> deaths;

class TMortal : public TComponent {
public:
    TMortal(TComponent* owner, std::string name) : TComponent(owner) { SetName(std::move(name)); }
    ~TMortal() override { deaths.push_back(Name()); }
    TNotifyEvent OnPoke;
    void Poke() { Raise(OnPoke, this); }
};

// Holds a reference to another component and drops it when told.
class TWatcher : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* Watched = nullptr;
    std::string WatchedNameAtNotice;
    void Watch(TComponent* c) {
        Watched = c;
        FreeNotification(c);
    }
    void Notification(TComponent* c, TOperation op) override {
        if (op == TOperation::opRemove && c == Watched) {
            WatchedNameAtNotice = c->Name();  // the component's members still live
            Watched = nullptr;
        }
    }
};

TEST(ComponentTest, OwnerFreesWhatItOwnsLastFirst) {
    deaths.clear();
    auto* owner = new TMortal(nullptr, "owner");
    new TMortal(owner, "a");
    auto* b = new TMortal(owner, "b");
    new TMortal(b, "b1");
    new TMortal(owner, "c");
    EXPECT_EQ(owner->ComponentCount(), 3);
    delete owner;
    EXPECT_EQ(deaths, (std::vector<std::string>{"owner", "c", "b", "b1", "a"}));
}

TEST(ComponentTest, FreedComponentLeavesItsOwner) {
    TMortal owner(nullptr, "owner");
    auto* a = new TMortal(&owner, "a");
    new TMortal(&owner, "b");
    delete a;
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0)->Name(), "b");
    EXPECT_EQ(owner.FindComponent("a"), nullptr);
}

TEST(ComponentTest, RemovalNoticeComesBeforeTheMembersDieEitherWay) {
    TMortal form(nullptr, "form");
    auto* watcher = new TWatcher(&form);
    auto* target = new TMortal(nullptr, "target");  // another owner
    watcher->Watch(target);
    delete target;
    EXPECT_EQ(watcher->Watched, nullptr);
    EXPECT_EQ(watcher->WatchedNameAtNotice, "target");

    // The watcher dying first leaves nothing dangling in the watched one.
    auto* second = new TMortal(nullptr, "second");
    watcher->Watch(second);
    delete watcher;
    delete second;  // must not notify the freed watcher
}

TEST(ComponentTest, NoHandlerRunsOnAComponentBeingDestroyed) {
    int pokes = 0;
    struct Poker : TMortal {
        using TMortal::TMortal;
        TMortal* Victim = nullptr;
        ~Poker() override { Victim->Poke(); }
    };
    auto* owner = new TMortal(nullptr, "owner");
    auto* victim = new TMortal(owner, "victim");
    auto* poker = new Poker(owner, "poker");  // freed first, pokes the victim while the tree dies
    poker->Victim = victim;
    victim->OnPoke = [&](TObject*) { ++pokes; };
    victim->Poke();
    EXPECT_EQ(pokes, 1);
    delete owner;
    EXPECT_EQ(pokes, 1);
}

}  // namespace
}  // namespace dlk
