#pragma once

#include "resources/FontResource.h"

namespace tidewell {

// A font without a file, whose characters are added in code with addCharacter().
// Made by the resource manager's createEmptyFont().
class EmtpyFont : public FontResource {
public:
    EmtpyFont() = default;
    // Gives the characters back.
    ~EmtpyFont() override;

    // There is nothing to read: loading only marks the font ready.
    void load() override;
    // Gives every character back to the resource manager.
    void unload() override;
};

} // namespace tidewell
