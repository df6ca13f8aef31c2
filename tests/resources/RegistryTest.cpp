#include "resources/Registry.h"

#include "FailingAllocation.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// A shared object as the managers keep them: known by name, counting its deaths.
struct Asset {
    Asset(std::string name, int& deaths) : name(std::move(name)), deaths(deaths) {}
    virtual ~Asset() { ++deaths; }
    std::string name;
    int& deaths;
};

class RegistryTest : public ::testing::Test {
protected:
    // Retains the asset called `name`, counting how often one had to be made.
    Asset* retain(const std::string& name) {
        return registry.retain([&](const Asset& asset) { return asset.name == name; },
                               [&] {
                                   ++created;
                                   return new Asset(name, deaths);
                               });
    }

    int deaths = 0;
    int created = 0;
    tidewell::Registry<Asset> registry;
};

TEST_F(RegistryTest, SharesOneObjectPerIdentityAndCountsItsHolders) {
    Asset* first = retain("ship.twi");
    EXPECT_EQ(retain("ship.twi"), first);
    Asset* second = retain("enemy.twi");
    EXPECT_NE(second, first);
    EXPECT_EQ(created, 2);
    EXPECT_EQ(registry.size(), 2u);
    EXPECT_EQ(registry.count(first), 2u);
    EXPECT_EQ(registry.count(second), 1u);
    // New objects go to the front.
    EXPECT_EQ(registry.list().getFirst()->value, second);

    EXPECT_EQ(registry.find([](const Asset& asset) { return asset.name == "ship.twi"; }), first);
    EXPECT_EQ(registry.find([](const Asset& asset) { return asset.name == "boss.twi"; }), nullptr);
    EXPECT_EQ(registry.count(first), 2u);

    EXPECT_TRUE(registry.retainExisting(first));
    EXPECT_EQ(registry.count(first), 3u);
}

TEST_F(RegistryTest, TheLastReleaseDeletesTheObject) {
    Asset* asset = retain("shot.tws");
    retain("shot.tws");
    Asset* other = retain("music.tws");
    EXPECT_TRUE(registry.release(asset));
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(registry.count(asset), 1u);
    EXPECT_TRUE(registry.release(asset));
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(registry.size(), 1u);
    EXPECT_EQ(registry.list().getFirst()->value, other);
    // Gone now: made afresh when asked for again.
    retain("shot.tws");
    EXPECT_EQ(created, 3);
}

TEST_F(RegistryTest, ObjectsItDoesNotListAreRefused) {
    int strayDeaths = 0;
    Asset stray("stray", strayDeaths);
    retain("listed");
    EXPECT_FALSE(registry.release(&stray));
    EXPECT_FALSE(registry.release(nullptr));
    EXPECT_FALSE(registry.retainExisting(&stray));
    EXPECT_EQ(registry.count(&stray), 0u);
    EXPECT_EQ(registry.size(), 1u);
    EXPECT_EQ(strayDeaths, 0);
}

TEST_F(RegistryTest, NothingIsListedWhenCreationFails) {
    auto failing = [] () -> Asset* { throw std::runtime_error("unreadable"); };
    EXPECT_THROW(registry.retain([](const Asset&) { return false; }, failing), std::runtime_error);
    EXPECT_EQ(registry.size(), 0u);

    EXPECT_EQ(registry.retain([](const Asset&) { return false; }, [] { return static_cast<Asset*>(nullptr); }),
              nullptr);
    EXPECT_EQ(registry.size(), 0u);

    // Without a node to list it in, the new object is not leaked.
    failNextNothrowAllocation();
    EXPECT_THROW(retain("huge.twi"), tidewell::ErrorNoMemory);
    EXPECT_EQ(created, 1);
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(registry.size(), 0u);
}

TEST_F(RegistryTest, ClearAndDestructionDeleteEverythingWhateverItsCount) {
    retain("a");
    retain("a");
    retain("b");
    registry.clear();
    EXPECT_EQ(deaths, 2);
    EXPECT_EQ(registry.size(), 0u);
    {
        tidewell::Registry<Asset> scoped;
        scoped.retain([](const Asset&) { return false; }, [&] { return new Asset("c", deaths); });
    }
    EXPECT_EQ(deaths, 3);
}

// A holder that releases what it holds when it dies, as a font does with its characters.
struct Holder : Asset {
    Holder(int& deaths, tidewell::Registry<Asset>& registry, Asset* held)
        : Asset("holder", deaths), registry(registry), held(held) {}
    ~Holder() override { registry.release(held); }
    tidewell::Registry<Asset>& registry;
    Asset* held;
};

TEST_F(RegistryTest, AnObjectMayReleaseOthersWhileItIsDeleted) {
    Asset* held = retain("glyph");
    retain("glyph");
    Holder* holder = static_cast<Holder*>(registry.retain(
        [](const Asset&) { return false; }, [&] { return new Holder(deaths, registry, held); }));
    EXPECT_TRUE(registry.release(holder));
    EXPECT_EQ(registry.count(held), 1u);
    // Clearing while destructors release: the held object dies exactly once.
    retain("glyph");
    registry.retain([](const Asset&) { return false; }, [&] { return new Holder(deaths, registry, held); });
    registry.clear();
    EXPECT_EQ(deaths, 3);
    EXPECT_EQ(registry.size(), 0u);
}

} // namespace
