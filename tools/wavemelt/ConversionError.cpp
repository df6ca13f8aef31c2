#include "ConversionError.h"

#include <cerrno>
#include <cstring>

namespace wavemelt {

void throwSystemError(const std::string& what) { throw ConversionError(what + ": " + std::strerror(errno)); }

}  // namespace wavemelt
