#include "core/MainLoop.h"

#include <algorithm>

#include "core/Engine.h"
#include "core/PicturePacer.h"
#include "core/WindowManager.h"
#include "display/Sprite.h"
#include "graphics/GraphicManager.h"
#include "input/InputJournal.h"
#include "input/InputManager.h"
#include "platform/Platform.h"
#include "sound/SoundMusicManager.h"

namespace tidewell::MainLoop {
namespace {

bool active = true;
bool quitRequested = false;
std::uint32_t frameStartTime = 0;
std::uint32_t lastFrameTime = 0;
std::optional<std::uint64_t> frameLimit;
std::uint64_t frameCount = 0;
FrameStartHook frameStartHook;
bool smoothMotion = true;
PicturePacer pacer;
unsigned shownPicture = 0;  // the tick's picture on screen: 0 its own, k the k-th after it

// Milliseconds until (elapsed * 20) reaches 1000, computed in the same wrapping
// arithmetic as the cadence rule so the two can never disagree; at least 1.
std::uint32_t millisecondsUntilDue(std::uint32_t elapsed) {
    const std::uint32_t scaled = elapsed * framesPerSecond;
    return (1000u - scaled + framesPerSecond - 1) / framesPerSecond;
}

// One picture of the tick: 0 its own, then those between it and the next.
void drawAndPresent(unsigned picture) {
    GraphicManager::setPictureFraction(pacer.fractionOf(picture));
    GraphicManager::drawFrame();
    if (platform::Window* window = WindowManager::getWindow()) window->notePicture(picture);
    GraphicManager::present();
}

// The display's rate is asked for at every tick: the window may have gone to another display.
void startPicturesOfTick() {
    platform::Window* window = WindowManager::getWindow();
    pacer.setRate(smoothMotion && window ? window->refreshRate() : 0);
    pacer.startTick();
    GraphicManager::beginTick(pacer.fractions());
}

// One frame's work, begun at `startTime` (the moment the cadence rule measures from).
void runFrameStartedAt(std::uint32_t startTime) {
    frameStartTime = startTime;
    if (frameStartHook) {
        frameStartHook(frameCount + 1);
    }
    SoundMusicManager::update();  // music streams are refilled first
    InputManager::gatherEvents();
    InputManager::dispatchEvents();
    if (Sprite* root = getRootSprite()) {
        root->dispatchUpdate();
    }
    if (Sprite* root = getRootSprite()) {
        root->purgeRemoved();
    }
    Sprite::purgeRemovedOutsideTrees();
    // The state after the update and the sweep, before drawing: the same point on every backend.
    InputJournal::frameUpdated(frameCount + 1);
    startPicturesOfTick();
    GraphicManager::setPictureFraction(pacer.fractionOf(0));
    GraphicManager::drawFrame();     // the tree, then the pointer
    lastFrameTime = frameStartTime;  // the start of this frame, so a slow frame does not shift the cadence
    if (platform::Window* window = WindowManager::getWindow()) window->notePicture(0);
    GraphicManager::present();
    shownPicture = 0;
    ++frameCount;
}

// Whether a picture differs from the one on screen: some picture after that one, up to it,
// has something at another pixel (a late loop may have let pictures pass unseen).
bool differsFromShown(unsigned picture) {
    for (unsigned later = shownPicture + 1; later <= picture; ++later) {
        if (GraphicManager::pictureDiffers(later)) return true;
    }
    return false;
}

// A picture between ticks when one is due, true when it was drawn. One in which nothing
// stands at another pixel than in the picture on screen would show the same: it is not drawn.
bool drawPictureBetweenTicksIfDue(std::uint32_t elapsed) {
    const unsigned picture = pacer.takeDuePicture(elapsed);
    if (picture == 0 || !differsFromShown(picture)) return false;
    drawAndPresent(picture);
    shownPicture = picture;
    return true;
}

// How long the loop may sleep: until the next frame, or the next picture between frames
// that will be drawn.
std::uint32_t millisecondsUntilNextWork(std::uint32_t elapsed) {
    std::uint32_t wait = millisecondsUntilDue(elapsed);
    for (unsigned picture = pacer.nextPicture(); picture < pacer.picturesPerTick(); ++picture) {
        if (!differsFromShown(picture)) continue;
        if (pacer.dueAt(picture) > elapsed) wait = std::min(wait, pacer.dueAt(picture) - elapsed);
        break;
    }
    return wait;
}

bool frameLimitReached() { return frameLimit && frameCount >= *frameLimit; }

}  // namespace

std::uint32_t runDue() {
    if (WindowManager::handleNextEvent()) {
        return 0;  // events first: frames run only when the queue is empty
    }
    if (!active) {
        return platform::kWaitForever;
    }
    frameStartTime = platform::current().system().milliseconds();
    const std::uint32_t elapsed = frameStartTime - lastFrameTime;
    if (elapsed * framesPerSecond >= 1000) {
        runFrameStartedAt(frameStartTime);
        return 0;
    }
    return drawPictureBetweenTicksIfDue(elapsed) ? 0 : millisecondsUntilNextWork(elapsed);
}

bool isFinished() { return quitRequested || frameLimitReached(); }

void run() {
    platform::System& system = platform::current().system();
    while (!isFinished()) {
        if (const std::uint32_t wait = runDue(); wait != 0) system.waitForEvent(wait);
    }
}

void runFrame() { runFrameStartedAt(platform::current().system().milliseconds()); }

void setSmoothMotion(bool on) { smoothMotion = on; }

bool isSmoothMotion() { return smoothMotion; }

void setActive(bool newActive) {
    if (newActive == active) {
        return;
    }
    active = newActive;
    if (active) {
        SoundMusicManager::onActivated();
        InputManager::resumeVibration();
        InputManager::onActivated();
    } else {
        SoundMusicManager::onDeactivated();
        InputManager::pauseVibration();
    }
}

bool isActive() { return active; }

void requestQuit() { quitRequested = true; }

bool isQuitRequested() { return quitRequested; }

void setFrameLimit(std::optional<std::uint64_t> frames) { frameLimit = frames; }

std::uint64_t framesRun() { return frameCount; }

void setFrameStartHook(FrameStartHook hook) { frameStartHook = std::move(hook); }

void reset() {
    active = true;
    quitRequested = false;
    frameStartTime = 0;
    lastFrameTime = 0;
    frameCount = 0;
    pacer = PicturePacer();  // no pictures between ticks before the next first tick
}

}  // namespace tidewell::MainLoop
