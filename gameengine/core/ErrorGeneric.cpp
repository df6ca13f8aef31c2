#include "core/ErrorGeneric.h"

#include "core/ErrorDialog.h"

namespace tidewell {
namespace {

std::string moduleOf(const std::string& sourcePath) {
    const auto slash = sourcePath.find_last_of('\\');
    const std::string name = slash == std::string::npos ? sourcePath : sourcePath.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace

ErrorGeneric::ErrorGeneric(const std::string& sourcePath, int line, int code)
    : module(moduleOf(sourcePath)), line(line), code(code) {}

std::string ErrorGeneric::detail() const {
    return "Module: " + module + "\nCode: " + std::to_string(line) + ":" + std::to_string(code);
}

void ErrorGeneric::report(const std::string& contact, const std::string& reportAddress) const {
    reportError("Generic Error", detail(), contact, reportAddress);
}

} // namespace tidewell
