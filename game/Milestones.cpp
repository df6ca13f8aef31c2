#include "Milestones.h"

#include "core/MainLoop.h"

#include <string>

namespace brinefall {
namespace {

Milestones::Sink& sink() {
    static Milestones::Sink theSink;
    return theSink;
}

}  // namespace

void Milestones::setSink(Sink newSink) { sink() = std::move(newSink); }

bool Milestones::isOn() { return static_cast<bool>(sink()); }

// During a frame framesRun() still counts the frames before it.
void Milestones::report(std::string_view word, std::string_view details) {
    if (!isOn()) return;
    write(tidewell::MainLoop::framesRun() + 1, word, details);
}

void Milestones::report(std::string_view word, int number) {
    if (!isOn()) return;
    report(word, std::to_string(number));
}

void Milestones::reportEnd(std::string_view details) {
    if (!isOn()) return;
    write(tidewell::MainLoop::framesRun(), "end", details);
}

void Milestones::write(unsigned long long frame, std::string_view word, std::string_view details) {
    std::string line = "frame " + std::to_string(frame) + ": ";
    line += word;
    if (!details.empty()) {
        line += ' ';
        line += details;
    }
    sink()(line);
}

}  // namespace brinefall
