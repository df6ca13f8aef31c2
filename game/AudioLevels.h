#pragma once

// The player's music and sound levels, 0 to 100 % in steps of 10, stored as "musicLevel" and
// "soundLevel" (one byte, the percentage). A level scales the waveform: 50 % is half the
// amplitude, 6 dB quieter. The options panel's on/off choices still silence either entirely.
namespace brinefall::AudioLevels {

inline constexpr int kStep = 10;
inline constexpr int kFull = 100;

enum class Kind { Music, Sound };

// The stored level; missing or damaged (above 100 or off the steps of 10) gives full, stored.
int stored(Kind kind);
// Stores the level, kept within 0 to 100 on the steps, and applies it at once.
void store(Kind kind, int level);
// The engine's volume factor for a level: the factor is a power (1000·log10 of it is the
// attenuation in hundredths of a decibel), so half the amplitude is a quarter of it.
float volumeOf(int level);
// Sets the engine's global volumes from the stored levels and on/off choices.
void apply();

}  // namespace brinefall::AudioLevels
