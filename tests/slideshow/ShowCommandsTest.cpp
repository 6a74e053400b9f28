// The keyboard and mouse commands inside a running show: the jumps a press or
// a hold makes, turning a picture, stopping, pausing, the speed, the dialogs and
// the music, and the pointer at the right edge.
#include <gtest/gtest.h>

#include "ShowTestSupport.h"

using namespace showtest;

namespace {

constexpr BYTE kEscape = 27, kSpace = 32, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
constexpr BYTE kF1 = 112, kF2 = 113, kF3 = 114, kF4 = 115, kR = 0x52, kL = 0x4C;

class ShowCommandsTest : public ShowTest {
protected:
    // The position shown after a key held at photo 1 (list position `From`).
    int NextAfterHolding(BYTE Key, double Seconds, int From = 3, int Count = 50) {
        settings.SetLastIndex(From);
        MakeShow(Count);
        PressFor(1, 10, Key, Seconds);
        StopAt(2);
        Run();
        return IndexOfSecondPhoto();
    }
    // The same with the left button, the pointer moved by DeltaX at once.
    int NextAfterClicking(int DeltaX, double Seconds) {
        settings.SetLastIndex(3);
        MakeShow(50);
        OnFrame(1, 10, [=, this] {
            input.PressButton(0);
            host.After(0.01, [=, this] { keys.cursor->x += DeltaX; });
            host.After(Seconds, [this] { input.ReleaseButton(0); });
        });
        StopAt(2);
        Run();
        return IndexOfSecondPhoto();
    }
    int IndexOfSecondPhoto() {
        const auto second = FramesOf(2);
        if (second.empty()) ADD_FAILURE() << "shown: " << Shown();
        return second.empty() ? -1 : second.front()->Index;
    }
};

}  // namespace

TEST_F(ShowCommandsTest, RightArrowStepsOneTenOrAHundredPhotosAndWrapsToTheStart) {
    EXPECT_EQ(NextAfterHolding(kRight, 0.1), 4);
    EXPECT_EQ(frames.back().Slot, 'A') << "a short press shows the prefetched photo";
    EXPECT_EQ(overlay.calls["Forward"], 0);
    DiscardShow();
    EXPECT_EQ(NextAfterHolding(kRight, 1.0), 13);
    EXPECT_GT(overlay.calls["Forward"], 0);
    EXPECT_EQ(overlay.calls["FastForward"], 0);
    EXPECT_EQ(frames.back().Slot, 'C');
    DiscardShow();
    EXPECT_EQ(NextAfterHolding(kRight, 2.0), 0) << "3 + 99 + 1 is past the end: the first photo";
    EXPECT_GT(overlay.calls["FastForward"], 0);
    EXPECT_EQ(overlay.calls["Close"], 3);
}

TEST_F(ShowCommandsTest, LeftArrowStepsBackAndWrapsOnceAroundTheEnd) {
    EXPECT_EQ(NextAfterHolding(kLeft, 0.1), 2);
    DiscardShow();
    EXPECT_EQ(NextAfterHolding(kLeft, 1.0), 43) << "3 - 9 - 2 + 50, then the advance";
    EXPECT_GT(overlay.calls["Backward"], 0);
    EXPECT_EQ(frames.back().Slot, 'C');
    DiscardShow();
    EXPECT_EQ(NextAfterHolding(kLeft, 0.1, 0, 1), 0) << "a list of one shows its photo again";
}

TEST_F(ShowCommandsTest, MouseClickGoesOnAndADragToTheLeftGoesBack) {
    EXPECT_EQ(NextAfterClicking(0, 0.1), 4);
    DiscardShow();
    EXPECT_EQ(NextAfterClicking(-100, 0.1), 2);
    DiscardShow();
    EXPECT_EQ(NextAfterClicking(-100, 1.0), 49) << "no wrap of its own: the show loop goes to the last photo";
    EXPECT_GT(overlay.calls["Backward"], 0);
    DiscardShow();
    EXPECT_EQ(NextAfterClicking(-40, 2.0), 0) << "40 pixels is no drag: 100 on, past the end";
    EXPECT_GT(overlay.calls["FastForward"], 0);
}

TEST_F(ShowCommandsTest, TurningAPictureShowsItAgainLoadedAfresh) {
    // Each key is held for many steps: one press, one quarter turn.
    MakeShow(3);
    PressFor(1, 5, kR, 1.0);
    PressFor(2, 5, kL, 1.0);
    StopAt(3);
    Run();
    EXPECT_EQ(Shown(), "0A 0C 0C");
    EXPECT_EQ(pictures.rotations,
              (std::vector<std::pair<std::string, bool>>{{"p0.jpg", true}, {"p0.jpg", false}}));
}

TEST_F(ShowCommandsTest, LettersTheLayoutLacksDoNothing) {
    keys.letters.clear();
    MakeShow(3);
    Tap(1, 5, kR);
    StopAt(2);
    Run();
    EXPECT_TRUE(pictures.rotations.empty());
    EXPECT_EQ(Shown(), "0A 1B");
}

TEST_F(ShowCommandsTest, APictureThatCannotBeTurnedEndsTheShow) {
    pictures.failRotation = true;
    MakeShow(3);
    Tap(1, 5, kR);
    EXPECT_THROW(Run(), std::runtime_error);
    EXPECT_EQ(settings.GetLastIndex(), -1);
}

TEST_F(ShowCommandsTest, EscapeAndAltF4StopWithoutOwingDrift) {
    for (bool alt : {false, true}) {
        SCOPED_TRACE(alt);
        settings.SetLastIndex(-1);
        settings.SetAllowMoving(true);
        random.restFraction = 0.9;
        MakeShow(3);
        if (alt) {
            Tap(1, 20, kF4);  // F4 alone does nothing
            OnFrame(1, 25, [this] { keys.alt = true; });
            Tap(1, 30, kF4);
        } else {
            Tap(2, 30, kEscape);
        }
        Run();
        EXPECT_EQ(state.PendingPush, 0);
        EXPECT_EQ(frames.back().Index, alt ? 0 : 1);
        EXPECT_EQ(FramesOf(alt ? 1 : 2).size(), 31u);
        EXPECT_EQ(settings.GetLastIndex(), alt ? 0 : 1);
        DiscardShow();
    }
}

TEST_F(ShowCommandsTest, SpacePausesTheStepsUntilPressedAgain) {
    settings.SetAllowMoving(true);
    random.restFraction = 0.9;
    MakeShow(2);
    Tap(1, 10, kSpace);
    Tap(1, 21, kSpace);
    StopAt(2);
    Run();
    const auto photo = FramesOf(1);
    ASSERT_EQ(photo.size(), 112u) << "100 steps, 11 paused frames, the end-of-photo frame";
    for (int i = 10; i < 21; ++i) EXPECT_EQ(photo[i]->World._43, photo[9]->World._43) << "frame " << i + 1;
    EXPECT_NEAR(photo.back()->World._43, 0.1, 1e-4) << "the drift still comes back in full";
}

TEST_F(ShowCommandsTest, UpAndDownChangeTheSpeedWithinItsLimits) {
    state.Delay = 9;
    MakeShow(2);
    Tap(1, 5, kUp);
    PressFor(1, 10, kUp, 0.5);  // at 10: no change and no wait
    StopAt(2);
    Run();
    EXPECT_EQ(state.Delay, 10);
    const auto photo = FramesOf(1);
    EXPECT_NEAR(photo[10]->Time - photo[9]->Time, 0.1, 0.01) << "slower at once, the key still down";
    DiscardShow();

    state.Delay = 2;
    MakeShow(2);
    Tap(1, 5, kDown);
    PressFor(1, 10, kDown, 0.5);
    StopAt(2);
    Run();
    EXPECT_EQ(state.Delay, 1);
    EXPECT_NEAR(FramesOf(1)[10]->Time - FramesOf(1)[9]->Time, 0.01, 0.005);
}

TEST_F(ShowCommandsTest, FunctionKeysOpenTheDialogsAndToggleTheMusicAfterRelease) {
    MakeShow(2);
    Tap(1, 5, kF1);
    Tap(1, 10, kF2);
    PressFor(1, 15, kF3, 0.3);
    double toggledAt = 0;
    OnFrame(1, 16, [&] { toggledAt = host.now; });
    StopAt(2);
    Run();
    EXPECT_EQ(host.helps, 1);
    EXPECT_EQ(host.settingsShown, 1);
    EXPECT_EQ(std::count(music.calls.begin(), music.calls.end(), "ToggleMusic"), 1);
    EXPECT_GT(toggledAt - FramesOf(1)[14]->Time, 0.3) << "the step waited for the release";
}

TEST_F(ShowCommandsTest, MouseRightButtonPausesAndTheRightEdgeBringsTheWindowBack) {
    MakeShow(2);
    OnFrame(1, 5, [this] {
        input.PressButton(1);
        host.After(0.25, [this] { input.ReleaseButton(1); });
    });
    OnFrame(1, 8, [this] { keys.cursor->x = 700; });
    OnFrame(1, 10, [this] { keys.cursor->x = 640; });  // the edge's first pixel is outside
    Tap(1, 15, kEscape);
    Run();
    EXPECT_TRUE(state.Paused);
    EXPECT_EQ(FramesOf(1).size(), 16u);
    EXPECT_NEAR(frames[5].Time - frames[4].Time, 0.4, 1e-9) << "waited for the release, then a paused step";
    EXPECT_EQ(host.reactivated, 2);
}
