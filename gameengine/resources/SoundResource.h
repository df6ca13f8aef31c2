#pragma once

#include <cstdint>
#include <memory>

namespace tidewell {

// The samples of one sound file in memory, with the format that Sound and Music
// give their buffers. Shared and counted by the resource manager, which deletes it.
class SoundResource {
public:
    SoundResource() = default;
    SoundResource(const SoundResource&) = delete;
    SoundResource& operator=(const SoundResource&) = delete;

    virtual void load() = 0;
    virtual void unload() = 0;
    virtual void reload() = 0;
    virtual ~SoundResource();

    // Interleaved channels, channel 0 first.
    std::uint32_t channels = 0;
    // Samples per second, per channel.
    std::uint32_t rate = 0;
    std::uint32_t bits = 0;
    std::uint32_t dataBytes = 0;
    // dataBytes bytes of PCM; null while not loaded.
    std::unique_ptr<std::uint8_t[]> data;
};

} // namespace tidewell
