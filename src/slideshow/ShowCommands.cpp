#include "slideshow/ShowCommands.h"

#include <functional>

namespace {

// Windows virtual-key codes, as the engine's keyboard reads them.
constexpr BYTE kEscape = 27, kSpace = 32, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
constexpr BYTE kF1 = 112, kF2 = 113, kF3 = 114, kF4 = 115;

constexpr int kSlowestDelay = 10, kFastestDelay = 1;
constexpr double kSingleArrowAfter = 0.5, kDoubleArrowAfter = 1.5;
constexpr int kSingleSkip = 9, kDoubleSkip = 99;
// The pointer in the rightmost 159 pixels of the screen.
constexpr int kRightEdgeWidth = 160;
// A drag further to the left than this goes backwards.
constexpr int kDragDistance = 50;

// Waits until no key is down: sleeps 100 ms between polls and serves window
// events. A failed poll ends the wait.
void WaitForRelease(TShowContext& Show) {
    auto& keyboard = *Show.Objects.Keyboard;
    bool read = keyboard.Poll();
    while (read && keyboard.AnyKeyDown()) {
        Show.Services.Host.Sleep(100);
        Show.Services.Host.ProcessMessages();
        read = keyboard.Poll();
    }
}

// Runs while StillHeld says so, showing the arrow of the jump a release would
// make; returns that jump's skip. Backward is asked on every pass that shows
// an arrow.
int HoldSkip(TShowContext& Show, const std::function<bool()>& StillHeld, const std::function<bool()>& Backward) {
    auto& host = Show.Services.Host;
    auto& overlay = Show.Services.Overlay;
    const double start = host.Seconds();
    int skip;
    do {
        skip = 0;
        const double held = host.Seconds() - start;
        if (held > kDoubleArrowAfter) {
            const bool back = Backward();
            back ? overlay.ShowFastBackward() : overlay.ShowFastForward();
            skip = back ? -kDoubleSkip : kDoubleSkip;
            Show.State.Jumped = true;
        } else if (held > kSingleArrowAfter) {
            const bool back = Backward();
            back ? overlay.ShowBackward() : overlay.ShowForward();
            skip = back ? -kSingleSkip : kSingleSkip;
            Show.State.Jumped = true;
        }
    } while (StillHeld());
    overlay.CloseOverlay();
    return skip;
}

int HoldArrowKey(TShowContext& Show, BYTE Key, bool Backward) {
    auto& keyboard = *Show.Objects.Keyboard;
    return HoldSkip(
        Show, [&] { return keyboard.Poll() && keyboard.KeyDown(Key); }, [=] { return Backward; });
}

bool LetterDown(TShowContext& Show, char32_t Letter) {
    const auto key = Show.Services.Keys.VirtualKeyTyping(Letter);
    return key && Show.Objects.Keyboard->KeyDown(*key);
}

// R and L: the photo comes again, loaded afresh from the turned file. One
// press turns it once: the key is let go before the photo comes again, or a
// press longer than a reload would turn it again and again.
void TurnPicture(TShowContext& Show, const TPhotoMotion& Motion, bool Clockwise) {
    Show.Services.Pictures.RotatePictureFile(Show.Photos.at(Show.State.Index), Clockwise);
    WaitForRelease(Show);
    Show.State.Jumped = true;
    --Show.State.Index;
    OweRemainingDrift(Show.State, Motion);
}

// Commands that end the photo; false when none of them acts.
bool ReadEndingKeys(TShowContext& Show, const TPhotoMotion& Motion) {
    auto& keyboard = *Show.Objects.Keyboard;
    auto& state = Show.State;
    if (LetterDown(Show, U'r')) {
        TurnPicture(Show, Motion, true);
    } else if (LetterDown(Show, U'l')) {
        TurnPicture(Show, Motion, false);
    } else if (keyboard.KeyDown(kEscape) || (keyboard.KeyDown(kF4) && Show.Services.Keys.AltDown())) {
        state.StopRequested = true;
    } else if (keyboard.KeyDown(kRight)) {
        state.Index += HoldArrowKey(Show, kRight, false);
        OweRemainingDrift(state, Motion);
    } else if (keyboard.KeyDown(kLeft)) {
        state.Index += HoldArrowKey(Show, kLeft, true);
        state.Jumped = true;
        state.Index -= 2;
        // Once around the end of the list: the show loop then advances by one.
        if (state.Index < 0) state.Index += Show.PhotoCount();
        RenderIgnoringFailure(*Show.Objects.Scene);
        OweRemainingDrift(state, Motion);
    } else {
        return false;
    }
    return true;
}

// Commands that let the photo go on; every one that is down is served.
void ReadSteadyKeys(TShowContext& Show) {
    auto& keyboard = *Show.Objects.Keyboard;
    auto& state = Show.State;
    if (keyboard.KeyDown(kUp) && state.Delay < kSlowestDelay) {
        ++state.Delay;
        WaitForRelease(Show);
    }
    if (keyboard.KeyDown(kDown) && state.Delay > kFastestDelay) {
        --state.Delay;
        WaitForRelease(Show);
    }
    if (keyboard.KeyDown(kSpace)) {
        state.Paused = !state.Paused;
        WaitForRelease(Show);
    }
    if (keyboard.KeyDown(kF1)) Show.Services.Host.ShowHelp();
    if (keyboard.KeyDown(kF2)) Show.Services.Host.ShowSettings();
    if (keyboard.KeyDown(kF3)) {
        WaitForRelease(Show);
        Show.Services.Music.ToggleMusic();
    }
}

}  // namespace

bool ReadKeyboardCommands(TShowContext& Show, const TPhotoMotion& Motion) {
    auto& keyboard = *Show.Objects.Keyboard;
    if (!keyboard.Poll() || !keyboard.AnyKeyDown()) return false;
    if (ReadEndingKeys(Show, Motion)) return true;
    ReadSteadyKeys(Show);
    return false;
}

bool ReadMouseCommands(TShowContext& Show, const TPhotoMotion& Motion) {
    auto& mouse = *Show.Objects.Mouse;
    auto& host = Show.Services.Host;
    auto& state = Show.State;
    if (!mouse.Poll()) return false;
    const auto pointer = Show.Services.Keys.CursorPosition();
    if (pointer && pointer->x > host.ScreenWidth() - kRightEdgeWidth) {
        host.ReactivateWindow();
        host.ProcessMessages();
    }
    if (mouse.Buttons[0]) {
        // Where the pointer cannot be read, it counts as not moved.
        const int x0 = pointer ? pointer->x : 0;
        const auto draggedLeft = [&] {
            const auto now = Show.Services.Keys.CursorPosition();
            return x0 - (now ? now->x : x0) > kDragDistance;
        };
        state.Index += HoldSkip(
            Show, [&] { return mouse.Poll() && mouse.Buttons[0]; }, draggedLeft);
        if (draggedLeft()) {
            state.Index -= 2;
            state.Jumped = true;
        }
        OweRemainingDrift(state, Motion);
        return true;
    }
    if (mouse.Buttons[1]) {
        state.Paused = !state.Paused;
        while (mouse.Poll() && mouse.Buttons[1]) {
            host.Sleep(100);
            host.ProcessMessages();
        }
    }
    return false;
}
