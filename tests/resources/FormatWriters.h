#pragma once

// Small writers of the asset formats, for tests and for the fuzzers' seed corpus.
// They write whatever they are told, so that damaged files are as easy to make as
// good ones.

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace formats {

using Bytes = std::vector<std::uint8_t>;

inline void put32(Bytes& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void put16(Bytes& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

// A .twi header (size, 16 unread bytes) followed by the given pixels.
inline Bytes twi(std::uint32_t width, std::uint32_t height, const std::vector<std::uint16_t>& pixels) {
    Bytes bytes;
    put32(bytes, width);
    put32(bytes, height);
    bytes.insert(bytes.end(), 16, 0xAB);
    for (std::uint16_t pixel : pixels) put16(bytes, pixel);
    return bytes;
}

struct Glyph {
    std::uint32_t code;
    std::uint32_t width;
    std::uint32_t height;
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t right = 0;
    Bytes coverage;  // written as given, whatever width × height says
};

inline void putGlyph(Bytes& bytes, const Glyph& glyph) {
    put32(bytes, glyph.code);
    put32(bytes, glyph.width);
    put32(bytes, glyph.height);
    put32(bytes, static_cast<std::uint32_t>(glyph.top));
    put32(bytes, static_cast<std::uint32_t>(glyph.left));
    put32(bytes, static_cast<std::uint32_t>(glyph.right));
    bytes.insert(bytes.end(), glyph.coverage.begin(), glyph.coverage.end());
}

inline Bytes twf(std::int32_t lineHeight, std::int32_t defaultAdvance, const std::vector<Glyph>& glyphs) {
    Bytes bytes;
    put32(bytes, static_cast<std::uint32_t>(lineHeight));
    put32(bytes, static_cast<std::uint32_t>(defaultAdvance));
    for (const Glyph& glyph : glyphs) putGlyph(bytes, glyph);
    return bytes;
}

// A .tws header with the given dataBytes, followed by the given samples.
inline Bytes tws(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits, std::uint32_t dataBytes,
                 const Bytes& samples) {
    Bytes bytes;
    put32(bytes, channels);
    put32(bytes, rate);
    put32(bytes, bits);
    put32(bytes, dataBytes);
    bytes.insert(bytes.end(), samples.begin(), samples.end());
    return bytes;
}

inline Bytes tws(std::uint32_t channels, std::uint32_t rate, const Bytes& samples) {
    return tws(channels, rate, 16, static_cast<std::uint32_t>(samples.size()), samples);
}

inline bool writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

} // namespace formats
