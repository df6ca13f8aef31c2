#pragma once

#include <string>
#include <vector>

namespace assetbake {

// One meaningful line of a hand-written source file: its words, split at white
// space, with comments (from a word that starts with "#" to the end of the line)
// and blank lines left out.
struct ParameterLine {
    int number = 0;
    std::vector<std::string> words;
};

// The lines of a parameter file (manifest, sound effect, score). BakeError when
// the file cannot be read.
std::vector<ParameterLine> readParameterFile(const std::string& path);

// The same, from text already in memory; `path` only names it in messages.
std::vector<ParameterLine> parseParameterText(const std::string& text);

// Reads the words of one line in order, with messages that point at the line.
class WordReader {
public:
    WordReader(const std::string& path, const ParameterLine& line, std::size_t first = 1);

    bool atEnd() const { return next_ >= line_.words.size(); }
    // The next word without taking it; empty at the end.
    std::string peek() const;
    // Takes the next word if it equals `word`.
    bool accept(const std::string& word);
    std::string word(const char* what);
    double number(const char* what);
    // A number within [low, high].
    double number(const char* what, double low, double high);
    int integer(const char* what, int low, int high);
    // BakeError unless every word was taken.
    void finish() const;

    [[noreturn]] void fail(const std::string& message) const;

private:
    const std::string& path_;
    const ParameterLine& line_;
    std::size_t next_;
};

// "path:line: message"
[[noreturn]] void failAt(const std::string& path, int line, const std::string& message);

} // namespace assetbake
