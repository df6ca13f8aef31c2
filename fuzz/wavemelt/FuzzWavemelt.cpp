// Installs one file of arbitrary bytes, as wavemelt does for each argument,
// and checks what it leaves behind: either a complete .tws and no source, or
// the untouched source and nothing else.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Conversion.h"

namespace {

namespace fs = std::filesystem;

// A forged stream length must not make every run write gigabytes of silence.
constexpr wavemelt::ConversionLimits kLimits{.maxDataBytes = 1 << 20};

// One directory for the whole run, removed when libFuzzer exits normally.
struct ScratchDirectory {
    fs::path path;
    ScratchDirectory() {
        std::string pattern = (fs::temp_directory_path() / "fuzz-wavemelt-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path = pattern;
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

const fs::path& scratchDirectory() {
    static const ScratchDirectory directory;
    return directory.path;
}

std::vector<std::string> entriesOf(const fs::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) names.push_back(entry.path().filename());
    return names;
}

std::uint32_t dataBytesOf(const fs::path& tws) {
    std::ifstream in(tws, std::ios::binary);
    unsigned char header[16] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    return header[12] | header[13] << 8 | header[14] << 16 | std::uint32_t{header[15]} << 24;
}

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::FILE* const discardedMessages = std::fopen("/dev/null", "w");
    const fs::path source = scratchDirectory() / "input.ogg";
    const fs::path target = scratchDirectory() / "input.tws";
    {
        std::ofstream out(source, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    const bool installed = wavemelt::installSound(source.string(), discardedMessages, kLimits);

    const std::vector<std::string> entries = entriesOf(scratchDirectory());
    check(entries.size() == 1);
    if (installed) {
        check(entries.front() == "input.tws");
        check(fs::file_size(target) == 16 + std::uintmax_t{dataBytesOf(target)});
        fs::remove(target);
    } else {
        check(entries.front() == "input.ogg" && fs::file_size(source) == size);
        fs::remove(source);
    }
    return 0;
}
