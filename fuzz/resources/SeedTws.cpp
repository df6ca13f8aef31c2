// Writes a few .tws files into the directory given, as starting inputs.

#include <cstdio>
#include <string>

#include "FormatWriters.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string directory = argv[1];
    bool written = formats::writeFile(directory + "/silence.tws", formats::tws(1, 22050, {}));
    written &= formats::writeFile(directory + "/mono.tws", formats::tws(1, 22050, {0x00, 0x80, 0xFF, 0x7F}));
    written &= formats::writeFile(directory + "/stereo.tws", formats::tws(2, 44100, {1, 0, 2, 0, 3, 0, 4, 0}));
    return written ? 0 : 1;
}
