#include "core/Engine.h"

#include <ctime>

#include "core/ErrorGeneric.h"
#include "graphics/GraphicManager.h"
#include "graphics/HardwareRenderer.h"
#include "input/InputManager.h"
#include "core/Random.h"
#include "resources/ResourceManager.h"
#include "core/SettingManager.h"
#include "sound/SoundMusicManager.h"
#include "display/Sprite.h"
#include "core/WindowManager.h"

namespace tidewell {
namespace {

constexpr const char* kModulePath = "gameengine\\Game Engine\\Engine";
constexpr int kLineSecondRoot = 88;

bool engineStarted = false;
std::size_t leftovers = 0;

Sprite* rootSprite = nullptr;
std::optional<std::uint32_t> fixedSeed;

// Each shut-down step is guarded on its own: shut-down also runs from the error
// handlers, and a failing step must neither hide the first error nor leave the
// later managers (the window above all) running.
template <typename Step>
void guarded(Step step) {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

void setRandomSeed(std::optional<std::uint32_t> seed) { fixedSeed = seed; }

void startEngine() {
    Random::seed(fixedSeed.value_or(static_cast<std::uint32_t>(std::time(nullptr))));
    SettingManager::start();
    ResourceManager::start();
    WindowManager::createWindow();
    GraphicManager::setHardwareRendererFactory(&HardwareRenderer::create);
    GraphicManager::start();
    SoundMusicManager::start();
    InputManager::start();
    engineStarted = true;
}

void stopEngine() {
    Sprite* root = rootSprite;
    rootSprite = nullptr;
    guarded([root] { delete root; });           // the whole display tree goes with it
    guarded(Sprite::purgeRemovedOutsideTrees);  // and what was removed outside it
    // With the tree gone, whatever a manager still holds was taken and never given back;
    // the rest is counted once the input manager has let go of the pointer's picture.
    leftovers = InputManager::vibrationCount();
    guarded(InputManager::stop);
    leftovers += SoundMusicManager::soundCount() + GraphicManager::textureCount() + GraphicManager::fontCount() +
                 ResourceManager::resourceCount();
    guarded(SoundMusicManager::stop);
    guarded(GraphicManager::stop);
    guarded(WindowManager::destroyWindow);
    guarded(ResourceManager::stop);
    guarded(SettingManager::stopSettings);
    Random::clearSeeded();
    engineStarted = false;
}

bool isEngineStarted() { return engineStarted; }

std::size_t leftoversAtLastStop() { return leftovers; }

void setRootSprite(Sprite* root) {
    if (root == nullptr || root == rootSprite) return;
    if (rootSprite == nullptr) {
        rootSprite = root;
        return;
    }
    // The tree has one root for the engine's life: a second one is a mistake in the
    // program, said at once. The refused sprite was handed over, so it is not kept
    // alive either, unless it belongs to a tree that will delete it.
    if (root->parent == nullptr) delete root;
    throw ErrorGeneric(kModulePath, kLineSecondRoot, 0);
}

Sprite* getRootSprite() { return rootSprite; }

}  // namespace tidewell
