// Writes a few .twi files into the directory given, as starting inputs.

#include <cstdio>
#include <string>

#include "FormatWriters.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string directory = argv[1];
    bool written = formats::writeFile(directory + "/pair.twi", formats::twi(2, 1, {0xF00F, 0x0FFF}));
    written &=
        formats::writeFile(directory + "/square.twi",
                           formats::twi(3, 3, {0x1234, 0xFFFF, 0, 0x8421, 0xF000, 0x0F00, 0x00F0, 0x000F, 0x7777}));
    written &= formats::writeFile(directory + "/short.twi", formats::twi(4, 4, {0xFFFF, 0xF0F0}));
    written &= formats::writeFile(directory + "/empty.twi", formats::twi(0, 0, {}));
    return written ? 0 : 1;
}
