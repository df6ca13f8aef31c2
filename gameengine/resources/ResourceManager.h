#pragma once

#include <cstddef>
#include <cstdint>

namespace tidewell {

class CharacterResource;
class FontResource;
class ImageResource;
class SoundResource;

// Owns every decoded asset: images, glyphs, fonts and sounds. Each is shared and
// counted, so a file is read once however many users it has and an image or a
// glyph built in memory is stored once. Every get... hands out one reference, which
// its holder gives back with the matching release...; the last one deletes the
// resource. A resource given back after stop() (which deleted them all) or one that is
// not listed is left alone. A file that is missing or corrupt throws from the look-up and its
// resource stays listed, unloaded, so that the next request reads the file again.
namespace ResourceManager {

// Creates the four registries; every look-up also starts the manager if it must.
void start();
// Deletes every listed resource, whoever still holds it.
void stop();
// Resources of every kind registered now.
std::size_t resourceCount();

// The image of a .twi file; null, with nothing read, for a name whose extension is not ".twi".
ImageResource* getImage(const char* fileName);
// The image of width × height colours, shared with any equal one.
ImageResource* getColoursImage(std::uint32_t width, std::uint32_t height, const std::uint32_t* colours);
// The glyph with these metrics and colours, shared with any equal one.
CharacterResource* getCharacter(std::uint32_t code, std::int32_t top, std::int32_t left, std::int32_t right,
                                std::uint32_t width, std::uint32_t height, const std::uint32_t* colours);
// The font of a .twf file.
FontResource* getFontResource(const char* fileName);
// A new font without a file, never shared.
FontResource* createEmptyFont();
// The sound of a .tws file; null, with nothing read, for a name whose extension is not ".tws".
SoundResource* getSoundResource(const char* fileName);

// One more reference to a listed resource; unlisted ones are left alone. Returns its argument.
ImageResource* retainImage(ImageResource* image);
FontResource* retainFontResource(FontResource* font);
SoundResource* retainSoundResource(SoundResource* sound);

// One reference fewer; the last one deletes the resource. Before start, or after stop,
// the resource is deleted at once; an unlisted one is left alone.
void releaseImage(ImageResource* image);
void releaseCharacter(CharacterResource* character);
void releaseFontResource(FontResource* font);
void releaseSoundResource(SoundResource* sound);

// How many references are counted for a resource; 0 when it is not listed. For
// diagnostics and tests: holders only ever retain and release.
unsigned long referenceCount(const ImageResource* image);
unsigned long referenceCount(const CharacterResource* character);
unsigned long referenceCount(const FontResource* font);
unsigned long referenceCount(const SoundResource* sound);

}  // namespace ResourceManager
}  // namespace tidewell
