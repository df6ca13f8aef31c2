#include "TwsHeader.h"

namespace wavemelt {

namespace {

void putLittleEndian32(unsigned char* out, std::uint32_t value) {
    for (int byte = 0; byte < 4; ++byte) {
        out[byte] = static_cast<unsigned char>(value >> (8 * byte));
    }
}

}  // namespace

std::array<unsigned char, TwsHeader::kSize> TwsHeader::encode() const {
    std::array<unsigned char, kSize> bytes{};
    putLittleEndian32(bytes.data() + 0, channels);
    putLittleEndian32(bytes.data() + 4, rate);
    putLittleEndian32(bytes.data() + 8, bits);
    putLittleEndian32(bytes.data() + 12, dataBytes);
    return bytes;
}

}  // namespace wavemelt
