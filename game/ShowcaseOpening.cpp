#include "ShowcaseOpening.h"

#include <cstdint>
#include <string>
#include <vector>

#include "GraphicManager.h"
#include "Image.h"
#include "InputManager.h"
#include "Random.h"
#include "ScrollingSea.h"
#include "Shape.h"
#include "ShowcaseKit.h"
#include "StillSea.h"
#include "Texture.h"

namespace brinefall {
namespace {

using namespace tidewell;

// An image anchored at its top-left corner, hidden until its shot.
Image* actor(Sprite* parent, const char* fileName, unsigned columns, unsigned rows) {
    ShowcaseKit::notePicture(fileName);
    auto* image = new Image(fileName, columns, rows);
    image->setAlpha(0);
    parent->addChild(image);
    return image;
}

// A story caption: one line of its picture at a time, each fading in over 10 frames
// while it rises a pixel a frame, staying 60, fading out over 10, the next line 30
// frames after the one before.
class Caption : public Sprite {
public:
    Caption(const char* fileName, unsigned lineCount) {
        ShowcaseKit::notePicture(fileName);
        Texture* texture = GraphicManager::getTexture(fileName, true);
        for (unsigned line = 0; line < lineCount; ++line) {
            auto* image = new Image(texture, 1, lineCount);
            image->setFrame(line);
            image->setAlignment(3, 3);
            image->setAlpha(0);
            addChild(image);
            lines_.push_back(image);
        }
        GraphicManager::releaseTexture(texture);
    }

    void start() { started_ = true; }

    void update() override {
        if (!started_) return;
        ++counter_;
        for (std::size_t line = 0; line < lines_.size(); ++line) stepLine(*lines_[line], counter_ - 30 * static_cast<int>(line));
    }

private:
    static constexpr int kFadeIn = 10, kHold = 60, kFadeOut = 10;

    static void stepLine(Image& line, int t) {
        if (t <= 0 || t > kFadeIn + kHold + kFadeOut) return;
        line.setY(static_cast<float>(-t));
        if (t <= kFadeIn) {
            line.setAlpha(t * 255 / kFadeIn);
        } else if (t > kFadeIn + kHold) {
            line.setAlpha((kFadeIn + kHold + kFadeOut - t) * 255 / kFadeOut);
        }
    }

    std::vector<Image*> lines_;
    int counter_ = 0;
    bool started_ = false;
};

// The opening as the opening scene plays it, frame by frame: the globe; the line-up of
// the Rust Tide; the red attack and the angler's shot; the march; the black screen;
// the hero flying off and vanishing in the distance, each shot under its caption.
class OpeningPlay : public Sprite {
public:
    OpeningPlay() {
        backdrop_ = new StillSea();
        addChild(backdrop_);
        field_ = new ScrollingSea(1);
        field_->speed = 0;
        field_->setAlpha(0);
        addChild(field_);
        globe_ = actor(this, "globe.twi", 1, 1);
        globe_->setAlignment(3, 3);
        globe_->setAlpha(255);
        enemies_[0] = actor(this, "enemy18.twi", 2, 2);
        enemies_[1] = actor(this, "enemy06.twi", 2, 2);
        enemies_[2] = actor(this, "enemy11.twi", 2, 2);
        enemies_[3] = actor(this, "enemy01.twi", 2, 2);
        enemies_[4] = actor(this, "enemy01.twi", 2, 2);
        boss_ = actor(this, "boss1.twi", 1, 1);
        bossShot_ = actor(this, "bulletBoss1.twi", 1, 1);
        hero_ = actor(this, "pufflo.twi", 2, 2);
        smallHero_ = actor(this, "pufflosmall.twi", 2, 2);
        const unsigned lineCounts[8] = {3, 2, 1, 4, 2, 1, 4, 1};
        for (int i = 0; i < 8; ++i) {
            const std::string name = "openingtext" + std::to_string(i + 1) + ".twi";
            captions_[i] = new Caption(name.c_str(), lineCounts[i]);
            addChild(captions_[i]);
        }
        shade_ = ShowcaseKit::rectangle(this, 0, 0, 800, 600, 0x00000000);
    }

    int frame() const { return n_; }

    void update() override {
        ++n_;
        playTimeline(n_);
        // Without the hardware renderer no partial shading is drawn.
        if (!GraphicManager::isHardware3D() && (shade_->colour >> 24) != 255) shadeBlack(0);
    }

private:
    void shade(std::uint32_t rgb, int alpha) {
        shade_->colour = static_cast<std::uint32_t>(alpha & 0xFF) << 24 | (rgb & 0xFFFFFF);
        shade_->updateColour();
    }
    void shadeBlack(int alpha) { shade(0x000000, alpha); }
    void shadeRed(int alpha) { shade(0xFF0000, alpha); }

    void placeCaption(int index, float x, float y) { captions_[index]->setPosition(x, y); }

    void playTimeline(int n) {
        if (n == 0) {
            shadeBlack(255);
            placeCaption(0, 200, 500);
            globe_->setPosition(400, 100);
        } else if (n < 20) {
            globe_->moveY(0.5f);
            shadeBlack((20 - n) * 255 / 20);
        } else if (n == 20) {
            globe_->moveY(0.5f);
            shadeBlack(0);
            captions_[0]->start();
        } else if (n <= 180) {
            globe_->moveY(0.5f);
        } else if (n < 200) {
            globe_->moveY(0.5f);
            shadeBlack((n - 180) * 255 / 20);
        } else if (n == 200) {
            startLineUp();
        } else if (n < 350) {
            if (n < 220) shadeBlack((220 - n) * 255 / 20);
            if (n == 220) {
                shadeBlack(0);
                captions_[1]->start();
            }
            lineUp();
        } else if (n == 350) {
            placeCaption(2, 400, 300);
            captions_[2]->start();
            shadeRed(127);
        } else if (n < 440) {
            // The red shot stands still.
        } else if (n == 440) {
            startAttack();
        } else if (n < 700) {
            attack();
            if (n == 460) captions_[3]->start();
            if (n < 680) {
                shadeRed(127 + Random::next() * 255 / 131072);
            } else if (n == 680) {
                shadeBlack(127);
            } else {
                shadeBlack((n - 660) * 255 / 40);
            }
        } else if (n == 700) {
            startMarch();
        } else if (n < 920) {
            march();
            if (n < 720) shade(static_cast<std::uint32_t>((720 - n) * 255 / 20) << 16, (740 - n) * 255 / 40);
            if (n == 720) {
                shadeBlack(127);
                captions_[4]->start();
            }
            if (n >= 900) shadeBlack((n - 900) * 255 / 40 + 127);
        } else if (n == 920) {
            shadeBlack(255);
            for (Image* shown : {boss_, enemies_[0], enemies_[1], enemies_[2], enemies_[3], enemies_[4]}) shown->setAlpha(0);
            field_->setAlpha(0);
            placeCaption(5, 400, 300);
        } else if (n < 1020) {
            if (n == 940) {
                captions_[5]->swapDepth(shade_);
                captions_[5]->start();
            }
        } else if (n == 1020) {
            captions_[5]->swapDepth(shade_);
            backdrop_->setAlpha(255);
            globe_->setAlpha(255);
            globe_->setY(-40);
            placeCaption(6, 600, 500);
        } else {
            if (n < 1040) shadeBlack((1040 - n) * 255 / 20);
            if (n == 1040) {
                shadeBlack(0);
                captions_[6]->start();
                hero_->setPosition(-100, 450);
                hero_->setAlpha(255);
            }
            if (n == 1240) {
                placeCaption(7, 400, 500);
                smallHero_->setPosition(900, 150);
                smallHero_->setAlpha(255);
            }
            if (n == 1300) captions_[7]->start();
            if (globe_->y < 180) globe_->moveY(0.5f);
            if (n > 1040 && n < 1240) heroFlight();
            if (n >= 1240) smallHeroFlight();
            if (n == 1240) heroFlight();
        }
    }

    void startLineUp() {
        globe_->setAlpha(0);
        backdrop_->setAlpha(0);
        field_->setAlpha(255);
        shadeBlack(255);
        const float xs[5] = {450, 50, 150, 600, 600}, ys[5] = {150, 500, 500, 300, 400};
        for (int i = 0; i < 5; ++i) {
            enemies_[i]->setPosition(xs[i], ys[i]);
            enemies_[i]->setAlpha(255);
        }
        placeCaption(1, 500, 200);
    }

    // The flying fish swims left; the jellyfish and the seahorse play their frames; the
    // two crabs hop, turning back at each bounce.
    void lineUp() {
        enemies_[0]->moveX(-2);
        counters_[0] = (counters_[0] + 1) % 50;
        if (counters_[0] == 9) enemies_[0]->setFrame(1);
        if (counters_[0] == 29 || counters_[0] == 49) enemies_[0]->setFrame(0);
        if (counters_[0] == 39) enemies_[0]->setFrame(2);
        counters_[1] = (counters_[1] + 1) % 15;
        if (counters_[1] == 4) enemies_[1]->setFrame(1);
        if (counters_[1] == 9) enemies_[1]->setFrame(2);
        if (counters_[1] == 14) enemies_[1]->setFrame(0);
        static const unsigned seahorse[4] = {1, 0, 2, 0};
        enemies_[2]->setFrame(seahorse[counters_[2]++ % 4]);
        for (int crab = 0; crab < 2; ++crab) hopCrab(crab);
    }

    void hopCrab(int crab) {
        Image* image = enemies_[3 + crab];
        vertical_[crab] += 1;
        image->move(horizontal_[crab], vertical_[crab]);
        if (image->y > 500) {
            image->setY(500);
            horizontal_[crab] = -horizontal_[crab];
            vertical_[crab] = -vertical_[crab];
        }
        image->setFrame(vertical_[crab] < -3 ? 2 : vertical_[crab] > 6 ? 1 : 0);
    }

    void startAttack() {
        placeCaption(3, 400, 200);
        boss_->setPosition(800, 150);
        boss_->setAlpha(255);
        enemies_[0]->setPosition(100, 200);
        enemies_[0]->setFrame(0);
        enemies_[0]->setFlipX(true);
        const float xs[4] = {1000, 1200, 1400, 1600}, ys[4] = {100, 400, 500, 300};
        for (int i = 0; i < 4; ++i) enemies_[1 + i]->setPosition(xs[i], ys[i]);
        shadeBlack(255);
    }

    // The angler comes in and fires at the flying fish, which flinches and flees; the
    // others rush past; the sea shakes.
    void attack() {
        boss_->moveX(-1);
        if (boss_->x == 700) {
            bossShot_->setPosition(700, 280);
            bossShot_->setAlpha(255);
        }
        for (int i = 1; i < 5; ++i) {
            enemies_[i]->moveX(-40);
            if (enemies_[i]->x < -70) enemies_[i]->setPosition(900, Random::next() * 0.0152587890625f);
        }
        if ((bossShot_->colour >> 24) == 255) {
            bossShot_->move(-16, -3);
            if (bossShot_->overlaps(enemies_[0])) {
                bossShot_->setAlpha(0);
                enemies_[0]->setFrame(3);
                fleeSpeed_ = 0;
                hitTimer_ = 1;
            }
        }
        if (hitTimer_ > 0 && ++hitTimer_ > 18) {
            hitTimer_ = 0;
            enemies_[0]->setFrame(0);
            enemies_[0]->setFlipX(false);
            fleeSpeed_ = -1;
        }
        enemies_[0]->moveX(fleeSpeed_);
        if (fleeSpeed_ < 0) fleeSpeed_ -= 1;
        field_->setPosition(static_cast<float>(Random::choose(3) - 1), static_cast<float>(Random::choose(3) - 1));
    }

    void startMarch() {
        shadeBlack(255);
        field_->setPosition(0, 0);
        boss_->setPosition(400, 320);
        for (int i = 0; i < 5; ++i) enemies_[i]->setPosition(600.0f + 100 * i, 500);
        placeCaption(4, 200, 200);
    }

    void march() {
        boss_->moveX(-1);
        for (Image* enemy : enemies_) enemy->moveX(-1);
    }

    void heroFlight() {
        hero_->move(5, -1);
        heroCounter_ = (heroCounter_ + 1) % 40;
        if (heroCounter_ == 9) hero_->setFrame(1);
        if (heroCounter_ == 19 || heroCounter_ == 39) hero_->setFrame(0);
        if (heroCounter_ == 29) hero_->setFrame(2);
    }

    // Ever smaller as it goes, gone past x 400.
    void smallHeroFlight() {
        smallHero_->move(-5, -1);
        const float x = smallHero_->x;
        if (x < 400) {
            smallHero_->setAlpha(0);
            return;
        }
        smallHero_->setFrame(x >= 700 ? 0 : x >= 600 ? 1 : x >= 500 ? 2 : 3);
    }

    StillSea* backdrop_;
    ScrollingSea* field_;
    Image* globe_;
    Image* enemies_[5];
    Image* boss_;
    Image* bossShot_;
    Image* hero_;
    Image* smallHero_;
    Caption* captions_[8];
    Shape* shade_;
    int n_ = -1;
    int counters_[3] = {0, 0, 0};
    float horizontal_[2] = {-2, 1};
    float vertical_[2] = {0, 0};
    float fleeSpeed_ = 1;
    int hitTimer_ = 0;
    int heroCounter_ = 0;
};

// The opening's moments worth a look, 20 frames each: the frame number of the opening
// at which each ends. Every line of every caption is fully shown at the end of one of
// them (a caption of four lines never shows them all at once, so it has two).
constexpr int kMoments[] = {90, 280, 400, 530, 560, 780, 1000, 1110, 1140, 1310};
constexpr int kMomentLength = 20;

class OpeningShowcase : public Sprite {
public:
    OpeningShowcase() {
        InputManager::setCursorVisible(false);
        restart();
    }

    // Plays the opening up to one frame before this frame's moment; the traversal of the
    // children that follows plays that frame itself.
    void update() override {
        const int moments = static_cast<int>(sizeof kMoments / sizeof kMoments[0]);
        const int moment = (frame_ / kMomentLength) % moments;
        const int target = kMoments[moment] - kMomentLength + 1 + frame_ % kMomentLength;
        ++frame_;
        if (play_->frame() >= target) restart();
        while (play_->frame() < target - 1) play_->dispatchUpdate();
    }

private:
    void restart() {
        if (play_) play_->remove();
        play_ = new OpeningPlay();
        addChild(play_);
    }

    OpeningPlay* play_ = nullptr;
    int frame_ = 0;
};

}  // namespace

Sprite* makeOpeningShowcase() { return new OpeningShowcase(); }

}  // namespace brinefall
