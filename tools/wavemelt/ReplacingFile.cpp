#include "ReplacingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "ConversionError.h"

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
    descriptor_ = mkstemp(temporaryPath_.data());
    if (descriptor_ < 0) {
        throwSystemError("cannot create a temporary file beside " + targetPath_);
    }
}

ReplacingFile::~ReplacingFile() {
    if (descriptor_ >= 0) {
        close(descriptor_);
    }
    if (!committed_) {
        unlink(temporaryPath_.c_str());
    }
}

void ReplacingFile::write(const void* bytes, std::size_t count) {
    const char* next = static_cast<const char*>(bytes);
    while (count > 0) {
        const ssize_t written = ::write(descriptor_, next, count);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            throwSystemError("cannot write " + targetPath_);
        }
        next += written;
        count -= static_cast<std::size_t>(written);
    }
    // Let the disk take what is written so far while the next part decodes, so
    // that the sync in commit() has little left to wait for.
    sync_file_range(descriptor_, 0, 0, SYNC_FILE_RANGE_WRITE);
}

void ReplacingFile::syncAndClose() {
    if (fchmod(descriptor_, permissionsOfNewFiles()) != 0 || fsync(descriptor_) != 0) {
        throwSystemError("cannot write " + targetPath_);
    }
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (close(descriptor) != 0) {
        throwSystemError("cannot write " + targetPath_);
    }
}

void ReplacingFile::commit() {
    // The data must be on disk before the rename: the source is deleted next.
    syncAndClose();
    if (std::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
        throwSystemError("cannot rename " + temporaryPath_ + " to " + targetPath_);
    }
    committed_ = true;
}

}  // namespace wavemelt
