#pragma once

#include <vector>

namespace brinefall {

class GameScene;

// Where the autopilot flies the ship: of the nine ways the arrow keys can move it, the one
// whose next few frames keep it farthest from enemy bullets and bodies and bring it
// closest to its goal (a weapon icon while the panel is offered, else the nearest award
// in reach, else a firing line in front of the nearest enemy's weak point).
class AutopilotSteering {
public:
    struct Move {
        int dx = 0;  // -1 left, 0, 1 right
        int dy = 0;  // -1 up, 0, 1 down
    };

    // The weapon the autopilot flies into: its icon's index on the panel (0 to 2).
    static constexpr int kChosenWeaponIcon = 1;

    Move choose(const GameScene& game);

private:
    struct Threat {
        float x;
        float y;
        float radius;
    };
    struct Point {
        float x;
        float y;
    };

    void gatherThreats(const GameScene& game);
    Point goal(const GameScene& game, Point ship) const;
    float cost(Point from, Move move, float speed, Point target) const;

    std::vector<Threat> threats_;  // kept between frames so the frame does not allocate
    float shipRadius_ = 0;
};

}  // namespace brinefall
