#include <cmath>
#include <vector>

#include "GameFixture.h"
#include "display/Image.h"
#include "core/Random.h"
#include "gameplay/effects/BombExplosion.h"
#include "gameplay/effects/BossExplosion.h"
#include "gameplay/effects/EnemyExplosion.h"
#include "gameplay/effects/ShipExplosion.h"

using namespace tidewell;
using brinefall::BombExplosion;
using brinefall::BossExplosion;
using brinefall::EnemyExplosion;
using brinefall::Explosion;
using brinefall::ShipExplosion;

namespace {

int alphaOf(const Sprite* sprite) { return static_cast<int>(sprite->colour >> 24); }
int rgbOf(const Sprite* sprite) { return static_cast<int>(sprite->colour & 0xFFFFFF); }

class ExplosionTest : public brinefall::testing::GameFixture {
protected:
    void SetUp() override {
        startEngine();
        root = new Sprite();
        setRoot(root);
    }

    // Placed as the scene places it: at a position of the explosion layer.
    template <typename T>
    T* place(T* explosion, float x = 400, float y = 300) {
        explosion->setPosition(x, y);
        root->addChild(explosion);
        return explosion;
    }

    bool gone() const { return childrenOf(root).empty(); }

    Sprite* root = nullptr;
};

}  // namespace

TEST_F(ExplosionTest, ABombBlastFadesOutOverTenFramesAndGoes) {
    auto* blast = place(new BombExplosion());
    EXPECT_EQ(blast->getImage()->getAnchorX(), blast->getImage()->getFrameWidth() / 2);
    for (int n = 1; n < 10; ++n) {
        step(1);
        ASSERT_FALSE(gone()) << n;
        EXPECT_EQ(alphaOf(blast), (10 - n) * 255 / 10) << n;
    }
    step(1);
    EXPECT_TRUE(gone());
}

TEST_F(ExplosionTest, AnEnemyBurstsIntoEightYellowPiecesOfOneDrawnFrameThatSlowFadeAndGoAtForty) {
    Random::seed(77);
    const unsigned frame = static_cast<unsigned>(Random::choose(4));
    Random::seed(77);
    auto* burst = place(new EnemyExplosion());
    ASSERT_EQ(burst->getPieces().size(), 8u);
    for (const Image* piece : burst->getPieces()) {
        EXPECT_EQ(piece->getFrame(), frame);
        EXPECT_EQ(rgbOf(piece), 0xFFFF00);
        EXPECT_FLOAT_EQ(piece->x, 0);
    }
    // Speed 5, then 4.875: the pieces go out along the axes and the diagonals.
    step(2);
    const float out = 5 + 4.875f;
    const Image* right = burst->getPieces()[0];
    const Image* downRight = burst->getPieces()[4];
    EXPECT_FLOAT_EQ(right->x, out);
    EXPECT_FLOAT_EQ(right->y, 0);
    EXPECT_NEAR(downRight->x, out / std::sqrt(2.0f), 1e-4);
    EXPECT_NEAR(downRight->y, out / std::sqrt(2.0f), 1e-4);
    std::vector<std::pair<float, float>> seen;
    for (const Image* piece : burst->getPieces()) {
        EXPECT_NEAR(std::hypot(piece->x, piece->y), out, 1e-4);
        EXPECT_EQ(alphaOf(piece), (40 - 2) * 255 / 40);
        for (const auto& [x, y] : seen) EXPECT_FALSE(std::fabs(x - piece->x) < 1e-3 && std::fabs(y - piece->y) < 1e-3);
        seen.emplace_back(piece->x, piece->y);
    }
    step(37);
    ASSERT_FALSE(gone());
    EXPECT_EQ(alphaOf(burst->getPieces()[3]), 255 / 40);
    step(1);
    EXPECT_TRUE(gone());
}

TEST_F(ExplosionTest, TheShipsWreckFadesItsBurstThenSparksForEverWithoutLeaving) {
    auto* wreck = place(new ShipExplosion());
    ASSERT_EQ(wreck->getBurstPieces().size(), 16u);
    ASSERT_EQ(wreck->getRisingSparks().size(), 30u);
    ASSERT_EQ(wreck->getFallingSparks().size(), 10u);
    for (const Image* spark : wreck->getRisingSparks()) EXPECT_EQ(alphaOf(spark), 0);
    for (const Image* spark : wreck->getFallingSparks()) EXPECT_EQ(alphaOf(spark), 0);
    for (const Image* piece : wreck->getBurstPieces()) EXPECT_EQ(rgbOf(piece), 0xFFFF00);

    // Sparks start at the wreck, a draw to the right: rising ones every 4 frames, a falling
    // one every 40 (after that frame's rising one).
    Random::seed(9);
    std::vector<int> risingX;
    for (int i = 0; i < 9; ++i) risingX.push_back(Random::choose(30));
    risingX.push_back(Random::choose(30));
    const int fallingX = Random::choose(10);
    Random::seed(9);
    step(3);
    EXPECT_EQ(alphaOf(wreck->getRisingSparks()[0]), 0);
    step(1);
    EXPECT_EQ(alphaOf(wreck->getRisingSparks()[0]), 255);
    EXPECT_FLOAT_EQ(wreck->getRisingSparks()[0]->y, -5);
    step(36);
    for (int i = 0; i < 10; ++i) {
        const Image* spark = wreck->getRisingSparks()[i];
        EXPECT_EQ(alphaOf(spark), 255) << i;
        EXPECT_FLOAT_EQ(spark->x, static_cast<float>(risingX[i])) << i;
        EXPECT_FLOAT_EQ(spark->y, -5.0f * static_cast<float>(40 - 4 * (i + 1) + 1)) << i;
    }
    EXPECT_EQ(alphaOf(wreck->getRisingSparks()[10]), 0);
    EXPECT_EQ(alphaOf(wreck->getFallingSparks()[0]), 255);
    EXPECT_FLOAT_EQ(wreck->getFallingSparks()[0]->x, static_cast<float>(fallingX));
    EXPECT_FLOAT_EQ(wreck->getFallingSparks()[0]->y, 2.5f);
    EXPECT_EQ(alphaOf(wreck->getFallingSparks()[1]), 0);
    EXPECT_EQ(alphaOf(wreck->getBurstPieces()[0]), (80 - 40) * 255 / 80);

    // The burst is faded out from frame 80 on; the 30 rising sparks are used in turn.
    step(84);
    EXPECT_EQ(wreck->frameCount, 124);
    for (const Image* piece : wreck->getBurstPieces()) EXPECT_EQ(alphaOf(piece), 0);
    EXPECT_FLOAT_EQ(wreck->getRisingSparks()[0]->y, -5);
    step(400);
    EXPECT_FALSE(gone());
}

TEST_F(ExplosionTest, ABossExplosionDrawsRingFramesThenDebrisAllFlungAtTwenty) {
    Random::seed(31337);
    std::vector<unsigned> ringFrames;
    for (int ring = 0; ring < 3; ++ring) ringFrames.push_back(static_cast<unsigned>(Random::choose(4)));
    struct Debris {
        unsigned frame;
        float xSpeed;
        bool up;
    };
    std::vector<Debris> debris;
    for (int i = 0; i < 60; ++i) {
        const unsigned frame = static_cast<unsigned>(Random::choose(4));
        const float xSpeed = static_cast<float>(Random::next()) * 20 / 16384 - 20;
        debris.push_back({frame, xSpeed, Random::next() < 16383});
    }
    Random::seed(31337);
    auto* blast = place(new BossExplosion());
    for (int ring = 0; ring < 3; ++ring) {
        ASSERT_EQ(blast->getRing(ring).size(), 16u);
        for (const Image* piece : blast->getRing(ring)) {
            EXPECT_EQ(piece->getFrame(), ringFrames[ring]);
            EXPECT_EQ(rgbOf(piece), 0xFFFF00);
            EXPECT_EQ(alphaOf(piece), 0);
        }
    }
    ASSERT_EQ(blast->getDebris().size(), 60u);
    bool someUp = false;
    bool someDown = false;
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(blast->getDebris()[i]->getFrame(), debris[i].frame) << i;
        EXPECT_FLOAT_EQ(blast->getDebrisXSpeed(i), debris[i].xSpeed) << i;
        EXPECT_EQ(blast->getDebrisYSpeed(i) < 0, debris[i].up) << i;
        EXPECT_NEAR(std::hypot(blast->getDebrisXSpeed(i), blast->getDebrisYSpeed(i)), 20, 1e-3) << i;
        (debris[i].up ? someUp : someDown) = true;
    }
    EXPECT_TRUE(someUp && someDown);
}

TEST_F(ExplosionTest, ABossExplosionShowsItsRingsInTurnAtFullAlphaUntilItGoesAfterFrame200) {
    auto* blast = place(new BossExplosion());
    const auto ringRadius = [&](int ring) {
        const Image* piece = blast->getRing(ring)[0];
        return std::hypot(piece->x, piece->y);
    };
    // The first frame is frame 0: ring 0 shows and spreads at once, one piece of debris shows and flies.
    step(1);
    EXPECT_EQ(blast->frameCount, 0);
    EXPECT_EQ(alphaOf(blast->getRing(0)[5]), 255);
    EXPECT_FLOAT_EQ(ringRadius(0), 10);
    EXPECT_EQ(alphaOf(blast->getRing(1)[0]), 0);
    EXPECT_EQ(alphaOf(blast->getDebris()[0]), 255);
    EXPECT_EQ(alphaOf(blast->getDebris()[1]), 0);
    EXPECT_NEAR(std::hypot(blast->getDebris()[0]->x, blast->getDebris()[0]->y), 20, 1e-3);

    // Ring 1 shows at frame 19 and spreads from 20; ring 2 shows at 39 and spreads from 40.
    step(19);
    EXPECT_EQ(alphaOf(blast->getRing(1)[0]), 255);
    EXPECT_FLOAT_EQ(ringRadius(1), 0);
    step(1);
    EXPECT_FLOAT_EQ(ringRadius(1), 10);
    step(19);
    EXPECT_EQ(alphaOf(blast->getRing(2)[15]), 255);
    EXPECT_FLOAT_EQ(ringRadius(2), 0);
    step(1);
    EXPECT_FLOAT_EQ(ringRadius(2), 10);
    EXPECT_NEAR(ringRadius(0), 410, 1e-2);

    // Debris piece n shows at frame n; piece 59 is the last.
    step(20);
    EXPECT_EQ(blast->frameCount, 60);
    for (const Image* piece : blast->getDebris()) EXPECT_EQ(alphaOf(piece), 255);
    EXPECT_NEAR(std::hypot(blast->getDebris()[59]->x, blast->getDebris()[59]->y), 40, 1e-3);

    step(140);
    EXPECT_EQ(blast->frameCount, 200);
    ASSERT_FALSE(gone());
    for (int ring = 0; ring < 3; ++ring) {
        for (const Image* piece : blast->getRing(ring)) EXPECT_EQ(alphaOf(piece), 255);
    }
    EXPECT_EQ(alphaOf(blast), 255);
    step(1);
    EXPECT_TRUE(gone());
}
