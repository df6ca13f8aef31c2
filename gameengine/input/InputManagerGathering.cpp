// Gathering: what each device buffered becomes events, merged into one queue in the order
// they happened, with runs of moves collapsed and, in a window, the pointer put where the
// system cursor is. Every container here keeps its storage from frame to frame, so a frame
// of play allocates nothing once the first frames have run.

#include <algorithm>

#include "input/InputManager.h"
#include "input/InputJournal.h"
#include "input/InputManagerInternal.h"
#include "core/Screen.h"
#include "core/WindowManager.h"
#include "platform/Platform.h"

namespace tidewell::InputManager::internal {

std::vector<InputEvent> queue;

namespace {

using platform::InputDatum;

constexpr std::uint32_t kJoystickButtons = 32;
constexpr std::uint32_t kMouseEventButtons = 3;  // the fourth button makes no events

// One device's events of this frame, before they are merged into the queue.
std::vector<InputEvent> batch;
// The queue and the batch merged, swapped with the queue afterwards.
std::vector<InputEvent> merged;

InputEvent makeEvent(InputEvent::Kind kind, std::uint32_t sequence) {
    InputEvent event;
    event.kind = kind;
    event.sequence = static_cast<std::int32_t>(sequence);
    return event;
}

// Sequence numbers wrap around; the signed difference still tells which came first.
bool earlier(std::int32_t first, std::int32_t second) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(first) - static_cast<std::uint32_t>(second)) < 0;
}

// Both the queue and the batch are in order. A batch event goes before the first queued
// event that came after it; events of the same moment stay behind those already queued.
void mergeBatchIntoQueue() {
    if (batch.empty()) {
        return;
    }
    merged.clear();
    auto queued = queue.begin();
    auto next = batch.begin();
    while (queued != queue.end() && next != batch.end()) {
        if (earlier(next->sequence, queued->sequence)) {
            merged.push_back(*next++);
        } else {
            merged.push_back(*queued++);
        }
    }
    merged.insert(merged.end(), queued, queue.end());
    merged.insert(merged.end(), next, batch.end());
    queue.swap(merged);
}

void keyEvents(std::span<const InputDatum> data) {
    batch.clear();
    for (const InputDatum& datum : data) {
        InputEvent event =
            makeEvent((datum.value & 0x80) != 0 ? InputEvent::KeyDown : InputEvent::KeyUp, datum.sequence);
        event.key = static_cast<std::int32_t>(datum.offset);
        batch.push_back(event);
    }
}

void mouseEvents(std::span<const InputDatum> data) {
    batch.clear();
    std::int64_t runningX = mouseX;
    std::int64_t runningY = mouseY;
    for (const InputDatum& datum : data) {
        const auto delta = static_cast<std::int32_t>(datum.value);
        if (datum.offset == platform::mouseOffset::x || datum.offset == platform::mouseOffset::y) {
            if (datum.offset == platform::mouseOffset::x) {
                runningX = clampToWidth(runningX + delta);
            } else {
                runningY = clampToHeight(runningY + delta);
            }
            // X and Y reported together are one move.
            const bool sameReport = !batch.empty() && batch.back().kind == InputEvent::MouseMove &&
                                    batch.back().sequence == static_cast<std::int32_t>(datum.sequence);
            if (!sameReport) {
                batch.push_back(makeEvent(InputEvent::MouseMove, datum.sequence));
            }
            batch.back().x = static_cast<std::int32_t>(runningX);
            batch.back().y = static_cast<std::int32_t>(runningY);
        } else if (datum.offset >= platform::mouseOffset::button0 &&
                   datum.offset < platform::mouseOffset::button0 + kMouseEventButtons) {
            InputEvent event = makeEvent(
                (datum.value & 0x80) != 0 ? InputEvent::MouseButtonDown : InputEvent::MouseButtonUp, datum.sequence);
            event.mouseButton = static_cast<std::int32_t>(datum.offset - platform::mouseOffset::button0);
            event.x = static_cast<std::int32_t>(runningX);
            event.y = static_cast<std::int32_t>(runningY);
            batch.push_back(event);
        }
        // The wheel and the fourth button make no events.
    }
}

void joystickEvents(std::int32_t joystick, std::span<const InputDatum> data) {
    batch.clear();
    for (const InputDatum& datum : data) {
        const auto value = static_cast<std::int32_t>(datum.value);
        if (datum.offset == platform::joystickOffset::x || datum.offset == platform::joystickOffset::y) {
            // An axis alone carries 0 for the other one; X and Y of one report make one move.
            const bool sameReport = !batch.empty() && batch.back().kind == InputEvent::JoystickMove &&
                                    batch.back().sequence == static_cast<std::int32_t>(datum.sequence);
            if (!sameReport) {
                InputEvent event = makeEvent(InputEvent::JoystickMove, datum.sequence);
                event.joystick = joystick;
                batch.push_back(event);
            }
            (datum.offset == platform::joystickOffset::x ? batch.back().joystickX : batch.back().joystickY) = value;
        } else if (datum.offset >= platform::joystickOffset::button0 &&
                   datum.offset < platform::joystickOffset::button0 + kJoystickButtons) {
            InputEvent event =
                makeEvent((datum.value & 0x80) != 0 ? InputEvent::JoystickButtonDown : InputEvent::JoystickButtonUp,
                          datum.sequence);
            event.joystick = joystick;
            event.joystickButton = static_cast<std::int32_t>(datum.offset - platform::joystickOffset::button0);
            batch.push_back(event);
        }
    }
}

// A handler sees at most one move per run of moves: the last, where the device ended up.
// Moves of two joysticks are not one run: each joystick keeps its own last move.
void collapseMoves() {
    auto sameRun = [](const InputEvent& first, const InputEvent& second) {
        if (first.kind != second.kind) {
            return false;
        }
        return first.kind == InputEvent::MouseMove ||
               (first.kind == InputEvent::JoystickMove && first.joystick == second.joystick);
    };
    // An event stays when the one after it does not carry on its run.
    std::size_t kept = 0;
    for (std::size_t index = 0; index < queue.size(); ++index) {
        const bool followed = index + 1 < queue.size() && sameRun(queue[index], queue[index + 1]);
        if (!followed) {
            queue[kept++] = queue[index];
        }
    }
    queue.resize(kept);
}

bool isMouseEvent(const InputEvent& event) {
    return event.kind == InputEvent::MouseMove || event.kind == InputEvent::MouseButtonDown ||
           event.kind == InputEvent::MouseButtonUp;
}

// In a window the pointer is where the system cursor is; outside the picture the system
// cursor shows itself, so the player sees where the mouse went.
void followSystemCursor() {
    const auto lastMove = std::find_if(queue.rbegin(), queue.rend(),
                                       [](const InputEvent& event) { return event.kind == InputEvent::MouseMove; });
    platform::Window* window = WindowManager::getWindow();
    if (lastMove == queue.rend() || window == nullptr) {
        return;
    }
    int x = 0;
    int y = 0;
    window->cursorPosition(x, y);
    InputJournal::noteCursor(x, y);
    const bool outside = x < 0 || y < 0 || x >= static_cast<int>(screenWidth) || y >= static_cast<int>(screenHeight);
    setSystemCursorShown(outside);
    mouseX = clampToWidth(x);
    mouseY = clampToHeight(y);
    for (auto event = std::prev(lastMove.base()); event != queue.end(); ++event) {
        if (isMouseEvent(*event)) {
            event->x = static_cast<std::int32_t>(mouseX);
            event->y = static_cast<std::int32_t>(mouseY);
        }
    }
}

}  // namespace

void reserveQueue() {
    const std::size_t fullFrame =
        std::size_t{keyboardBufferSize} + mouseBufferSize + std::size_t{joystickBufferSize} * devices.joysticks.size();
    queue.reserve(fullFrame);
    merged.reserve(fullFrame);
    batch.reserve(
        std::max({std::size_t{keyboardBufferSize}, std::size_t{mouseBufferSize}, std::size_t{joystickBufferSize}}));
}

void gather(std::uint64_t frame) {
    inputDevices().collect(frame);
    followJoystickPlugging();
    using Device = platform::JournalWriter::Device;
    if (devices.keyboard) {
        const auto data = readBuffered(*devices.keyboard, keyboardBufferSize);
        InputJournal::noteData(Device::Keyboard, -1, data);
        keyEvents(data);
        mergeBatchIntoQueue();
    }
    if (devices.mouse) {
        const auto data = readBuffered(*devices.mouse, mouseBufferSize);
        InputJournal::noteData(Device::Mouse, -1, data);
        mouseEvents(data);
        mergeBatchIntoQueue();
    }
    for (std::size_t index = 0; index < devices.joysticks.size(); ++index) {
        const auto joystick = static_cast<std::int32_t>(index);
        const auto data = readBuffered(*devices.joysticks[index], joystickBufferSize);
        InputJournal::noteData(Device::Joystick, joystick, data);
        joystickEvents(joystick, data);
        mergeBatchIntoQueue();
    }
    collapseMoves();
    if (!WindowManager::isFullScreen()) {
        followSystemCursor();
    }
}

}  // namespace tidewell::InputManager::internal
