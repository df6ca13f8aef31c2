#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wavemelt {

// The installer has always worked with paths of at most this many characters,
// both for the source and for the file it writes.
inline constexpr std::size_t kMaxPathLength = 255;

// The .tws name written for a source: everything from the last "." of the file
// name is replaced by ".tws"; a file name without "." gets ".tws" appended.
// Dots in directory names are not extensions. Empty when either path would be
// longer than kMaxPathLength.
std::optional<std::string> twsPathFor(std::string_view sourcePath);

}  // namespace wavemelt
