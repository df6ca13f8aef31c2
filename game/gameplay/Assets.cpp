#include "gameplay/Assets.h"

#include "resources/ResourceManager.h"
#include "sound/SoundMusicManager.h"

namespace brinefall::Assets {

using namespace tidewell;

namespace {

template <typename T, void (*Release)(T*)>
void giveBack(T*& share) {
    if (share) {
        Release(share);
        share = nullptr;
    }
}

}  // namespace

Sound* loadSound(const char* fileName) { return SoundMusicManager::getSound(fileName, true); }

Music* loadMusic(const char* fileName) { return SoundMusicManager::getMusic(fileName, 0, true); }

void release(Sound*& sound) { giveBack<Sound, SoundMusicManager::releaseSound>(sound); }

void release(Music*& music) { giveBack<Music, SoundMusicManager::releaseMusic>(music); }

void release(ImageResource*& image) { giveBack<ImageResource, ResourceManager::releaseImage>(image); }

}  // namespace brinefall::Assets
