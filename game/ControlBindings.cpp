#include "ControlBindings.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

#include "ScanCodes.h"
#include "core/SettingManager.h"
#include "input/InputManager.h"
#include "platform/KeyCodes.h"

namespace brinefall {
namespace {

using tidewell::SettingManager::readSetting;
using tidewell::SettingManager::writeSetting;

constexpr ControlBindings::ActionRow kActions[] = {
    {Action::Up, "Up", kKeyUp, ControlBindings::kNoKey},
    {Action::Down, "Down", kKeyDown, ControlBindings::kNoKey},
    {Action::Left, "Left", kKeyLeft, ControlBindings::kNoKey},
    {Action::Right, "Right", kKeyRight, ControlBindings::kNoKey},
    {Action::Fire, "Fire", kKeyLeftCtrl, ControlBindings::kNoKey},
    {Action::Pause, "Pause", kKeySpace, ControlBindings::kNoKey},
};
static_assert(std::size(kActions) == ControlBindings::kActionCount);

constexpr ControlBindings::PadRow kPadActions[] = {
    {PadAction::Fire, "Fire", 0},
    {PadAction::Pause, "Pause", 1},
};
static_assert(std::size(kPadActions) == ControlBindings::kPadActionCount);

constexpr const char* kKeysSetting = "controlKeys";
constexpr const char* kPadSetting = "padButtons";

constexpr int kKeyEscape = 0x01;
constexpr int kKeyBackspace = 0x0E;
constexpr int kReservedKeys[] = {kKeyEscape,  kKeyBackspace, kKeyEnter, kKeyNumpadEnter,
                                 kKeyLeftAlt, kKeyRightAlt,  kKeyF11,   kKeyF12};

// The caps' words where DirectInput's name is not what is printed on the key.
struct KeyWords {
    int key;
    const char* words;
};
constexpr KeyWords kKeyWords[] = {
    {kKeyLeftCtrl, "Left Ctrl"},
    {0x9D, "Right Ctrl"},
    {0x2A, "Left Shift"},
    {0x36, "Right Shift"},
    {kKeySpace, "Space"},
    {0x3A, "Caps Lock"},
    {0x0F, "Tab"},
    {kKeyUp, "Up"},
    {kKeyDown, "Down"},
    {kKeyLeft, "Left"},
    {kKeyRight, "Right"},
    {0xC9, "Page Up"},
    {0xD1, "Page Down"},
    {0xC7, "Home"},
    {0xCF, "End"},
    {0xD2, "Insert"},
    {0xD3, "Delete"},
    {0x0C, "-"},
    {0x0D, "="},
    {0x1A, "["},
    {0x1B, "]"},
    {0x27, ";"},
    {0x28, "'"},
    {0x29, "`"},
    {0x2B, "\\"},
    {0x33, ","},
    {0x34, "."},
    {0x35, "/"},
    {0x37, "Keypad *"},
    {0x4A, "Keypad -"},
    {0x4E, "Keypad +"},
    {0x53, "Keypad ."},
    {0xB5, "Keypad /"},
    {0x45, "Num Lock"},
    {0x46, "Scroll Lock"},
    {0xDB, "Left Super"},
    {0xDC, "Right Super"},
    {0xDD, "Menu"},
    {0xB7, "Print"},
    {0xC5, "Pause"},
};

bool held(int key) { return key != ControlBindings::kNoKey && (tidewell::InputManager::keyStates[key] & 0x80) != 0; }

std::string capitalised(std::string_view name) {
    std::string words(name);
    for (std::size_t i = 1; i < words.size(); ++i) {
        words[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(words[i])));
    }
    return words;
}

}  // namespace

ControlBindings ControlBindings::defaults() {
    ControlBindings bindings;
    for (const ActionRow& row : kActions) bindings.keys_[indexOf(row.action)] = {row.key, row.secondKey};
    for (const PadRow& row : kPadActions) bindings.pad_[indexOf(row.action)] = row.button;
    return bindings;
}

ControlBindings ControlBindings::load() {
    const ControlBindings fallback = defaults();
    ControlBindings bindings = fallback;

    std::vector<std::uint8_t> keys(kActionCount * 2);
    for (std::size_t action = 0; action < kActionCount; ++action) {
        keys[action * 2] = fallback.keys_[action][0];
        keys[action * 2 + 1] = fallback.keys_[action][1];
    }
    readSetting(kKeysSetting, &keys);
    for (std::size_t action = 0; action < kActionCount; ++action) {
        bindings.keys_[action] = {keys[action * 2], keys[action * 2 + 1]};
    }
    if (!bindings.keysAreSound()) {
        bindings.keys_ = fallback.keys_;
        bindings.store();
    }

    std::vector<std::uint8_t> pad(fallback.pad_.begin(), fallback.pad_.end());
    readSetting(kPadSetting, &pad);
    std::copy(pad.begin(), pad.end(), bindings.pad_.begin());
    if (!bindings.padIsSound()) {
        bindings.pad_ = fallback.pad_;
        bindings.store();
    }
    return bindings;
}

void ControlBindings::store() const {
    std::vector<std::uint8_t> keys;
    for (const auto& slots : keys_) keys.insert(keys.end(), slots.begin(), slots.end());
    writeSetting(kKeysSetting, keys);
    writeSetting(kPadSetting, std::vector<std::uint8_t>(pad_.begin(), pad_.end()));
}

// Every action has a bindable first key, a second key is bindable or none, and no key twice.
bool ControlBindings::keysAreSound() const {
    std::vector<int> seen;
    for (const auto& slots : keys_) {
        if (!canBind(slots[0]) || (slots[1] != kNoKey && !canBind(slots[1]))) return false;
        for (const int key : slots) {
            if (key == kNoKey) continue;
            if (std::find(seen.begin(), seen.end(), key) != seen.end()) return false;
            seen.push_back(key);
        }
    }
    return true;
}

bool ControlBindings::padIsSound() const {
    for (std::size_t action = 0; action < pad_.size(); ++action) {
        if (pad_[action] >= kPadButtonCount) return false;
        if (std::count(pad_.begin(), pad_.end(), pad_[action]) != 1) return false;
    }
    return true;
}

ControlBindings& ControlBindings::inForce() {
    static ControlBindings bindings = defaults();
    return bindings;
}

void ControlBindings::loadInForce() { inForce() = load(); }

const ControlBindings::ActionRow& ControlBindings::row(Action action) { return kActions[indexOf(action)]; }

const ControlBindings::PadRow& ControlBindings::row(PadAction action) { return kPadActions[indexOf(action)]; }

int ControlBindings::key(Action action, int slot) const { return keys_[indexOf(action)][slot == 0 ? 0 : 1]; }

int ControlBindings::padButton(PadAction action) const { return pad_[indexOf(action)]; }

bool ControlBindings::isKeyOf(Action action, int key) const {
    const auto& slots = keys_[indexOf(action)];
    return key != kNoKey && (slots[0] == key || slots[1] == key);
}

bool ControlBindings::isDirectionKey(int key) const {
    return isKeyOf(Action::Up, key) || isKeyOf(Action::Down, key) || isKeyOf(Action::Left, key) ||
           isKeyOf(Action::Right, key);
}

bool ControlBindings::isHeld(Action action) const {
    const auto& slots = keys_[indexOf(action)];
    return held(slots[0]) || held(slots[1]);
}

bool ControlBindings::isPadHeld(PadAction action, const std::uint8_t* buttons) const {
    return buttons != nullptr && (buttons[padButton(action)] & 0x80) != 0;
}

bool ControlBindings::bindKey(Action action, int slot, int key) {
    if (!canBind(key)) return false;
    std::uint8_t& target = keys_[indexOf(action)][slot == 0 ? 0 : 1];
    const std::uint8_t previous = target;
    for (auto& slots : keys_) {
        for (std::uint8_t& holder : slots) {
            if (holder != key || &holder == &target) continue;
            // A first key handed an empty slot would leave its action keyless: the second key
            // steps up, and without one the key stays where it is.
            if (previous == kNoKey && &holder == &slots[0]) {
                if (slots[1] == kNoKey) return false;
                holder = slots[1];
                slots[1] = kNoKey;
            } else {
                holder = previous;
            }
        }
    }
    target = static_cast<std::uint8_t>(key);
    return true;
}

void ControlBindings::clearSecondKey(Action action) { keys_[indexOf(action)][1] = kNoKey; }

bool ControlBindings::bindPadButton(PadAction action, int button) {
    if (button < 0 || button >= kPadButtonCount) return false;
    std::uint8_t& target = pad_[indexOf(action)];
    for (std::uint8_t& holder : pad_) {
        if (holder == button && &holder != &target) holder = target;
    }
    target = static_cast<std::uint8_t>(button);
    return true;
}

bool ControlBindings::canBind(int key) {
    if (key <= 0 || key > 255 || tidewell::platform::keyNameOf(static_cast<std::uint8_t>(key)).empty()) return false;
    return std::find(std::begin(kReservedKeys), std::end(kReservedKeys), key) == std::end(kReservedKeys);
}

std::string ControlBindings::keyLabel(int key) {
    for (const KeyWords& words : kKeyWords) {
        if (words.key == key) return words.words;
    }
    if (key <= 0 || key > 255) return "";
    const std::string_view name = tidewell::platform::keyNameOf(static_cast<std::uint8_t>(key));
    constexpr std::string_view kNumpad = "NUMPAD";
    if (name.starts_with(kNumpad)) return "Keypad " + capitalised(name.substr(kNumpad.size()));
    return capitalised(name);
}

std::string ControlBindings::padButtonLabel(int button) { return "Button " + std::to_string(button + 1); }

}  // namespace brinefall
