#pragma once

#include "display/Sprite.h"

namespace brinefall {

// The card that teaches the controls at the start of the first stage: the keys in force on
// key caps (Move as the four direction keys, Fire, Pause, and any second keys on a line
// below), or for a pad the stick and the Fire and Pause buttons in force. Centred on its
// position; made as it is shown, so it always tells what is in force.
class ControlsCard : public tidewell::Sprite {
public:
    explicit ControlsCard(bool pad);

private:
    void showKeys();
    void showPad();
    void label(const char* words, float x);
};

}  // namespace brinefall
