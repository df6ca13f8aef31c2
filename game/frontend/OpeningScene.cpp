#include "frontend/OpeningScene.h"
#include "Colours.h"
#include "FrameCycle.h"

#include "ControlBindings.h"
#include "backgrounds/Background1.h"
#include "backgrounds/Background6.h"
#include "core/Random.h"
#include "display/Image.h"
#include "display/Shape.h"
#include "frontend/OpeningCaption.h"
#include "input/InputManager.h"
#include "sound/Music.h"
#include "sound/SoundMusicManager.h"

namespace brinefall {

namespace {

// The title screen shows its globe here: the opening ends when its own globe arrives.
constexpr float kGlobeRestY = 180;

struct CaptionFile {
    const char* fileName;
    unsigned rows;
};

constexpr CaptionFile kCaptionFiles[OpeningScene::kCaptionCount] = {
    {"openingtext1.twi", 3}, {"openingtext2.twi", 2}, {"openingtext3.twi", 1}, {"openingtext4.twi", 4},
    {"openingtext5.twi", 2}, {"openingtext6.twi", 1}, {"openingtext7.twi", 4}, {"openingtext8.twi", 1},
};

constexpr const char* kEnemyFiles[5] = {"enemy18.twi", "enemy06.twi", "enemy11.twi", "enemy01.twi", "enemy01.twi"};

struct Point {
    float x;
    float y;
};

constexpr Point kLineUpPlaces[5] = {{450, 150}, {50, 500}, {150, 500}, {600, 300}, {600, 400}};
// Enemy 1 is placed on its own, facing the boss.
constexpr Point kAttackPlaces[5] = {{100, 200}, {1000, 100}, {1200, 400}, {1400, 500}, {1600, 300}};
constexpr Point kMarchPlaces[5] = {{600, 500}, {700, 500}, {800, 500}, {900, 500}, {1000, 500}};

// The line-up's and the hero's frames.
const FrameCycle kEnemy1Cycle{50, {{9, 1}, {29, 0}, {39, 2}, {49, 0}}};
const FrameCycle kEnemy2Cycle{15, {{4, 1}, {9, 2}, {14, 0}}};
const FrameCycle kEnemy3Cycle{4, {{0, 1}, {1, 0}, {2, 2}, {3, 0}}};
const FrameCycle kHeroCycle{40, {{9, 1}, {19, 0}, {29, 2}, {39, 0}}};

// The small hero grows smaller as it flies off to the left: the frame for each band of x.
struct SizeBand {
    float fromX;
    unsigned frame;
};

constexpr SizeBand kSmallHeroBands[] = {{700, 0}, {600, 1}, {500, 2}, {400, 3}};

}  // namespace

// The script, in the order its rows act within a frame.
const OpeningScene::Step OpeningScene::kTimeline[] = {
    {0, 0, &OpeningScene::showFirstShot},         {1, 20, &OpeningScene::fadeInFirstShot},
    {1, 199, &OpeningScene::sinkGlobe},           {20, 20, &OpeningScene::startCaption1},
    {181, 200, &OpeningScene::fadeOutFirstShot},  {200, 200, &OpeningScene::showLineUp},
    {201, 220, &OpeningScene::fadeInLineUp},      {201, 349, &OpeningScene::animateLineUp},
    {220, 220, &OpeningScene::startCaption2},     {350, 350, &OpeningScene::showRedAlert},
    {440, 440, &OpeningScene::prepareAttack},     {441, 699, &OpeningScene::animateAttack},
    {441, 679, &OpeningScene::flickerShade},      {460, 460, &OpeningScene::startCaption4},
    {680, 700, &OpeningScene::darkenAfterAttack}, {700, 700, &OpeningScene::prepareMarch},
    {701, 720, &OpeningScene::fadeInMarch},       {701, 919, &OpeningScene::march},
    {720, 720, &OpeningScene::startCaption5},     {900, 919, &OpeningScene::darkenAfterMarch},
    {920, 920, &OpeningScene::hideMarch},         {940, 940, &OpeningScene::raiseCaption6},
    {1020, 1020, &OpeningScene::lowerCaption6},   {1021, 1040, &OpeningScene::fadeInLastShot},
    {1021, -1, &OpeningScene::descendGlobe},      {1040, 1040, &OpeningScene::startCaption7},
    {1041, 1240, &OpeningScene::flyHero},         {1240, 1240, &OpeningScene::prepareSmallHero},
    {1241, -1, &OpeningScene::flySmallHero},      {1300, 1300, &OpeningScene::startCaption8},
};

OpeningScene::OpeningScene() {
    buildChildren();
    music_ = tidewell::SoundMusicManager::getMusic(kMusicFile, 0, true);
    if (music_) music_->play(true);
    counter_ = -1;
    tidewell::InputManager::setCursorVisible(false);
    keyboardEnabled = true;
    mouseEnabled = true;
    joystickEnabled = true;
}

OpeningScene::~OpeningScene() { tidewell::SoundMusicManager::releaseMusic(music_); }

namespace {

// The actors stand by their top-left corner, so that an x of -100 keeps the hero off screen.
tidewell::Image* hiddenImage(const char* fileName, unsigned columns, unsigned rows) {
    auto* image = new tidewell::Image(fileName, columns, rows);
    image->setAlpha(0);
    return image;
}

}  // namespace

void OpeningScene::buildChildren() {
    backdrop_ = new Background6();
    addChild(backdrop_);

    // The first stage's sea serves as a still set: no scrolling, so it needs no steps.
    field_ = new Background1();
    field_->setTargetSpeed(0);
    field_->updateEnabled = false;
    field_->setAlpha(0);
    addChild(field_);

    globe_ = new tidewell::Image("globe.twi");
    globe_->setAlignment(3, 3);
    addChild(globe_);

    for (std::size_t i = 0; i < enemies_.size(); ++i) {
        enemies_[i] = hiddenImage(kEnemyFiles[i], 2, 2);
        addChild(enemies_[i]);
    }
    boss_ = hiddenImage("boss1.twi", 1, 1);
    addChild(boss_);
    bossShot_ = hiddenImage("bulletBoss1.twi", 1, 1);
    addChild(bossShot_);
    hero_ = hiddenImage("pufflo.twi", 2, 2);
    addChild(hero_);
    smallHero_ = hiddenImage("pufflosmall.twi", 2, 2);
    addChild(smallHero_);

    for (std::size_t i = 0; i < captions_.size(); ++i) {
        captions_[i] = new OpeningCaption(kCaptionFiles[i].fileName, 1, kCaptionFiles[i].rows);
        addChild(captions_[i]);
    }

    overlay_ = new tidewell::Shape();
    overlay_->setRectangle(0, 0, tidewell::screenWidth, tidewell::screenHeight);
    overlay_->setAlpha(0);
    addChild(overlay_);
}

OpeningCaption* OpeningScene::getCaption(int number) const {
    return number >= 1 && number <= kCaptionCount ? captions_[static_cast<std::size_t>(number - 1)] : nullptr;
}

tidewell::Image* OpeningScene::getEnemy(int number) const {
    return number >= 1 && number <= 5 ? enemies_[static_cast<std::size_t>(number - 1)] : nullptr;
}

void OpeningScene::keyDown(int key) {
    // The arrows steer the title screen's pointer; they must not skip what the player watches.
    if (ControlBindings::inForce().isDirectionKey(key)) return;
    finish();
}

void OpeningScene::mouseDown(int) { finish(); }

void OpeningScene::joystickDown(int, int) { finish(); }

void OpeningScene::finish() {
    // One report only: a skip in the frame the globe arrives must not ask for two switches.
    if (finished_) return;
    finished_ = true;
    if (parent) parent->notify(this, 0);
}

void OpeningScene::update() {
    if (finished_) return;
    ++counter_;
    runTimeline();
}

void OpeningScene::runTimeline() {
    for (const Step& step : kTimeline) {
        if (counter_ < step.first || (step.last >= 0 && counter_ > step.last)) continue;
        (this->*step.action)();
        if (finished_) return;
    }
}

void OpeningScene::setShade(int alpha) {
    overlay_->setRGB(Colours::kBlack);
    overlay_->setAlpha(alpha);
}

void OpeningScene::setRedShade(int alpha) {
    overlay_->setRGB(Colours::kRed);
    overlay_->setAlpha(alpha);
}

// --- the globe over the still sea -------------------------------------------------------

void OpeningScene::showFirstShot() {
    setShade(255);
    captions_[0]->setPosition(200, 500);
    globe_->setPosition(400, 100);
}

void OpeningScene::fadeInFirstShot() { overlay_->setAlpha((20 - counter_) * 255 / 20); }

void OpeningScene::sinkGlobe() { globe_->moveY(0.5f); }

void OpeningScene::startCaption1() { captions_[0]->start(); }

void OpeningScene::fadeOutFirstShot() { overlay_->setAlpha((counter_ - 180) * 255 / 20); }

// --- the line-up of the Rust Tide -------------------------------------------------------

void OpeningScene::showLineUp() {
    globe_->setAlpha(0);
    backdrop_->setAlpha(0);
    field_->setAlpha(255);
    setShade(255);
    for (std::size_t i = 0; i < enemies_.size(); ++i) {
        enemies_[i]->setPosition(kLineUpPlaces[i].x, kLineUpPlaces[i].y);
        enemies_[i]->setAlpha(255);
    }
    captions_[1]->setPosition(500, 200);
}

void OpeningScene::fadeInLineUp() { overlay_->setAlpha((220 - counter_) * 255 / 20); }

void OpeningScene::startCaption2() { captions_[1]->start(); }

void OpeningScene::animateLineUp() {
    enemies_[0]->moveX(-2);
    kEnemy1Cycle.step(enemies_[0], enemy1FrameCounter_);
    kEnemy2Cycle.step(enemies_[1], enemy2FrameCounter_);
    kEnemy3Cycle.step(enemies_[2], enemy3FrameCounter_);
    hopEnemy(enemies_[3], enemy4XSpeed_, enemy4YSpeed_);
    hopEnemy(enemies_[4], enemy5XSpeed_, enemy5YSpeed_);
}

void OpeningScene::hopEnemy(tidewell::Image* enemy, float& xSpeed, float& ySpeed) {
    ySpeed += 1;
    enemy->move(xSpeed, ySpeed);
    if (enemy->y > 500) {
        // Bounce off the sea floor and turn back.
        enemy->setY(500);
        xSpeed = -xSpeed;
        ySpeed = -ySpeed;
    }
    enemy->setFrame(ySpeed < -3 ? 2u : ySpeed > 6 ? 1u : 0u);
}

// --- the boss's attack ------------------------------------------------------------------

void OpeningScene::showRedAlert() {
    captions_[2]->setPosition(400, 300);
    captions_[2]->start();
    setRedShade(127);
}

void OpeningScene::prepareAttack() {
    captions_[3]->setPosition(400, 200);
    boss_->setPosition(800, 150);
    boss_->setAlpha(255);
    tidewell::Image* victim = enemies_[0];
    victim->setPosition(kAttackPlaces[0].x, kAttackPlaces[0].y);
    victim->setFrame(0);
    victim->setFlipX(true);
    for (std::size_t i = 1; i < enemies_.size(); ++i) enemies_[i]->setPosition(kAttackPlaces[i].x, kAttackPlaces[i].y);
    overlay_->setAlpha(255);
}

void OpeningScene::startCaption4() { captions_[3]->start(); }

void OpeningScene::animateAttack() {
    boss_->moveX(-1);
    if (boss_->x == 700) {
        bossShot_->setPosition(700, 280);
        bossShot_->setAlpha(255);
    }
    // The rest of the Rust Tide rushes past, coming round again from the right.
    for (std::size_t i = 1; i < enemies_.size(); ++i) {
        tidewell::Image* enemy = enemies_[i];
        enemy->moveX(-40);
        if (enemy->x < -70) {
            enemy->setPosition(900, static_cast<float>(tidewell::Random::next() * 0.0152587890625));
        }
    }
    recoverEnemy1();
    moveBossShot();
    moveEnemy1();
    shakeField();
}

void OpeningScene::recoverEnemy1() {
    if (enemy1HitTimer_ <= 0) return;
    if (--enemy1HitTimer_ > 0) return;
    // Back from the blow, it turns and flees left, faster and faster.
    enemies_[0]->setFrame(0);
    enemies_[0]->setFlipX(false);
    enemy1Speed_ = -1;
}

void OpeningScene::moveBossShot() {
    if ((bossShot_->colour >> 24) != 255) return;
    bossShot_->move(-16, -3);
    if (!bossShot_->overlaps(enemies_[0])) return;
    bossShot_->setAlpha(0);
    enemies_[0]->setFrame(3);
    enemy1Speed_ = 0;
    enemy1HitTimer_ = kEnemy1HitFrames;
}

void OpeningScene::moveEnemy1() {
    enemies_[0]->moveX(enemy1Speed_);
    if (enemy1Speed_ < 0) enemy1Speed_ -= 1;
}

void OpeningScene::shakeField() {
    const int dx = tidewell::Random::next() * 3 / 32768 - 1;
    const int dy = tidewell::Random::next() * 3 / 32768 - 1;
    field_->setPosition(static_cast<float>(dx), static_cast<float>(dy));
}

void OpeningScene::flickerShade() { setRedShade(127 + tidewell::Random::next() * 255 / 131072); }

void OpeningScene::darkenAfterAttack() { overlay_->setAlpha((counter_ - 660) * 255 / 40); }

// --- the march --------------------------------------------------------------------------

void OpeningScene::prepareMarch() {
    field_->setPosition(0, 0);
    boss_->setPosition(400, 320);
    for (std::size_t i = 0; i < enemies_.size(); ++i) enemies_[i]->setPosition(kMarchPlaces[i].x, kMarchPlaces[i].y);
    captions_[4]->setPosition(200, 200);
}

void OpeningScene::fadeInMarch() {
    overlay_->setRGB((720 - counter_) * 255 / 20, 0, 0);
    overlay_->setAlpha((740 - counter_) * 255 / 40);
}

void OpeningScene::startCaption5() { captions_[4]->start(); }

void OpeningScene::march() {
    boss_->moveX(-1);
    for (tidewell::Image* enemy : enemies_) enemy->moveX(-1);
}

void OpeningScene::darkenAfterMarch() { overlay_->setAlpha((counter_ - 900) * 255 / 40 + 127); }

void OpeningScene::hideMarch() {
    setShade(255);
    boss_->setAlpha(0);
    for (tidewell::Image* enemy : enemies_) enemy->setAlpha(0);
    field_->setAlpha(0);
    captions_[5]->setPosition(400, 300);
}

// Caption 6 is read on the black screen, above the shade.
void OpeningScene::raiseCaption6() {
    captions_[5]->swapDepth(overlay_);
    captions_[5]->start();
}

// --- the hero sets off ------------------------------------------------------------------

void OpeningScene::lowerCaption6() {
    captions_[5]->swapDepth(overlay_);
    backdrop_->setAlpha(255);
    globe_->setAlpha(255);
    globe_->setY(-40);
    captions_[6]->setPosition(600, 500);
}

void OpeningScene::fadeInLastShot() { overlay_->setAlpha((1040 - counter_) * 255 / 20); }

void OpeningScene::startCaption7() {
    captions_[6]->start();
    hero_->setPosition(-100, 450);
    hero_->setAlpha(255);
}

void OpeningScene::descendGlobe() {
    globe_->moveY(0.5f);
    if (globe_->y >= kGlobeRestY) finish();
}

void OpeningScene::flyHero() {
    hero_->move(5, -1);
    kHeroCycle.step(hero_, heroFrameCounter_);
}

void OpeningScene::prepareSmallHero() {
    captions_[7]->setPosition(400, 500);
    smallHero_->setPosition(900, 150);
    smallHero_->setAlpha(255);
}

void OpeningScene::flySmallHero() {
    smallHero_->move(-5, -1);
    for (const SizeBand& band : kSmallHeroBands) {
        if (smallHero_->x >= band.fromX) {
            smallHero_->setFrame(band.frame);
            return;
        }
    }
    smallHero_->setAlpha(0);
}

void OpeningScene::startCaption8() { captions_[7]->start(); }

}  // namespace brinefall
