#pragma once

#include <stdexcept>
#include <string>

namespace assetbake {

// Why an asset could not be baked, worded for the person who edits its source:
// the file, the line where there is one, and what is wrong.
class BakeError : public std::runtime_error {
public:
    explicit BakeError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace assetbake
