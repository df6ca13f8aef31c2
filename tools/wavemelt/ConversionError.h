#pragma once

#include <stdexcept>
#include <string>

namespace wavemelt {

// Why one file could not be converted, in words meant for the person running
// the installation ("cannot open: No such file or directory").
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& reason) : std::runtime_error(reason) {}
};

// A ConversionError whose reason ends with the text of the current errno.
[[noreturn]] void throwSystemError(const std::string& what);

}  // namespace wavemelt
