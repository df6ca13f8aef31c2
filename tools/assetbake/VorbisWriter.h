#pragma once

#include <cstdint>
#include <vector>

namespace assetbake {

// An Ogg Vorbis stream of interleaved samples (±1 full scale) at the game's rate,
// made with libvorbisenc at a fixed quality and a fixed stream serial number, so
// that the same samples always give the same bytes. The stream's length is
// exactly the number of frames given.
//
// Lossy coding can push a peak above the samples' own, so the stream is decoded
// again and, while its loudest 16-bit sample is above peakLimitDecibels, the
// samples are turned down by the excess and encoded anew.
std::vector<std::uint8_t> encodeVorbis(std::vector<float> samples, int channels, double peakLimitDecibels);

// Decodes a stream made by encodeVorbis into 16-bit samples (for checks and tests).
std::vector<std::int16_t> decodeVorbis(const std::vector<std::uint8_t>& stream, int& channels, long& rate);

} // namespace assetbake
