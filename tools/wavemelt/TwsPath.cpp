#include "TwsPath.h"

namespace wavemelt {

namespace {

constexpr std::string_view kTwsExtension = ".tws";

std::size_t fileNameStart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

}  // namespace

std::optional<std::string> twsPathFor(std::string_view sourcePath) {
    if (sourcePath.size() > kMaxPathLength) {
        return std::nullopt;
    }
    const std::size_t dot = sourcePath.rfind('.');
    const bool hasExtension = dot != std::string_view::npos && dot >= fileNameStart(sourcePath);
    std::string target(sourcePath.substr(0, hasExtension ? dot : sourcePath.size()));
    target += kTwsExtension;
    if (target.size() > kMaxPathLength) {
        return std::nullopt;
    }
    return target;
}

}  // namespace wavemelt
