#include "resources/AssetFile.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <memory>
#include <optional>

namespace tidewell {
namespace {

bool entryExists(const std::string& path) {
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0;
}

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

std::optional<std::string> entryIgnoringCase(const std::string& directory, const std::string& name) {
    std::unique_ptr<DIR, DirectoryCloser> listing(::opendir(directory.c_str()));
    if (!listing) return std::nullopt;
    std::optional<std::string> found;
    while (const dirent* entry = ::readdir(listing.get())) {
        // Directory order is arbitrary; taking the smallest of several candidates
        // makes the choice the same on every machine.
        if (AssetFile::sameNameIgnoringCase(entry->d_name, name.c_str()) && (!found || *found > entry->d_name)) {
            found = entry->d_name;
        }
    }
    return found;
}

} // namespace

AssetFile::AssetFile(const std::string& fileName) : file_(std::fopen(resolveName(fileName).c_str(), "rb")) {}

AssetFile::~AssetFile() {
    if (file_) std::fclose(file_);
}

bool AssetFile::isOpen() const { return file_ != nullptr; }

std::size_t AssetFile::read(void* buffer, std::size_t bytes) {
    if (!file_ || bytes == 0) return 0;
    return std::fread(buffer, 1, bytes, file_);
}

bool AssetFile::hasReadError() const { return file_ && std::ferror(file_); }

std::uint64_t AssetFile::bytesLeft() const {
    struct stat status;
    if (!file_ || ::fstat(::fileno(file_), &status) != 0 || !S_ISREG(status.st_mode)) return 0;
    const long position = std::ftell(file_);
    if (position < 0 || status.st_size <= position) return 0;
    return static_cast<std::uint64_t>(status.st_size - position);
}

std::string AssetFile::resolveName(const std::string& fileName) {
    if (fileName.empty() || entryExists(fileName)) return fileName;
    const auto slash = fileName.find_last_of('/');
    const std::string directory = slash == std::string::npos ? "." : fileName.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    if (name.empty()) return fileName;
    const auto entry = entryIgnoringCase(directory, name);
    if (!entry) return fileName;
    return slash == std::string::npos ? *entry : directory + *entry;
}

std::uint32_t AssetFile::littleEndian32(const std::uint8_t* bytes) {
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

bool AssetFile::sameNameIgnoringCase(const char* first, const char* second) { return ::strcasecmp(first, second) == 0; }

} // namespace tidewell
