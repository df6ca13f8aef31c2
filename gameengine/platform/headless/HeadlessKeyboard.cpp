#include "HeadlessKeyboard.h"

#include "HeadlessInput.h"

namespace tidewell::platform::headless {

HeadlessKeyboard::HeadlessKeyboard(HeadlessInput& input) : input_(input) { input_.connect(this); }

HeadlessKeyboard::~HeadlessKeyboard() { input_.disconnect(this); }

InputResult HeadlessKeyboard::readState(KeyboardState& state) {
    if (const InputResult problem = readProblem(); !succeeded(problem)) {
        return problem;
    }
    state = input_.keyboardState();
    return InputResult::Ok;
}

}  // namespace tidewell::platform::headless
