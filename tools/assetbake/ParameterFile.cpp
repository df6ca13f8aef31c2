#include "ParameterFile.h"

#include "BakeError.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace assetbake {

namespace {

// A comment starts with a "#" that begins a word; inside a word it is a sharp (f#4, F#m).
std::size_t commentStart(const std::string& line) {
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (line[at] == '#' && (at == 0 || std::isspace(static_cast<unsigned char>(line[at - 1])))) return at;
    }
    return line.size();
}

} // namespace

std::vector<ParameterLine> parseParameterText(const std::string& text) {
    std::vector<ParameterLine> lines;
    std::istringstream input(text);
    std::string raw;
    int number = 0;
    while (std::getline(input, raw)) {
        ++number;
        raw.erase(commentStart(raw));
        ParameterLine line{number, {}};
        std::istringstream words(raw);
        std::string word;
        while (words >> word) line.words.push_back(word);
        if (!line.words.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<ParameterLine> readParameterFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw BakeError(path + ": cannot be opened");
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) throw BakeError(path + ": cannot be read");
    return parseParameterText(text.str());
}

void failAt(const std::string& path, int line, const std::string& message) {
    throw BakeError(path + ":" + std::to_string(line) + ": " + message);
}

WordReader::WordReader(const std::string& path, const ParameterLine& line, std::size_t first)
    : path_(path), line_(line), next_(first) {}

std::string WordReader::peek() const { return atEnd() ? std::string() : line_.words[next_]; }

bool WordReader::accept(const std::string& word) {
    if (atEnd() || line_.words[next_] != word) return false;
    ++next_;
    return true;
}

std::string WordReader::word(const char* what) {
    if (atEnd()) fail(std::string("'") + line_.words[0] + "' needs " + what);
    return line_.words[next_++];
}

double WordReader::number(const char* what) {
    const std::string text = word(what);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        fail(std::string(what) + " must be a number, not '" + text + "'");
    }
    return value;
}

double WordReader::number(const char* what, double low, double high) {
    const double value = number(what);
    if (value < low || value > high) {
        std::ostringstream message;
        message << what << " must be between " << low << " and " << high << ", not " << value;
        fail(message.str());
    }
    return value;
}

int WordReader::integer(const char* what, int low, int high) {
    const double value = number(what, low, high);
    if (value != std::floor(value)) fail(std::string(what) + " must be a whole number");
    return static_cast<int>(value);
}

void WordReader::finish() const {
    if (!atEnd()) fail("unexpected '" + line_.words[next_] + "' after '" + line_.words[0] + "'");
}

void WordReader::fail(const std::string& message) const { failAt(path_, line_.number, message); }

} // namespace assetbake
