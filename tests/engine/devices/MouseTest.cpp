// The mouse: scaled and inverted deltas, running totals, buttons, the cursor
// motion, and what a failed or lost read leaves.
#include <gtest/gtest.h>

#include "DevicesTestSupport.h"
#include "FakeDirectInput.h"

using namespace kelDX8;
using namespace enginetest;

namespace {

class MouseTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        SetCursorPositionSource([this] { return cursor; });
        cursor = {100, 200};
        mouse = New<TkelDXMouse>(scene.get());
    }
    void TearDown() override {
        mouse.reset();
        SetCursorPositionSource(nullptr);
        SceneTest::TearDown();
    }

    fakes::FakeDirectInput input;
    POINT cursor{};
    std::unique_ptr<TkelDXMouse> mouse;
};

}  // namespace

TEST_F(MouseTest, StartsAtRestWhereTheCursorIs) {
    EXPECT_EQ(mouse->Speed, 1.0f);
    EXPECT_EQ(mouse->CursorPos.x, 100);
    EXPECT_EQ(mouse->CursorPos.y, 200);
    EXPECT_FALSE(mouse->UseCursor);
    EXPECT_EQ(mouse->PositionX, 0.0f);
    EXPECT_EQ(input.LogOf("Mouse.SetCooperativeLevel"),
              std::vector<std::string>{"Mouse.SetCooperativeLevel(0x1234, 0xA)"});
}

TEST_F(MouseTest, DeltasAreScaledWithYGrowingAwayFromTheUser) {
    mouse->Speed = 0.5f;
    input.MoveMouse(10, 20, 4);
    ASSERT_TRUE(mouse->Poll());
    EXPECT_EQ(mouse->RawX, 10);
    EXPECT_EQ(mouse->RawY, 20);
    EXPECT_EQ(mouse->RawZ, 4);
    EXPECT_EQ(mouse->DeltaX, 5.0f);
    EXPECT_EQ(mouse->DeltaY, -10.0f);
    EXPECT_EQ(mouse->DeltaZ, 2.0f);

    mouse->InvertX = mouse->InvertY = mouse->InvertZ = true;
    input.MoveMouse(10, 20, 4);
    ASSERT_TRUE(mouse->Poll());
    EXPECT_EQ(mouse->DeltaX, -5.0f);
    EXPECT_EQ(mouse->DeltaY, 10.0f);
    EXPECT_EQ(mouse->DeltaZ, -2.0f);
    EXPECT_EQ(mouse->PositionX, 0.0f);
    EXPECT_EQ(mouse->PositionY, 0.0f);
    EXPECT_EQ(mouse->Wheel, 8);

    ASSERT_TRUE(mouse->Poll());  // no motion since
    EXPECT_EQ(mouse->DeltaX, 0.0f);
    EXPECT_EQ(mouse->Wheel, 8);
}

TEST_F(MouseTest, TotalsSumTheDeltas) {
    mouse->Speed = 1.0f / 600;
    for (int i = 0; i < 3; ++i) {
        input.MoveMouse(60, 30);
        ASSERT_TRUE(mouse->Poll());
    }
    EXPECT_FLOAT_EQ(mouse->PositionX, 0.3f);
    EXPECT_FLOAT_EQ(mouse->PositionY, -0.15f);
    EXPECT_EQ(mouse->PositionZ, 0.0f);
}

TEST_F(MouseTest, FourButtons) {
    input.PressButton(0);
    input.PressButton(3);
    ASSERT_TRUE(mouse->Poll());
    EXPECT_TRUE(mouse->Buttons[0]);
    EXPECT_FALSE(mouse->Buttons[1]);
    EXPECT_FALSE(mouse->Buttons[2]);
    EXPECT_TRUE(mouse->Buttons[3]);
    input.ReleaseButton(0);
    input.PressButton(1);
    ASSERT_TRUE(mouse->Poll());
    EXPECT_FALSE(mouse->Buttons[0]);
    EXPECT_TRUE(mouse->Buttons[1]);
}

TEST_F(MouseTest, CursorGivesTheRawMotionButNotTheDeltas) {
    mouse->UseCursor = true;
    cursor = {130, 190};
    input.MoveMouse(5, 6);
    ASSERT_TRUE(mouse->Poll());
    EXPECT_EQ(mouse->RawX, 30);
    EXPECT_EQ(mouse->RawY, -10);
    EXPECT_EQ(mouse->DeltaX, 5.0f);
    EXPECT_EQ(mouse->DeltaY, -6.0f);
    EXPECT_EQ(mouse->CursorPos.x, 130);
    ASSERT_TRUE(mouse->Poll());
    EXPECT_EQ(mouse->RawX, 0);
}

TEST_F(MouseTest, FailedReadReportsNoMotionAndNoButtons) {
    input.MoveMouse(10, 10);
    input.PressButton(0);
    ASSERT_TRUE(mouse->Poll());
    const float totalX = mouse->PositionX;
    input.MoveMouse(10, 10);
    input.Fail("Mouse.GetDeviceState", DIERR_GENERIC, 1);
    input.ClearLog();
    EXPECT_FALSE(mouse->Poll());
    EXPECT_EQ(mouse->DeltaX, 0.0f);
    EXPECT_EQ(mouse->DeltaY, 0.0f);
    EXPECT_EQ(mouse->RawX, 0);
    EXPECT_FALSE(mouse->Buttons[0]);
    EXPECT_EQ(mouse->PositionX, totalX);
    EXPECT_TRUE(input.LogOf("Mouse.Acquire").empty());
    ASSERT_TRUE(mouse->Poll());
    EXPECT_EQ(mouse->RawX, 10) << "the motion is read once the device answers again";
}

TEST_F(MouseTest, LostMouseIsReacquiredOrRaises) {
    input.MoveMouse(7, 0);
    input.LoseInput();
    EXPECT_TRUE(mouse->Poll());
    EXPECT_EQ(mouse->RawX, 7);

    input.LoseInput();
    input.Fail("Mouse.Acquire", DIERR_OTHERAPPHASPRIO, 1);
    EXPECT_FALSE(mouse->Poll());

    RaiseOnStateError = true;
    input.LoseInput();
    EXPECT_EQ(RaisedHeadline([&] { mouse->Poll(); }), "TkelDXMouse: Cant read device state.");
}
