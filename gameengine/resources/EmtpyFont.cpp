#include "resources/EmtpyFont.h"

namespace tidewell {

// Without this the characters added in code would stay counted, and alive, until the
// resource manager stops.
EmtpyFont::~EmtpyFont() { unload(); }

void EmtpyFont::load() { loaded = true; }

void EmtpyFont::unload() { releaseCharacters(); }

} // namespace tidewell
