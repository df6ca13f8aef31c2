#include "SoundResource.h"

namespace tidewell {

SoundResource::~SoundResource() = default;

} // namespace tidewell
