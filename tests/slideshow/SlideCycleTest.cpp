// The show loop against fakes: which slot shows each photo, where it starts,
// how the surface is fitted and drifts, the skipping of photos that cannot be
// loaded, and the frame handler.
#include <gtest/gtest.h>

#include "ShowTestSupport.h"

using namespace showtest;

namespace {

constexpr BYTE kRight = 39;

class SlideCycleTest : public ShowTest {
protected:
    // The show from the first photo for `Shows` photos.
    std::string ShowOf(int Count, int Shows) {
        MakeShow(Count);
        StopAt(Shows);
        Run();
        return Shown();
    }
    const D3DMATRIX& LastWorldOf(int Photo) { return FramesOf(Photo).back()->World; }
    const D3DMATRIX& FirstWorldOf(int Photo) { return FramesOf(Photo).front()->World; }
};

// The surface's placement as fitted: upside down, centred, at Depth.
void ExpectPlacement(const D3DMATRIX& World, double X, double Y, double Depth, double Tolerance = 1e-5) {
    EXPECT_NEAR(World._41, X, Tolerance);
    EXPECT_NEAR(World._42, Y, Tolerance);
    EXPECT_NEAR(World._43, Depth, Tolerance);
}
void ExpectUnturned(const D3DMATRIX& World) {
    EXPECT_NEAR(World._11, 1, 1e-5);
    EXPECT_NEAR(World._12, 0, 1e-5);
    EXPECT_NEAR(World._21, 0, 1e-5);
    EXPECT_NEAR(World._22, -1, 1e-5);
    EXPECT_NEAR(World._33, -1, 1e-5);
}

}  // namespace

TEST_F(SlideCycleTest, EvenPositionsShowFromAOddFromBAndWrapAroundsLoadDirectlyIntoC) {
    EXPECT_EQ(ShowOf(1, 3), "0A 0C 0C");
}
TEST_F(SlideCycleTest, TwoPhotosAlternateAndWrapWithADirectLoad) { EXPECT_EQ(ShowOf(2, 5), "0A 1B 0C 1B 0C"); }
TEST_F(SlideCycleTest, AnOddListsLastPhotoMarksTheWrapItself) { EXPECT_EQ(ShowOf(3, 7), "0A 1B 2A 0C 1B 2A 0C"); }

TEST_F(SlideCycleTest, FiftyPhotosAlternateSlotsThroughTheListAndWrapOnce) {
    const std::string shown = ShowOf(50, 52);
    std::string expected;
    for (int i = 0; i < 50; ++i) expected += std::to_string(i) + (i % 2 ? "B " : "A ");
    EXPECT_EQ(shown, expected + "0C 1B");
    EXPECT_EQ(pictures.sizeReads.size(), 52u);
    EXPECT_EQ(pictures.sizeReads[49], "p49.jpg");
}

TEST_F(SlideCycleTest, StartPositionComesFromTheSettingsWithinTheList) {
    for (auto [last, start] : {std::pair{-1, 0}, {-7, 0}, {2, 2}, {99, 4}}) {
        settings.SetLastIndex(last);
        SCOPED_TRACE(last);
        MakeShow(5);
        StopAt(1);
        Run();
        ASSERT_FALSE(frames.empty());
        EXPECT_EQ(frames.front().Index, start);
        EXPECT_EQ(settings.GetLastIndex(), start);
        DiscardShow();
    }
}

TEST_F(SlideCycleTest, StopStoresPositionSpeedAndDepthAndEndsTheMusic) {
    state.Delay = 7;
    MakeShow(3);
    StopAt(2);
    Run();
    EXPECT_EQ(settings.GetLastIndex(), 1);
    EXPECT_EQ(settings.GetDelay(), 7);
    EXPECT_NEAR(settings.GetDepth(), 0.1, 1e-9) << "a 4:3 photo on a 4:3 screen";
    EXPECT_EQ(music.calls, (std::vector<std::string>{"BeginShow", "StartMusic", "EndShow"}));
    EXPECT_EQ(host.shown, 1) << "the window is shown with the first photo";
    EXPECT_TRUE(objects->Surface->Visible);
    EXPECT_EQ(hiddenFrames, 1) << "one frame of the bare background while the first photo loads";
    EXPECT_FALSE(surfaceInHiddenFrame);
}

TEST_F(SlideCycleTest, FitPlacesEachPhotoByItsProportions) {
    pictures.sizes["p0.jpg"] = IPictureFiles::Size{600, 600};
    pictures.sizes["p1.jpg"] = IPictureFiles::Size{300, 400};
    pictures.sizes["p2.jpg"] = std::nullopt;  // unreadable: 4:3
    pictures.sizes["p3.jpg"] = IPictureFiles::Size{1600, 600};
    MakeShow(4);
    double depths[4] = {};
    for (int i = 0; i < 4; ++i) OnFrame(i + 1, 1, [&, i] { depths[i] = state.SurfaceDepth; });
    StopAt(5);
    Run();
    EXPECT_NEAR(depths[0], -0.15, 1e-9);
    EXPECT_NEAR(depths[1], 0.1625, 1e-9);
    EXPECT_NEAR(depths[2], 0.1, 1e-9);
    EXPECT_NEAR(depths[3], 2.0 - 0.9, 1e-9);
    ExpectPlacement(FirstWorldOf(1), -1.5, 1.5, -0.15);
    ExpectPlacement(FirstWorldOf(2), -1.125, 1.5, 0.1625);
    ExpectPlacement(FirstWorldOf(3), -2.0, 1.5, 0.1);
    ExpectPlacement(FirstWorldOf(4), -4.0, 1.5, 1.1);
    ExpectUnturned(FirstWorldOf(2));
}

TEST_F(SlideCycleTest, WithoutMovingTheSurfaceStaysAtItsFitAndOwedDriftIsNotApplied) {
    settings.SetAllowMoving(false);
    random.restFraction = 0.9;
    state.PendingPush = 0.3;
    state.PendingTurn = 0.2;
    state.CarryX = 0.4;
    MakeShow(2);
    StopAt(3);
    Run();
    for (const auto& frame : frames) ExpectPlacement(frame.World, -2.0, 1.5, 0.1);
    ExpectUnturned(frames.back().World);
}

TEST_F(SlideCycleTest, DriftComesBackToTheFitAfterAFullPhotoAndSidewaysAtTheNext) {
    settings.SetAllowMoving(true);
    pictures.sizes["p0.jpg"] = pictures.sizes["p1.jpg"] = IPictureFiles::Size{600, 600};
    // DriftX 0.0005, DriftY -0.0005, no turn, Push 0.0008; the next photo has no drift.
    random.fractions = {0.75, 0.25, 0.5, 0.9};
    MakeShow(2);
    StopAt(3);
    Run();
    ExpectPlacement(FirstWorldOf(1), -1.5 + 0.0005, 1.5 - 0.0005, -0.15 - 99 * 0.0008);
    ExpectPlacement(LastWorldOf(1), -1.5 + 0.05, 1.5 - 0.05, -0.15, 1e-4);
    for (const auto* frame : FramesOf(2)) ExpectPlacement(frame->World, -1.5, 1.5, -0.15, 1e-4);
}

TEST_F(SlideCycleTest, TurningDriftIsUndoneAfterTheFullPhoto) {
    settings.SetAllowMoving(true);
    random.fractions = {0.5, 0.5, 0.95, 0.5};  // only a turn of 0.0009 / 4 per step
    MakeShow(2);
    StopAt(3);
    Run();
    EXPECT_GT(std::abs(FirstWorldOf(1)._12), 0.02) << "turned back by the whole turn at first";
    ExpectUnturned(LastWorldOf(1));
    ExpectPlacement(LastWorldOf(1), -2.0, 1.5, 0.1);
}

TEST_F(SlideCycleTest, APhotoCutShortOwesItsRemainingDriftToTheNext) {
    settings.SetAllowMoving(true);
    random.fractions = {0.75, 0.5, 0.95, 0.9};
    MakeShow(3);
    Tap(1, 30, kRight);  // read at step 31: 70 steps remain
    StopAt(3);
    Run();
    EXPECT_EQ(FramesOf(1).size(), 31u) << "30 steps and the end-of-photo frame";
    EXPECT_EQ(Shown(), "0A 1B 2A") << "a short press shows the prefetched next photo";
    for (const auto* frame : FramesOf(2)) {
        ExpectUnturned(frame->World);
        EXPECT_NEAR(frame->World._43, 0.1, 1e-5);
        // The carry undoes the sideways drift as it was summed, unturned: a few
        // ten-thousandths stay.
        ExpectPlacement(frame->World, -2.0, 1.5, 0.1, 1e-3);
    }
    EXPECT_NEAR(state.PendingPush, 0, 1e-12) << "settled by the next photo";
}

TEST_F(SlideCycleTest, OneUnloadablePhotoIsSkippedWithoutAFrame) {
    loader.FailFile("p1.jpg", D3DXERR_INVALIDDATA);
    EXPECT_EQ(ShowOf(3, 4), "0A 2C 0C 2C");
    EXPECT_EQ(music.calls.front(), "BeginShow");
}

TEST_F(SlideCycleTest, APhotoReachedByAJumpThatCannotBeLoadedIsSkipped) {
    loader.FailFile("p0.jpg", D3DXERR_INVALIDDATA);
    settings.SetLastIndex(1);
    // The skipped photo had its size read: it counts as the show's third.
    EXPECT_EQ(ShowOf(3, 5), "1B 2A 1C 2A");
}

TEST_F(SlideCycleTest, AListOfUnloadablePhotosEndsTheShowWithItsOwnError) {
    for (int count : {1, 3}) {
        SCOPED_TRACE(count);
        music.calls.clear();
        loader.FailFile("", D3DXERR_INVALIDDATA);
        MakeShow(count);
        try {
            Run();
            ADD_FAILURE() << "the show went on";
        } catch (const TNoLoadablePhotos& error) {
            EXPECT_STREQ(error.what(), "No photo of the list can be loaded.");
        }
        EXPECT_TRUE(frames.empty());
        EXPECT_EQ(settings.GetLastIndex(), -1) << "nothing stored";
        EXPECT_EQ(music.calls, (std::vector<std::string>{"BeginShow", "EndShow"}));
        DiscardShow();
    }
}

TEST_F(SlideCycleTest, AnErrorEscapingAPhotoEndsTheShowAndTheMusic) {
    music.failToggle = true;
    MakeShow(2);
    Tap(1, 3, 114);  // F3
    EXPECT_THROW(Run(), std::runtime_error);
    EXPECT_EQ(music.calls.back(), "EndShow");
    EXPECT_EQ(settings.GetLastIndex(), -1);
}

TEST_F(SlideCycleTest, FrameHandlerDrawsTheTexturedSurfaceUnlessADialogIsOpen) {
    MakeShow(1);
    objects->TextureA->LoadFromFile("p0.jpg");
    objects->TextureA->Activate();
    objects->Surface->Visible = true;
    d3d.ClearLog();
    objects->Scene->Render();
    EXPECT_EQ(d3d.LogOf("Clear").size(), 1u);
    EXPECT_EQ(d3d.LogOf("DrawIndexedPrimitive").size(), 1u);
    EXPECT_EQ(Device().TextureStageState(0, D3DTSS_COLOROP), D3DTOP_SELECTARG2);
    EXPECT_EQ(Device().TextureStageState(0, D3DTSS_COLORARG1), D3DTA_CURRENT);
    EXPECT_EQ(Device().TextureStageState(0, D3DTSS_ALPHAOP), D3DTOP_SELECTARG1);
    EXPECT_EQ(Device().TextureStageState(0, D3DTSS_ALPHAARG1), D3DTA_DIFFUSE);
    EXPECT_EQ(host.endRequests, 0);

    d3d.Fail("Clear", D3DERR_INVALIDCALL);
    objects->Scene->Render();
    EXPECT_EQ(host.endRequests, 1) << "a failed draw asks the application to end";
    d3d.ClearFailures();

    host.dialogVisible = true;
    d3d.ClearLog();
    objects->Scene->Render();
    EXPECT_TRUE(d3d.LogOf("Clear").empty());
    EXPECT_EQ(d3d.LogOf("Present").size(), 1u) << "the frame itself still goes out";
}
