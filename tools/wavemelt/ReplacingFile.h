#pragma once

#include <cstddef>
#include <string>

namespace wavemelt {

// Writes a file so that its target path only ever shows a complete file: the
// bytes go to a temporary file in the same directory, which commit() syncs to
// disk and renames over the target. Without a successful commit() the
// temporary file is removed and the target is left as it was, because the
// caller deletes the only other copy of the data once commit() returns.
// Every failure throws ConversionError.
class ReplacingFile {
public:
    explicit ReplacingFile(std::string targetPath);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    void write(const void* bytes, std::size_t count);
    void commit();

private:
    void syncAndClose();

    std::string targetPath_;
    std::string temporaryPath_;
    int descriptor_ = -1;
    bool committed_ = false;
};

}  // namespace wavemelt
