#pragma once

#include <cstdint>

// The software renderer's row kernels: one row of source ARGB pixels blended onto a
// row of the back buffer. Each kernel exists as a plain scalar definition and, on
// x86-64, as SSE2 and AVX2 versions that give exactly the same pixels (the division by
// 255 is done exactly, never approximated). The fastest one the processor supports is
// chosen once, at run time, so the program runs on any x86-64.
//
// Destination pixels keep their unused top byte at 0 (32 bits): everything the
// renderer writes has it so, and the kernels rely on it.
//
// With `reversed` the source is read right to left: src points at the first pixel
// read, the next one is src[-1], and so on (a horizontally mirrored draw).
namespace tidewell::PixelBlend {

enum class Level { Scalar, Sse2, Avx2 };

// Each pixel blended with its own alpha: the translucent pixels of a plain draw.
using Translucent32 = void (*)(std::uint32_t* dst, const std::uint32_t* src, int count, bool reversed);
using Translucent16 = void (*)(std::uint16_t* dst, const std::uint32_t* src, int count, bool reversed);
// Each pixel multiplied by `multiply` (its alpha too), `add` added, then blended: a tinted or faded draw.
using Tinted32 = void (*)(std::uint32_t* dst, const std::uint32_t* src, int count, bool reversed,
                          std::uint32_t multiply, std::uint32_t add);
using Tinted16 = void (*)(std::uint16_t* dst, const std::uint32_t* src, int count, bool reversed,
                          std::uint32_t multiply, std::uint32_t add);

struct Kernels {
    Translucent32 translucent32;
    Translucent16 translucent16;
    Tinted32 tinted32;
    Tinted16 tinted16;
};

// Whether this processor can run the kernels of that level.
bool isSupported(Level level);
// The kernels of one level; the scalar ones when the level is not supported here.
const Kernels& kernels(Level level);
// The kernels in use: the best supported level, or the one BRINEFALL_BLEND
// (scalar, sse2, avx2) names when that one is supported.
const Kernels& active();
Level activeLevel();
const char* levelName(Level level);

// The scalar definitions, pixel by pixel.
std::uint32_t multiplyAddColour(std::uint32_t pixel, std::uint32_t multiply, std::uint32_t add);
std::uint32_t blend8888(std::uint32_t destination, std::uint32_t source, std::uint32_t alpha);
std::uint32_t blend565(std::uint32_t destination, std::uint32_t source, std::uint32_t alpha);
std::uint32_t toRgb565(std::uint32_t rgb);

}  // namespace tidewell::PixelBlend
