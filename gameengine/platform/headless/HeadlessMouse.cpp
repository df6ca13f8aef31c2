#include "HeadlessMouse.h"

#include "HeadlessInput.h"

namespace tidewell::platform::headless {

HeadlessMouse::HeadlessMouse(HeadlessInput& input) : input_(input) { input_.connect(this); }

HeadlessMouse::~HeadlessMouse() { input_.disconnect(this); }

InputResult HeadlessMouse::readState(MouseState& state) {
    if (const InputResult problem = readProblem(); !succeeded(problem)) {
        return problem;
    }
    state = input_.takeMouseState();
    return InputResult::Ok;
}

}  // namespace tidewell::platform::headless
