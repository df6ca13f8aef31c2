#pragma once

#include "core/Error.h"

#include <string>

namespace tidewell {

// A system or device call failed. The module names the engine source that raised
// it, the line is a fixed number naming the call site, the code is the call's result.
class ErrorGeneric : public Error {
public:
    // The module is the part of sourcePath after its last backslash, up to its last dot.
    ErrorGeneric(const std::string& sourcePath, int line, int code);

    // Shows module, line and code and offers to report them on the maker's bug-report page.
    void report(const std::string& contact, const std::string& reportAddress) const;
    // "Module: <module>\nCode: <line>:<code>"
    std::string detail() const;

    std::string module;
    int line;
    int code;
};

} // namespace tidewell
