#include "AudioLevels.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "StoredChoice.h"
#include "core/SettingManager.h"
#include "sound/SoundMusicManager.h"

namespace brinefall::AudioLevels {
namespace {

const char* settingOf(Kind kind) { return kind == Kind::Music ? "musicLevel" : "soundLevel"; }

bool isLevel(int level) { return level >= 0 && level <= kFull && level % kStep == 0; }

}  // namespace

int stored(Kind kind) {
    std::vector<std::uint8_t> level{static_cast<std::uint8_t>(kFull)};
    tidewell::SettingManager::readSetting(settingOf(kind), &level);
    if (isLevel(level[0])) return level[0];
    store(kind, kFull);
    return kFull;
}

void store(Kind kind, int level) {
    const int kept = std::clamp(level / kStep * kStep, 0, kFull);
    const std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(kept)};
    tidewell::SettingManager::writeSetting(settingOf(kind), bytes);
    apply();
}

float volumeOf(int level) {
    const float amplitude = static_cast<float>(std::clamp(level, 0, kFull)) / kFull;
    return amplitude * amplitude;
}

void apply() {
    using tidewell::SoundMusicManager::setMusicVolume;
    using tidewell::SoundMusicManager::setSoundVolume;
    setMusicVolume(StoredChoice::isOn("musicOn") ? volumeOf(stored(Kind::Music)) : 0.0f);
    setSoundVolume(StoredChoice::isOn("soundOn") ? volumeOf(stored(Kind::Sound)) : 0.0f);
}

}  // namespace brinefall::AudioLevels
