#include "display/Sprite.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/Engine.h"
#include "graphics/GraphicManager.h"
#include "input/InputManager.h"

namespace tidewell {

namespace {

// Sprites that called remove() while in no tree, waiting for the engine's sweep.
std::vector<Sprite*>& removedOutsideTrees() {
    static std::vector<Sprite*> sprites;
    return sprites;
}

// Channel by channel, all four including alpha: a child at half opacity under a
// parent at half opacity shows at a quarter.
std::uint32_t multiplyColours(std::uint32_t own, std::uint32_t inherited) {
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t channel = ((own >> shift) & 0xFF) * ((inherited >> shift) & 0xFF) / 255;
        result |= channel << shift;
    }
    return result;
}

// Channel by channel, saturating at full intensity.
std::uint32_t addColours(std::uint32_t own, std::uint32_t inherited) {
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t channel =
            std::min<std::uint32_t>(255, ((own >> shift) & 0xFF) + ((inherited >> shift) & 0xFF));
        result |= channel << shift;
    }
    return result;
}

// The joystick's polled state, or null when there is no such joystick.
const InputManager::JoystickState* joystickState(int joystick) {
    if (joystick < 0) return nullptr;
    const auto index = static_cast<std::uint32_t>(joystick);
    if (index >= InputManager::joystickCount || index >= InputManager::joystickStates.size()) return nullptr;
    return &InputManager::joystickStates[index];
}

// A sprite's box on screen, in double precision for the collision test.
struct Box {
    double left, top, right, bottom;

    explicit Box(const Sprite& sprite)
        : left(sprite.getAbsoluteLeft()),
          top(sprite.getAbsoluteTop()),
          right(sprite.getAbsoluteRight()),
          bottom(sprite.getAbsoluteBottom()) {}

    double centreX() const { return (left + right) / 2; }
    double centreY() const { return (top + bottom) / 2; }
    double width() const { return right - left; }
    double height() const { return bottom - top; }
    bool spansX(double px) const { return left <= px && px < right; }
    bool spansY(double py) const { return top <= py && py < bottom; }
    // Sharing only an edge is not overlapping.
    bool overlaps(const Box& other) const {
        return left < other.right && right > other.left && top < other.bottom && bottom > other.top;
    }
};

bool hits(const Sprite& sprite, double screenX, double screenY) {
    return sprite.hitTestScreen(static_cast<float>(screenX), static_cast<float>(screenY));
}

// An ellipse meets a rectangle when the rectangle crosses one of the ellipse's
// centre lines or one of its corners lies inside the ellipse.
bool ellipseMeetsRectangle(const Sprite& ellipse, const Box& ellipseBox, const Box& rectangle) {
    if (rectangle.spansX(ellipseBox.centreX()) || rectangle.spansY(ellipseBox.centreY())) return true;
    return hits(ellipse, rectangle.left, rectangle.top) || hits(ellipse, rectangle.right, rectangle.top) ||
           hits(ellipse, rectangle.left, rectangle.bottom) || hits(ellipse, rectangle.right, rectangle.bottom);
}

// A box without width or height is a line: it meets the ellipse where it crosses
// the ellipse's centre line or at one of its ends.
bool lineMeetsEllipse(const Box& line, const Sprite& ellipse, const Box& ellipseBox) {
    if (line.width() == 0) {
        return line.spansY(ellipseBox.centreY()) || hits(ellipse, line.left, line.top) ||
               hits(ellipse, line.left, line.bottom);
    }
    return line.spansX(ellipseBox.centreX()) || hits(ellipse, line.left, line.top) ||
           hits(ellipse, line.right, line.top);
}

bool isLine(const Box& box) { return box.width() == 0 || box.height() == 0; }

bool ellipsesMeet(const Sprite& self, const Box& mine, const Sprite& other, const Box& theirs) {
    if (isLine(mine)) return lineMeetsEllipse(mine, other, theirs);
    if (isLine(theirs)) return lineMeetsEllipse(theirs, self, mine);
    const double u = mine.centreX(), r = mine.centreY();
    const double otherU = theirs.centreX(), otherR = theirs.centreY();
    if (hits(self, otherU, otherR) || hits(other, u, r)) return true;
    // Centres on one vertical or horizontal line, with the boxes overlapping:
    // the ellipses share a stretch of that line.
    if (u == otherU || r == otherR) return true;
    // Otherwise take where the line from this centre towards the other leaves
    // this ellipse and see whether that point lies in the other one.
    const double k = (otherR - r) / (otherU - u);
    const double w = mine.width(), t = mine.height();
    const double denominator = k * k * w * w + t * t;
    const double dx = 0.5 * std::sqrt(w * w * t * t / denominator);
    const double dy = 0.5 * std::sqrt(k * k * t * t * w * w / denominator);
    return hits(other, u < otherU ? u + dx : u - dx, r < otherR ? r + dy : r - dy);
}

}  // namespace

Sprite::~Sprite() {
    // Each child's destructor takes its node out of our list.
    while (ChildNode* first = children_.getFirst()) delete first->value;
    delete ownNode_;
    if (removed_ && !parent) std::erase(removedOutsideTrees(), this);  // deleted by its owner before the sweep
}

float Sprite::childrenEdge(float (Sprite::*edge)() const, bool smallest) const {
    const ChildNode* node = children_.getFirst();
    if (!node) return 0;
    float result = (node->value->*edge)();
    for (node = node->getNext(); node; node = node->getNext()) {
        const float value = (node->value->*edge)();
        result = smallest ? std::min(result, value) : std::max(result, value);
    }
    return result;
}

float Sprite::getWidth() const { return getRight() - getLeft(); }
float Sprite::getHeight() const { return getBottom() - getTop(); }
float Sprite::getLeft() const { return x + childrenEdge(&Sprite::getLeft, true); }
float Sprite::getTop() const { return y + childrenEdge(&Sprite::getTop, true); }
float Sprite::getRight() const { return x + childrenEdge(&Sprite::getRight, false); }
float Sprite::getBottom() const { return y + childrenEdge(&Sprite::getBottom, false); }

void Sprite::notify(Sprite*, int) {}

void Sprite::updateAbsoluteX() {
    absoluteX_ = parent ? parent->absoluteX_ + x : x;
    for (ChildNode* node = children_.getFirst(); node; node = node->getNext()) node->value->updateAbsoluteX();
}

void Sprite::updateAbsoluteY() {
    absoluteY_ = parent ? parent->absoluteY_ + y : y;
    for (ChildNode* node = children_.getFirst(); node; node = node->getNext()) node->value->updateAbsoluteY();
}

void Sprite::updateAbsolutePosition() {
    absoluteX_ = parent ? parent->absoluteX_ + x : x;
    absoluteY_ = parent ? parent->absoluteY_ + y : y;
    for (ChildNode* node = children_.getFirst(); node; node = node->getNext()) node->value->updateAbsolutePosition();
}

void Sprite::updateColour() {
    effectiveColour_ = parent ? multiplyColours(colour, parent->effectiveColour_) : colour;
    for (ChildNode* node = children_.getFirst(); node; node = node->getNext()) node->value->updateColour();
}

void Sprite::updateAddColour() {
    effectiveAddColour_ = parent ? addColours(addColour, parent->effectiveAddColour_) : addColour;
    for (ChildNode* node = children_.getFirst(); node; node = node->getNext()) node->value->updateAddColour();
}

void Sprite::updateClip() {
    if (parent) {
        effectiveClipLeft_ = parent->effectiveClipLeft_;
        effectiveClipTop_ = parent->effectiveClipTop_;
        effectiveClipRight_ = parent->effectiveClipRight_;
        effectiveClipBottom_ = parent->effectiveClipBottom_;
    } else {
        effectiveClipLeft_ = 0;
        effectiveClipTop_ = 0;
        effectiveClipRight_ = static_cast<float>(screenWidth);
        effectiveClipBottom_ = static_cast<float>(screenHeight);
    }
    if (clipping) {
        effectiveClipLeft_ = std::max(effectiveClipLeft_, absoluteX_ + clipLeft);
        effectiveClipTop_ = std::max(effectiveClipTop_, absoluteY_ + clipTop);
        effectiveClipRight_ = std::min(effectiveClipRight_, absoluteX_ + clipRight);
        effectiveClipBottom_ = std::min(effectiveClipBottom_, absoluteY_ + clipBottom);
    }
    for (ChildNode* node = children_.getFirst(); node; node = node->getNext()) node->value->updateClip();
}

void Sprite::keyDown(int key) { onKeyDown(key, false); }
void Sprite::keyUp(int key) { onKeyUp(key, false); }

void Sprite::mouseMove() {
    onMouseMove(static_cast<int>(InputManager::mouseX), static_cast<int>(InputManager::mouseY), false);
}

void Sprite::mouseDown(int button) {
    onMouseDown(static_cast<int>(InputManager::mouseX), static_cast<int>(InputManager::mouseY), button, false);
}

void Sprite::mouseUp(int button) {
    onMouseUp(static_cast<int>(InputManager::mouseX), static_cast<int>(InputManager::mouseY), button, false);
}

// The axes of the joystick that moved, centred when it is not attached.
void Sprite::joystickMove(int joystick) {
    const InputManager::JoystickState* state = joystickState(joystick);
    const float axisX = state ? static_cast<float>(state->lX) / 1000.0f : 0.0f;
    const float axisY = state ? static_cast<float>(state->lY) / 1000.0f : 0.0f;
    onJoystickMove(axisX, axisY, joystick, false);
}

void Sprite::joystickDown(int button, int joystick) { onJoystickDown(button, joystick, false); }
void Sprite::joystickUp(int button, int joystick) { onJoystickUp(button, joystick, false); }

void Sprite::onKeyDown(int, bool) {}
void Sprite::onKeyUp(int, bool) {}
void Sprite::onMouseMove(int, int, bool) {}
void Sprite::onMouseDown(int, int, int, bool) {}
void Sprite::onMouseUp(int, int, int, bool) {}
void Sprite::onJoystickMove(float, float, int, bool) {}
void Sprite::onJoystickDown(int, int, bool) {}
void Sprite::onJoystickUp(int, int, bool) {}
void Sprite::update() {}
void Sprite::draw() {}

bool Sprite::canAdopt(const Sprite* child) const {
    if (!child || child->parent || child->ownNode_ || child->removed_) return false;
    for (const Sprite* ancestor = this; ancestor; ancestor = ancestor->parent) {
        if (ancestor == child) return false;
    }
    return true;
}

// The node is allocated before anything changes, so a child that cannot be
// linked is left exactly as it was.
void Sprite::adopt(Sprite* child, ChildNode* node) {
    child->ownNode_ = node;
    child->parent = this;
    child->refreshDerivedState();
    // Sprites removed inside the subtree before it joined are swept with this tree's.
    if (child->childRemoved_) {
        for (Sprite* ancestor = this; ancestor; ancestor = ancestor->parent) ancestor->childRemoved_ = true;
    }
}

void Sprite::refreshDerivedState() {
    updateAbsolutePosition();
    updateColour();
    updateAddColour();
    updateClip();
}

bool Sprite::isChild(const Sprite* sprite) const {
    return sprite && sprite->parent == this && sprite->ownNode_ && sprite->ownNode_->getList() == &children_;
}

void Sprite::addChild(Sprite* child) {
    if (canAdopt(child)) adopt(child, children_.addLast(child, false));
}

void Sprite::addChildAtBack(Sprite* child) {
    if (canAdopt(child)) adopt(child, children_.addFirst(child, false));
}

void Sprite::addChildAfter(Sprite* child, Sprite* sibling) {
    if (canAdopt(child) && isChild(sibling)) adopt(child, children_.insertAfter(child, false, sibling->ownNode_));
}

void Sprite::replaceWith(Sprite* other) {
    if (!other || !parent) return;
    parent->addChildAfter(other, this);
    // A sprite that could not take our place leaves us where we are.
    if (other->parent != parent) return;
    remove();
    other->refreshDerivedState();
}

void Sprite::swapDepth(Sprite* sibling) {
    if (!sibling || sibling == this || !parent || !parent->isChild(this) || !parent->isChild(sibling)) return;
    ChildNode* mine = ownNode_;
    ChildNode* theirs = sibling->ownNode_;
    // Each goes after the other's predecessor, or to the front. For neighbours
    // one of the two moves is a node placed after itself, which changes nothing.
    ChildNode* beforeMine = mine->getPrevious();
    ChildNode* beforeTheirs = theirs->getPrevious();
    ChildList& siblings = parent->children_;
    auto placeAfter = [&siblings](ChildNode* before, ChildNode* node) {
        if (before)
            before->moveAfter(node);
        else
            siblings.moveToFront(node);
    };
    placeAfter(beforeTheirs, mine);
    placeAfter(beforeMine, theirs);
}

Sprite* Sprite::getFirstChild() const { return children_.getFirst() ? children_.getFirst()->value : nullptr; }
Sprite* Sprite::getLastChild() const { return children_.getLast() ? children_.getLast()->value : nullptr; }

Sprite* Sprite::getNextSibling() const {
    const ChildNode* next = ownNode_ ? ownNode_->getNext() : nullptr;
    return next ? next->value : nullptr;
}

Sprite* Sprite::getPreviousSibling() const {
    const ChildNode* previous = ownNode_ ? ownNode_->getPrevious() : nullptr;
    return previous ? previous->value : nullptr;
}

void Sprite::remove() {
    if (removed_ || (!parent && this == getRootSprite())) return;
    removed_ = true;
    if (!parent) {
        removedOutsideTrees().push_back(this);
        return;
    }
    for (Sprite* ancestor = parent; ancestor; ancestor = ancestor->parent) ancestor->childRemoved_ = true;
}

bool Sprite::isGone() const {
    for (const Sprite* sprite = this; sprite; sprite = sprite->parent) {
        if (sprite->removed_) return true;
    }
    return false;
}

void Sprite::purgeRemovedOutsideTrees() {
    std::vector<Sprite*> doomed;
    doomed.swap(removedOutsideTrees());  // a destructor that removes more sprites adds them for the next sweep
    for (Sprite* sprite : doomed) {
        sprite->removed_ = false;  // so its destructor does not look for itself in the list
        delete sprite;
    }
}

std::size_t Sprite::removedOutsideTreesCount() { return removedOutsideTrees().size(); }

void Sprite::removeAllChildren() {
    for (ChildNode* node = children_.getFirst(); node; node = node->getNext()) node->value->remove();
}

void Sprite::purgeRemoved() {
    if (!childRemoved_) return;
    ChildNode* node = children_.getFirst();
    while (node) {
        ChildNode* next = node->getNext();  // the current node goes with its sprite
        Sprite* child = node->value;
        if (child->removed_)
            delete child;
        else
            child->purgeRemoved();
        node = next;
    }
    childRemoved_ = false;
}

void Sprite::setX(float newX) {
    x = newX;
    updateAbsoluteX();
    updateClip();
}

void Sprite::setY(float newY) {
    y = newY;
    updateAbsoluteY();
    updateClip();
}

void Sprite::setPosition(float newX, float newY) {
    x = newX;
    y = newY;
    updateAbsolutePosition();
    updateClip();
}

void Sprite::moveX(float dx) { setX(x + dx); }
void Sprite::moveY(float dy) { setY(y + dy); }
void Sprite::move(float dx, float dy) { setPosition(x + dx, y + dy); }

void Sprite::setAlpha(int alpha) {
    colour = (colour & 0x00FFFFFFu) | (static_cast<std::uint32_t>(alpha & 0xFF) << 24);
    updateColour();
}

void Sprite::setRGB(int rgb) {
    colour = (colour & 0xFF000000u) | (static_cast<std::uint32_t>(rgb) & 0x00FFFFFFu);
    updateColour();
}

void Sprite::setRGB(int red, int green, int blue) {
    colour = (colour & 0xFF000000u) | (static_cast<std::uint32_t>(red & 0xFF) << 16) |
             (static_cast<std::uint32_t>(green & 0xFF) << 8) | static_cast<std::uint32_t>(blue & 0xFF);
    updateColour();
}

float Sprite::getAbsoluteLeft() const { return getLeft() - x + absoluteX_; }
float Sprite::getAbsoluteTop() const { return getTop() - y + absoluteY_; }
float Sprite::getAbsoluteRight() const { return getRight() - x + absoluteX_; }
float Sprite::getAbsoluteBottom() const { return getBottom() - y + absoluteY_; }

float Sprite::toLocalX(const Sprite* from, float fromX) const {
    return fromX + (from ? from->absoluteX_ : 0) - absoluteX_;
}

float Sprite::toLocalY(const Sprite* from, float fromY) const {
    return fromY + (from ? from->absoluteY_ : 0) - absoluteY_;
}

float Sprite::getMouseX() const { return static_cast<float>(InputManager::mouseX) - absoluteX_; }
float Sprite::getMouseY() const { return static_cast<float>(InputManager::mouseY) - absoluteY_; }

bool Sprite::hitTest(float px, float py) const {
    const float left = getLeft() - x, right = getRight() - x;
    const float top = getTop() - y, bottom = getBottom() - y;
    if (px < left || px >= right || py < top || py >= bottom) return false;
    if (hitShape == rectangleShape) return true;
    if (hitShape != ellipseShape) return false;
    // Scaled so that the inscribed ellipse is the circle of radius one half.
    const float dy = (py - (top + bottom) / 2) / (bottom - top);
    const float dx = (px - (left + right) / 2) / (right - left);
    return dy * dy + dx * dx < 0.25f;
}

bool Sprite::hitTestScreen(float screenX, float screenY) const {
    return hitTest(screenX - absoluteX_, screenY - absoluteY_);
}

bool Sprite::overlaps(const Sprite* other) const {
    if (!other || isGone() || other->isGone()) return false;
    const Box mine(*this);
    const Box theirs(*other);
    if (!mine.overlaps(theirs)) return false;
    const bool rectangle = hitShape == rectangleShape, ellipse = hitShape == ellipseShape;
    if (other->hitShape == rectangleShape) {
        if (rectangle) return true;
        return ellipse && ellipseMeetsRectangle(*this, mine, theirs);
    }
    if (other->hitShape == ellipseShape) {
        if (rectangle) return ellipseMeetsRectangle(*other, theirs, mine);
        return ellipse && ellipsesMeet(*this, mine, *other, theirs);
    }
    return false;
}

bool Sprite::receives(bool kindEnabled) const { return !removed_ && !paused && kindEnabled; }

// The next child is looked up only after the current one has run, so a child
// added meanwhile behind it is visited in the same pass.
template <typename Visit>
void Sprite::visitChildren(bool firstToLast, bool Sprite::*stop, Visit visit) {
    ChildNode* node = firstToLast ? children_.getFirst() : children_.getLast();
    while (node) {
        Sprite* child = node->value;
        visit(*child);
        if (child->*stop) return;
        node = firstToLast ? node->getNext() : node->getPrevious();
    }
}

void Sprite::dispatchKeyDown(int key, bool flag) {
    if (!receives(keyboardEnabled)) return;
    if (flag)
        onKeyDown(key, true);
    else
        keyDown(key);
    visitChildren(keyboardOrder, &Sprite::keyboardStop, [&](Sprite& child) { child.dispatchKeyDown(key, flag); });
}

void Sprite::dispatchKeyUp(int key, bool flag) {
    if (!receives(keyboardEnabled)) return;
    if (flag)
        onKeyUp(key, true);
    else
        keyUp(key);
    visitChildren(keyboardOrder, &Sprite::keyboardStop, [&](Sprite& child) { child.dispatchKeyUp(key, flag); });
}

void Sprite::dispatchMouseMove(int mouseX, int mouseY, bool flag) {
    if (!receives(mouseEnabled)) return;
    if (flag)
        onMouseMove(mouseX, mouseY, true);
    else
        mouseMove();
    visitChildren(mouseOrder, &Sprite::mouseStop,
                  [&](Sprite& child) { child.dispatchMouseMove(mouseX, mouseY, flag); });
}

void Sprite::dispatchMouseDown(int mouseX, int mouseY, int button, bool flag) {
    if (!receives(mouseEnabled)) return;
    if (flag)
        onMouseDown(mouseX, mouseY, button, true);
    else
        mouseDown(button);
    visitChildren(mouseOrder, &Sprite::mouseStop,
                  [&](Sprite& child) { child.dispatchMouseDown(mouseX, mouseY, button, flag); });
}

void Sprite::dispatchMouseUp(int mouseX, int mouseY, int button, bool flag) {
    if (!receives(mouseEnabled)) return;
    if (flag)
        onMouseUp(mouseX, mouseY, button, true);
    else
        mouseUp(button);
    visitChildren(mouseOrder, &Sprite::mouseStop,
                  [&](Sprite& child) { child.dispatchMouseUp(mouseX, mouseY, button, flag); });
}

void Sprite::dispatchJoystickMove(float axisX, float axisY, int joystick, bool flag) {
    if (!receives(joystickEnabled)) return;
    if (flag)
        onJoystickMove(axisX, axisY, joystick, true);
    else
        joystickMove(joystick);
    visitChildren(joystickOrder, &Sprite::joystickStop,
                  [&](Sprite& child) { child.dispatchJoystickMove(axisX, axisY, joystick, flag); });
}

void Sprite::dispatchJoystickDown(int button, int joystick, bool flag) {
    if (!receives(joystickEnabled)) return;
    if (flag)
        onJoystickDown(button, joystick, true);
    else
        joystickDown(button, joystick);
    visitChildren(joystickOrder, &Sprite::joystickStop,
                  [&](Sprite& child) { child.dispatchJoystickDown(button, joystick, flag); });
}

void Sprite::dispatchJoystickUp(int button, int joystick, bool flag) {
    if (!receives(joystickEnabled)) return;
    if (flag)
        onJoystickUp(button, joystick, true);
    else
        joystickUp(button, joystick);
    visitChildren(joystickOrder, &Sprite::joystickStop,
                  [&](Sprite& child) { child.dispatchJoystickUp(button, joystick, flag); });
}

void Sprite::dispatchUpdate() {
    if (removed_ || paused || !updateEnabled) return;
    update();
    visitChildren(updateOrder, &Sprite::updateStop, [](Sprite& child) { child.dispatchUpdate(); });
}

// The first time a tick's pictures draw this sprite, its place at the tick before becomes
// its previous place; a sprite not drawn then (new, or hidden) has none and is drawn where
// it is, and so is one that jumped farther than anything slides.
void Sprite::placeForPicture() {
    const std::uint64_t tick = GraphicManager::pictureTick();
    if (placedTick_ != tick) {
        const bool drawnAtTickBefore = placedTick_ != 0 && placedTick_ + 1 == tick;
        slides_ = drawnAtTickBefore && std::abs(absoluteX_ - placedX_) <= largestSlide &&
                  std::abs(absoluteY_ - placedY_) <= largestSlide;
        previousX_ = placedX_;
        previousY_ = placedY_;
        placedX_ = absoluteX_;
        placedY_ = absoluteY_;
        placedTick_ = tick;
        // A sprite at zero opacity shows nothing, wherever it stands.
        const bool seen = (effectiveColour_ >> 24) != 0;
        if (slides_ && seen && (previousX_ != absoluteX_ || previousY_ != absoluteY_)) {
            GraphicManager::notePictureChanges(pixelChangesInTick());
        }
    }
    const float fraction = GraphicManager::pictureFraction();
    const bool between = slides_ && fraction < 1;
    drawOffsetX_ = between ? (previousX_ - absoluteX_) * (1 - fraction) : 0;
    drawOffsetY_ = between ? (previousY_ - absoluteY_) * (1 - fraction) : 0;
}

// Bit k set when at picture k of the tick this sprite stands at another pixel than at
// picture k - 1: a slow slide leaves most pictures between ticks the same as the one before.
std::uint64_t Sprite::pixelChangesInTick() const {
    const auto pixelAt = [this](float fraction) {
        return std::pair(std::floor(absoluteX_ + (previousX_ - absoluteX_) * (1 - fraction)),
                         std::floor(absoluteY_ + (previousY_ - absoluteY_) * (1 - fraction)));
    };
    std::uint64_t changes = 0;
    for (unsigned picture = 1; picture < GraphicManager::picturesInTick(); ++picture) {
        if (pixelAt(GraphicManager::tickFraction(picture)) != pixelAt(GraphicManager::tickFraction(picture - 1))) {
            changes |= std::uint64_t{1} << picture;
        }
    }
    return changes;
}

void Sprite::dispatchDraw() {
    if (removed_ || !visible) return;
    placeForPicture();
    draw();
    visitChildren(drawOrder, &Sprite::drawStop, [](Sprite& child) { child.dispatchDraw(); });
}

}  // namespace tidewell
