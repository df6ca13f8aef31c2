// Reads arbitrary bytes as a .twf font, then checks what the font promises: its
// characters sorted by code, one per code, and every glyph reference given back
// to the resource manager once the font is gone.

#include <vector>

#include "resources/CharacterResource.h"
#include "core/Error.h"
#include "FuzzInput.h"
#include "resources/ResourceManager.h"
#include "resources/TwfFile.h"

namespace {

void checkSortedAndCounted(const tidewell::FontResource& font) {
    check(font.characterCount == font.characters.size());
    for (std::size_t i = 1; i < font.characters.size(); ++i) {
        check(font.characters[i - 1]->code < font.characters[i]->code);
    }
    for (const tidewell::CharacterResource* character : font.characters) {
        check(font.findCharacter(character->code) == character);
        check(tidewell::ResourceManager::referenceCount(character) >= 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzInput input;
    std::vector<const tidewell::CharacterResource*> held;
    {
        tidewell::TwfFile font(input.holding(data, size).c_str());
        try {
            font.load();
            check(font.loaded);
        } catch (const tidewell::Error&) {
            check(!font.loaded);
        }
        checkSortedAndCounted(font);
        held.assign(font.characters.begin(), font.characters.end());
    }
    // Nothing else holds glyphs here, so every one the font held is gone with it.
    for (const tidewell::CharacterResource* character : held) {
        check(tidewell::ResourceManager::referenceCount(character) == 0);
    }
    return 0;
}
