#include "gameplay/Experience.h"

#include <algorithm>

namespace brinefall::Experience {

const LevelRow& levelRow(int level) {
    const int clamped = std::clamp(level, kFirstLevel, kMaxLevel);
    return kLevels[static_cast<std::size_t>(clamped - kFirstLevel)];
}

const SpecialRow* specialRow(int kind) {
    for (const SpecialRow& row : kSpecials) {
        if (row.kind == kind) {
            return &row;
        }
    }
    return nullptr;
}

int nextThreshold(int level) { return levelRow(level).next; }

int levelReached(int level, int exp) {
    while (level < kMaxLevel && exp >= nextThreshold(level)) {
        ++level;
    }
    return level;
}

int specialInterval(int kind, int level) {
    const SpecialRow* row = specialRow(kind);
    if (!row) {
        return -1;
    }
    const int clamped = std::clamp(level, kFirstLevel, kMaxLevel);
    return row->intervals[static_cast<std::size_t>(clamped - kFirstLevel)];
}

}  // namespace brinefall::Experience
