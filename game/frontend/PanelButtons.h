#pragma once

namespace tidewell {
class Button;
class Sound;
class Sprite;
}  // namespace tidewell

namespace brinefall::PanelButtons {

// The menus' three-frame buttons (normal, highlighted, pressed), centred on their
// position, clicking with `click` when pressed and reporting to `owner`, added to it.
tidewell::Button* makeMenuButton(tidewell::Sprite* owner, const char* fileName, tidewell::Sound* click, float x,
                                 float y);
// The panels' "Close" button.
tidewell::Button* makeCloseButton(tidewell::Sprite* owner, tidewell::Sound* click, float x, float y);
// A check box of the options panel, unticked until told otherwise.
tidewell::Button* makeCheckBox(tidewell::Sprite* owner, tidewell::Sound* click, float x, float y);
// Ticked boxes show frames 2 and 3, unticked ones 0 and 1; the second of each pair is
// the highlight for the mouse over, pressed and clicked states.
void showTicked(tidewell::Button* box, bool ticked);

}  // namespace brinefall::PanelButtons
