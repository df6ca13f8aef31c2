#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wavemelt::testing {

// Encodes interleaved 16-bit samples as an Ogg Vorbis stream with libvorbisenc
// (VBR at the given quality, -0.1 … 1.0). The stream's length is exactly
// samples.size() / channels frames.
std::vector<unsigned char> encodeVorbis(const std::vector<std::int16_t>& samples, int channels, long rate,
                                        float quality = 0.4f);

// Amplitude × sin(2π · frequency · t) for the given number of frames.
std::vector<std::int16_t> sineWave(double frequency, long rate, std::size_t frames, double amplitude = 12000.0);

// Interleaves two channels of equal length, left first.
std::vector<std::int16_t> interleave(const std::vector<std::int16_t>& left, const std::vector<std::int16_t>& right);

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace wavemelt::testing
