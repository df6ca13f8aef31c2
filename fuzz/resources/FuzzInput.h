#pragma once

// The fuzzer's bytes as a file the readers can open by name: an in-memory file
// reached through /proc/self/fd, so a run costs no disk and no directory entry.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

class FuzzInput {
public:
    FuzzInput() : descriptor_(::memfd_create("fuzz-input", 0)) {
        if (descriptor_ < 0) std::abort();
        name_ = "/proc/self/fd/" + std::to_string(descriptor_);
    }

    // Replaces the file's contents with the given bytes and returns its name.
    const std::string& holding(const std::uint8_t* data, std::size_t size) {
        if (::ftruncate(descriptor_, 0) != 0) std::abort();
        if (size && ::pwrite(descriptor_, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
        return name_;
    }

private:
    int descriptor_;
    std::string name_;
};

// The readers' promises are checked with this, so a broken one is a finding.
inline void check(bool condition) {
    if (!condition) std::abort();
}
