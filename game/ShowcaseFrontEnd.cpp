#include "ShowcaseFrontEnd.h"

#include <cmath>
#include <vector>

#include "CyclingImage.h"
#include "Image.h"
#include "InputManager.h"
#include "Shape.h"
#include "ShowcaseKit.h"
#include "StillSea.h"
#include "Text.h"
#include "WindowManager.h"

namespace brinefall {
namespace {

using namespace tidewell;
using ShowcaseKit::picture;

// Something the pointer visits, with the frames it shows at rest, under the pointer
// and pressed.
struct Stop {
    Image* image;
    unsigned rest, hover, pressed;
};

// The pointer touring the clickable pictures: it rests on each for `kDwell` frames,
// which shows its highlighted frame, and presses it near the end of the visit.
class PointerTour {
public:
    static constexpr int kDwell = 15;
    static constexpr int kPressFrom = 10;
    static constexpr int kPressTo = 13;

    void add(Image* image, unsigned rest, unsigned hover, unsigned pressed) {
        stops_.push_back({image, rest, hover, pressed});
    }

    void step(int frame) {
        if (stops_.empty()) return;
        const Stop& stop = stops_[static_cast<std::size_t>(frame / kDwell) % stops_.size()];
        const int within = frame % kDwell;
        if (within == 0) {
            for (const Stop& other : stops_) other.image->setFrame(other.rest);
            // A little below and right of the centre, where a hand would rest the arrow.
            InputManager::setMousePosition(static_cast<std::uint32_t>(stop.image->getAbsoluteX() + 6),
                                           static_cast<std::uint32_t>(stop.image->getAbsoluteY() + 4));
        }
        stop.image->setFrame(within >= kPressFrom && within < kPressTo ? stop.pressed : stop.hover);
    }

private:
    std::vector<Stop> stops_;
};

// The title screen as the title scene lays it out: the still sea, the globe, the
// title, the five buttons, the version and copyright lines and the two enemies playing
// their idle animations.
class TitleScene : public Sprite {
public:
    TitleScene() {
        InputManager::setCursorVisible(true);
        addChild(new StillSea());
        picture(this, "globe.twi", 1, 1, 400, 180);
        picture(this, "title.twi", 1, 1, 400, 140);
        buttons.push_back(picture(this, "startButton.twi", 1, 3, 400, 380));
        buttons.push_back(picture(this, "optionsButton.twi", 1, 3, 400, 480));
        buttons.push_back(picture(this, "helpButton.twi", 1, 3, 400, 510));
        buttons.push_back(picture(this, "visitButton.twi", 1, 3, 400, 550));
        buttons.push_back(picture(this, "exitButton.twi", 1, 3, 400, 590));
        ShowcaseKit::text(this, ShowcaseKit::kSmallFont, "Brinefall Demo Version 1.2", 10, 585);
        // Two lines centred on x 600; 0xA9 is the copyright sign in the font's code page.
        Text* copyright =
            ShowcaseKit::text(this, ShowcaseKit::kSmallFont, "\xA9 2026 Tidewell\nAll rights reserved.", 600, 573,
                              Text::centredMode, 200);
        copyright->setHorizontalAlignment(3);
        addEnemy("enemy11.twi", {{0, 20}, {1, 10}, {2, 5}}, 150);
        addEnemy("enemy18.twi", {{0, 20}, {1, 5}, {0, 10}, {2, 5}}, 650);
    }

    void update() override { tour.step(frame++); }

    std::vector<Image*> buttons;
    PointerTour tour;
    int frame = 0;

private:
    void addEnemy(const char* fileName, std::vector<CyclingImage::Step> steps, float x) {
        auto* enemy = new CyclingImage(fileName, 2, 2, std::move(steps));
        enemy->setPosition(x, 420);
        addChild(enemy);
    }
};

// The title screen with its pointer visiting the buttons.
Sprite* buildTitle() {
    auto* scene = new TitleScene();
    for (Image* button : scene->buttons) scene->tour.add(button, 0, 1, 2);
    return scene;
}

// A check box of the options panel: frame 0 unticked, 2 ticked, one more highlighted;
// one that cannot be used is greyed.
Image* addCheckBox(Sprite* panel, float x, float y, bool ticked, bool usable) {
    Image* box = picture(panel, "checkbox.twi", 2, 2, x, y, ticked ? 2 : 0);
    if (!usable) box->setRGB(0x7F, 0x7F, 0x7F);
    return box;
}

// The options panel over the title at (400, 300), its boxes showing what a first start
// on this machine shows: the keyboard chosen unless a joystick is attached, vibration
// only with a joystick that can vibrate, sound and music on, the display as it is now.
Sprite* buildOptions() {
    auto* scene = new TitleScene();
    auto* panel = new Sprite();
    panel->setPosition(400, 300);
    scene->addChild(panel);
    picture(panel, "optionspanel.twi", 1, 1, 0, 0);
    const bool joystick = InputManager::joystickCount > 0;
    const bool vibration = joystick && !InputManager::joystickForceFeedback.empty() &&
                           InputManager::joystickForceFeedback[0] != 0;
    const bool fullScreen = WindowManager::isFullScreen();
    struct Box {
        float x, y;
        bool ticked, usable;
    };
    const Box boxes[] = {
        {-112, -166, !joystick, true}, {-112, -84, joystick, joystick}, {68, -19, vibration, vibration},
        {-19, 51, true, true},         {91, 51, false, true},          {-19, 94, true, true},
        {91, 94, false, true},         {-19, 137, fullScreen, true},   {91, 137, !fullScreen, true},
    };
    for (const Box& box : boxes) {
        Image* shown = addCheckBox(panel, box.x, box.y, box.ticked, box.usable);
        if (box.usable) scene->tour.add(shown, box.ticked ? 2 : 0, box.ticked ? 3 : 1, box.ticked ? 3 : 1);
    }
    scene->tour.add(picture(panel, "closebutton.twi", 1, 3, 0, 190), 0, 1, 2);
    return scene;
}

// The help panel over the title at (400, 300), its close button 230 below the middle.
Sprite* buildHelp() {
    auto* scene = new TitleScene();
    auto* panel = new Sprite();
    panel->setPosition(400, 300);
    scene->addChild(panel);
    picture(panel, "helppanel.twi", 1, 1, 0, 0);
    scene->tour.add(picture(panel, "closebutton.twi", 1, 3, 0, 230), 0, 1, 2);
    return scene;
}

// The maker's logo on black, fading in for a second, staying two, fading out for one,
// then half a second of black; again and again.
class CompanyScene : public Sprite {
public:
    CompanyScene() {
        // The pointer would stand on the logo, in the middle of the screen.
        InputManager::setCursorVisible(false);
        ShowcaseKit::rectangle(this, 0, 0, 800, 600, 0xFF000000);
        logo_ = picture(this, "company.twi", 1, 1, 400, 300);
        logo_->setAlpha(0);
    }

    void update() override {
        count_ = count_ % 90 + 1;
        const int n = count_;
        logo_->setAlpha(n < 20 ? n * 255 / 20 : n < 60 ? 255 : n < 80 ? (80 - n) * 255 / 20 : 0);
    }

private:
    Image* logo_;
    int count_ = 0;
};

// The two sets of the still backdrop side by side, split by a line that sweeps across:
// left of it the set the software renderer draws, right of it the light set with the
// hardware renderer's tint, so that the two can be seen to be the same picture.
class BackdropScene : public Sprite {
public:
    BackdropScene() {
        InputManager::setCursorVisible(false);
        coloured_ = addHalf(StillSea::Look::coloured);
        tinted_ = addHalf(StillSea::Look::tinted);
        divider_ = ShowcaseKit::rectangle(this, 0, 0, 2, 600, 0xFFFFE080);
        ShowcaseKit::text(this, ShowcaseKit::kSmallFont, "software set", 10, 8);
        Text* right = ShowcaseKit::text(this, ShowcaseKit::kSmallFont, "hardware set, tinted 0x00007F", 790, 8);
        right->setHorizontalAlignment(2);
        split(400);
    }

    void update() override { split(400 + 300 * std::sin(++frame_ * 0.08f)); }

private:
    Sprite* addHalf(StillSea::Look look) {
        auto* window = new Sprite();
        window->clipping = true;
        addChild(window);
        window->addChild(new StillSea(look));
        return window;
    }

    void split(float x) {
        const int at = static_cast<int>(x);
        setClip(coloured_, 0, at);
        setClip(tinted_, at, 800);
        divider_->setX(static_cast<float>(at - 1));
    }

    static void setClip(Sprite* window, int left, int right) {
        window->clipLeft = static_cast<float>(left);
        window->clipRight = static_cast<float>(right);
        window->clipTop = 0;
        window->clipBottom = 600;
        window->updateClip();
    }

    Sprite* coloured_;
    Sprite* tinted_;
    Shape* divider_;
    int frame_ = 0;
};

}  // namespace

Sprite* makeBackdropShowcase() { return new BackdropScene(); }
Sprite* makeTitleShowcase() { return buildTitle(); }
Sprite* makeOptionsShowcase() { return buildOptions(); }
Sprite* makeHelpShowcase() { return buildHelp(); }
Sprite* makeCompanyShowcase() { return new CompanyScene(); }

}  // namespace brinefall
