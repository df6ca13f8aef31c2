#include "gameplay/hud/PopupText.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "display/Text.h"

namespace brinefall {
namespace {

constexpr const char* kFont = "arial20_1.twf";
constexpr float kRiseSpeed = 3.0f;
constexpr float kRiseLimit = -60.0f;
// A damage number takes in the hits that land within this reach of it while it has risen
// less than this (ten frames, half a second): a fire's hits, which come every frame, and a
// fast gun's on one enemy read as one growing total.
constexpr float kAbsorbReach = 24.0f;
constexpr float kAbsorbRise = 30.0f;
constexpr int kDamageType = 1;

// The tracks with fixed names, by popup type.
struct FixedText {
    int type;
    const char* format;
};
constexpr std::array<FixedText, 7> kFixedTexts{{
    {2, "Life\n+%d"},
    {3, "Life\nEXP +%d"},
    {4, "Speed\nEXP +%d"},
    {5, "Gun\nEXP +%d"},
    {11, "Life\nLEVEL %s!"},
    {12, "Speed\nLEVEL %s!"},
    {13, "Gun\nLEVEL %s!"},
}};

// The special weapons' names: one row per set, kinds 1, 2, 3.
constexpr int kWeaponSets = 5;
constexpr std::array<std::array<const char*, 3>, kWeaponSets> kWeaponNames{{
    {"Bomb", "Fire Bomb", "Downward Gun"},
    {"Split Guns", "Power Balls", "Split Lasers"},
    {"Guided Gun", "Syuriken", "Laser"},
    {"Auto Gun", "Missile", "Big Bomb"},
    {"Option Tail", "Option Shield", "Free Options"},
}};

constexpr int kFirstSpecialExpType = 6;
constexpr int kFirstSpecialLevelType = 14;
constexpr int kGetType = 19;

const char* levelWord(int level) { return level > 4 ? "MAX" : "UP"; }

const char* weaponName(int set, int kind) {
    if (set < 1 || set > kWeaponSets || kind < 1 || kind > 3) {
        return nullptr;
    }
    return kWeaponNames[static_cast<std::size_t>(set - 1)][static_cast<std::size_t>(kind - 1)];
}

std::string format(const char* pattern, int value) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

std::string format(const char* pattern, const char* word) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, pattern, word);
    return buffer;
}

std::string fixedText(int type, int value) {
    for (const FixedText& row : kFixedTexts) {
        if (row.type != type) {
            continue;
        }
        return type >= 11 ? format(row.format, levelWord(value)) : format(row.format, value);
    }
    return {};
}

}  // namespace

PopupText::PopupText(int type, int kind, int value) : type_(type), value_(value) {
    text_ = new tidewell::Text(kFont);
    addChild(text_);
    // A wrap width of 0 puts every word centred on a line of its own.
    text_->setMode(tidewell::Text::centredMode);
    string_ = textFor(type, kind, value);
    if (type == 1) {
        text_->setNumber(value);
    } else {
        text_->setText(string_.c_str());
    }
    text_->setAlignment(3, 3);
}

PopupText::~PopupText() = default;

std::string PopupText::textFor(int type, int kind, int value) {
    if (type == 1) {
        return std::to_string(value);
    }
    if (type >= kFirstSpecialExpType && type < kFirstSpecialExpType + kWeaponSets) {
        const char* name = weaponName(type - kFirstSpecialExpType + 1, kind);
        return name ? std::string(name) + format("\nEXP +%d", value) : std::string();
    }
    if (type >= kFirstSpecialLevelType && type < kFirstSpecialLevelType + kWeaponSets) {
        const char* name = weaponName(type - kFirstSpecialLevelType + 1, kind);
        return name ? std::string(name) + format("\nLEVEL %s!", levelWord(value)) : std::string();
    }
    if (type == kGetType) {
        const char* name = weaponName(value, kind);
        return name ? "GET\n" + std::string(name) + "!" : std::string();
    }
    return fixedText(type, value);
}

bool PopupText::canAbsorb(const PopupText& fresh) const {
    return type_ == kDamageType && fresh.type_ == kDamageType && !isRemoved() && text_->y > -kAbsorbRise &&
           std::fabs(x - fresh.x) <= kAbsorbReach && std::fabs(y - fresh.y) <= kAbsorbReach;
}

void PopupText::absorb(const PopupText& fresh) {
    value_ += fresh.value_;
    string_ = std::to_string(value_);
    text_->setNumber(value_);
}

void PopupText::update() {
    text_->moveY(-kRiseSpeed);
    // Its own rise ends it, not the screen edge, so a popup near the top lives as long.
    if (text_->y < kRiseLimit) {
        remove();
    }
}

}  // namespace brinefall
