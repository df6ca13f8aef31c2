#include "display/Sprite.h"

#include "FailingAllocation.h"
#include "input/InputManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using tidewell::Sprite;
namespace InputManager = tidewell::InputManager;

namespace {

using Log = std::vector<std::string>;

// Writes what happens to it into a shared log.
class Probe : public Sprite {
public:
    Probe(std::string name, Log& log) : name(std::move(name)), log(log) {}
    ~Probe() override { log.push_back("~" + name); }

    void onKeyDown(int key, bool flag) override { record("key " + std::to_string(key) + (flag ? " full" : "")); }
    void onMouseMove(int mx, int my, bool flag) override {
        record("mouse " + std::to_string(mx) + "," + std::to_string(my) + (flag ? " full" : ""));
    }
    void onJoystickMove(float jx, float jy, int joystick, bool) override {
        record("stick " + std::to_string(joystick) + " " + std::to_string(jx) + "," + std::to_string(jy));
    }
    void update() override {
        record("update");
        if (onUpdate) onUpdate();
    }
    void draw() override { record("draw"); }

    std::function<void()> onUpdate;

private:
    void record(const std::string& what) { log.push_back(name + " " + what); }
    std::string name;
    Log& log;
};

// A sprite with content: a width x height box from its position, as shapes have.
class Block : public Sprite {
public:
    Block(float left, float top, float width, float height, std::int32_t shape = rectangleShape)
        : width(width), height(height) {
        x = left;
        y = top;
        hitShape = shape;
    }
    float getLeft() const override { return x; }
    float getTop() const override { return y; }
    float getRight() const override { return x + width; }
    float getBottom() const override { return y + height; }

private:
    float width, height;
};

class SpriteTree : public ::testing::Test {
protected:
    void SetUp() override { InputManager::resetPolledState(); }

    Probe* add(const std::string& name, Sprite& to) {
        auto* probe = new Probe(name, log);
        to.addChild(probe);
        return probe;
    }

    // The children front to back, checked against the back-to-front walk.
    static std::vector<Sprite*> childrenOf(const Sprite& sprite) {
        std::vector<Sprite*> forward, backward;
        for (Sprite* child = sprite.getFirstChild(); child; child = child->getNextSibling()) forward.push_back(child);
        for (Sprite* child = sprite.getLastChild(); child; child = child->getPreviousSibling())
            backward.insert(backward.begin(), child);
        EXPECT_EQ(forward, backward);
        return forward;
    }

    Log log;
    Probe root{"root", log};
};

TEST_F(SpriteTree, ChildrenAreAddedAtTheirPlaceAndBadAddsAreIgnored) {
    Probe* middle = add("middle", root);
    auto* back = new Probe("back", log);
    auto* after = new Probe("after", log);
    root.addChildAtBack(back);
    root.addChildAfter(after, middle);
    EXPECT_EQ(childrenOf(root), (std::vector<Sprite*>{back, middle, after}));
    EXPECT_EQ(middle->parent, &root);

    // Null, a sibling from elsewhere, a sprite already in a tree, or an ancestor.
    Probe* grandchild = add("grandchild", *middle);
    root.addChild(nullptr);
    root.addChildAfter(nullptr, middle);
    Probe stray("stray", log);
    root.addChildAfter(&stray, grandchild);
    root.addChild(grandchild);
    grandchild->addChild(&root);
    grandchild->addChild(grandchild);
    EXPECT_EQ(childrenOf(root), (std::vector<Sprite*>{back, middle, after}));
    EXPECT_EQ(childrenOf(*middle), (std::vector<Sprite*>{grandchild}));
    EXPECT_EQ(stray.parent, nullptr);
    EXPECT_TRUE(childrenOf(*grandchild).empty());
}

TEST_F(SpriteTree, AChildThatCannotBeLinkedStaysOutOfTheTree) {
    auto child = std::make_unique<Probe>("child", log);
    failNextNothrowAllocation();
    EXPECT_THROW(root.addChild(child.get()), tidewell::ErrorNoMemory);
    EXPECT_EQ(child->parent, nullptr);
    EXPECT_EQ(root.getFirstChild(), nullptr);
    // It can still join later.
    root.addChild(child.get());
    EXPECT_EQ(child->parent, &root);
    EXPECT_EQ(root.getFirstChild(), child.release());
}

TEST_F(SpriteTree, SwapDepthExchangesPlacesNearOrFar) {
    std::vector<Sprite*> kids;
    for (const char* name : {"a", "b", "c", "d", "e"}) kids.push_back(add(name, root));
    Sprite *a = kids[0], *b = kids[1], *c = kids[2], *d = kids[3], *e = kids[4];
    b->swapDepth(c);
    EXPECT_EQ(childrenOf(root), (std::vector<Sprite*>{a, c, b, d, e}));
    c->swapDepth(a); // adjacent, backwards, at the front
    EXPECT_EQ(childrenOf(root), (std::vector<Sprite*>{c, a, b, d, e}));
    c->swapDepth(e); // first and last
    EXPECT_EQ(childrenOf(root), (std::vector<Sprite*>{e, a, b, d, c}));
    a->swapDepth(d); // apart, in the middle
    EXPECT_EQ(childrenOf(root), (std::vector<Sprite*>{e, d, b, a, c}));
    d->swapDepth(c); // apart, to the end
    EXPECT_EQ(childrenOf(root), (std::vector<Sprite*>{e, c, b, a, d}));

    Probe* nephew = add("nephew", *a);
    b->swapDepth(nephew);
    b->swapDepth(b);
    b->swapDepth(nullptr);
    EXPECT_EQ(childrenOf(root), (std::vector<Sprite*>{e, c, b, a, d}));
}

TEST_F(SpriteTree, RemovedDuringUpdateIsNeitherDrawnNorKeptButLaterSiblingsRun) {
    Probe* first = add("first", root);
    Probe* doomed = add("doomed", root);
    add("last", root);
    Probe* deep = add("deep", *first);
    first->onUpdate = [&] { deep->remove(); };
    doomed->onUpdate = [&] { doomed->remove(); };
    root.dispatchUpdate();
    root.dispatchDraw();
    EXPECT_EQ(log, (Log{"root update", "first update", "doomed update", "last update", "root draw", "first draw",
                        "last draw"}));
    EXPECT_TRUE(root.hasRemovedChild());
    log.clear();
    root.purgeRemoved();
    EXPECT_EQ(log, (Log{"~deep", "~doomed"}));
    EXPECT_FALSE(root.hasRemovedChild());
    EXPECT_FALSE(first->hasRemovedChild());
    EXPECT_EQ(root.getFirstChild()->getNextSibling(), root.getLastChild());
}

// A bullet loop that meets an enemy removed earlier in the frame: the enemy, and the hit
// area it carries, overlap nothing from then on, whichever side asks.
TEST_F(SpriteTree, ARemovedSpriteAndWhatItCarriesOverlapNothing) {
    auto* bullet = new Block(0, 0, 10, 10);
    auto* enemy = new Block(5, 5, 10, 10);
    auto* hitArea = new Block(0, 0, 10, 10);
    root.addChild(bullet);
    root.addChild(enemy);
    enemy->addChild(hitArea);
    ASSERT_TRUE(bullet->overlaps(hitArea));
    enemy->remove();
    EXPECT_FALSE(bullet->overlaps(enemy));
    EXPECT_FALSE(enemy->overlaps(bullet));
    EXPECT_FALSE(bullet->overlaps(hitArea));
    EXPECT_FALSE(hitArea->overlaps(bullet));
    EXPECT_FALSE(hitArea->isRemoved());
    EXPECT_TRUE(hitArea->isGone());
    EXPECT_FALSE(bullet->isGone());
    EXPECT_EQ(childrenOf(root).size(), 2u);  // still listed until the sweep, as isRemoved() tells
    root.purgeRemoved();
    EXPECT_EQ(childrenOf(root), (std::vector<Sprite*>{bullet}));
}

TEST_F(SpriteTree, ASpriteRemovedInNoTreeGoesWithTheSweepOfSpritesOutsideTrees) {
    Probe* loose = new Probe("loose", log);
    loose->remove();
    loose->remove();  // twice is once
    add("child", *loose);
    EXPECT_EQ(Sprite::removedOutsideTreesCount(), 1u);
    root.addChild(loose);  // on its way out: no tree takes it
    EXPECT_EQ(loose->parent, nullptr);
    root.purgeRemoved();
    EXPECT_TRUE(log.empty());
    Sprite::purgeRemovedOutsideTrees();
    EXPECT_EQ(log, (Log{"~loose", "~child"}));
    EXPECT_EQ(Sprite::removedOutsideTreesCount(), 0u);

    Probe* deletedFirst = new Probe("owned", log);  // its owner may still delete it before the sweep
    deletedFirst->remove();
    delete deletedFirst;
    EXPECT_EQ(Sprite::removedOutsideTreesCount(), 0u);
    Sprite::purgeRemovedOutsideTrees();
    EXPECT_EQ(log.back(), "~owned");
}

// A layer built before it is shown, with a sprite removed in it: once the layer joins the
// tree, the next sweep deletes that sprite instead of keeping it as a hidden leftover.
TEST_F(SpriteTree, ARemovalInASubtreeOutsideTheTreeIsSweptOnceTheSubtreeJoins) {
    auto* layer = new Probe("layer", log);
    Probe* shot = add("shot", *layer);
    add("kept", *layer);
    shot->remove();
    root.addChild(layer);
    EXPECT_TRUE(root.hasRemovedChild());
    root.purgeRemoved();
    EXPECT_EQ(log, (Log{"~shot"}));
    EXPECT_EQ(childrenOf(*layer).size(), 1u);
}

TEST_F(SpriteTree, AChildAddedDuringASiblingsUpdateRunsInTheSameFrame) {
    Probe* parent = add("parent", root);
    parent->onUpdate = [&] {
        if (!parent->getNextSibling()) add("appended", root);
    };
    root.dispatchUpdate();
    EXPECT_EQ(log, (Log{"root update", "parent update", "appended update"}));
}

TEST_F(SpriteTree, StopFlagsPausedAndHiddenSpritesCutTraversalsShort) {
    Probe* bottom = add("bottom", root);
    Probe* middle = add("middle", root);
    Probe* top = add("top", root);
    middle->updateStop = true;
    middle->drawStop = true;
    root.dispatchUpdate();
    root.dispatchDraw();
    EXPECT_EQ(log, (Log{"root update", "bottom update", "middle update", "root draw", "bottom draw", "middle draw"}));

    log.clear();
    middle->updateStop = middle->drawStop = false;
    root.drawOrder = false;
    bottom->paused = true;  // still drawn
    top->visible = false;   // still updated
    add("child", *bottom);
    root.dispatchUpdate();
    root.dispatchDraw();
    EXPECT_EQ(log, (Log{"root update", "middle update", "top update", "root draw", "middle draw", "bottom draw",
                        "child draw"}));
}

TEST_F(SpriteTree, InputReachesOnlyEnabledSubtreesTopMostFirstUntilAStop) {
    root.keyboardEnabled = true;
    Probe* bottom = add("bottom", root);
    Probe* middle = add("middle", root);
    Probe* top = add("top", root);
    bottom->keyboardEnabled = true;
    top->keyboardEnabled = true;
    add("hidden", *middle)->keyboardEnabled = true; // its parent does not take keys
    add("inner", *top)->keyboardEnabled = true;
    root.dispatchKeyDown(57, false);
    EXPECT_EQ(log, (Log{"root key 57", "top key 57", "inner key 57", "bottom key 57"}));

    log.clear();
    top->keyboardStop = true;
    root.dispatchKeyDown(28, true);
    EXPECT_EQ(log, (Log{"root key 28 full", "top key 28 full", "inner key 28 full"}));

    log.clear();
    top->keyboardStop = false;
    root.keyboardOrder = true;
    top->paused = true;
    root.dispatchKeyDown(1, false);
    EXPECT_EQ(log, (Log{"root key 1", "bottom key 1"}));
}

TEST_F(SpriteTree, PlainHandlersReadThePolledPositionFullOnesGetTheArguments) {
    root.mouseEnabled = true;
    root.joystickEnabled = true;
    InputManager::mouseX = 123;
    InputManager::mouseY = 45;
    root.dispatchMouseMove(1, 2, false);
    root.dispatchMouseMove(1, 2, true);
    root.dispatchJoystickMove(0.9f, 0.9f, 0, false);
    InputManager::joystickStates.resize(2);
    InputManager::joystickCount = 2;
    InputManager::joystickStates[1].lX = -500;
    InputManager::joystickStates[1].lY = 1000;
    root.dispatchJoystickMove(0.9f, 0.9f, 1, false);
    EXPECT_EQ(log, (Log{"root mouse 123,45", "root mouse 1,2 full", "root stick 0 0.000000,0.000000",
                        "root stick 1 -0.500000,1.000000"}));
}

TEST_F(SpriteTree, DerivedStateCombinesDownTheTreeAndFollowsChanges) {
    root.setPosition(100, 50);
    root.setAlpha(128);
    root.addColour = 0xFF102030;
    root.updateAddColour();
    auto* child = new Sprite;
    child->setAlpha(128);
    child->setRGB(0x80, 0xFF, 0x00);
    child->addColour = 0xFFF00010;
    child->x = 10;
    root.addChild(child);
    EXPECT_EQ(child->getEffectiveColour(), 0x4080FF00u); // alpha 128 x 128 / 255 = 64
    EXPECT_EQ(child->getEffectiveAddColour(), 0xFFFF2040u);
    EXPECT_FLOAT_EQ(child->getAbsoluteX(), 110);
    EXPECT_FLOAT_EQ(child->getAbsoluteY(), 50);

    root.moveX(-100);
    root.setRGB(0x00FF00);
    EXPECT_FLOAT_EQ(child->getAbsoluteX(), 10);
    EXPECT_EQ(child->getEffectiveColour(), 0x4000FF00u);
    EXPECT_EQ(root.colour, 0x8000FF00u);
}

TEST_F(SpriteTree, ClipsIntersectDownTheTree) {
    EXPECT_FLOAT_EQ(root.getEffectiveClipRight(), 800);
    EXPECT_FLOAT_EQ(root.getEffectiveClipBottom(), 600);
    auto* window = new Sprite;
    window->clipping = true;
    window->clipLeft = -100;
    window->clipTop = 10;
    window->clipRight = 200;
    window->clipBottom = 2000;
    window->setPosition(50, 20);
    root.addChild(window);
    auto* pane = new Sprite;
    pane->clipping = true;
    pane->clipLeft = 0;
    pane->clipTop = -50;
    pane->clipRight = 500;
    pane->clipBottom = 40;
    pane->setPosition(20, 0);
    window->addChild(pane);
    EXPECT_FLOAT_EQ(pane->getEffectiveClipLeft(), 70);
    EXPECT_FLOAT_EQ(pane->getEffectiveClipTop(), 30);
    EXPECT_FLOAT_EQ(pane->getEffectiveClipRight(), 250);
    EXPECT_FLOAT_EQ(pane->getEffectiveClipBottom(), 60);
    window->setY(0);
    EXPECT_FLOAT_EQ(pane->getEffectiveClipTop(), 10);
    EXPECT_FLOAT_EQ(pane->getEffectiveClipBottom(), 40);
}

TEST(SpriteGeometry, BoxesAndPointTests) {
    Sprite group;
    group.x = 7;
    EXPECT_FLOAT_EQ(group.getLeft(), 7);
    EXPECT_FLOAT_EQ(group.getWidth(), 0);
    group.addChild(new Block(-5, 10, 10, 5));
    group.addChild(new Block(20, -3, 4, 4));
    group.setPosition(100, 200);
    EXPECT_FLOAT_EQ(group.getLeft(), 95);
    EXPECT_FLOAT_EQ(group.getTop(), 197);
    EXPECT_FLOAT_EQ(group.getWidth(), 29);
    EXPECT_FLOAT_EQ(group.getHeight(), 18);
    EXPECT_TRUE(group.hitTest(-5, -3));
    EXPECT_FALSE(group.hitTest(24, 0)); // the right and bottom edges are outside
    EXPECT_FALSE(group.hitTest(0, 15));
    EXPECT_TRUE(group.hitTestScreen(95, 197));

    Block ellipse(0, 0, 40, 20, Sprite::ellipseShape);
    ellipse.updateAbsolutePosition();
    EXPECT_TRUE(ellipse.hitTest(20, 10));
    EXPECT_TRUE(ellipse.hitTest(1, 10));
    EXPECT_FALSE(ellipse.hitTest(3, 2)); // inside the box, outside the ellipse
    ellipse.hitShape = 3;
    EXPECT_FALSE(ellipse.hitTest(20, 10));

    InputManager::resetPolledState();
    EXPECT_FLOAT_EQ(group.getMouseX(), 300);
    EXPECT_FLOAT_EQ(group.toLocalX(&ellipse, 5), -95);
}

TEST(SpriteCollision, RectanglesOverlapOnlyPastTheirEdges) {
    Block a(0, 0, 10, 10), b(10, 0, 10, 10), c(9, 9, 10, 10), oddShape(0, 0, 10, 10, 3);
    for (Block* block : {&a, &b, &c, &oddShape}) block->updateAbsolutePosition();
    EXPECT_FALSE(a.overlaps(&b));
    EXPECT_FALSE(b.overlaps(&a));
    EXPECT_TRUE(a.overlaps(&c));
    EXPECT_FALSE(a.overlaps(nullptr));
    EXPECT_FALSE(a.overlaps(&oddShape));
    EXPECT_FALSE(oddShape.overlaps(&a));
}

// Checks a collision both ways round, since each order takes its own branch.
void expectOverlap(Block&& first, Block&& second, bool expected) {
    first.updateAbsolutePosition();
    second.updateAbsolutePosition();
    EXPECT_EQ(first.overlaps(&second), expected);
    EXPECT_EQ(second.overlaps(&first), expected);
}

constexpr std::int32_t kEllipse = Sprite::ellipseShape;

TEST(SpriteCollision, EllipseAndRectangle) {
    // Crossing the ellipse's vertical centre line, and its horizontal one, with
    // every corner outside.
    expectOverlap(Block(0, 0, 20, 20, kEllipse), Block(-5, 18, 30, 10), true);
    expectOverlap(Block(0, 0, 20, 20, kEllipse), Block(18, -5, 10, 30), true);
    // Only a corner region of the boxes is shared: a corner inside, then none.
    expectOverlap(Block(0, 0, 20, 20, kEllipse), Block(14, 14, 16, 16), true);
    expectOverlap(Block(0, 0, 20, 20, kEllipse), Block(18, 18, 12, 12), false);
    expectOverlap(Block(0, 0, 20, 20, kEllipse), Block(-12, 18, 13, 12), false);
}

TEST(SpriteCollision, TwoEllipses) {
    // A centre inside the other.
    expectOverlap(Block(0, 0, 20, 20, kEllipse), Block(5, 5, 20, 20, kEllipse), true);
    // Centres on one vertical or horizontal line, neither centre inside the other.
    expectOverlap(Block(0, 0, 20, 20, kEllipse), Block(0, 15, 20, 20, kEllipse), true);
    expectOverlap(Block(0, 0, 20, 20, kEllipse), Block(15, 4, 20, 12, kEllipse), true);
    // Diagonal neighbours: close enough, then boxes touching only at the corners.
    expectOverlap(Block(0, 0, 20, 20, kEllipse), Block(12, 12, 20, 20, kEllipse), true);
    expectOverlap(Block(0, 0, 20, 20, kEllipse), Block(15, 15, 20, 20, kEllipse), false);
}

TEST(SpriteCollision, EllipsesWithoutWidthOrHeightAreLines) {
    // A vertical line crossing the other's horizontal centre line, or only its corner region.
    expectOverlap(Block(3, 8, 0, 32, kEllipse), Block(0, 0, 20, 20, kEllipse), true);
    expectOverlap(Block(1, 16, 0, 24, kEllipse), Block(0, 0, 20, 20, kEllipse), false);
    // A horizontal line, likewise.
    expectOverlap(Block(8, 3, 32, 0, kEllipse), Block(0, 0, 20, 20, kEllipse), true);
    expectOverlap(Block(16, 1, 24, 0, kEllipse), Block(0, 0, 20, 20, kEllipse), false);
    // An end of the line inside the ellipse.
    expectOverlap(Block(5, 16, 0, 30, kEllipse), Block(0, 0, 20, 20, kEllipse), true);
}

} // namespace
