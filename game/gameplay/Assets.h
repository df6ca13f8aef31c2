#pragma once

namespace tidewell {
class ImageResource;
class Music;
class Sound;
}  // namespace tidewell

// The game scene's and the ship's shares of the engine's sounds, music and pictures:
// taken ready to play, given back once.
namespace brinefall::Assets {

// Preloaded: the buffer is made now, not at the first play.
tidewell::Sound* loadSound(const char* fileName);
// Preloaded, without a gap between its loops.
tidewell::Music* loadMusic(const char* fileName);

// Gives the share back and forgets it; a null one is left alone.
void release(tidewell::Sound*& sound);
void release(tidewell::Music*& music);
void release(tidewell::ImageResource*& image);

}  // namespace brinefall::Assets
