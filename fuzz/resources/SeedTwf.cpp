// Writes a few .twf files into the directory given, as starting inputs.

#include <cstdio>
#include <string>

#include "FormatWriters.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-DIRECTORY\n", argv[0]);
        return 2;
    }
    using formats::Glyph;
    const std::string directory = argv[1];
    const Glyph a{'A', 3, 2, -1, 1, 2, {0, 128, 255, 255, 128, 0}};
    const Glyph b{'b', 1, 3, 0, 0, 1, {10, 20, 30}};
    const Glyph dot{'.', 1, 1, 5, 0, 0, {255}};
    bool written = formats::writeFile(directory + "/header.twf", formats::twf(16, 5, {}));
    written &= formats::writeFile(directory + "/three.twf", formats::twf(16, 5, {b, dot, a}));
    written &= formats::writeFile(directory + "/repeated.twf", formats::twf(12, 4, {a, a, dot}));
    formats::Bytes cut = formats::twf(16, 5, {a});
    cut.insert(cut.end(), {'c', 0, 0, 0, 1});
    written &= formats::writeFile(directory + "/cut.twf", cut);
    return written ? 0 : 1;
}
