#include "autopilot/AutopilotSteering.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "display/Image.h"
#include "core/Screen.h"
#include "display/Shape.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/WaveScript.h"
#include "gameplay/bullets/Boss1Bullet.h"
#include "gameplay/bullets/EnemyBullet.h"
#include "gameplay/bullets/LobBullet.h"
#include "gameplay/effects/Award.h"
#include "gameplay/effects/AwardLayer.h"
#include "gameplay/enemies/Enemy.h"
#include "gameplay/hud/WeaponPanel.h"

namespace brinefall {
namespace {

using tidewell::Sprite;

constexpr int kLookAheadFrames = 4;
// How much room the ship keeps around a threat, on top of both their sizes.
constexpr float kMargin = 14.0f;
// Danger outweighs any goal: a step nearer a bullet must never look worth it.
constexpr float kDangerWeight = 400.0f;
// The line the ship holds while it shoots: far enough back to dodge what comes.
constexpr float kFiringX = 150.0f;
// Awards farther ahead than this are left to drift nearer first.
constexpr float kAwardReach = 420.0f;
constexpr float kEdge = 30.0f;

bool isEnemyBullet(const Sprite* sprite) {
    return dynamic_cast<const EnemyBullet*>(sprite) || dynamic_cast<const Boss1Bullet*>(sprite) ||
           dynamic_cast<const LobBullet*>(sprite);
}

float halfSize(const Sprite& sprite) { return 0.5f * std::max(sprite.getWidth(), sprite.getHeight()); }

float distance(float ax, float ay, float bx, float by) { return std::hypot(ax - bx, ay - by); }

}  // namespace

void AutopilotSteering::gatherThreats(const GameScene& game) {
    threats_.clear();
    for (Sprite* bullet = game.getBulletLayer()->getFirstChild(); bullet; bullet = bullet->getNextSibling()) {
        if (bullet->isRemoved() || !isEnemyBullet(bullet)) continue;
        threats_.push_back({bullet->getAbsoluteX(), bullet->getAbsoluteY(), halfSize(*bullet)});
    }
    for (Sprite* child = game.getWaves()->getFirstChild(); child; child = child->getNextSibling()) {
        auto* enemy = dynamic_cast<Enemy*>(child);
        if (!enemy || enemy->isRemoved() || !enemy->image) continue;
        // A body is a disc around its middle; long bodies get a few discs along them.
        const tidewell::Image& image = *enemy->image;
        const float width = image.getWidth();
        const float height = image.getHeight();
        const float radius = 0.5f * std::min(width, height);
        const int discs = std::clamp(static_cast<int>(std::max(width, height) / std::max(radius * 2, 1.0f)), 1, 5);
        for (int i = 0; i < discs; ++i) {
            const float t = discs == 1 ? 0.0f : (static_cast<float>(i) / static_cast<float>(discs - 1) - 0.5f);
            const float x = image.getAbsoluteX() + (width >= height ? t * (width - 2 * radius) : 0.0f);
            const float y = image.getAbsoluteY() + (height > width ? t * (height - 2 * radius) : 0.0f);
            threats_.push_back({x, y, radius});
        }
    }
}

AutopilotSteering::Point AutopilotSteering::goal(const GameScene& game, Point ship) const {
    if (const WeaponPanel* panel = game.getWeaponPanel(); panel && panel->isActive()) {
        if (const tidewell::Image* icon = panel->getIcon(kChosenWeaponIcon)) {
            return {icon->getAbsoluteX(), icon->getAbsoluteY()};
        }
    }
    const Award* nearestAward = nullptr;
    float nearest = kAwardReach;
    for (Sprite* child = game.getAwardLayer()->getFirstChild(); child; child = child->getNextSibling()) {
        const auto* award = dynamic_cast<const Award*>(child);
        if (!award || award->isRemoved() || !award->getImage()) continue;
        const tidewell::Image& image = *award->getImage();
        const float d = distance(ship.x, ship.y, image.getAbsoluteX(), image.getAbsoluteY());
        if (d < nearest) {
            nearest = d;
            nearestAward = award;
        }
    }
    if (nearestAward) {
        return {nearestAward->getImage()->getAbsoluteX(), nearestAward->getImage()->getAbsoluteY()};
    }
    // In line with the nearest enemy ahead, where the shots meet it.
    float bestY = ship.y;
    float bestDistance = std::numeric_limits<float>::max();
    for (Sprite* child = game.getWaves()->getFirstChild(); child; child = child->getNextSibling()) {
        auto* enemy = dynamic_cast<Enemy*>(child);
        if (!enemy || enemy->isRemoved() || !enemy->image) continue;
        const tidewell::Shape* target = enemy->getHitArea();
        const Sprite& aim = target ? static_cast<const Sprite&>(*target) : *enemy->image;
        const float x = target ? 0.5f * (aim.getLeft() + aim.getRight()) + aim.getAbsoluteX() - aim.x
                               : aim.getAbsoluteX();
        const float y = target ? 0.5f * (aim.getTop() + aim.getBottom()) + aim.getAbsoluteY() - aim.y
                               : aim.getAbsoluteY();
        if (x < ship.x || x > tidewell::screenWidth) continue;
        const float d = x - ship.x;
        if (d < bestDistance) {
            bestDistance = d;
            bestY = y;
        }
    }
    return {kFiringX, bestY};
}

float AutopilotSteering::cost(Point from, Move move, float speed, Point target) const {
    float danger = 0;
    Point at = from;
    for (int frame = 1; frame <= kLookAheadFrames; ++frame) {
        at.x = std::clamp(at.x + static_cast<float>(move.dx) * speed, kEdge, tidewell::screenWidth - kEdge);
        at.y = std::clamp(at.y + static_cast<float>(move.dy) * speed, kEdge, tidewell::screenHeight - kEdge);
        for (const Threat& threat : threats_) {
            const float room = threat.radius + shipRadius_ + kMargin - distance(at.x, at.y, threat.x, threat.y);
            if (room > 0) danger += room * room / static_cast<float>(frame);
        }
    }
    return danger * kDangerWeight + distance(at.x, at.y, target.x, target.y);
}

AutopilotSteering::Move AutopilotSteering::choose(const GameScene& game) {
    const PlayerShip* ship = game.getShip();
    const tidewell::Image* image = ship ? ship->getShipImage() : nullptr;
    if (!image) return {};
    gatherThreats(game);
    shipRadius_ = 0.4f * std::min(image->getWidth(), image->getHeight());
    const Point from{image->getAbsoluteX(), image->getAbsoluteY()};
    const Point target = goal(game, from);
    const float speed = std::max(ship->getSpeed(), 1.0f);
    Move best;
    float lowest = std::numeric_limits<float>::max();
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const float c = cost(from, {dx, dy}, speed, target);
            if (c < lowest) {
                lowest = c;
                best = {dx, dy};
            }
        }
    }
    return best;
}

}  // namespace brinefall
