#include <string>
#include <vector>

#include "CoreTestSupport.h"
#include "core/Engine.h"
#include "core/ErrorGeneric.h"
#include "core/MainLoop.h"
#include "resources/ResourceManager.h"
#include "display/Sprite.h"

using namespace tidewell;

namespace {

// Notes its own deletion.
class Tracked : public Sprite {
public:
    Tracked(std::string name, std::vector<std::string>& deleted) : name_(std::move(name)), deleted_(deleted) {}
    ~Tracked() override { deleted_.push_back(name_); }

private:
    std::string name_;
    std::vector<std::string>& deleted_;
};

}  // namespace

class EngineTest : public HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        MainLoop::reset();
        setRandomSeed(1);
        startEngine();
    }

    void TearDown() override {
        stopEngine();
        setRandomSeed(std::nullopt);
        MainLoop::setFrameLimit(std::nullopt);
        HeadlessFixture::TearDown();
    }

    void runFrames(std::uint64_t count) {
        MainLoop::setFrameLimit(MainLoop::framesRun() + count);
        MainLoop::run();
    }

    std::vector<std::string> deleted;
};

TEST_F(EngineTest, ASecondRootIsRefusedLoudlyAndNotKeptAlive) {
    auto* root = new Tracked("root", deleted);
    setRootSprite(root);
    setRootSprite(root);  // the same one again changes nothing
    setRootSprite(nullptr);
    try {
        setRootSprite(new Tracked("second", deleted));
        FAIL() << "a second root was accepted";
    } catch (const ErrorGeneric& error) {
        EXPECT_EQ(error.module, "Engine");
        EXPECT_EQ(error.line, 88);
    }
    EXPECT_EQ(deleted, (std::vector<std::string>{"second"}));
    EXPECT_EQ(getRootSprite(), root);

    // A sprite of the tree offered as root is refused and left to its tree.
    auto* child = new Tracked("child", deleted);
    root->addChild(child);
    EXPECT_THROW(setRootSprite(child), ErrorGeneric);
    EXPECT_EQ(child->parent, root);
    EXPECT_EQ(deleted.size(), 1u);
}

TEST_F(EngineTest, SpritesRemovedOutsideTheTreeAreDeletedAtTheEndOfTheFrameOrAtStop) {
    auto* root = new Tracked("root", deleted);
    setRootSprite(root);
    root->remove();  // the root leaves only with the engine
    EXPECT_FALSE(root->isRemoved());
    auto* prototype = new Tracked("prototype", deleted);  // made, never shown, given up
    prototype->remove();
    runFrames(1);
    EXPECT_EQ(deleted, (std::vector<std::string>{"prototype"}));
    EXPECT_EQ(getRootSprite(), root);

    (new Tracked("late", deleted))->remove();  // after the last frame: the engine's stop takes it
    stopEngine();
    EXPECT_EQ(deleted, (std::vector<std::string>{"prototype", "root", "late"}));
    startEngine();  // for TearDown
}

// The stop tells what the program took and never gave back, not what the engine holds itself.
TEST_F(EngineTest, StopCountsOnlyWhatTheProgramNeverReleased) {
    const std::uint32_t white = 0xFFFFFFFF;
    ResourceManager::releaseImage(ResourceManager::getColoursImage(1, 1, &white));
    stopEngine();
    EXPECT_EQ(leftoversAtLastStop(), 0u);

    startEngine();
    ImageResource* kept = ResourceManager::getColoursImage(1, 1, &white);
    ASSERT_NE(kept, nullptr);
    stopEngine();
    EXPECT_EQ(leftoversAtLastStop(), 1u);
    startEngine();  // for TearDown
}
