#include "resources/FontResource.h"

#include <algorithm>

#include "resources/CharacterResource.h"
#include "core/NewOrNoMemory.h"
#include "resources/ResourceManager.h"

namespace tidewell {
namespace {

bool codeBefore(const CharacterResource* character, std::uint32_t code) { return character->code < code; }

}  // namespace

void FontResource::reload() {
    unload();
    load();
}

FontResource::~FontResource() = default;

void FontResource::addCharacter(CharacterResource* character) {
    if (!character) return;
    const auto place = std::lower_bound(characters.begin(), characters.end(), character->code, codeBefore);
    if (place != characters.end() && (*place)->code == character->code) {
        // The font holds one reference per listed glyph; keeping the replaced glyph's
        // would hold it until the manager stops.
        CharacterResource* replaced = *place;
        *place = character;
        ResourceManager::releaseCharacter(replaced);
        return;
    }
    // A glyph that cannot be listed gives its reference back at once.
    orNoMemory([&] { characters.insert(place, character); },
               [character] { ResourceManager::releaseCharacter(character); });
    ++characterCount;
}

CharacterResource* FontResource::findCharacter(std::uint32_t code) const {
    const auto place = std::lower_bound(characters.begin(), characters.end(), code, codeBefore);
    return place != characters.end() && (*place)->code == code ? *place : nullptr;
}

void FontResource::releaseCharacters() {
    for (CharacterResource* character : characters) ResourceManager::releaseCharacter(character);
    characters.clear();
    characterCount = 0;
    loaded = false;
}

}  // namespace tidewell
