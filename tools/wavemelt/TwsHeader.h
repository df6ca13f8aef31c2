#pragma once

#include <array>
#include <cstdint>

namespace wavemelt {

// The 16 bytes in front of the samples of a .tws file: four unsigned 32-bit
// little-endian fields, nothing else (no magic, no version).
struct TwsHeader {
    std::uint32_t channels = 0;
    std::uint32_t rate = 0;
    std::uint32_t bits = 16;
    std::uint32_t dataBytes = 0;

    static constexpr std::size_t kSize = 16;

    std::array<unsigned char, kSize> encode() const;
};

}  // namespace wavemelt
