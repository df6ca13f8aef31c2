#pragma once

#include <optional>
#include <unordered_map>
#include <vector>

namespace tidewell {
class Sprite;
}

namespace brinefall {

class GameScene;
class WeaponPanel;

// Where the autopilot flies the ship. Every bullet and body on the screen is followed from
// frame to frame, so its velocity is known as a player's eye would judge it; the steering
// then tries each way the arrow keys can move the ship for a few frames followed by each way
// for a few more (81 short plans), sees where every threat will be along the way, and takes
// the first move of the plan that keeps clear of them all and comes nearest its goal: a weapon
// icon while the panel is offered, else the award it can reach soonest, else a firing line
// in front of the nearest enemy's weak point, well back from the right of the screen.
class AutopilotSteering {
public:
    struct Move {
        int dx = 0;  // -1 left, 0, 1 right
        int dy = 0;  // -1 up, 0, 1 down
    };

    // The weapon the autopilot flies into, its icon's index on the panel (0 to 2): the Fire
    // Bomb, with which it loses the fewest ships in stage 2 of the three.
    static constexpr int kChosenWeaponIcon = 1;

    Move choose(const GameScene& game);

private:
    struct Point {
        float x;
        float y;
    };
    // A box that moves on: where it is now, its velocity and the change of that velocity each
    // frame, half its size, the room kept around it and the lowest its middle will go.
    struct Threat {
        Point at;
        Point velocity;
        Point acceleration;
        Point half;
        float margin;
        float floor;
    };
    // What is remembered of a followed sprite: where it was, how fast it went, how its
    // vertical speed changed on the last frame, the pull of a hop (0 for anything that does
    // not hop) and the highest and lowest it has been or will be.
    struct Track {
        Point at;
        Point velocity;
        float fall;
        float gravity;
        float top;
        float floor;
    };
    enum class Kind { bullet, body, boss };

    void gatherThreats(const GameScene& game);
    void addThreat(const tidewell::Sprite& sprite, Kind kind);
    Point goal(const GameScene& game, Point ship);
    Point meetIcon(const WeaponPanel& panel, Point ship);
    // The ship's position after one frame of `move` from `at`, kept inside the screen.
    Point step(Point at, Move move) const;
    float danger(Point ship, int frame) const;
    // The danger met along the plan and the distance left to the target at its end.
    float planCost(Point from, Move first, Move then, Point target) const;

    std::vector<Threat> threats_;  // kept between frames so the frame does not allocate
    // Where each followed sprite was on the frame before, to tell its velocity.
    std::unordered_map<const tidewell::Sprite*, Track> seen_;
    std::unordered_map<const tidewell::Sprite*, Track> seenNow_;
    // The chosen icon's offset from the panel's middle on the frame before.
    std::optional<Point> iconOffset_;
    Point shipHalf_{};
    float speed_ = 0;
};

}  // namespace brinefall
