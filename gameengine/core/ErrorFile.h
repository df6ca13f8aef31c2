#pragma once

#include "core/Error.h"

#include <string>

namespace tidewell {

// A data file is missing, cannot be opened, or is corrupt.
class ErrorFile : public Error {
public:
    ErrorFile(const std::string& fileName, bool corrupt);

    // Names the file and offers to report it on the maker's bug-report page.
    void report(const std::string& contact, const std::string& reportAddress) const;
    // The text that names the file and what is wrong with it.
    std::string detail() const;

    std::string fileName;
    bool corrupt;
};

} // namespace tidewell
