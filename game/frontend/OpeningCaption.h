#pragma once

#include <vector>

#include "display/Sprite.h"

namespace tidewell {
class Image;
class Texture;
}  // namespace tidewell

namespace brinefall {

// One caption of the opening: an image of text lines, shown one line at a time. Each
// line fades in while it drifts upward, stays, and fades out; the next line starts a
// fixed number of frames later. Nothing moves until start() is called.
class OpeningCaption : public tidewell::Sprite {
public:
    // One centred, transparent line per frame of the columns × rows grid of the image.
    OpeningCaption(const char* fileName, unsigned columns, unsigned rows);
    // Gives the texture back.
    ~OpeningCaption() override;

    void update() override;

    void start();
    bool isStarted() const { return started_; }
    int getCounter() const { return counter_; }
    int getLineCount() const { return lineCount_; }
    tidewell::Image* getLine(int line) const;

private:
    // Places and fades line `line` for its own time t (frames since it began).
    void stepLine(int line, int t);

    tidewell::Texture* texture_ = nullptr;
    std::vector<tidewell::Image*> lines_;
    int lineCount_ = 0;
    float speed_ = 1.0f;
    int fadeIn_ = 10;
    int hold_ = 60;
    int fadeOut_ = 10;
    int lineDelay_ = 30;
    int counter_ = 0;
    bool started_ = false;
};

}  // namespace brinefall
