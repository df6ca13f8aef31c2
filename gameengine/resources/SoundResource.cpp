#include "resources/SoundResource.h"

namespace tidewell {

SoundResource::~SoundResource() = default;

} // namespace tidewell
