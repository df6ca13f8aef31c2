#include "FileSettingsStore.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace tidewell::platform {
namespace {

constexpr const char* kFileName = "settings";
constexpr const char* kSoftwarePrefix = "Software\\";

bool startsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(text[i]) != lower(prefix[i])) {
            return false;
        }
    }
    return true;
}

// A path component may not climb out of the root or smuggle in a separator.
bool isSafeComponent(const std::string& component) {
    if (component.empty() || component == "." || component == "..") {
        return false;
    }
    for (unsigned char c : component) {
        if (c < 0x20 || c == '/' || c == 0x7F) {
            return false;
        }
    }
    return true;
}

// A value name becomes the text before '=' on its line.
bool isSafeValueName(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    for (unsigned char c : name) {
        if (c < 0x20 || c == '=' || c == 0x7F) {
            return false;
        }
    }
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::vector<std::uint8_t>> parseHex(const std::string& text) {
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = hexDigit(text[i]);
        const int low = hexDigit(text[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

std::string formatHex(std::span<const std::uint8_t> bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (std::uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}

std::vector<std::string> readLines(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// The name a line defines, or nothing for a line without '='.
std::optional<std::string> lineName(const std::string& line) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) {
        return std::nullopt;
    }
    return line.substr(0, equals);
}

bool writeWholeFile(int fd, const std::string& content) {
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return ::fsync(fd) == 0;
}

} // namespace

FileSettingsStore::FileSettingsStore(std::filesystem::path root) : root_(std::move(root)) {}

std::filesystem::path FileSettingsStore::userConfigRoot() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        return std::filesystem::path(home) / ".config";
    }
    return {};
}

std::optional<std::filesystem::path> FileSettingsStore::fileForKey(const std::string& keyPath) const {
    if (root_.empty()) {
        return std::nullopt;
    }
    std::string rest = keyPath;
    if (startsWithIgnoringCase(rest, kSoftwarePrefix)) {
        rest.erase(0, std::char_traits<char>::length(kSoftwarePrefix));
    }
    std::filesystem::path folder = root_;
    std::istringstream parts(rest);
    std::string component;
    bool any = false;
    while (std::getline(parts, component, '\\')) {
        if (!isSafeComponent(component)) {
            return std::nullopt;
        }
        folder /= component;
        any = true;
    }
    if (!any || (!rest.empty() && rest.back() == '\\')) {
        return std::nullopt;
    }
    return folder / kFileName;
}

bool FileSettingsStore::openKey(const std::string& keyPath) {
    const auto file = fileForKey(keyPath);
    if (!file) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(file->parent_path(), error);
    return !error && std::filesystem::is_directory(file->parent_path(), error);
}

std::optional<std::vector<std::uint8_t>> FileSettingsStore::readValue(const std::string& keyPath,
                                                                      const std::string& name) {
    const auto file = fileForKey(keyPath);
    if (!file || !isSafeValueName(name)) {
        return std::nullopt;
    }
    // The last line that names the value wins, as it would after an append.
    std::optional<std::vector<std::uint8_t>> found;
    for (const std::string& line : readLines(*file)) {
        if (lineName(line) == name) {
            found = parseHex(line.substr(name.size() + 1));
        }
    }
    return found;
}

bool FileSettingsStore::writeValue(const std::string& keyPath, const std::string& name,
                                   std::span<const std::uint8_t> bytes) {
    if (!isSafeValueName(name) || !openKey(keyPath)) {
        return false;
    }
    const std::filesystem::path file = *fileForKey(keyPath);
    const std::string newLine = name + "=" + formatHex(bytes);

    std::string content;
    bool replaced = false;
    for (const std::string& line : readLines(file)) {
        if (lineName(line) == name) {
            if (!replaced) {
                content += newLine + "\n";
                replaced = true;
            }
            continue;  // drop older duplicates so the value has one line
        }
        content += line + "\n";  // other values and damaged lines are kept as they were
    }
    if (!replaced) {
        content += newLine + "\n";
    }

    std::string temporary = (file.parent_path() / (std::string(kFileName) + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    const bool written = writeWholeFile(fd, content);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || !commit(temporary, file)) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

bool FileSettingsStore::commit(const std::filesystem::path& temporary, const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    return !error;
}

} // namespace tidewell::platform
