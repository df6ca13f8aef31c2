#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace brinefall {

// What the player does with the keyboard in play, and with the pad's buttons.
enum class Action { Up, Down, Left, Right, Fire, Pause };
enum class PadAction { Fire, Pause };

// The keys and pad buttons the player chose: each action has a key and an optional second
// key, the pad's Fire and Pause a button each. No key serves two actions and no button two
// pad actions; binding one that is taken swaps it, so every action stays bound. They are
// kept in the settings as "controlKeys" (the actions' two keys in table order, 0 for no
// second key) and "padButtons" (Fire's button, then Pause's).
class ControlBindings {
public:
    static constexpr int kActionCount = 6;
    static constexpr int kPadActionCount = 2;
    static constexpr int kPadButtonCount = 32;  // the buttons a joystick state carries
    static constexpr int kNoKey = 0;

    struct ActionRow {
        Action action;
        const char* name;
        std::uint8_t key;
        std::uint8_t secondKey;
    };
    struct PadRow {
        PadAction action;
        const char* name;
        std::uint8_t button;
    };

    // The designed controls: arrows move, Left Ctrl fires, Space pauses, pad buttons 0 and 1.
    static ControlBindings defaults();
    // The stored bindings; a value missing or damaged gives its defaults, and they are stored.
    static ControlBindings load();
    void store() const;

    // The bindings play follows, read from the settings when a title or a game is built and
    // replaced by the controls panel.
    static ControlBindings& inForce();
    static void loadInForce();

    static const ActionRow& row(Action action);
    static const PadRow& row(PadAction action);
    static Action actionAt(int index) { return static_cast<Action>(index); }
    static PadAction padActionAt(int index) { return static_cast<PadAction>(index); }

    // slot 0 the key, 1 the second key (kNoKey when there is none).
    int key(Action action, int slot = 0) const;
    int padButton(PadAction action) const;
    bool isKeyOf(Action action, int key) const;
    // A key of Up, Down, Left or Right: it steers, so it never skips a scene.
    bool isDirectionKey(int key) const;
    // Whether either key of the action is held now.
    bool isHeld(Action action) const;
    bool isPadHeld(PadAction action, const std::uint8_t* buttons) const;

    // Puts `key` in the action's slot. Wherever the key was, the slot's old key takes its
    // place; false, with nothing changed, for a key that cannot be bound or when that would
    // leave an action without a key.
    bool bindKey(Action action, int slot, int key);
    // The action keeps only its first key.
    void clearSecondKey(Action action);
    // As bindKey for the pad; false for a button the pad cannot have.
    bool bindPadButton(PadAction action, int button);

    // Keys that keep their own work everywhere: Escape cancels, Enter chooses (Alt+Enter
    // switches the screen mode), F11 and F12, Backspace clears a second key.
    static bool canBind(int key);
    // The words a key cap shows: "Left Ctrl", "Up", "Q", "Keypad 7".
    static std::string keyLabel(int key);
    // "Button 1" for button 0, as a pad's buttons are printed.
    static std::string padButtonLabel(int button);

    bool operator==(const ControlBindings&) const = default;

private:
    static std::size_t indexOf(Action action) { return static_cast<std::size_t>(action); }
    static std::size_t indexOf(PadAction action) { return static_cast<std::size_t>(action); }
    bool keysAreSound() const;
    bool padIsSound() const;

    std::array<std::array<std::uint8_t, 2>, kActionCount> keys_{};
    std::array<std::uint8_t, kPadActionCount> pad_{};
};

}  // namespace brinefall
