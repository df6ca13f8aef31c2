#pragma once

// Scratch directories and .tws parsing shared by the wavemelt tests.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace wavemelt::testing {

class ScratchDirectory {
public:
    ScratchDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "wavemelt-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a scratch directory");
        }
        path_ = pattern;
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

    // Every entry, hidden ones included, so that a forgotten temporary file shows.
    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path path_;
};

inline std::vector<unsigned char> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TwsContents {
    std::uint32_t channels, rate, bits, dataBytes;
    std::size_t fileSize;
    std::vector<std::int16_t> samples;
};

// Reads a .tws file the way the game does: four little-endian words, then the
// interleaved signed little-endian 16-bit samples.
inline TwsContents readTws(const std::string& path) {
    const std::vector<unsigned char> bytes = readBytes(path);
    if (bytes.size() < 16) {
        throw std::runtime_error(path + " is shorter than a .tws header");
    }
    auto word = [&](std::size_t offset) {
        return std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8 |
               std::uint32_t{bytes[offset + 2]} << 16 | std::uint32_t{bytes[offset + 3]} << 24;
    };
    TwsContents tws{word(0), word(4), word(8), word(12), bytes.size(), {}};
    for (std::size_t offset = 16; offset + 1 < bytes.size(); offset += 2) {
        tws.samples.push_back(static_cast<std::int16_t>(bytes[offset] | bytes[offset + 1] << 8));
    }
    return tws;
}

}  // namespace wavemelt::testing
