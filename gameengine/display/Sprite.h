#pragma once

#include <cstddef>
#include <cstdint>

#include "core/Screen.h"
#include "display/LinkedList.h"

namespace tidewell {

// The display-tree node and the base of everything that is shown or takes part
// in a frame. A plain Sprite draws nothing and serves as a group or scene.
//
// A sprite owns its children. Sprites leave the tree with remove() and are
// deleted by the sweep (purgeRemoved) at the end of the frame, so no traversal
// ever walks a list while a node of it is being deleted.
//
// Removal, as the game code meets it:
// - remove() hands the sprite to the engine: it is deleted at the end of the frame,
//   wherever it is. Until then the pointer stays good, and the sprite is still in its
//   parent's child list (a traversal of children sees it: skip it with isRemoved()),
//   but it receives no input, update or drawing, and it overlaps nothing: overlaps()
//   is false for a sprite that isGone() (removed itself or with an ancestor), on
//   either side, so a removed enemy takes no second hit in the same frame.
// - A sprite in no tree (never added, or a tree's own top that is not the engine's
//   root) is deleted by the engine's sweep at the end of the frame, or at stopEngine,
//   like any other: removing it does not leak it. Its owner may still delete it
//   before then. A removed sprite in a subtree that is not under the root waits in
//   that subtree: it goes with the next sweep once the subtree joins the root, or
//   with the subtree when that is deleted.
// - remove() of the engine's root does nothing: the root leaves with stopEngine.
//   Removing twice is removing once. A removed sprite cannot be added to a tree.
class Sprite {
public:
    using ChildList = LinkedList<Sprite*, bool>;
    using ChildNode = LinkedListNode<Sprite*, bool>;

    // Hit shapes; any other value never hits.
    static constexpr std::int32_t rectangleShape = 1;
    static constexpr std::int32_t ellipseShape = 2;

    Sprite() = default;
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    // Deletes the children first to last, then leaves the parent's list.
    virtual ~Sprite();

    // The extent, in the parent's coordinates: a plain sprite spans its
    // children moved by (x, y), or is an empty box at its position.
    virtual float getWidth() const;
    virtual float getHeight() const;
    virtual float getLeft() const;
    virtual float getTop() const;
    virtual float getRight() const;
    virtual float getBottom() const;

    // The listener callback: buttons report presses and clicks, scenes their end.
    virtual void notify(Sprite* sender, int code);

    // Recompute derived state from the parent's, then pass it down the subtree.
    virtual void updateAbsoluteX();
    virtual void updateAbsoluteY();
    virtual void updateAbsolutePosition();
    virtual void updateColour();
    virtual void updateAddColour();
    virtual void updateClip();

    // What the traversals call; each forwards to its full form below with the
    // position the input manager holds now.
    virtual void keyDown(int key);
    virtual void keyUp(int key);
    virtual void mouseMove();
    virtual void mouseDown(int button);
    virtual void mouseUp(int button);
    virtual void joystickMove(int joystick);
    virtual void joystickDown(int button, int joystick);
    virtual void joystickUp(int button, int joystick);

    virtual void onKeyDown(int key, bool flag);
    virtual void onKeyUp(int key, bool flag);
    virtual void onMouseMove(int x, int y, bool flag);
    virtual void onMouseDown(int x, int y, int button, bool flag);
    virtual void onMouseUp(int x, int y, int button, bool flag);
    virtual void onJoystickMove(float x, float y, int joystick, bool flag);
    virtual void onJoystickDown(int button, int joystick, bool flag);
    virtual void onJoystickUp(int button, int joystick, bool flag);

    // This sprite's own per-frame step and drawing; the traversals do the children.
    virtual void update();
    virtual void draw();

    // Tree building. A sprite joins a tree once, after construction: a sprite
    // that is already in a tree, this sprite or one of its ancestors is refused,
    // since adopting it would leave it in two lists or make a cycle.
    void addChild(Sprite* child);
    void addChildAtBack(Sprite* child);
    void addChildAfter(Sprite* child, Sprite* sibling);
    void replaceWith(Sprite* other);
    void swapDepth(Sprite* sibling);
    Sprite* getFirstChild() const;
    Sprite* getLastChild() const;
    Sprite* getNextSibling() const;
    Sprite* getPreviousSibling() const;

    // Removal: dead for every traversal at once, deleted by the next sweep.
    void remove();
    void removeAllChildren();
    void purgeRemoved();
    bool isRemoved() const { return removed_; }
    // Removed, itself or through an ancestor: it takes part in nothing more this frame.
    bool isGone() const;
    // The engine's sweep of the sprites removed while in no tree (after the tree's own).
    static void purgeRemovedOutsideTrees();
    static std::size_t removedOutsideTreesCount();
    bool hasRemovedChild() const { return childRemoved_; }

    // Position and colour; each brings the derived state of the subtree up to date.
    void setX(float newX);
    void setY(float newY);
    void setPosition(float newX, float newY);
    void moveX(float dx);
    void moveY(float dy);
    void move(float dx, float dy);
    void setAlpha(int alpha);
    void setRGB(int rgb);
    void setRGB(int red, int green, int blue);

    // Derived state, read by drawing.
    float getAbsoluteX() const { return absoluteX_; }
    float getAbsoluteY() const { return absoluteY_; }
    std::uint32_t getEffectiveColour() const { return effectiveColour_; }
    std::uint32_t getEffectiveAddColour() const { return effectiveAddColour_; }
    float getEffectiveClipLeft() const { return effectiveClipLeft_; }
    float getEffectiveClipTop() const { return effectiveClipTop_; }
    float getEffectiveClipRight() const { return effectiveClipRight_; }
    float getEffectiveClipBottom() const { return effectiveClipBottom_; }
    // Where the picture being drawn shows this sprite: its absolute position, or, in a
    // picture between ticks, a point between its place at the previous tick and that
    // position. Valid inside draw().
    float getDrawX() const { return absoluteX_ + drawOffsetX_; }
    float getDrawY() const { return absoluteY_ + drawOffsetY_; }
    // The farthest a sprite moves in one tick and still slides there in the pictures between
    // ticks; a longer step is a jump (a recycled tile, a placement) and is drawn at once.
    static constexpr float largestSlide = 128;

    // Geometry. The absolute box is the extent on screen.
    float getAbsoluteLeft() const;
    float getAbsoluteTop() const;
    float getAbsoluteRight() const;
    float getAbsoluteBottom() const;
    // A point given relative to `from` (the screen when null), made relative to this sprite.
    float toLocalX(const Sprite* from, float fromX) const;
    float toLocalY(const Sprite* from, float fromY) const;
    float getMouseX() const;
    float getMouseY() const;
    // (px, py) relative to this sprite's position.
    bool hitTest(float px, float py) const;
    bool hitTestScreen(float screenX, float screenY) const;
    // The collision test between two sprites' absolute boxes and hit shapes; false when
    // either isGone().
    bool overlaps(const Sprite* other) const;

    // Traversals, called by the engine on the root. A true flag calls the full
    // handler forms directly instead of the plain ones.
    void dispatchKeyDown(int key, bool flag);
    void dispatchKeyUp(int key, bool flag);
    void dispatchMouseMove(int mouseX, int mouseY, bool flag);
    void dispatchMouseDown(int mouseX, int mouseY, int button, bool flag);
    void dispatchMouseUp(int mouseX, int mouseY, int button, bool flag);
    void dispatchJoystickMove(float axisX, float axisY, int joystick, bool flag);
    void dispatchJoystickDown(int button, int joystick, bool flag);
    void dispatchJoystickUp(int button, int joystick, bool flag);
    void dispatchUpdate();
    void dispatchDraw();

    // The fields keep their designed order; the derived ones are private and
    // read through the getters above.
    Sprite* parent = nullptr;

private:
    ChildList children_;
    ChildNode* ownNode_ = nullptr;

public:
    float x = 0;
    float y = 0;
    std::uint32_t colour = 0xFFFFFFFF;     // multiplied; its alpha is the opacity
    std::uint32_t addColour = 0xFF000000;  // added after multiplying (RGB only)

private:
    float absoluteX_ = 0;
    float absoluteY_ = 0;
    std::uint32_t effectiveColour_ = 0xFFFFFFFF;
    std::uint32_t effectiveAddColour_ = 0xFF000000;

public:
    bool clipping = false;
    // Relative to this sprite's position.
    float clipLeft = 0;
    float clipTop = 0;
    float clipRight = 0;
    float clipBottom = 0;

private:
    float effectiveClipLeft_ = 0;
    float effectiveClipTop_ = 0;
    float effectiveClipRight_ = static_cast<float>(screenWidth);
    float effectiveClipBottom_ = static_cast<float>(screenHeight);

public:
    std::int32_t hitShape = rectangleShape;
    // Skips this subtree in input and update, but not in drawing.
    bool paused = false;
    // Each kind reaches a subtree only if every sprite on the path enables it.
    bool keyboardEnabled = false;
    bool mouseEnabled = false;
    bool joystickEnabled = false;
    bool updateEnabled = true;
    bool visible = true;
    // Child order per traversal: true visits the first child first, false the
    // last (top-most) first.
    bool keyboardOrder = false;
    bool mouseOrder = false;
    bool joystickOrder = false;
    bool updateOrder = true;
    bool drawOrder = true;
    // Set on a child, these end the traversal of that kind after the child, so
    // its later-visited siblings miss it.
    bool keyboardStop = false;
    bool mouseStop = false;
    bool joystickStop = false;
    bool updateStop = false;
    bool drawStop = false;

private:
    bool removed_ = false;
    bool childRemoved_ = false;  // on every ancestor of a removed sprite, for the sweep

    // Its places for the pictures: where it stood when first drawn at tick placedTick_
    // (0: never drawn), and whether it stood within a slide of there at the tick before.
    float placedX_ = 0;
    float placedY_ = 0;
    float previousX_ = 0;
    float previousY_ = 0;
    std::uint64_t placedTick_ = 0;
    bool slides_ = false;
    float drawOffsetX_ = 0;
    float drawOffsetY_ = 0;

    bool canAdopt(const Sprite* child) const;
    void adopt(Sprite* child, ChildNode* node);
    void refreshDerivedState();
    void placeForPicture();
    std::uint64_t pixelChangesInTick() const;
    bool isChild(const Sprite* sprite) const;
    bool receives(bool kindEnabled) const;
    template <typename Visit>
    void visitChildren(bool firstToLast, bool Sprite::*stop, Visit visit);
    float childrenEdge(float (Sprite::*edge)() const, bool smallest) const;
};

}  // namespace tidewell
