#include "core/SettingManager.h"

#include "platform/Platform.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tidewell::SettingManager {
namespace {

std::optional<std::string> keyPath;
bool keyOpen = false;
bool started = false;

platform::SettingsStore* store() {
    return platform::isInstalled() ? &platform::current().settings() : nullptr;
}

void closeKey() {
    keyOpen = false;
}

// Opens (creating) the key when none is open; a failure leaves it closed so the next call tries again.
bool ensureKeyOpen() {
    if (keyOpen) {
        return true;
    }
    closeKey();
    if (keyPath && store() != nullptr) {
        keyOpen = store()->openKey(*keyPath);
    }
    return keyOpen;
}

} // namespace

void setSettingsKey(const char* path) {
    closeKey();
    keyPath.reset();
    if (path != nullptr && path[0] != '\0') {
        keyPath = path;
    }
}

void readSetting(const char* name, bool* value) {
    if (name == nullptr || value == nullptr || !ensureKeyOpen()) {
        return;
    }
    const auto stored = store()->readValue(*keyPath, name);
    if (!stored) {
        const std::vector<std::uint8_t> byte{static_cast<std::uint8_t>(*value ? 1 : 0)};
        store()->writeValue(*keyPath, name, byte);
        return;
    }
    // Anything but exactly one byte cannot be read; the default stands.
    if (stored->size() == 1) {
        *value = (*stored)[0] != 0;
    }
}

void writeSetting(const char* name, bool value) {
    if (name == nullptr || !ensureKeyOpen()) {
        return;
    }
    const std::vector<std::uint8_t> byte{static_cast<std::uint8_t>(value ? 1 : 0)};
    store()->writeValue(*keyPath, name, byte);
}

void readSetting(const char* name, std::vector<std::uint8_t>* value) {
    if (name == nullptr || value == nullptr || !ensureKeyOpen()) {
        return;
    }
    const auto stored = store()->readValue(*keyPath, name);
    if (stored && stored->size() == value->size()) {
        *value = *stored;
        return;
    }
    // Missing or of a size no reader of this value ever wrote: the default stands, and is kept.
    store()->writeValue(*keyPath, name, *value);
}

void writeSetting(const char* name, std::span<const std::uint8_t> value) {
    if (name == nullptr || !ensureKeyOpen()) {
        return;
    }
    store()->writeValue(*keyPath, name, value);
}

void start() {
    started = true;
}

void stopSettings() {
    closeKey();
    keyPath.reset();
    started = false;
}

bool isStarted() {
    return started;
}

} // namespace tidewell::SettingManager
