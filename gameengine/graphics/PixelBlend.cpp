#include "graphics/PixelBlend.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#define TIDEWELL_X86 1
#define TIDEWELL_SSE2 1
#include <immintrin.h>
#elif defined(__wasm_simd128__) && defined(__SSE2__)
// WebAssembly with its 128-bit vectors runs the SSE2 kernels (the compiler maps the SSE2
// intrinsics onto them), with the same results as everywhere else.
#define TIDEWELL_SSE2 1
#include <emmintrin.h>
#endif

namespace tidewell::PixelBlend {

// ---- The scalar definitions ------------------------------------------------------

std::uint32_t multiplyAddColour(std::uint32_t pixel, std::uint32_t multiply, std::uint32_t add) {
    std::uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t channel =
            ((pixel >> shift) & 0xFF) * ((multiply >> shift) & 0xFF) / 255 + ((add >> shift) & 0xFF);
        result |= std::min<std::uint32_t>(channel, 255) << shift;
    }
    return result;
}

namespace {

std::uint32_t blendWithMasks(std::uint32_t destination, std::uint32_t source, std::uint32_t alpha,
                             const std::uint32_t (&masks)[3]) {
    std::uint32_t result = 0;
    for (std::uint32_t mask : masks) {
        result |= mask & ((alpha * (source & mask) + (destination & mask) * (255 - alpha)) / 255);
    }
    return result;
}

constexpr std::uint32_t kMasks8888[3] = {0xFF0000, 0x00FF00, 0x0000FF};
constexpr std::uint32_t kMasks565[3] = {0xF800, 0x07E0, 0x001F};

}  // namespace

std::uint32_t blend8888(std::uint32_t destination, std::uint32_t source, std::uint32_t alpha) {
    return blendWithMasks(destination, source, alpha, kMasks8888);
}

std::uint32_t blend565(std::uint32_t destination, std::uint32_t source, std::uint32_t alpha) {
    return blendWithMasks(destination, source, alpha, kMasks565);
}

std::uint32_t toRgb565(std::uint32_t rgb) {
    return ((rgb & 0xF80000) >> 8) | ((rgb & 0xFC00) >> 5) | ((rgb & 0xF8) >> 3);
}

namespace {

void translucent32Scalar(std::uint32_t* dst, const std::uint32_t* src, int count, bool reversed) {
    const int step = reversed ? -1 : 1;
    for (int i = 0; i < count; ++i, src += step) {
        const std::uint32_t pixel = *src;
        dst[i] = blend8888(dst[i], pixel, pixel >> 24);
    }
}

void translucent16Scalar(std::uint16_t* dst, const std::uint32_t* src, int count, bool reversed) {
    const int step = reversed ? -1 : 1;
    for (int i = 0; i < count; ++i, src += step) {
        const std::uint32_t pixel = *src;
        dst[i] = static_cast<std::uint16_t>(blend565(dst[i], toRgb565(pixel), pixel >> 24));
    }
}

void tinted32Scalar(std::uint32_t* dst, const std::uint32_t* src, int count, bool reversed, std::uint32_t multiply,
                    std::uint32_t add) {
    const int step = reversed ? -1 : 1;
    const std::uint32_t multiplyAlpha = multiply >> 24;
    for (int i = 0; i < count; ++i, src += step) {
        const std::uint32_t pixel = *src;
        const std::uint32_t alpha = (pixel >> 24) * multiplyAlpha / 255;
        if (alpha == 0) continue;
        const std::uint32_t colour = multiplyAddColour(pixel, multiply, add);
        dst[i] = alpha == 255 ? colour : blend8888(dst[i], colour, alpha);
    }
}

void tinted16Scalar(std::uint16_t* dst, const std::uint32_t* src, int count, bool reversed, std::uint32_t multiply,
                    std::uint32_t add) {
    const int step = reversed ? -1 : 1;
    const std::uint32_t multiplyAlpha = multiply >> 24;
    for (int i = 0; i < count; ++i, src += step) {
        const std::uint32_t pixel = *src;
        const std::uint32_t alpha = (pixel >> 24) * multiplyAlpha / 255;
        if (alpha == 0) continue;
        const std::uint32_t colour = toRgb565(multiplyAddColour(pixel, multiply, add));
        dst[i] = static_cast<std::uint16_t>(alpha == 255 ? colour : blend565(dst[i], colour, alpha));
    }
}

const Kernels scalarKernels = {translucent32Scalar, translucent16Scalar, tinted32Scalar, tinted16Scalar};

// The scalar kernels finish the rows' last few pixels, so every path ends exactly alike.
const std::uint32_t* sourceAt(const std::uint32_t* src, int offset, bool reversed) {
    return reversed ? src - offset : src + offset;
}

#ifdef TIDEWELL_SSE2

// ---- SSE2: four 32-bit or eight 16-bit pixels at a time -----------------------------
//
// Channels are widened to 16-bit lanes. Every product and sum stays at or below
// 255 × 255, where (x + 1) × 257 >> 16 is exactly x / 255.

inline __m128i divide255(__m128i x) {
    return _mm_mulhi_epu16(_mm_add_epi16(x, _mm_set1_epi16(1)), _mm_set1_epi16(257));
}

inline __m128i load4(const std::uint32_t* src, int offset, bool reversed) {
    if (!reversed) return _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + offset));
    const __m128i backwards = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src - offset - 3));
    return _mm_shuffle_epi32(backwards, _MM_SHUFFLE(0, 1, 2, 3));
}

// alpha × source + (255 − alpha) × destination over 255, for two pixels of 16-bit lanes.
inline __m128i blendLanes(__m128i source, __m128i destination, __m128i alpha) {
    const __m128i inverse = _mm_sub_epi16(_mm_set1_epi16(255), alpha);
    return divide255(_mm_add_epi16(_mm_mullo_epi16(source, alpha), _mm_mullo_epi16(destination, inverse)));
}

inline __m128i tintLanes(__m128i source, __m128i multiply, __m128i add) {
    const __m128i multiplied = divide255(_mm_mullo_epi16(source, multiply));
    return _mm_min_epi16(_mm_add_epi16(multiplied, add), _mm_set1_epi16(255));
}

// 32-bit pixels are split into two registers of 16-bit lanes: blue and red (mask), green
// and alpha (shift), which needs no unpacking; each pixel's alpha is spread over both
// of its lanes with one shuffle.
inline __m128i spreadAlpha(__m128i greenAlpha) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(greenAlpha, _MM_SHUFFLE(3, 3, 1, 1)), _MM_SHUFFLE(3, 3, 1, 1));
}

// Blends the two lane registers and puts the pixels back together, the top byte 0.
inline __m128i blendPairs(__m128i sourceBlueRed, __m128i sourceGreenAlpha, __m128i d, __m128i alpha) {
    const __m128i lowBytes = _mm_set1_epi16(0x00FF);
    const __m128i blueRed = blendLanes(sourceBlueRed, _mm_and_si128(d, lowBytes), alpha);
    const __m128i greenAlpha = blendLanes(sourceGreenAlpha, _mm_srli_epi16(d, 8), alpha);
    return _mm_and_si128(_mm_or_si128(blueRed, _mm_slli_epi16(greenAlpha, 8)), _mm_set1_epi32(0x00FFFFFF));
}

void translucent32Sse2(std::uint32_t* dst, const std::uint32_t* src, int count, bool reversed) {
    const __m128i lowBytes = _mm_set1_epi16(0x00FF);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i s = load4(src, i, reversed);
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        const __m128i greenAlpha = _mm_srli_epi16(s, 8);
        const __m128i out = blendPairs(_mm_and_si128(s, lowBytes), greenAlpha, d, spreadAlpha(greenAlpha));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), out);
    }
    translucent32Scalar(dst + i, sourceAt(src, i, reversed), count - i, reversed);
}

// The multiply and add colours as lane pairs: blue and red, green and alpha (the add has no alpha).
inline __m128i lanePair(std::uint32_t low, std::uint32_t high) {
    return _mm_set1_epi32(static_cast<int>(high << 16 | low));
}

void tinted32Sse2(std::uint32_t* dst, const std::uint32_t* src, int count, bool reversed, std::uint32_t multiply,
                  std::uint32_t add) {
    const __m128i lowBytes = _mm_set1_epi16(0x00FF);
    const __m128i multiplyBlueRed = lanePair(multiply & 0xFF, (multiply >> 16) & 0xFF);
    const __m128i multiplyGreenAlpha = lanePair((multiply >> 8) & 0xFF, multiply >> 24);
    const __m128i addBlueRed = lanePair(add & 0xFF, (add >> 16) & 0xFF);
    const __m128i addGreen = lanePair((add >> 8) & 0xFF, 0);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i s = load4(src, i, reversed);
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        const __m128i blueRed = tintLanes(_mm_and_si128(s, lowBytes), multiplyBlueRed, addBlueRed);
        const __m128i greenAlpha = tintLanes(_mm_srli_epi16(s, 8), multiplyGreenAlpha, addGreen);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i),
                         blendPairs(blueRed, greenAlpha, d, spreadAlpha(greenAlpha)));
    }
    tinted32Scalar(dst + i, sourceAt(src, i, reversed), count - i, reversed, multiply, add);
}

// Eight pixels split into one register of 16-bit lanes per channel.
struct Planes128 {
    __m128i red, green, blue, alpha;
};

inline Planes128 splitChannels(__m128i first, __m128i second) {
    const __m128i byteMask = _mm_set1_epi32(0xFF);
    auto channel = [&](int shift) {
        return _mm_packs_epi32(_mm_and_si128(_mm_srli_epi32(first, shift), byteMask),
                               _mm_and_si128(_mm_srli_epi32(second, shift), byteMask));
    };
    return {channel(16), channel(8), channel(0),
            _mm_packs_epi32(_mm_srli_epi32(first, 24), _mm_srli_epi32(second, 24))};
}

// Blends 8-bit channels, reduced to 5-6-5 fields, onto eight 5-6-5 pixels.
inline __m128i blend565Lanes(__m128i destination, const Planes128& source) {
    const __m128i red = blendLanes(_mm_srli_epi16(source.red, 3), _mm_srli_epi16(destination, 11), source.alpha);
    const __m128i green = blendLanes(_mm_srli_epi16(source.green, 2),
                                     _mm_and_si128(_mm_srli_epi16(destination, 5), _mm_set1_epi16(0x3F)), source.alpha);
    const __m128i blue =
        blendLanes(_mm_srli_epi16(source.blue, 3), _mm_and_si128(destination, _mm_set1_epi16(0x1F)), source.alpha);
    return _mm_or_si128(_mm_or_si128(_mm_slli_epi16(red, 11), _mm_slli_epi16(green, 5)), blue);
}

void translucent16Sse2(std::uint16_t* dst, const std::uint32_t* src, int count, bool reversed) {
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const Planes128 source = splitChannels(load4(src, i, reversed), load4(src, i + 4, reversed));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), blend565Lanes(d, source));
    }
    translucent16Scalar(dst + i, sourceAt(src, i, reversed), count - i, reversed);
}

void tinted16Sse2(std::uint16_t* dst, const std::uint32_t* src, int count, bool reversed, std::uint32_t multiply,
                  std::uint32_t add) {
    const __m128i ff = _mm_set1_epi16(255);
    const __m128i multiplyRed = _mm_set1_epi16(static_cast<short>((multiply >> 16) & 0xFF));
    const __m128i multiplyGreen = _mm_set1_epi16(static_cast<short>((multiply >> 8) & 0xFF));
    const __m128i multiplyBlue = _mm_set1_epi16(static_cast<short>(multiply & 0xFF));
    const __m128i multiplyAlpha = _mm_set1_epi16(static_cast<short>(multiply >> 24));
    const __m128i addRed = _mm_set1_epi16(static_cast<short>((add >> 16) & 0xFF));
    const __m128i addGreen = _mm_set1_epi16(static_cast<short>((add >> 8) & 0xFF));
    const __m128i addBlue = _mm_set1_epi16(static_cast<short>(add & 0xFF));
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        Planes128 source = splitChannels(load4(src, i, reversed), load4(src, i + 4, reversed));
        source.red = _mm_min_epi16(_mm_add_epi16(divide255(_mm_mullo_epi16(source.red, multiplyRed)), addRed), ff);
        source.green =
            _mm_min_epi16(_mm_add_epi16(divide255(_mm_mullo_epi16(source.green, multiplyGreen)), addGreen), ff);
        source.blue = _mm_min_epi16(_mm_add_epi16(divide255(_mm_mullo_epi16(source.blue, multiplyBlue)), addBlue), ff);
        source.alpha = divide255(_mm_mullo_epi16(source.alpha, multiplyAlpha));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), blend565Lanes(d, source));
    }
    tinted16Scalar(dst + i, sourceAt(src, i, reversed), count - i, reversed, multiply, add);
}

const Kernels sse2Kernels = {translucent32Sse2, translucent16Sse2, tinted32Sse2, tinted16Sse2};

#endif  // TIDEWELL_SSE2

#ifdef TIDEWELL_X86

// ---- AVX2: eight 32-bit or sixteen 16-bit pixels at a time --------------------------

#define TIDEWELL_AVX2 __attribute__((target("avx2")))

TIDEWELL_AVX2 inline __m256i divide255(__m256i x) {
    return _mm256_mulhi_epu16(_mm256_add_epi16(x, _mm256_set1_epi16(1)), _mm256_set1_epi16(257));
}

TIDEWELL_AVX2 inline __m256i load8(const std::uint32_t* src, int offset, bool reversed) {
    if (!reversed) return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + offset));
    const __m256i backwards = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src - offset - 7));
    return _mm256_permutevar8x32_epi32(backwards, _mm256_set_epi32(0, 1, 2, 3, 4, 5, 6, 7));
}

TIDEWELL_AVX2 inline __m256i blendLanes(__m256i source, __m256i destination, __m256i alpha) {
    const __m256i inverse = _mm256_sub_epi16(_mm256_set1_epi16(255), alpha);
    return divide255(_mm256_add_epi16(_mm256_mullo_epi16(source, alpha), _mm256_mullo_epi16(destination, inverse)));
}

TIDEWELL_AVX2 inline __m256i tintLanes(__m256i source, __m256i multiply, __m256i add) {
    const __m256i multiplied = divide255(_mm256_mullo_epi16(source, multiply));
    return _mm256_min_epi16(_mm256_add_epi16(multiplied, add), _mm256_set1_epi16(255));
}

TIDEWELL_AVX2 inline __m256i spreadAlpha(__m256i greenAlpha) {
    return _mm256_shuffle_epi8(
        greenAlpha, _mm256_setr_epi8(2, -1, 2, -1, 6, -1, 6, -1, 10, -1, 10, -1, 14, -1, 14, -1, 2, -1, 2, -1, 6, -1, 6,
                                     -1, 10, -1, 10, -1, 14, -1, 14, -1));
}

TIDEWELL_AVX2 inline __m256i blendPairs(__m256i sourceBlueRed, __m256i sourceGreenAlpha, __m256i d, __m256i alpha) {
    const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
    const __m256i blueRed = blendLanes(sourceBlueRed, _mm256_and_si256(d, lowBytes), alpha);
    const __m256i greenAlpha = blendLanes(sourceGreenAlpha, _mm256_srli_epi16(d, 8), alpha);
    return _mm256_and_si256(_mm256_or_si256(blueRed, _mm256_slli_epi16(greenAlpha, 8)), _mm256_set1_epi32(0x00FFFFFF));
}

// The plain translucent draw, most of every frame, weighs both pixels with one multiply-add
// per channel instead of two products and a sum, and needs no unpacking into channel pairs
// nor masking afterwards: 15 vector operations for 8 pixels instead of 19. Each channel's
// source and destination bytes are put side by side as signed bytes (biased by -128) and
// weighed by (alpha, 255 - alpha):
//   alpha x (s - 128) + (255 - alpha) x (d - 128) = alpha x s + (255 - alpha) x d - 255 x 128,
// which lies within +-255 x 128, so the multiply-add never saturates, and adding
// 255 x 128 + 1 gives the exact sum plus one, ready for the exact division by 255. The
// unused top byte is weighed (0, 255) against the destination's 0, which divides to 0.
TIDEWELL_AVX2 inline __m256i weights(__m256i s, __m256i alphaIndices) {
    const __m256i inverseHigh = _mm256_set1_epi16(static_cast<short>(0xFF00));
    return _mm256_xor_si256(_mm256_shuffle_epi8(s, alphaIndices), inverseHigh);
}

TIDEWELL_AVX2 inline __m256i weighAndDivide(__m256i weights, __m256i pairs) {
    const __m256i sumPlusOne =
        _mm256_add_epi16(_mm256_maddubs_epi16(weights, pairs), _mm256_set1_epi16(255 * 128 + 1));
    return _mm256_mulhi_epu16(sumPlusOne, _mm256_set1_epi16(257));
}

TIDEWELL_AVX2 void translucent32Avx2(std::uint32_t* dst, const std::uint32_t* src, int count, bool reversed) {
    const __m256i bias = _mm256_set1_epi8(static_cast<char>(0x80));
    // Per 128-bit half, unpacking gives pixels 0 and 1 (low) and 2 and 3 (high): each of
    // their channels takes that pixel's alpha, the top byte none.
    const __m256i lowAlphas = _mm256_setr_epi8(3, 3, 3, 3, 3, 3, -1, -1, 7, 7, 7, 7, 7, 7, -1, -1, 3, 3, 3, 3, 3, 3,
                                               -1, -1, 7, 7, 7, 7, 7, 7, -1, -1);
    const __m256i highAlphas = _mm256_setr_epi8(11, 11, 11, 11, 11, 11, -1, -1, 15, 15, 15, 15, 15, 15, -1, -1, 11, 11,
                                                11, 11, 11, 11, -1, -1, 15, 15, 15, 15, 15, 15, -1, -1);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = load8(src, i, reversed);
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
        const __m256i signedSource = _mm256_xor_si256(s, bias);
        const __m256i signedDestination = _mm256_xor_si256(d, bias);
        const __m256i low = weighAndDivide(weights(s, lowAlphas), _mm256_unpacklo_epi8(signedSource, signedDestination));
        const __m256i high =
            weighAndDivide(weights(s, highAlphas), _mm256_unpackhi_epi8(signedSource, signedDestination));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), _mm256_packus_epi16(low, high));
    }
    translucent32Sse2(dst + i, sourceAt(src, i, reversed), count - i, reversed);
}

TIDEWELL_AVX2 void tinted32Avx2(std::uint32_t* dst, const std::uint32_t* src, int count, bool reversed,
                                std::uint32_t multiply, std::uint32_t add) {
    const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
    const __m256i multiplyBlueRed = _mm256_broadcastsi128_si256(lanePair(multiply & 0xFF, (multiply >> 16) & 0xFF));
    const __m256i multiplyGreenAlpha = _mm256_broadcastsi128_si256(lanePair((multiply >> 8) & 0xFF, multiply >> 24));
    const __m256i addBlueRed = _mm256_broadcastsi128_si256(lanePair(add & 0xFF, (add >> 16) & 0xFF));
    const __m256i addGreen = _mm256_broadcastsi128_si256(lanePair((add >> 8) & 0xFF, 0));
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = load8(src, i, reversed);
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
        const __m256i blueRed = tintLanes(_mm256_and_si256(s, lowBytes), multiplyBlueRed, addBlueRed);
        const __m256i greenAlpha = tintLanes(_mm256_srli_epi16(s, 8), multiplyGreenAlpha, addGreen);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i),
                            blendPairs(blueRed, greenAlpha, d, spreadAlpha(greenAlpha)));
    }
    tinted32Sse2(dst + i, sourceAt(src, i, reversed), count - i, reversed, multiply, add);
}

struct Planes256 {
    __m256i red, green, blue, alpha;
};

// Packing works within 128-bit halves, so the lanes come out as pixels 0-3, 8-11,
// 4-7, 12-15; the destination is put in the same order and the result back.
TIDEWELL_AVX2 inline __m256i channelPlane(__m256i first, __m256i second, int shift) {
    const __m256i byteMask = _mm256_set1_epi32(0xFF);
    return _mm256_packs_epi32(_mm256_and_si256(_mm256_srli_epi32(first, shift), byteMask),
                              _mm256_and_si256(_mm256_srli_epi32(second, shift), byteMask));
}

TIDEWELL_AVX2 inline Planes256 splitChannels(__m256i first, __m256i second) {
    return {channelPlane(first, second, 16), channelPlane(first, second, 8), channelPlane(first, second, 0),
            _mm256_packs_epi32(_mm256_srli_epi32(first, 24), _mm256_srli_epi32(second, 24))};
}

TIDEWELL_AVX2 inline __m256i tintPlane(__m256i channel, __m256i factor, __m256i offset) {
    return _mm256_min_epi16(_mm256_add_epi16(divide255(_mm256_mullo_epi16(channel, factor)), offset),
                            _mm256_set1_epi16(255));
}

TIDEWELL_AVX2 inline __m256i packedOrder(__m256i pixels) {
    return _mm256_permute4x64_epi64(pixels, _MM_SHUFFLE(3, 1, 2, 0));
}

TIDEWELL_AVX2 inline __m256i blend565Lanes(__m256i destination, const Planes256& source) {
    const __m256i red = blendLanes(_mm256_srli_epi16(source.red, 3), _mm256_srli_epi16(destination, 11), source.alpha);
    const __m256i green =
        blendLanes(_mm256_srli_epi16(source.green, 2),
                   _mm256_and_si256(_mm256_srli_epi16(destination, 5), _mm256_set1_epi16(0x3F)), source.alpha);
    const __m256i blue = blendLanes(_mm256_srli_epi16(source.blue, 3),
                                    _mm256_and_si256(destination, _mm256_set1_epi16(0x1F)), source.alpha);
    return _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(red, 11), _mm256_slli_epi16(green, 5)), blue);
}

TIDEWELL_AVX2 void translucent16Avx2(std::uint16_t* dst, const std::uint32_t* src, int count, bool reversed) {
    int i = 0;
    for (; i + 16 <= count; i += 16) {
        const Planes256 source = splitChannels(load8(src, i, reversed), load8(src, i + 8, reversed));
        const __m256i d = packedOrder(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), packedOrder(blend565Lanes(d, source)));
    }
    translucent16Sse2(dst + i, sourceAt(src, i, reversed), count - i, reversed);
}

TIDEWELL_AVX2 void tinted16Avx2(std::uint16_t* dst, const std::uint32_t* src, int count, bool reversed,
                                std::uint32_t multiply, std::uint32_t add) {
    const __m256i multiplyRed = _mm256_set1_epi16(static_cast<short>((multiply >> 16) & 0xFF));
    const __m256i multiplyGreen = _mm256_set1_epi16(static_cast<short>((multiply >> 8) & 0xFF));
    const __m256i multiplyBlue = _mm256_set1_epi16(static_cast<short>(multiply & 0xFF));
    const __m256i multiplyAlpha = _mm256_set1_epi16(static_cast<short>(multiply >> 24));
    const __m256i addRed = _mm256_set1_epi16(static_cast<short>((add >> 16) & 0xFF));
    const __m256i addGreen = _mm256_set1_epi16(static_cast<short>((add >> 8) & 0xFF));
    const __m256i addBlue = _mm256_set1_epi16(static_cast<short>(add & 0xFF));
    int i = 0;
    for (; i + 16 <= count; i += 16) {
        Planes256 source = splitChannels(load8(src, i, reversed), load8(src, i + 8, reversed));
        source.red = tintPlane(source.red, multiplyRed, addRed);
        source.green = tintPlane(source.green, multiplyGreen, addGreen);
        source.blue = tintPlane(source.blue, multiplyBlue, addBlue);
        source.alpha = divide255(_mm256_mullo_epi16(source.alpha, multiplyAlpha));
        const __m256i d = packedOrder(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), packedOrder(blend565Lanes(d, source)));
    }
    tinted16Sse2(dst + i, sourceAt(src, i, reversed), count - i, reversed, multiply, add);
}

const Kernels avx2Kernels = {translucent32Avx2, translucent16Avx2, tinted32Avx2, tinted16Avx2};

#endif  // TIDEWELL_X86

Level bestLevel() {
    if (isSupported(Level::Avx2)) return Level::Avx2;
    if (isSupported(Level::Sse2)) return Level::Sse2;
    return Level::Scalar;
}

// BRINEFALL_BLEND lets a run compare the levels; an unsupported choice is ignored.
Level chooseLevel() {
    const char* wanted = std::getenv("BRINEFALL_BLEND");
    if (wanted != nullptr) {
        for (Level level : {Level::Scalar, Level::Sse2, Level::Avx2}) {
            if (std::strcmp(wanted, levelName(level)) == 0 && isSupported(level)) return level;
        }
    }
    return bestLevel();
}

}  // namespace

bool isSupported(Level level) {
    switch (level) {
        case Level::Scalar:
            return true;
#ifdef TIDEWELL_X86
        case Level::Sse2:
            return __builtin_cpu_supports("sse2");
        case Level::Avx2:
            return __builtin_cpu_supports("avx2");
#elif defined(TIDEWELL_SSE2)
        case Level::Sse2:
            return true;  // compiled in only where every machine that runs the program has it
#endif
        default:
            return false;
    }
}

const Kernels& kernels(Level level) {
#ifdef TIDEWELL_X86
    if (isSupported(level) && level == Level::Avx2) return avx2Kernels;
#endif
#ifdef TIDEWELL_SSE2
    if (isSupported(level) && level == Level::Sse2) return sse2Kernels;
#endif
    return scalarKernels;
}

Level activeLevel() {
    static const Level chosen = chooseLevel();
    return chosen;
}

const Kernels& active() {
    static const Kernels& chosen = kernels(activeLevel());
    return chosen;
}

const char* levelName(Level level) {
    switch (level) {
        case Level::Sse2:
            return "sse2";
        case Level::Avx2:
            return "avx2";
        default:
            return "scalar";
    }
}

}  // namespace tidewell::PixelBlend
