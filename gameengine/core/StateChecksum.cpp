#include "core/StateChecksum.h"

#include <cstdio>
#include <cstring>
#include <typeinfo>

#include "display/Image.h"
#include "core/Random.h"
#include "display/Sprite.h"

namespace tidewell::StateChecksum {
namespace {

constexpr std::uint64_t kOffsetBasis = 0xcbf29ce484222325ull;
constexpr std::uint64_t kPrime = 0x100000001b3ull;

// FNV-1a over bytes fed in the order they come.
class Fnv1a {
public:
    void addByte(std::uint8_t byte) {
        hash_ ^= byte;
        hash_ *= kPrime;
    }
    // Least significant byte first, whatever the machine's order.
    void addWord(std::uint32_t word) {
        for (int shift = 0; shift < 32; shift += 8) {
            addByte(static_cast<std::uint8_t>(word >> shift));
        }
    }
    // The exact bits: a position that differs in its last bit is another position.
    // memcpy rather than std::bit_cast, which the web build's older libc++ lacks.
    void addFloat(float value) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        addWord(bits);
    }
    // With its terminating zero, so that "ab" + "c" and "a" + "bc" differ.
    void addText(const char* text) {
        for (const char* c = text; *c != '\0'; ++c) {
            addByte(static_cast<std::uint8_t>(*c));
        }
        addByte(0);
    }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = kOffsetBasis;
};

void addSprite(Fnv1a& hash, const Sprite& sprite) {
    hash.addText(typeid(sprite).name());
    hash.addFloat(sprite.x);
    hash.addFloat(sprite.y);
    const auto* image = dynamic_cast<const Image*>(&sprite);
    hash.addWord(image != nullptr ? image->getFrame() : 0u);
    hash.addWord(sprite.colour >> 24);
}

// Iterative, so a deep tree cannot exhaust the stack.
void addTree(Fnv1a& hash, const Sprite* root) {
    const Sprite* sprite = root;
    while (sprite != nullptr) {
        addSprite(hash, *sprite);
        if (const Sprite* child = sprite->getFirstChild()) {
            sprite = child;
            continue;
        }
        while (sprite != nullptr && sprite != root && sprite->getNextSibling() == nullptr) {
            sprite = sprite->parent;
        }
        sprite = (sprite == nullptr || sprite == root) ? nullptr : sprite->getNextSibling();
    }
}

}  // namespace

std::uint64_t ofGame(const Sprite* root) {
    Fnv1a hash;
    hash.addWord(Random::currentState());
    addTree(hash, root);
    return hash.value();
}

std::string toText(std::uint64_t checksum) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(checksum));
    return text;
}

}  // namespace tidewell::StateChecksum
