#include "core/Random.h"

namespace tidewell::Random {
namespace {

std::uint32_t state = 1;
bool seeded = false;

} // namespace

void seed(std::uint32_t value) {
    state = value;
    seeded = true;
}

bool isSeeded() {
    return seeded;
}

void clearSeeded() {
    seeded = false;
}

std::uint32_t currentState() {
    return state;
}

int next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

int choose(int n) {
    // 64-bit product so that a large n cannot overflow.
    return static_cast<int>(static_cast<std::int64_t>(next()) * n / 32768);
}

} // namespace tidewell::Random
