#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "../AudioBuffer.h"

namespace tidewell::platform::headless {

// Writes 16-bit PCM into a RIFF WAVE file that any player opens. The header's
// lengths are brought up to date after every write, so the file is whole even when
// the program that writes it is killed.
class WaveFileWriter {
public:
    WaveFileWriter() = default;
    ~WaveFileWriter();

    WaveFileWriter(const WaveFileWriter&) = delete;
    WaveFileWriter& operator=(const WaveFileWriter&) = delete;

    // Creates (or empties) the file and writes a header for `format`; false with the reason in whyNot.
    bool open(const std::filesystem::path& path, const WaveFormat& format, std::string& whyNot);
    bool isOpen() const { return file_ != nullptr; }
    // Changes the format in the header; only before the first samples, as a file has one format.
    bool setFormat(const WaveFormat& format);
    // Appends interleaved samples; false (with the reason in lastError) when the write failed or the file is full.
    bool append(const std::int16_t* samples, std::size_t count);
    // Finishes and closes the file; nothing happens when none is open.
    void close();

    std::uint32_t dataBytes() const { return dataBytes_; }
    const std::string& lastError() const { return lastError_; }

private:
    bool writeHeader();

    std::FILE* file_ = nullptr;
    WaveFormat format_;
    std::uint32_t dataBytes_ = 0;
    std::string lastError_;
};

}  // namespace tidewell::platform::headless
