#include "gameplay/Experience.h"

#include <algorithm>

namespace brinefall::Experience {
namespace {

// The place of a level in a table by level; a level outside the ladder is taken as its nearest end.
std::size_t indexOf(int level) {
    return static_cast<std::size_t>(std::clamp(level, kFirstLevel, kMaxLevel) - kFirstLevel);
}

}  // namespace

const LevelRow& levelRow(int level) { return kLevels[indexOf(level)]; }

const SpecialRow* specialRow(int kind) {
    for (const SpecialRow& row : kSpecials) {
        if (row.kind == kind) {
            return &row;
        }
    }
    return nullptr;
}

int nextThreshold(int level) { return levelRow(level).next; }

int specialInterval(int kind, int level) {
    const SpecialRow* row = specialRow(kind);
    if (!row) {
        return -1;
    }
    return row->intervals[indexOf(level)];
}

}  // namespace brinefall::Experience
