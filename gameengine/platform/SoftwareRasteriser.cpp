#include "SoftwareRasteriser.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace tidewell::platform {
namespace {

// The names Mesa gives its processor-drawn renderers, in lower case.
constexpr std::string_view kSoftwareNames[] = {
    "llvmpipe",
    "softpipe",
    "swrast",
    "software rasterizer",
};

std::string lowerCase(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

}  // namespace

bool isSoftwareRasteriser(std::string_view rendererName) {
    const std::string lowered = lowerCase(rendererName);
    return std::any_of(std::begin(kSoftwareNames), std::end(kSoftwareNames),
                       [&lowered](std::string_view name) { return lowered.find(name) != std::string::npos; });
}

}  // namespace tidewell::platform
