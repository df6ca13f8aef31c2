#include "FailingAllocation.h"

#include <cstddef>
#include <new>

namespace {
bool failNext = false;
}

void failNextNothrowAllocation() { failNext = true; }

// Replaces the library's version for the test program; everything else still goes
// through the ordinary operator new, so deleting the memory stays matched.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (failNext) {
        failNext = false;
        return nullptr;
    }
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}
