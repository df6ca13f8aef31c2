#pragma once

#include <array>

namespace brinefall::Experience {

// The four tracks of the ship (life, speed, gun, special weapon) share one ladder of
// levels: experience is a running total, and each level has the total needed for the
// next one. The values each level gives are held here as tables, one row per level.

inline constexpr int kFirstLevel = 1;
inline constexpr int kMaxLevel = 5;

// One level of the life, speed and gun tracks.
struct LevelRow {
    int next;  // experience needed for the next level; 0 at the maximum
    int lifeMax;
    float speed;      // pixels per frame
    int gunInterval;  // frames between main shots
};

inline constexpr std::array<LevelRow, kMaxLevel> kLevels{{
    {1000, 1000, 5.0f, 6},    // level 1
    {3000, 1500, 7.0f, 3},    // level 2
    {7000, 2500, 10.0f, 3},   // level 3
    {15000, 4500, 14.0f, 3},  // level 4
    {0, 7000, 20.0f, 3},      // level 5
}};

// The damage the ship deals to an enemy it touches, by its maximum life.
inline constexpr int kRamDamagePerLife = 5;

// One special weapon: its name in texts, frames between shots by level, and the
// pictures held loaded once it is picked.
struct SpecialRow {
    int kind;
    const char* name;
    std::array<int, kMaxLevel> intervals;
    std::array<const char*, 2> textures;  // null where the weapon needs fewer
};

inline constexpr int kBomb = 1;
inline constexpr int kFireBomb = 2;
inline constexpr int kDownwardGun = 3;

// The Bomb fires more slowly at level 4, where it becomes the large bomb.
inline constexpr std::array<SpecialRow, 3> kSpecials{{
    {kBomb, "Bomb", {20, 15, 7, 10, 7}, {"bulletBomb1.twi", "explosionBomb1.twi"}},
    {kFireBomb, "Fire Bomb", {30, 15, 15, 15, 15}, {"bulletBomb2.twi", nullptr}},
    {kDownwardGun, "Downward Gun", {6, 3, 3, 3, 3}, {"bulletSpecial.twi", nullptr}},
}};

// The row of a level, a level outside 1 to 5 taken as the nearest one.
const LevelRow& levelRow(int level);
// The row of a special weapon kind; null for a kind other than 1 to 3.
const SpecialRow* specialRow(int kind);
// Experience needed for the level after `level`; 0 at the maximum.
int nextThreshold(int level);
// Frames between special shots of a kind at a level; -1 for no such weapon.
int specialInterval(int kind, int level);

}  // namespace brinefall::Experience
