// Writes a few small valid Ogg Vorbis files into the directory given, so that
// the fuzzer starts from real streams: the library it drives is not
// instrumented and would hardly find one from random bytes.

#include <cstdio>
#include <string>

#include "VorbisEncoder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-DIRECTORY\n", argv[0]);
        return 2;
    }
    using namespace wavemelt::testing;
    const std::string directory = argv[1];
    const auto tone = sineWave(440.0, 22050, 3000);
    writeFile(directory + "/mono.ogg", encodeVorbis(tone, 1, 22050, 0.0f));
    writeFile(directory + "/stereo.ogg", encodeVorbis(interleave(tone, sineWave(900.0, 22050, 3000)), 2, 22050, 0.0f));
    writeFile(directory + "/short.ogg", encodeVorbis(sineWave(440.0, 8000, 10), 1, 8000, 0.0f));
    return 0;
}
