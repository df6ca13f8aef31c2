// Reads arbitrary bytes as a .tws sound: it loads with no more data than the
// file holds, or it is refused with an ErrorFile.

#include <cstring>

#include "core/Error.h"
#include "FuzzInput.h"
#include "resources/TwsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzInput input;
    tidewell::TwsFile sound(input.holding(data, size).c_str());
    try {
        sound.load();
    } catch (const tidewell::Error&) {
        check(!sound.loaded && sound.data == nullptr);
        return 0;
    }
    check(sound.loaded && sound.data != nullptr);
    check(size >= 16 && sound.dataBytes <= size - 16);
    check(std::memcmp(sound.data.get(), data + 16, sound.dataBytes) == 0);
    return 0;
}
