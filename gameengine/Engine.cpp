#include "Engine.h"

#include "GraphicManager.h"
#include "HardwareRenderer.h"
#include "InputManager.h"
#include "Random.h"
#include "ResourceManager.h"
#include "SettingManager.h"
#include "SoundMusicManager.h"
#include "Sprite.h"
#include "WindowManager.h"

#include <ctime>

namespace tidewell {
namespace {

bool engineStarted = false;
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

} // namespace

void setRandomSeed(std::optional<std::uint32_t> seed) {
    fixedSeed = seed;
}

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
    guarded([root] { delete root; });  // the whole display tree goes with it
    guarded(InputManager::stop);
    guarded(SoundMusicManager::stop);
    guarded(GraphicManager::stop);
    guarded(WindowManager::destroyWindow);
    guarded(ResourceManager::stop);
    guarded(SettingManager::stopSettings);
    Random::clearSeeded();
    engineStarted = false;
}

bool isEngineStarted() {
    return engineStarted;
}

void setRootSprite(Sprite* root) {
    if (rootSprite == nullptr) {
        rootSprite = root;
    }
}

Sprite* getRootSprite() {
    return rootSprite;
}

} // namespace tidewell
