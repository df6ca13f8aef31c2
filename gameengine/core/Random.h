#pragma once

#include <cstdint>

namespace tidewell::Random {

// The program's one pseudo-random generator, the classic linear congruential one:
// state = state * 214013 + 2531011 (mod 2^32); each number is bits 16 to 30 of the
// new state. One sequence for everything keeps a seeded run repeatable.

inline constexpr int kMax = 32767;

// Starts the sequence from `seed` and marks the generator seeded.
void seed(std::uint32_t seed);
// Whether seed() was called since the last clearSeeded().
bool isSeeded();
// Forgets the seeded mark (at shut-down); the state is kept.
void clearSeeded();
// The next number, 0 to 32767.
int next();
// The generator's state now, for a checksum of a run; it does not advance the sequence.
std::uint32_t currentState();
// A choice among n (0 to n - 1) taken from next(): next() * n / 32768.
int choose(int n);

} // namespace tidewell::Random
