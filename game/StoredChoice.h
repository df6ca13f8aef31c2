#pragma once

// The player's stored on/off choices (music, sound, joystick, vibration).
namespace brinefall::StoredChoice {

// Whether the choice `name` is on; a choice never made yet is on, and is stored so.
bool isOn(const char* name);

}  // namespace brinefall::StoredChoice
