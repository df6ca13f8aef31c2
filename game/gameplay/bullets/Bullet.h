#pragma once

#include <cstddef>

#include "display/Sprite.h"

namespace tidewell {
class Image;
class Shape;
class Sound;
}  // namespace tidewell

namespace brinefall {

// The base of every shot, the ship's and the enemies'. A bullet moves itself each frame,
// leaves when it is off screen and tests itself against its targets through the scene.
// Its collision area is an invisible child shape, so a bullet's box is the union of its
// picture and that area.
class Bullet : public tidewell::Sprite {
public:
    // Builds the invisible hit area child (a rectangle with no points yet).
    Bullet();
    ~Bullet() override;

    // Whether the hit area overlaps the sprite; enemies pass their own hit area.
    virtual bool hits(const tidewell::Sprite* sprite) const;

    tidewell::Shape* getHitArea() const { return hitArea; }

    // Hit points taken from what it hits.
    int damage = 0;
    // False: the first enemy hit stops the test; true: every overlapping enemy takes the damage.
    bool passThrough = false;

protected:
    // Off screen: the bullet's box on screen (picture and hit area) lies wholly outside 800 x 600.
    bool isOffScreen() const;
    // A centred picture of the bullet, added as a child above the hit area.
    tidewell::Image* addImage(const char* fileName, unsigned columns, unsigned rows, unsigned frameCount = 0);
    // The scene's sounds may be missing in a scene without audio; then the bullet is silent.
    static void play(tidewell::Sound* sound);
    // The row of a table by weapon level, the first row for level 1; `none` for a level
    // outside the table.
    template <typename Row, std::size_t N>
    static const Row& levelRow(const Row (&rows)[N], const Row& none, int level) {
        return level >= 1 && level <= static_cast<int>(N) ? rows[level - 1] : none;
    }

    tidewell::Shape* hitArea;
};

}  // namespace brinefall
