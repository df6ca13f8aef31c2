#include "CommandLine.h"

#include "platform/Platform.h"

#include <cstdio>
#include <set>
#include <vector>

namespace {

// Options that are understood but whose part of the game has not been built yet.
bool rejectUnavailable(const brinefall::LaunchOptions& options) {
    static const std::set<std::string> available = {"--help", "--version", "--headless", "--windowed",
                                                    "--fullscreen", "--frames"};
    for (const std::string& name : options.given) {
        if (available.count(name) == 0) {
            std::fprintf(stderr, "brinefall: %s is not available yet\n", name.c_str());
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    using namespace tidewell::platform;

    const brinefall::ParseResult parsed = brinefall::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "brinefall: %s\n", parsed.error.c_str());
        return parsed.exitStatus;
    }
    const brinefall::LaunchOptions& options = parsed.options;
    if (options.help) {
        std::fputs(brinefall::usageText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::fputs(brinefall::versionText().c_str(), stdout);
        return 0;
    }
    if (rejectUnavailable(options)) {
        return 2;
    }

    std::string whyNot;
    auto platform = createPlatform(options.headless ? "headless" : "", PlatformOptions{}, whyNot);
    if (!platform) {
        std::fprintf(stderr, "brinefall: %s\n", whyNot.c_str());
        return 1;
    }
    if (!platform->system().checkVideo()) {
        platform->dialogs().showError("Screen Error", "The display cannot be used: " + platform->system().lastError(),
                                      DialogButtons::Ok);
        return 1;
    }
    Window& window = platform->window();
    window.setTitle("Brinefall");
    if (!window.create(options.fullScreen.value_or(false))) {
        platform->dialogs().showError("Screen Error", "The window cannot be created: " + platform->system().lastError(),
                                      DialogButtons::Ok);
        return 1;
    }

    // Until the engine's main loop lands: show a plain deep-sea frame at 20 frames a
    // second until the window is closed or the frame count runs out.
    std::vector<std::uint32_t> frame(static_cast<std::size_t>(kLogicalWidth) * kLogicalHeight, 0x0B2A4A);
    const FrameView view{frame.data(), kLogicalWidth, kLogicalHeight, kLogicalWidth * 4, PixelFormat::Xrgb8888};
    std::uint64_t framesShown = 0;
    for (bool running = true; running && (!options.frames || framesShown < *options.frames);) {
        WindowEvent event;
        while (window.pollEvent(event)) {
            running = running && event.kind != WindowEventKind::Close;
        }
        window.present(view);
        ++framesShown;
        platform->system().waitForEvent(50);
    }
    window.destroy();
    return 0;
}
