#include "autopilot/AutopilotSteering.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/Screen.h"
#include "display/Image.h"
#include "display/Shape.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/WaveScript.h"
#include "gameplay/bullets/Boss1Bullet.h"
#include "gameplay/bullets/EnemyBullet.h"
#include "gameplay/bullets/LobBullet.h"
#include "gameplay/effects/Award.h"
#include "gameplay/effects/AwardLayer.h"
#include "gameplay/enemies/Boss1.h"
#include "gameplay/enemies/Boss2.h"
#include "gameplay/enemies/Enemy.h"
#include "gameplay/hud/WeaponPanel.h"

namespace brinefall {
namespace {

using tidewell::Sprite;

// A plan: one move held for the first frames, then another for the rest.
constexpr int kFirstFrames = 4;
constexpr int kThenFrames = 26;
// Room kept around a threat on top of both sizes: bullets fly straight, bodies may turn,
// and a boss's turns and contact are the worst of all.
constexpr float kBulletMargin = 10.0f;
constexpr float kBodyMargin = 14.0f;
constexpr float kBossMargin = 40.0f;
// A downward change of vertical speed in this range is the pull on a hopping body.
constexpr float kLeastGravity = 0.9f;
constexpr float kMostGravity = 2.5f;
// Slower than this sideways, a hopping body stays where it hops.
constexpr float kStandingStill = 2.0f;
// A change of speed larger than this in a frame is a hop, a bounce or a turn.
constexpr float kHopAcceleration = 0.5f;
// Danger outweighs any goal: a step nearer a hit must never look worth it.
constexpr float kDangerWeight = 1000.0f;
// A sprite that seems to have jumped farther than this in a frame is a new one at the
// address of one gone: it is taken as standing still for now.
constexpr float kFastestThreat = 60.0f;
// The line the ship holds while it shoots: far enough back to see what comes.
constexpr float kFiringX = 150.0f;
// The frames ahead in which an award is worth flying to.
constexpr int kAwardFrames = 40;
// The frames ahead in which the ship looks for the place to meet its weapon icon.
constexpr int kIconFrames = 100;
// Where the ship's middle can go (the ship keeps itself inside these).
constexpr float kLeftBound = 50;
constexpr float kRightBound = 750;
constexpr float kTopBound = 32;
constexpr float kBottomBound = 568;

bool isEnemyBullet(const Sprite* sprite) {
    return dynamic_cast<const EnemyBullet*>(sprite) || dynamic_cast<const Boss1Bullet*>(sprite) ||
           dynamic_cast<const LobBullet*>(sprite);
}

bool isBoss(const Enemy* enemy) {
    return dynamic_cast<const Boss1*>(enemy) != nullptr || dynamic_cast<const Boss2*>(enemy) != nullptr;
}

// Only the four operations and the square root, which every platform rounds alike, so that
// the same plan wins natively and in the browser (library functions such as hypot, sin and
// atan2 may differ in their last bit between C libraries).
float length(float x, float y) { return std::sqrt(x * x + y * y); }

float distance(float ax, float ay, float bx, float by) { return length(ax - bx, ay - by); }

}  // namespace

void AutopilotSteering::addThreat(const Sprite& sprite, Kind kind) {
    Point half{0.5f * (sprite.getAbsoluteRight() - sprite.getAbsoluteLeft()),
               0.5f * (sprite.getAbsoluteBottom() - sprite.getAbsoluteTop())};
    Point at{sprite.getAbsoluteLeft() + half.x, sprite.getAbsoluteTop() + half.y};
    Track track{at, {0, 0}, 0, 0, at.y, at.y};
    Point acceleration{0, 0};
    float lastFall = 0;
    if (const auto before = seen_.find(&sprite); before != seen_.end()) {
        const Track& last = before->second;
        lastFall = last.fall;
        const Point velocity{at.x - last.at.x, at.y - last.at.y};
        if (length(velocity.x, velocity.y) <= kFastestThreat) {
            acceleration = {velocity.x - last.velocity.x, velocity.y - last.velocity.y};
            // The pull of a hop is the same on every frame but the bounce, and is kept through
            // it; a turn may change the speed by as much once, never twice alike.
            const bool pulled =
                acceleration.y >= kLeastGravity && acceleration.y <= kMostGravity && acceleration.y == last.fall;
            const float gravity = pulled ? acceleration.y : last.gravity;
            // Rising, a hop will go up to where the pull stops it.
            const float apex = gravity > 0 && velocity.y < 0 ? at.y - velocity.y * velocity.y / (2 * gravity) : at.y;
            track = {
                at, velocity, acceleration.y, gravity, std::min({last.top, at.y, apex}), std::max(last.floor, at.y)};
        }
    }
    seenNow_[&sprite] = track;
    Point velocity = track.velocity;
    if (acceleration.y != 0 && acceleration.y == -lastFall) {
        // A body that wobbles, its vertical speed flipping between two values, moves on at
        // the mean of the two: followed frame by frame, it would seem to veer each way in turn.
        velocity.y -= 0.5f * acceleration.y;
        acceleration.y = 0;
    }
    if (track.gravity > 0 && std::abs(velocity.x) < kStandingStill) {
        // A body hopping on the spot is the whole column it hops in, for all the ship can
        // tell of where in it the body will be.
        at.y = 0.5f * (track.top + track.floor);
        half.y += 0.5f * (track.floor - track.top);
        velocity.y = 0;
        acceleration = {0, 0};
    }
    const float margin = kind == Kind::boss ? kBossMargin : (kind == Kind::body ? kBodyMargin : kBulletMargin);
    // A steady change of speed (a lobbed shot, a body that curves) goes on; a sudden one
    // is a turn that says nothing of the next.
    if (std::abs(acceleration.x) > kHopAcceleration) acceleration.x = 0;
    if (std::abs(acceleration.y) > kHopAcceleration) acceleration.y = 0;
    float floor = std::numeric_limits<float>::max();
    if (kind == Kind::body && track.gravity > 0 && velocity.y != 0) {
        // A body seen hopping falls by its pull and comes down on the line it hopped from,
        // unless it is already lower than it has ever been.
        acceleration.y = track.gravity;
        if (velocity.y <= 0 || at.y < track.floor) floor = track.floor;
    }
    threats_.push_back({at, velocity, acceleration, half, margin, floor});
}

void AutopilotSteering::gatherThreats(const GameScene& game) {
    threats_.clear();
    seenNow_.clear();
    for (Sprite* bullet = game.getBulletLayer()->getFirstChild(); bullet; bullet = bullet->getNextSibling()) {
        if (bullet->isRemoved() || !isEnemyBullet(bullet)) continue;
        addThreat(*bullet, Kind::bullet);
    }
    for (Sprite* child = game.getWaves()->getFirstChild(); child; child = child->getNextSibling()) {
        auto* enemy = dynamic_cast<Enemy*>(child);
        if (!enemy || enemy->isRemoved() || !enemy->image) continue;
        addThreat(*enemy->image, isBoss(enemy) ? Kind::boss : Kind::body);
    }
    for (Sprite* child = game.getAwardLayer()->getFirstChild(); child; child = child->getNextSibling()) {
        const auto* award = dynamic_cast<const Award*>(child);
        if (!award || award->isRemoved() || !award->getImage()) continue;
        const tidewell::Image& image = *award->getImage();
        const Point at{image.getAbsoluteX(), image.getAbsoluteY()};
        seenNow_[&image] = {at, {0, 0}, 0, 0, at.y, at.y};
    }
}

AutopilotSteering::Point AutopilotSteering::goal(const GameScene& game, Point ship) {
    if (const WeaponPanel* panel = game.getWeaponPanel(); panel && panel->isActive()) {
        return meetIcon(*panel, ship);
    }
    // The award the ship can meet soonest, where it will be then.
    for (int frame = 0; frame <= kAwardFrames; ++frame) {
        for (Sprite* child = game.getAwardLayer()->getFirstChild(); child; child = child->getNextSibling()) {
            const auto* award = dynamic_cast<const Award*>(child);
            if (!award || award->isRemoved() || !award->getImage()) continue;
            const tidewell::Image& image = *award->getImage();
            Point velocity{0, 0};
            if (const auto before = seen_.find(&image); before != seen_.end()) {
                velocity = {image.getAbsoluteX() - before->second.at.x, image.getAbsoluteY() - before->second.at.y};
            }
            const Point then{image.getAbsoluteX() + velocity.x * static_cast<float>(frame),
                             image.getAbsoluteY() + velocity.y * static_cast<float>(frame)};
            if (then.x < kLeftBound || then.x > kRightBound || then.y < kTopBound || then.y > kBottomBound) continue;
            if (distance(ship.x, ship.y, then.x, then.y) <= speed_ * static_cast<float>(frame) + shipHalf_.x) {
                return then;
            }
        }
    }
    // In line with the nearest enemy ahead, where the shots meet it.
    float bestY = ship.y;
    float bestDistance = std::numeric_limits<float>::max();
    for (Sprite* child = game.getWaves()->getFirstChild(); child; child = child->getNextSibling()) {
        auto* enemy = dynamic_cast<Enemy*>(child);
        if (!enemy || enemy->isRemoved() || !enemy->image) continue;
        const Sprite& aim = enemy->getHitArea() ? static_cast<const Sprite&>(*enemy->getHitArea()) : *enemy->image;
        const float x = 0.5f * (aim.getAbsoluteLeft() + aim.getAbsoluteRight());
        const float y = 0.5f * (aim.getAbsoluteTop() + aim.getAbsoluteBottom());
        if (x < ship.x || x > tidewell::screenWidth) continue;
        if (x - ship.x < bestDistance) {
            bestDistance = x - ship.x;
            bestY = y;
        }
    }
    return {kFiringX, bestY};
}

// The icons circle their middle, which is where the three are on average. The ship goes to
// where its icon will be when it can be there, rather than chasing it round.
AutopilotSteering::Point AutopilotSteering::meetIcon(const WeaponPanel& panel, Point ship) {
    Point centre{0, 0};
    for (int i = 0; i < WeaponPanel::kIconCount; ++i) {
        centre.x += panel.getIcon(i)->getAbsoluteX() / WeaponPanel::kIconCount;
        centre.y += panel.getIcon(i)->getAbsoluteY() / WeaponPanel::kIconCount;
    }
    const tidewell::Image& icon = *panel.getIcon(kChosenWeaponIcon);
    const Point offset{icon.getAbsoluteX() - centre.x, icon.getAbsoluteY() - centre.y};
    // The turn of one frame, as its cosine and sine, from the icon's offset then and now.
    Point turn{1, 0};
    if (iconOffset_) {
        const Point& last = *iconOffset_;
        if (const float lengths = length(last.x, last.y) * length(offset.x, offset.y); lengths > 0) {
            turn = {(last.x * offset.x + last.y * offset.y) / lengths,
                    (last.x * offset.y - last.y * offset.x) / lengths};
        }
    }
    iconOffset_ = offset;
    Point then = offset;
    for (int frame = 0; frame <= kIconFrames; ++frame) {
        const Point at{centre.x + then.x, centre.y + then.y};
        if (distance(ship.x, ship.y, at.x, at.y) <= speed_ * static_cast<float>(frame)) return at;
        then = {then.x * turn.x - then.y * turn.y, then.x * turn.y + then.y * turn.x};
    }
    return {icon.getAbsoluteX(), icon.getAbsoluteY()};
}

AutopilotSteering::Point AutopilotSteering::step(Point at, Move move) const {
    // A diagonal covers the same distance as a straight move.
    const float along = move.dx != 0 && move.dy != 0 ? speed_ / std::sqrt(2.0f) : speed_;
    return {std::clamp(at.x + static_cast<float>(move.dx) * along, kLeftBound, kRightBound),
            std::clamp(at.y + static_cast<float>(move.dy) * along, kTopBound, kBottomBound)};
}

// How deep the ship's box would be inside each threat's box (grown by its margin) `frame`
// frames from now, squared and summed; nearer frames count more, being surer.
float AutopilotSteering::danger(Point ship, int frame) const {
    const auto t = static_cast<float>(frame);
    float sum = 0;
    for (const Threat& threat : threats_) {
        const float x = threat.at.x + (threat.velocity.x + 0.5f * threat.acceleration.x * t) * t;
        const float y =
            std::min(threat.at.y + (threat.velocity.y + 0.5f * threat.acceleration.y * t) * t, threat.floor);
        const float inX = threat.half.x + shipHalf_.x + threat.margin - std::abs(ship.x - x);
        const float inY = threat.half.y + shipHalf_.y + threat.margin - std::abs(ship.y - y);
        if (inX > 0 && inY > 0) {
            const float depth = std::min(inX, inY) + threat.margin;
            sum += depth * depth;
        }
    }
    return sum / (1.0f + 0.2f * t);
}

float AutopilotSteering::planCost(Point from, Move first, Move then, Point target) const {
    float total = 0;
    float nearest = std::numeric_limits<float>::max();
    Point at = from;
    for (int frame = 1; frame <= kFirstFrames + kThenFrames; ++frame) {
        at = step(at, frame <= kFirstFrames ? first : then);
        total += danger(at, frame);
        nearest = std::min(nearest, distance(at.x, at.y, target.x, target.y));
    }
    return total * kDangerWeight + nearest;
}

AutopilotSteering::Move AutopilotSteering::choose(const GameScene& game) {
    const PlayerShip* ship = game.getShip();
    const tidewell::Image* image = ship ? ship->getShipImage() : nullptr;
    if (!image) return {};
    gatherThreats(game);
    // The ship's ellipse fills less than its box.
    shipHalf_ = {0.4f * image->getWidth(), 0.4f * image->getHeight()};
    speed_ = std::max(ship->getSpeed(), 1.0f);
    const Point from{image->getAbsoluteX(), image->getAbsoluteY()};
    const Point target = goal(game, from);
    seen_.swap(seenNow_);
    Move best;
    float lowest = std::numeric_limits<float>::max();
    for (int first = 0; first < 9; ++first) {
        const Move move{first % 3 - 1, first / 3 - 1};
        for (int then = 0; then < 9; ++then) {
            const float cost = planCost(from, move, {then % 3 - 1, then / 3 - 1}, target);
            if (cost < lowest) {
                lowest = cost;
                best = move;
            }
        }
    }
    return best;
}

}  // namespace brinefall
