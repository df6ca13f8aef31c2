#include "resources/ResourceManager.h"

#include <cstring>
#include <memory>
#include <new>

#include "resources/AssetFile.h"
#include "resources/ColoursCharacter.h"
#include "resources/ColoursImage.h"
#include "resources/EmtpyFont.h"
#include "core/ErrorGeneric.h"
#include "core/ErrorNoMemory.h"
#include "core/NewOrNoMemory.h"
#include "resources/Registry.h"
#include "resources/TwfFile.h"
#include "resources/TwiFile.h"
#include "resources/TwsFile.h"

namespace tidewell::ResourceManager {
namespace {

constexpr const char* kModulePath = "gameengine\\Game Engine\\ResourceManager";
constexpr int kLineImageList = 441;
constexpr int kLineColoursImageList = 88;
constexpr int kLineCharacterList = 149;
constexpr int kLineEmptyFontList = 238;
constexpr int kLineFontList = 256;
constexpr int kLineSoundList = 470;

std::unique_ptr<Registry<ImageResource>> imageList;
std::unique_ptr<Registry<CharacterResource>> characterList;
std::unique_ptr<Registry<FontResource>> fontResourceList;
std::unique_ptr<Registry<SoundResource>> soundResourceList;

template <typename T>
Registry<T>& startedList(std::unique_ptr<Registry<T>>& list, int line) {
    return startedRegistry(list, start, kModulePath, line);
}

// Finds the resource of class Wanted that `matches`, or lists a new one; either way one
// more reference is handed out and the resource is loaded. Listing comes first, so a
// file that fails to load stays listed and is read again at the next request.
template <typename Wanted, typename T, typename Match, typename Create>
Wanted* lookUp(Registry<T>& list, Match matches, Create create) {
    T* resource = list.retain(
        [&](const T& candidate) {
            const auto* wanted = dynamic_cast<const Wanted*>(&candidate);
            return wanted && matches(*wanted);
        },
        create);
    resource->load();
    return static_cast<Wanted*>(resource);
}

// The text from the name's last dot is the extension, compared ignoring case.
bool hasExtension(const char* fileName, const char* extension) {
    const char* dot = fileName ? std::strrchr(fileName, '.') : nullptr;
    return dot && AssetFile::sameNameIgnoringCase(dot, extension);
}

// A resource given back that is not listed (or once stop() deleted them all) is left alone.
template <typename T>
void giveBack(const std::unique_ptr<Registry<T>>& list, T* resource) {
    releaseListed(list, resource, Unlisted::LeftAlone);
}

}  // namespace

void start() {
    if (!imageList) imageList = newRegistry<ImageResource>();
    if (!characterList) characterList = newRegistry<CharacterResource>();
    if (!fontResourceList) fontResourceList = newRegistry<FontResource>();
    if (!soundResourceList) soundResourceList = newRegistry<SoundResource>();
}

void stop() {
    // Every list is emptied before any goes away: fonts give their glyphs back as they are
    // deleted, and a glyph already deleted must then be found unlisted, not deleted again.
    if (imageList) imageList->clear();
    if (characterList) characterList->clear();
    if (fontResourceList) fontResourceList->clear();
    if (soundResourceList) soundResourceList->clear();
    imageList.reset();
    characterList.reset();
    fontResourceList.reset();
    soundResourceList.reset();
}

ImageResource* getImage(const char* fileName) {
    if (!hasExtension(fileName, ".twi")) return nullptr;
    return lookUp<TwiFile>(
        startedList(imageList, kLineImageList), [&](const TwiFile& image) { return image.matchesName(fileName); },
        [&] { return newOrNoMemory<TwiFile>(fileName); });
}

ImageResource* getColoursImage(std::uint32_t width, std::uint32_t height, const std::uint32_t* colours) {
    return lookUp<ColoursImage>(
        startedList(imageList, kLineColoursImageList),
        [&](const ColoursImage& image) { return image.matches(width, height, colours); },
        [&] { return newOrNoMemory<ColoursImage>(width, height, colours); });
}

CharacterResource* getCharacter(std::uint32_t code, std::int32_t top, std::int32_t left, std::int32_t right,
                                std::uint32_t width, std::uint32_t height, const std::uint32_t* colours) {
    return lookUp<ColoursCharacter>(
        startedList(characterList, kLineCharacterList),
        [&](const ColoursCharacter& character) {
            return character.matches(code, top, left, right, width, height, colours);
        },
        [&] { return newOrNoMemory<ColoursCharacter>(code, top, left, right, width, height, colours); });
}

FontResource* getFontResource(const char* fileName) {
    return lookUp<TwfFile>(
        startedList(fontResourceList, kLineFontList), [&](const TwfFile& font) { return font.matchesName(fileName); },
        [&] { return newOrNoMemory<TwfFile>(fileName); });
}

FontResource* createEmptyFont() {
    return lookUp<EmtpyFont>(
        startedList(fontResourceList, kLineEmptyFontList), [](const EmtpyFont&) { return false; },
        [] { return newOrNoMemory<EmtpyFont>(); });
}

SoundResource* getSoundResource(const char* fileName) {
    if (!hasExtension(fileName, ".tws")) return nullptr;
    return lookUp<TwsFile>(
        startedList(soundResourceList, kLineSoundList),
        [&](const TwsFile& sound) { return sound.matchesName(fileName); },
        [&] { return newOrNoMemory<TwsFile>(fileName); });
}

ImageResource* retainImage(ImageResource* image) { return retainListed(imageList, image); }
FontResource* retainFontResource(FontResource* font) { return retainListed(fontResourceList, font); }
SoundResource* retainSoundResource(SoundResource* sound) { return retainListed(soundResourceList, sound); }

void releaseImage(ImageResource* image) { giveBack(imageList, image); }
void releaseCharacter(CharacterResource* character) { giveBack(characterList, character); }
void releaseFontResource(FontResource* font) { giveBack(fontResourceList, font); }
void releaseSoundResource(SoundResource* sound) { giveBack(soundResourceList, sound); }

unsigned long referenceCount(const ImageResource* image) { return listedCount(imageList, image); }
unsigned long referenceCount(const CharacterResource* character) { return listedCount(characterList, character); }
unsigned long referenceCount(const FontResource* font) { return listedCount(fontResourceList, font); }
unsigned long referenceCount(const SoundResource* sound) { return listedCount(soundResourceList, sound); }

std::size_t resourceCount() {
    std::size_t count = 0;
    if (imageList) count += imageList->size();
    if (characterList) count += characterList->size();
    if (fontResourceList) count += fontResourceList->size();
    if (soundResourceList) count += soundResourceList->size();
    return count;
}

}  // namespace tidewell::ResourceManager
