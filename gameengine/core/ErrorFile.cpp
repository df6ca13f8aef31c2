#include "core/ErrorFile.h"

#include "core/ErrorDialog.h"

namespace tidewell {

ErrorFile::ErrorFile(const std::string& fileName, bool corrupt) : fileName(fileName), corrupt(corrupt) {}

std::string ErrorFile::detail() const {
    return (corrupt ? "The following file is corrupt:\n" : "The following file is not found or cannot be opened:\n") +
           fileName;
}

void ErrorFile::report(const std::string& contact, const std::string& reportAddress) const {
    reportError("File Error", detail(), contact, reportAddress);
}

} // namespace tidewell
