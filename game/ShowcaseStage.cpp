#include "ShowcaseStage.h"

#include <cmath>
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CyclingImage.h"
#include "Image.h"
#include "InputManager.h"
#include "Random.h"
#include "ScrollingSea.h"
#include "Shape.h"
#include "ShowcaseKit.h"
#include "Sprite.h"
#include "Text.h"

namespace brinefall {
namespace {

using namespace tidewell;
using ShowcaseKit::picture;
using Steps = std::vector<CyclingImage::Step>;

constexpr float kPi = 3.14159265f;

bool offScreen(const Sprite& sprite) {
    return sprite.getAbsoluteRight() < 0 || sprite.getAbsoluteBottom() < 0 || sprite.getAbsoluteLeft() >= 800 ||
           sprite.getAbsoluteTop() >= 600;
}

// Each step of a cycle one frame long: frames 0 to count - 1, one an update.
Steps everyFrame(unsigned count) {
    Steps steps;
    for (unsigned frame = 0; frame < count; ++frame) steps.push_back({frame, 1});
    return steps;
}

// A plain group sprite added to a parent, for the layers the game draws in order.
Sprite* layer(Sprite* parent) {
    auto* group = new Sprite();
    parent->addChild(group);
    return group;
}

// A shot or a pickup: an image flying by its velocity, its vertical speed changed by
// `gravity` each frame, its frames cycling when asked. It leaves once off the screen,
// past `stopX` (the body of a boss stops shots), or on reaching `floorY` or its
// target, where `onLanded` says what happens there.
class Projectile : public Sprite {
public:
    Projectile(const char* fileName, unsigned columns, unsigned rows, unsigned frame, float vx, float vy)
        : vx(vx), vy(vy) {
        image_ = picture(this, fileName, columns, rows, 0, 0, frame);
    }

    void update() override {
        move(vx, vy);
        vy += gravity;
        if (cycleFrames > 0) image_->setFrame((image_->getFrame() + 1) % cycleFrames);
        if (y >= floorY || reachedTarget()) {
            if (onLanded) onLanded(x, y);
            remove();
        } else if (x >= stopX || offScreen(*this)) {
            remove();
        }
    }

    float vx, vy;
    float gravity = 0;
    unsigned cycleFrames = 0;
    float stopX = 1e9f;
    float floorY = 1e9f;
    std::function<void(float, float)> onLanded;
    struct Point {
        float x, y;
    };
    std::optional<Point> target;

private:
    // Within one frame's flight of the target.
    bool reachedTarget() const {
        if (!target) return false;
        const float dx = target->x - x, dy = target->y - y;
        return dx * dx + dy * dy <= vx * vx + vy * vy;
    }

    Image* image_;
};

// A floating text of the heads-up display: its words centred one under the other,
// rising 3 pixels a frame for 21 frames.
class Popup : public Sprite {
public:
    explicit Popup(const std::string& words) {
        Text* shown = ShowcaseKit::text(this, ShowcaseKit::kLargeFont, words.c_str(), 0, 0, Text::centredMode);
        shown->setAlignment(3, 3);
    }

    void update() override {
        moveY(-3);
        if (++age_ >= 21) remove();
    }

private:
    int age_ = 0;
};

// The pieces of an enemy's explosion: eight bits of one burst picture, tinted yellow,
// flying apart in eight directions, slowing and fading over 40 frames; then, after
// the rest of the period, again with another picture.
class PieceBurst : public Sprite {
public:
    explicit PieceBurst(int period) : period_(period) {
        for (int i = 0; i < 8; ++i) {
            Image* piece = picture(this, "explosion.twi", 2, 2, 0, 0);
            piece->setRGB(0xFFFF00);
            pieces_.push_back(piece);
        }
        restart();
    }

    void update() override {
        if (++count_ >= period_) {
            restart();
            return;
        }
        const int alpha = count_ < 40 ? (40 - count_) * 255 / 40 : 0;
        const float diagonal = speed_ / std::sqrt(2.0f);
        const float dx[8] = {speed_, -speed_, 0, 0, diagonal, -diagonal, diagonal, -diagonal};
        const float dy[8] = {0, 0, speed_, -speed_, diagonal, diagonal, -diagonal, -diagonal};
        for (int i = 0; i < 8; ++i) {
            pieces_[i]->move(dx[i], dy[i]);
            pieces_[i]->setAlpha(alpha);
        }
        speed_ -= 0.125f;
    }

private:
    void restart() {
        count_ = 0;
        speed_ = 5;
        const unsigned frame = static_cast<unsigned>(Random::choose(4));
        for (Image* piece : pieces_) {
            piece->setFrame(frame);
            piece->setPosition(0, 0);
            piece->setAlpha(255);
        }
    }

    std::vector<Image*> pieces_;
    int period_;
    int count_ = 0;
    float speed_ = 5;
};

// The depth-charge blast fading out over 10 frames: once, or again every `period` frames.
class Blast : public Sprite {
public:
    explicit Blast(int period = 0) : period_(period) { image_ = picture(this, "explosionBomb1.twi", 1, 1, 0, 0); }

    void update() override {
        ++count_;
        if (count_ < 10) {
            image_->setAlpha((10 - count_) * 255 / 10);
        } else if (period_ == 0) {
            remove();
        } else {
            image_->setAlpha(0);
            if (count_ >= period_) {
                count_ = 0;
                image_->setAlpha(255);
            }
        }
    }

private:
    Image* image_;
    int period_;
    int count_ = 0;
};

// A fire bomb of the highest level falling onto the seabed and bursting into its
// flame column: the centre and three flame pairs opening one pair a frame, holding
// for 12 frames and closing; then again. The position is where it bursts.
class FireColumn : public Sprite {
public:
    FireColumn() {
        bomb_ = picture(this, "bulletBomb2.twi", 2, 2, 0, 0, 2);
        pieces_.push_back(picture(this, "bulletBomb2.twi", 2, 2, 0, 0));
        for (int pair = 0; pair < kPairs; ++pair) {
            pieces_.push_back(picture(this, "bulletBomb2.twi", 2, 2, -32.0f * (pair + 1), 0));
            pieces_.push_back(picture(this, "bulletBomb2.twi", 2, 2, 32.0f * (pair + 1), 0));
        }
        update();
    }

    // The bomb falls for 8 frames (3 across and 8 down a frame, 1 more down each frame,
    // as it leaves the ship), then the burst counts 1 up to its end, then a pause.
    void update() override {
        count_ = (count_ + 1) % kPeriod;
        if (count_ < kFall) {
            const int n = count_;
            bomb_->setPosition(-3.0f * (kFall - n), -(8.0f * kFall + kFall * (kFall - 1) / 2.0f) + 8.0f * n +
                                                        n * (n - 1) / 2.0f);
            bomb_->setAlpha(255);
            for (Image* piece : pieces_) piece->setAlpha(0);
            return;
        }
        bomb_->setAlpha(0);
        const int burst = count_ - kFall + 1;
        showPiece(pieces_[0], burst - 1);
        for (int pair = 0; pair < kPairs; ++pair) {
            showPiece(pieces_[1 + 2 * pair], burst - pair - 2);
            showPiece(pieces_[2 + 2 * pair], burst - pair - 2);
        }
    }

private:
    static constexpr int kPairs = 3;
    static constexpr int kHold = 12;
    static constexpr int kFall = 8;
    static constexpr int kPeriod = 40;

    // A flame piece at its step: opening frames 0 to 3, holding 3, closing 3 to 0.
    void showPiece(Image* piece, int step) {
        if (step < 0 || step >= kHold + 8) {
            piece->setAlpha(0);
            return;
        }
        piece->setAlpha(255);
        piece->setFrame(static_cast<unsigned>(step < 4 ? step : step < kHold + 4 ? 3 : kHold - step + 7));
    }

    Image* bomb_;
    std::vector<Image*> pieces_;
    int count_ = -1;
};

// A ship or an enemy: its image playing its animation, moved each frame by `motion`
// (hops, weaves, patrols, relative to the actor), acting now and then through `act`,
// and showing a hit every so often: the hit frame, the red tint of its remaining
// strength, a short shake and the damage rising above it.
class Actor : public Sprite {
public:
    Actor(CyclingImage* shown, Sprite* popups) : image(shown), popups_(popups) { addChild(image); }

    void update() override {
        ++age;
        if (motion) motion(*this);
        if (act) act(*this);
        if (hitPeriod_ > 0 && age >= hitFirst_ && (age - hitFirst_) % hitPeriod_ == 0) takeHit();
        shake();
    }

    // A hit every `period` frames from frame `first`. A boss neither flinches nor shakes.
    void hitEvery(int period, int first, int damage, bool boss = false) {
        hitPeriod_ = period;
        hitFirst_ = first;
        damage_ = damage;
        boss_ = boss;
    }

    bool shaking() const { return shakeCount_ >= 0; }
    float imageX() const { return x + image->x; }
    float imageY() const { return y + image->y; }

    CyclingImage* image;
    std::function<void(Actor&)> motion;
    std::function<void(Actor&)> act;
    float motionSpeed = 0;   // a hop's or a weave's speed
    float motionChange = 0;  // a weave's change of speed, a patrol's direction, whether a hop is on
    int age = 0;

private:
    void takeHit() {
        ++hits_;
        // The tint of the strength left: a fourth hit stands for a fresh enemy; a boss,
        // with fifty times the strength, hardly reddens.
        const int strength = boss_ ? 255 - (hits_ % 8) * 6 : 255 - (hits_ % 4) * 40;
        image->setRGB(255, strength, strength);
        auto* popup = new Popup(std::to_string(damage_));
        popup->setPosition(imageX(), imageY() - 10);
        popups_->addChild(popup);
        if (boss_) return;
        shakeCount_ = 0;
        image->setCycling(false);
        image->setFrame(image->getFrameCount() - 1);
    }

    // Two pixels down on even counts, up on odd ones, eight frames, then back to the animation.
    void shake() {
        if (shakeCount_ < 0) return;
        if (shakeCount_ > 7) {
            shakeCount_ = -1;
            image->setFrame(0);
            image->setCycling(true);
            return;
        }
        moveY(shakeCount_ % 2 == 0 ? 2.0f : -2.0f);
        ++shakeCount_;
    }

    Sprite* popups_;
    int hitPeriod_ = 0;
    int hitFirst_ = 0;
    int damage_ = 0;
    bool boss_ = false;
    int hits_ = 0;
    int shakeCount_ = -1;
};

// A hop: the image moves down by the hop speed; below the actor's line it is put back
// and bounces; gravity is added. The frame follows the speed, as a share of the bounce.
std::function<void(Actor&)> hop(float bounce, float gravity, std::function<unsigned(float)> frameFor) {
    return [=](Actor& actor) {
        actor.image->moveY(actor.motionSpeed);
        if (actor.image->y > 0) {
            actor.image->setY(0);
            actor.motionSpeed = bounce;
        }
        actor.motionSpeed += gravity;
        if (!actor.shaking()) actor.image->setFrame(frameFor(actor.motionSpeed / -bounce));
    };
}

// The frog-fish's hop: one starts every `every` frames and ends on landing.
std::function<void(Actor&)> hopEvery(int every, float bounce, float gravity) {
    return [=](Actor& actor) {
        if (actor.motionChange == 0 && actor.age % every == 0) {
            actor.motionChange = 1;
            actor.motionSpeed = bounce;
        }
        if (actor.motionChange == 0) return;
        actor.image->moveY(actor.motionSpeed);
        actor.motionSpeed += gravity;
        if (actor.image->y > 0) {
            actor.image->setY(0);
            actor.motionChange = 0;
        }
    };
}

// The jellyfish drone's weave: a swing of about 100 pixels above its line, then one
// below, each 40 frames.
std::function<void(Actor&)> weave() {
    return [](Actor& actor) {
        actor.image->moveY(actor.motionSpeed);
        if (actor.image->y > 0 && actor.motionChange > 0) {
            actor.image->setY(0);
            actor.motionSpeed = 10;
            actor.motionChange = -actor.motionChange;
        } else if (actor.image->y < 0 && actor.motionChange < 0) {
            actor.image->setY(0);
            actor.motionSpeed = -10;
            actor.motionChange = -actor.motionChange;
        }
        actor.motionSpeed += actor.motionChange;
    };
}

// Up and down between two heights relative to the actor, as the bosses patrol.
std::function<void(Actor&)> patrol(float top, float bottom, float speed) {
    return [=](Actor& actor) {
        if (actor.motionChange == 0) actor.motionChange = -1;
        actor.image->moveY(actor.motionChange * speed);
        if (actor.image->y < top) {
            actor.image->setY(top);
            actor.motionChange = 1;
        } else if (actor.image->y > bottom) {
            actor.image->setY(bottom);
            actor.motionChange = -1;
        }
    };
}

// The hopping crab's and shrimp's frames: jumping while rising fast, falling when
// coming down fast, resting in between.
unsigned crabFrame(float share) { return share < -0.25f ? 2 : share > 0.75f ? 1 : 0; }

// The urchin's: stretched when fast, squashed around the turns, round at the top.
unsigned urchinFrame(float share) {
    if (share < -0.5f || share >= 0.5f) return 1;
    if (share < -0.25f || share >= 0.25f) return 0;
    return 2;
}

// The scene every stage showcase shares: the layers of the game scene in its drawing
// order, the specimens of the hero's pictures and of every shot, the heads-up life bar.
class StageScene : public Sprite {
public:
    explicit StageScene(int stage) {
        InputManager::setCursorVisible(false);
        sea = new ScrollingSea(stage);
        addChild(sea);
        specimens = layer(this);
        bullets = layer(this);
        foes = layer(this);
        ships = layer(this);
        explosions = layer(this);
        popups = layer(this);
        awards = layer(this);
        addLifeBar();
    }

    // The hero flying and firing, as in play: its animation, a main shot every 6 frames
    // of ever larger power, a depth charge now and then that bursts on the seabed.
    Actor* addHero(float x, float y, float shotStopX) {
        auto* shown = new CyclingImage("pufflo.twi", 2, 2, {{0, 10}, {1, 5}, {0, 10}, {2, 5}});
        hero = new Actor(shown, popups);
        hero->setPosition(x, y);
        ships->addChild(hero);
        hero->act = [this, shotStopX](Actor& self) {
            if (self.age % 6 == 0) {
                auto* shot = new Projectile("bulletMain.twi", 2, 2, (self.age / 6) % 4, 50, 0);
                shot->stopX = shotStopX;
                shot->setPosition(self.imageX() + 20, self.imageY() + 4);
                bullets->addChild(shot);
            }
            if (self.age % 30 == 15) dropBomb(self);
        };
        return hero;
    }

    // An enemy of the stage with its animation, placed at (x, y).
    Actor* addFoe(const char* fileName, unsigned columns, unsigned rows, Steps steps, float x, float y) {
        auto* actor = new Actor(new CyclingImage(fileName, columns, rows, std::move(steps)), popups);
        actor->setPosition(x, y);
        foes->addChild(actor);
        return actor;
    }

    // A rust pellet from the actor towards where the hero is, spinning.
    void aimAtHero(Actor& from, float speed) {
        const float dx = hero->imageX() - from.imageX(), dy = hero->imageY() - from.imageY();
        const float distance = std::max(1.0f, std::sqrt(dx * dx + dy * dy));
        auto* pellet = new Projectile("bulletEnemy.twi", 4, 2, 0, dx * speed / distance, dy * speed / distance);
        pellet->cycleFrames = 6;
        pellet->setPosition(from.imageX(), from.imageY());
        bullets->addChild(pellet);
    }

    // A pickup dropped by a hit enemy, flying at 5 a frame towards the hero; on reaching
    // it, the text of what it gave rises from the hero.
    void dropAward(Actor& from, int kind) {
        static const char* const gains[5] = {"Life\n+200", "Life\nEXP +100", "Speed\nEXP +100", "Gun\nEXP +100",
                                             "Bomb\nEXP +100"};
        const float dx = hero->imageX() - from.imageX(), dy = hero->imageY() - from.imageY();
        const float distance = std::max(1.0f, std::sqrt(dx * dx + dy * dy));
        auto* award = new Projectile("awards.twi", 3, 3, static_cast<unsigned>(kind - 1), 5 * dx / distance,
                                     5 * dy / distance);
        award->setPosition(from.imageX(), from.imageY());
        award->target = Projectile::Point{hero->imageX(), hero->imageY()};
        const std::string gain = kind <= 5 ? gains[kind - 1] : "";
        award->onLanded = [this, gain](float x, float y) { popUp(gain, x, y - 30); };
        awards->addChild(award);
    }

    void popUp(const std::string& words, float x, float y) {
        if (words.empty()) return;
        auto* popup = new Popup(words);
        popup->setPosition(x, y);
        popups->addChild(popup);
    }

    // The pictures the hero and its weapons are made of, frame by frame, in rows across
    // the top: the hero, the main gun's shots, the special weapons, the enemies' shots,
    // the pickups, the burst pieces, and the explosions playing.
    void addSpecimens() {
        for (unsigned frame = 0; frame < 4; ++frame) picture(specimens, "pufflo.twi", 2, 2, 62.0f + 105 * frame, 64, frame);
        const float mainX[4] = {460, 516, 580, 652};
        for (unsigned frame = 0; frame < 4; ++frame) picture(specimens, "bulletMain.twi", 2, 2, mainX[frame], 64, frame);
        picture(specimens, "bulletBoss1.twi", 1, 1, 720, 64);

        for (unsigned frame = 0; frame < 4; ++frame) picture(specimens, "bulletSpecial.twi", 2, 2, 30.0f + 38 * frame, 134, frame);
        for (unsigned frame = 0; frame < 2; ++frame) picture(specimens, "bulletBomb1.twi", 2, 1, 190.0f + 36 * frame, 134, frame);
        for (unsigned frame = 0; frame < 4; ++frame) picture(specimens, "bulletBomb2.twi", 2, 2, 292.0f + 68 * frame, 134, frame);
        for (unsigned i = 0; i < 6; ++i) {
            auto* pellet = new CyclingImage("bulletEnemy.twi", 4, 2, everyFrame(6), i);
            pellet->setPosition(556.0f + 22 * i, 134);
            specimens->addChild(pellet);
        }
        for (unsigned i = 0; i < 2; ++i) {
            auto* glob = new CyclingImage("bulletEnemy05.twi", 2, 1, everyFrame(2), i);
            glob->setPosition(704.0f + 24 * i, 134);
            specimens->addChild(glob);
        }

        for (unsigned kind = 0; kind < 9; ++kind) picture(specimens, "awards.twi", 3, 3, 30.0f + 38 * kind, 204, kind);
        for (unsigned frame = 0; frame < 4; ++frame) {
            picture(specimens, "explosion.twi", 2, 2, 392.0f + 38 * frame, 204, frame)->setRGB(0xFFFF00);
        }

        auto* fire = new FireColumn();
        fire->setPosition(300, 262);
        explosions->addChild(fire);
        auto* blast = new Blast(20);
        blast->setPosition(560, 262);
        explosions->addChild(blast);
        auto* burst = new PieceBurst(50);
        burst->setPosition(700, 230);
        explosions->addChild(burst);
    }

    void update() override {
        ++frame;
        // A pickup now and then from one of the enemies, kinds in turn.
        const int foeCount = countChildren(foes);
        if (frame % 25 == 5 && foeCount > 0 && hero) {
            auto* from = static_cast<Actor*>(childAt(foes, (frame / 25) % foeCount));
            dropAward(*from, 1 + (frame / 25) % 9);
        }
    }

    ScrollingSea* sea = nullptr;
    Sprite* specimens = nullptr;
    Sprite* bullets = nullptr;
    Sprite* foes = nullptr;
    Sprite* ships = nullptr;
    Sprite* explosions = nullptr;
    Sprite* popups = nullptr;
    Sprite* awards = nullptr;
    Actor* hero = nullptr;
    int frame = 0;

private:
    static int countChildren(Sprite* parent) {
        int count = 0;
        for (Sprite* child = parent->getFirstChild(); child; child = child->getNextSibling()) count += !child->isRemoved();
        return count;
    }

    static Sprite* childAt(Sprite* parent, int index) {
        for (Sprite* child = parent->getFirstChild(); child; child = child->getNextSibling()) {
            if (!child->isRemoved() && index-- == 0) return child;
        }
        return nullptr;
    }

    // The depth charge, small and large in turn: it leaves the ship at 3 across and 8
    // down, falls faster each frame and bursts where it meets the seabed.
    void dropBomb(Actor& from) {
        auto* bomb = new Projectile("bulletBomb1.twi", 2, 1, (from.age / 30) % 2, 3, 8);
        bomb->gravity = 1;
        bomb->floorY = 560;
        bomb->setPosition(from.imageX(), from.imageY() + 20);
        bomb->onLanded = [this](float x, float y) {
            auto* blast = new Blast();
            blast->setPosition(x, y);
            explosions->addChild(blast);
        };
        bullets->addChild(bomb);
    }

    // "Life" and the bar of a full life beside it: 1000 points, a pixel for each 10.
    void addLifeBar() {
        Sprite* bar = layer(this);
        Text* label = ShowcaseKit::text(bar, ShowcaseKit::kLargeFont, "Life", 10, 10);
        const float left = label->getRight() + 20, top = label->getTop();
        ShowcaseKit::rectangle(bar, left, top + 5, left + 100, top + 15, 0xFFFFFF00);
        for (float lineY : {top + 5, top + 15}) line(bar, left, lineY, left + 100, lineY);
        for (float lineX : {left, left + 100}) line(bar, lineX, top + 5, lineX, top + 15);
    }

    static void line(Sprite* parent, float x1, float y1, float x2, float y2) {
        auto* shape = new Shape();
        shape->setLine(x1, y1, x2, y2, 1);
        parent->addChild(shape);
    }
};

// The first stage: the angler machine and the crabs, jellyfish, seahorses, flying fish
// and the grouper tank of the sunlit sea.
Sprite* buildStageOne() {
    auto* scene = new StageScene(1);
    scene->addSpecimens();
    scene->addHero(90, 430, 610);

    Actor* flyer = scene->addFoe("enemy18.twi", 2, 2, {{0, 20}, {1, 5}, {0, 10}, {2, 5}}, 300, 335);
    flyer->hitEvery(45, 12, 100);
    flyer->act = [scene](Actor& self) {
        if (self.age % 30 == 10) scene->aimAtHero(self, 8);
    };
    Actor* seahorse = scene->addFoe("enemy11.twi", 2, 2, {{0, 20}, {1, 10}, {2, 5}}, 410, 345);
    seahorse->hitEvery(45, 27, 100);

    Actor* jelly = scene->addFoe("enemy06.twi", 2, 2, {{0, 10}, {1, 10}, {2, 10}}, 225, 455);
    jelly->motionSpeed = -10;
    jelly->motionChange = 0.5f;
    jelly->motion = weave();
    jelly->hitEvery(45, 40, 200);
    jelly->act = [scene](Actor& self) {
        if (self.age % 40 == 25) scene->aimAtHero(self, 8);
    };

    Actor* grouper = scene->addFoe("enemy05.twi", 2, 2, {}, 360, 528);
    grouper->hitEvery(60, 50, 300);
    // The mouth works every 5 frames; a lobbed glob every 40 with the mouth wide open.
    grouper->act = [scene](Actor& self) {
        if (self.shaking()) return;
        if (self.age % 40 == 20) {
            self.image->setFrame(2);
            auto* glob = new Projectile("bulletEnemy05.twi", 2, 1, 0, 0, -10);
            glob->gravity = 0.2f;
            glob->cycleFrames = 2;
            glob->setPosition(self.imageX() - 40, self.imageY() - 10);
            scene->bullets->addChild(glob);
        } else if (self.age % 5 == 0) {
            self.image->setFrame(self.image->getFrame() == 0 ? 1 : 0);
        }
    };

    Actor* crab = scene->addFoe("enemy01.twi", 2, 2, {}, 500, 565);
    crab->motionSpeed = -20;
    crab->motion = hop(-20, 1, crabFrame);
    crab->hitEvery(45, 20, 100);

    Actor* angler = scene->addFoe("boss1.twi", 1, 1, {}, 670, 440);
    angler->motion = patrol(-40, 40, 2);
    angler->hitEvery(20, 8, 200, true);
    // The lure fires a fan of six sparks every 40 frames.
    angler->act = [scene](Actor& self) {
        if (self.age % 40 != 20) return;
        for (int i = 0; i < 6; ++i) {
            auto* spark = new Projectile("bulletBoss1.twi", 1, 1, 0, -10, (2.0f * i / 9 - 5.0f / 9) * 10);
            spark->setPosition(self.imageX() - 48, self.imageY() + 17);
            scene->bullets->addChild(spark);
        }
    };
    return scene;
}

// The second stage: the claw-crab pair and the shrimps, frog-fish, urchins, squids
// and rays of the dark trench.
Sprite* buildStageTwo() {
    auto* scene = new StageScene(2);
    scene->addSpecimens();
    scene->addHero(90, 430, 520);

    Actor* squid = scene->addFoe("enemy14.twi", 2, 2, {{0, 2}, {1, 2}, {2, 2}}, 280, 340);
    squid->hitEvery(45, 12, 100);
    Actor* ray = scene->addFoe("enemy22.twi", 2, 2, {{0, 3}, {1, 3}, {0, 3}, {2, 3}}, 410, 335);
    ray->hitEvery(45, 27, 100);
    ray->act = [scene](Actor& self) {
        if (self.age % 30 == 10) scene->aimAtHero(self, 8);
    };

    Actor* shrimp = scene->addFoe("enemy02.twi", 2, 2, {}, 200, 565);
    shrimp->motionSpeed = -20;
    shrimp->motion = hop(-20, 2, crabFrame);
    shrimp->hitEvery(45, 40, 200);

    Actor* frog = scene->addFoe("enemy07.twi", 2, 2, {{0, 10}, {1, 10}, {2, 10}}, 350, 565);
    frog->motion = hopEvery(30, -30, 2);
    frog->hitEvery(45, 5, 100);

    // The urchin bounces lower than in play, so it stays below the rows of pictures.
    Actor* urchin = scene->addFoe("enemy13.twi", 2, 2, {}, 470, 565);
    urchin->motionSpeed = -28;
    urchin->motion = hop(-28, 2, urchinFrame);
    urchin->hitEvery(45, 30, 300);

    Actor* upper = scene->addFoe("boss2_1.twi", 1, 1, {}, 590, 385);
    upper->motion = patrol(-20, 20, 2);
    upper->hitEvery(20, 8, 150, true);
    Actor* lower = scene->addFoe("boss2_2.twi", 1, 1, {}, 712, 515);
    lower->motion = patrol(-20, 20, 1);
    lower->hitEvery(20, 18, 150, true);
    // The last half standing fires at the hero every 20 frames.
    lower->act = [scene](Actor& self) {
        if (self.age % 20 == 10) scene->aimAtHero(self, 10);
    };
    return scene;
}

// The stage titles as the game shows them at a stage's start, in turn: stage 1 with
// the keyboard card, stage 1 with the joystick card, stage 2; the hero flying in.
class StageTitleScene : public Sprite {
public:
    StageTitleScene() {
        InputManager::setCursorVisible(false);
        seas_[0] = new ScrollingSea(1);
        seas_[1] = new ScrollingSea(2);
        for (ScrollingSea* sea : seas_) addChild(sea);
        hero_ = new CyclingImage("pufflo.twi", 2, 2, {{0, 10}, {1, 5}, {0, 10}, {2, 5}});
        addChild(hero_);
        titles_[0] = picture(this, "stageText1.twi", 1, 1, 400, 150);
        cards_[0] = picture(this, "keys.twi", 1, 1, 400, 350);
        cards_[1] = picture(this, "keys2.twi", 1, 1, 400, 350);
        titles_[1] = picture(this, "stageText2.twi", 1, 1, 400, 300);
        show(0);
    }

    void update() override {
        ++frame_;
        if (frame_ % 20 == 0) show((frame_ / 20) % 3);
        hero_->setPosition(std::min(-100.0f + 5 * (frame_ % 20 + 10), 100.0f), 300);
    }

private:
    void show(int which) {
        seas_[0]->visible = which < 2;
        seas_[1]->visible = which == 2;
        titles_[0]->visible = which < 2;
        cards_[0]->visible = which == 0;
        cards_[1]->visible = which == 1;
        titles_[1]->visible = which == 2;
    }

    ScrollingSea* seas_[2];
    Image* titles_[2];
    Image* cards_[2];
    CyclingImage* hero_;
    int frame_ = -1;
};

// The weapon choice after the first boss: the three icons circling the middle of the
// screen at 180 pixels, the hero flying to them, and what picking each one says.
class WeaponsScene : public Sprite {
public:
    WeaponsScene() {
        InputManager::setCursorVisible(false);
        addChild(new ScrollingSea(1));
        for (unsigned i = 0; i < 3; ++i) icons_.push_back(picture(this, "weapons1.twi", 1, 3, 0, 0, i));
        hero_ = new CyclingImage("pufflo.twi", 2, 2, {{0, 10}, {1, 5}, {0, 10}, {2, 5}});
        hero_->setPosition(400, 300);
        addChild(hero_);
        popups_ = layer(this);
        placeIcons();
    }

    void update() override {
        ++frame_;
        angle_ += kPi * 0.005f;
        placeIcons();
        if (frame_ % 20 == 10) {
            static const char* const gets[3] = {"GET\nBomb!", "GET\nFire Bomb!", "GET\nDownward Gun!"};
            auto* popup = new Popup(gets[(frame_ / 20) % 3]);
            popup->setPosition(hero_->x, hero_->y - 20);
            popups_->addChild(popup);
        }
    }

private:
    void placeIcons() {
        for (unsigned i = 0; i < icons_.size(); ++i) {
            const float at = angle_ + i * 2 * kPi / 3;
            icons_[i]->setPosition(400 + 180 * std::cos(at), 300 + 180 * std::sin(at));
        }
    }

    std::vector<Image*> icons_;
    CyclingImage* hero_;
    Sprite* popups_;
    float angle_ = 0;
    int frame_ = 0;
};

// The pause menu and the game-over menu at the middle of the still stage, in turn,
// the yellow cursor moving between their two entries.
class MenusScene : public Sprite {
public:
    MenusScene() {
        InputManager::setCursorVisible(false);
        auto* sea = new ScrollingSea(1);
        sea->speed = 0;
        addChild(sea);
        hero_ = picture(this, "pufflo.twi", 2, 2, 180, 300);
        picture(this, "enemy18.twi", 2, 2, 560, 220);
        picture(this, "enemy05.twi", 2, 2, 620, 500, 1);
        paused_ = addMenu("paused.twi");
        gameOver_ = addMenu("gameover.twi");
        show();
    }

    void update() override {
        ++frame_;
        show();
    }

private:
    struct Menu {
        Sprite* group;
        Shape* cursor;
    };

    Menu addMenu(const char* fileName) {
        auto* group = new Sprite();
        group->setPosition(400, 300);
        addChild(group);
        picture(group, fileName, 1, 1, 0, 0);
        const float xs[3] = {-10, 10, -10}, ys[3] = {-10, 0, 10};
        auto* cursor = new Shape();
        cursor->setPolygon(xs, ys, 3);
        cursor->colour = 0xFFFFFF00;
        group->addChild(cursor);
        cursor->updateColour();
        return {group, cursor};
    }

    // Pause, then game over (the hero gone), 20 frames each; the entry changes every 7.
    void show() {
        const bool pause = (frame_ / 20) % 2 == 0;
        const bool first = (frame_ / 7) % 2 == 0;
        paused_.group->visible = pause;
        gameOver_.group->visible = !pause;
        hero_->visible = pause;
        paused_.cursor->setPosition(-62, first ? 15 : 39);
        gameOver_.cursor->setPosition(-30, first ? 44 : 64);
    }

    Image* hero_;
    Menu paused_;
    Menu gameOver_;
    int frame_ = 0;
};

// The end of the demo over the trench, the hero swimming below it.
class EndingScene : public Sprite {
public:
    EndingScene() {
        InputManager::setCursorVisible(false);
        addChild(new ScrollingSea(2));
        picture(this, "ending.twi", 1, 1, 400, 260);
        auto* hero = new CyclingImage("pufflo.twi", 2, 2, {{0, 10}, {1, 5}, {0, 10}, {2, 5}});
        hero->setPosition(400, 460);
        addChild(hero);
    }
};

}  // namespace

Sprite* makeStageShowcase(int stage) { return stage == 1 ? buildStageOne() : buildStageTwo(); }
Sprite* makeStageTitleShowcase() { return new StageTitleScene(); }
Sprite* makeWeaponsShowcase() { return new WeaponsScene(); }
Sprite* makeMenusShowcase() { return new MenusScene(); }
Sprite* makeEndingShowcase() { return new EndingScene(); }

}  // namespace brinefall
