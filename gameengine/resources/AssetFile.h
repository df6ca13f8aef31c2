#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace tidewell {

// An asset file open for reading. The game asks for its files by names that were
// written for a file system that ignores letter case ("enemy05Shoot.tws" and
// "enemy05shoot.tws" are one file there), so when no file has the exact name, the
// file in the same directory whose name equals it ignoring case is opened instead.
// The file is closed when the object goes away, on every path out of a reader.
class AssetFile {
public:
    explicit AssetFile(const std::string& fileName);
    ~AssetFile();

    AssetFile(const AssetFile&) = delete;
    AssetFile& operator=(const AssetFile&) = delete;

    // False when neither the exact name nor a name differing only in case could be opened.
    bool isOpen() const;

    // Reads up to `bytes` bytes and returns how many arrived; fewer means the file ended
    // or a read failed, which hasReadError() tells apart.
    std::size_t read(void* buffer, std::size_t bytes);
    bool hasReadError() const;

    // How many bytes lie between the read position and the end of the file, so that a
    // reader can refuse a size field that promises more than the file holds before it
    // allocates anything. Only a regular file has a known end; anything else reports 0.
    std::uint64_t bytesLeft() const;

    // The name to open for fileName: fileName itself when such an entry exists, otherwise
    // the entry of its directory whose name equals its last component ignoring case
    // (the alphabetically first one if several do), otherwise fileName unchanged.
    static std::string resolveName(const std::string& fileName);

    // The unsigned 32-bit little-endian field that starts at `bytes`, as every asset format stores them.
    static std::uint32_t littleEndian32(const std::uint8_t* bytes);

    // Whether two names are the same ignoring the case of ASCII letters.
    static bool sameNameIgnoringCase(const char* first, const char* second);

private:
    std::FILE* file_ = nullptr;
};

} // namespace tidewell
