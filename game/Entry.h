#pragma once

#include "CommandLine.h"

#include <filesystem>
#include <functional>
#include <string>

namespace tidewell {
class Sprite;
}

namespace brinefall {

// Builds the root of the display tree once the engine has started.
using RootFactory = std::function<tidewell::Sprite*()>;

// The game from start to end: configures the engine, checks that graphics, sound and
// input can start, starts the engine, installs the root sprite, runs the main loop
// and shuts down. Every engine failure ends here as its dialog, after shut-down.
// Returns the process exit status: 0 after a normal quit, 1 after a failure.
int runGame(const LaunchOptions& options, const std::filesystem::path& programPath, const RootFactory& makeRoot);

// The same, on the platform already installed, in the current directory; the
// platform stays installed afterwards so a test can read back what happened.
int playOnInstalledPlatform(const LaunchOptions& options, const RootFactory& makeRoot);

// The game's own root sprite.
tidewell::Sprite* makeGameRoot();
// The game's root for what the command line asks: a practice start, the hidden flags.
RootFactory gameRootFor(const LaunchOptions& options);
// The renderer's demonstration scene (--demo-sprites).
tidewell::Sprite* makeDemoSpritesRoot();

} // namespace brinefall
