#include "ReplacingFile.h"

#include "ConversionError.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace wavemelt {

namespace {

// Short on purpose: the target's own name may already be as long as a
// directory entry allows.
constexpr const char* kTemporaryName = ".wavemelt-XXXXXX";

std::string directoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// mkstemp makes files only the owner can read; the game may run as another
// user, so the result gets the permissions a plain fopen would have given it.
mode_t permissionsOfNewFiles() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

ReplacingFile::ReplacingFile(std::string targetPath)
    : targetPath_(std::move(targetPath)), temporaryPath_(directoryOf(targetPath_) + kTemporaryName) {
  const int descriptor = mkstemp(temporaryPath_.data());
  if (descriptor < 0) {
    throwSystemError("cannot create a temporary file beside " + targetPath_);
  }
  stream_ = fdopen(descriptor, "wb");
  if (stream_ == nullptr) {
    close(descriptor);
    unlink(temporaryPath_.c_str());
    throwSystemError("cannot write " + temporaryPath_);
  }
}

ReplacingFile::~ReplacingFile() {
  if (stream_ != nullptr) {
    std::fclose(stream_);
  }
  if (!committed_) {
    unlink(temporaryPath_.c_str());
  }
}

void ReplacingFile::write(const void* bytes, std::size_t count) {
  if (std::fwrite(bytes, 1, count, stream_) != count) {
    throwSystemError("cannot write " + targetPath_);
  }
}

void ReplacingFile::closeOrThrow() {
  if (std::fflush(stream_) != 0 || fsync(fileno(stream_)) != 0 ||
      fchmod(fileno(stream_), permissionsOfNewFiles()) != 0) {
    throwSystemError("cannot write " + targetPath_);
  }
  std::FILE* stream = stream_;
  stream_ = nullptr;
  if (std::fclose(stream) != 0) {
    throwSystemError("cannot write " + targetPath_);
  }
}

void ReplacingFile::commit() {
  closeOrThrow();
  if (std::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
    throwSystemError("cannot rename " + temporaryPath_ + " to " + targetPath_);
  }
  committed_ = true;
}

}  // namespace wavemelt
