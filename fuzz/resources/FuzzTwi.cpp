// Reads arbitrary bytes as a .twi image: any input either loads within the size
// bounds or is refused with an ErrorFile, never a crash or a giant allocation.

#include "core/Error.h"
#include "FuzzInput.h"
#include "resources/TwiFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzInput input;
    tidewell::TwiFile image(input.holding(data, size).c_str());
    try {
        image.load();
    } catch (const tidewell::Error&) {
        check(!image.loaded && image.pixels == nullptr);
        return 0;
    }
    check(image.loaded && image.pixels != nullptr);
    check(image.width <= tidewell::TwiFile::maxSide && image.height <= tidewell::TwiFile::maxSide);
    // Every channel of a file's pixel keeps its low four bits clear.
    const std::size_t count = std::size_t{image.width} * image.height;
    for (std::size_t i = 0; i < count && i < 4096; ++i) check((image.pixels[i] & 0x0F0F0F0F) == 0);
    return 0;
}
