#include "WaveFileWriter.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

namespace tidewell::platform::headless {
namespace {

constexpr std::uint32_t kHeaderBytes = 44;
// The RIFF length field counts everything after itself, so the data can grow to this.
constexpr std::uint32_t kMaximumDataBytes = 0xFFFFFFFFu - (kHeaderBytes - 8);

void put16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::uint8_t* at, std::uint32_t value) {
    put16(at, static_cast<std::uint16_t>(value));
    put16(at + 2, static_cast<std::uint16_t>(value >> 16));
}

std::string reasonFromErrno() { return errno != 0 ? std::strerror(errno) : "unknown error"; }

}  // namespace

WaveFileWriter::~WaveFileWriter() { close(); }

bool WaveFileWriter::open(const std::filesystem::path& path, const WaveFormat& format, std::string& whyNot) {
    close();
    errno = 0;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) {
        whyNot = "cannot write the audio file " + path.string() + ": " + reasonFromErrno();
        return false;
    }
    format_ = format;
    dataBytes_ = 0;
    if (!writeHeader()) {
        whyNot = "cannot write the audio file " + path.string() + ": " + lastError_;
        close();
        return false;
    }
    return true;
}

bool WaveFileWriter::setFormat(const WaveFormat& format) {
    if (!file_ || dataBytes_ > 0) {
        return false;
    }
    format_ = format;
    return writeHeader();
}

bool WaveFileWriter::writeHeader() {
    std::array<std::uint8_t, kHeaderBytes> header{};
    std::memcpy(&header[0], "RIFF", 4);
    put32(&header[4], kHeaderBytes - 8 + dataBytes_);
    std::memcpy(&header[8], "WAVEfmt ", 8);
    put32(&header[16], 16);  // the length of a plain PCM format chunk
    put16(&header[20], 1);   // PCM
    put16(&header[22], format_.channels);
    put32(&header[24], format_.rate);
    put32(&header[28], format_.bytesPerSecond());
    put16(&header[32], static_cast<std::uint16_t>(format_.blockAlign()));
    put16(&header[34], format_.bits);
    std::memcpy(&header[36], "data", 4);
    put32(&header[40], dataBytes_);
    errno = 0;
    if (std::fseek(file_, 0, SEEK_SET) != 0 || std::fwrite(header.data(), 1, header.size(), file_) != header.size() ||
        std::fseek(file_, 0, SEEK_END) != 0 || std::fflush(file_) != 0) {
        lastError_ = reasonFromErrno();
        return false;
    }
    return true;
}

bool WaveFileWriter::append(const std::int16_t* samples, std::size_t count) {
    if (!file_) {
        return false;
    }
    if (count * 2 > kMaximumDataBytes - dataBytes_) {
        lastError_ = "a WAVE file holds at most 4 GiB";
        return false;
    }
    std::vector<std::uint8_t> bytes(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        put16(&bytes[i * 2], static_cast<std::uint16_t>(samples[i]));  // little-endian whatever the machine
    }
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        lastError_ = reasonFromErrno();
        return false;
    }
    dataBytes_ += static_cast<std::uint32_t>(bytes.size());
    return writeHeader();
}

void WaveFileWriter::close() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

}  // namespace tidewell::platform::headless
