// wavemelt: run once at installation. Decodes each Ogg Vorbis file named on the
// command line into the .tws file the game reads, deletes the source, then
// deletes the installer's own "Wavemelt.exe" from the current directory and
// prints the result of that as the only line on standard output.

#include <cstdio>

#include "Conversion.h"

int main(int argc, char** argv) {
    bool everyFileInstalled = true;
    for (int index = 1; index < argc; ++index) {
        everyFileInstalled = wavemelt::installSound(argv[index], stderr) && everyFileInstalled;
    }
    std::printf("%d\n", std::remove("Wavemelt.exe"));
    return everyFileInstalled ? 0 : 1;
}
