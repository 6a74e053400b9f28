#include "EngineTestSupport.h"

using namespace kelDX8;

namespace {

using enginetest::ExceptionText;
using enginetest::kInvalidCallDetail;

class SceneConstruction : public enginetest::EngineTest {
protected:
    std::unique_ptr<TkelDXScene> MakeScene(bool fullScreen, D3DSWAPEFFECT swap, UINT multiSample, UINT width,
                                           UINT height, bool trueColor, BYTE vertexProcessing) {
        return New<TkelDXScene>(enginetest::TestWindow(), fullScreen, swap, 10u, multiSample, width, height,
                                trueColor, vertexProcessing);
    }
    std::vector<std::string> CreateDeviceFlags() {
        std::vector<std::string> flags;
        for (const auto& text : d3d.LogOf("CreateDevice")) flags.push_back(text.substr(text.rfind(' ') + 1));
        return flags;
    }
};

}  // namespace

TEST_F(SceneConstruction, AWindowedSceneMakesTheseCallsInThisOrder) {
    auto scene = MakeWindowedScene();
    std::vector<std::string> expected = {
        "Direct3DCreate8(220)",
        "GetAdapterDisplayMode(0)",
        "CreateDevice(0, 1, 0x1234, 0x50)",
        "GetDeviceCaps()",
        "SetRenderState(26, 1)",
        "SetRenderState(22, 1)",
        "SetRenderState(7, 1)",
        "SetRenderState(137, 0)",
        "SetRenderState(29, 1)",
        "SetRenderState(139, 4285427310)",
        "SetRenderState(145, 1)",
        "SetRenderState(147, 1)",
        "SetRenderState(148, 0)",
        "SetRenderState(146, 0)",
        "SetTextureStageState(0, 2, 0)",
        "SetTextureStageState(0, 3, 2)",
        "SetTextureStageState(0, 1, 1)",
        "SetTextureStageState(1, 2, 1)",
        "SetTextureStageState(1, 3, 2)",
        "SetTextureStageState(1, 1, 1)",
        "SetTextureStageState(0, 13, 1)",
        "SetTextureStageState(0, 14, 1)",
        "SetTextureStageState(1, 13, 1)",
        "SetTextureStageState(1, 14, 1)",
        "SetTextureStageState(0, 11, 0)",
        "SetTextureStageState(1, 11, 0)",
        "SetTextureStageState(0, 16, 2)",
        "SetTextureStageState(0, 17, 2)",
        "SetTextureStageState(0, 18, 2)",
        "SetTextureStageState(1, 16, 2)",
        "SetTextureStageState(1, 17, 2)",
        "SetTextureStageState(1, 18, 2)",
        "Clear(0, null, 3, 0xFFFFFFFF, 1, 0)",
    };
    EXPECT_EQ(d3d.Log(), expected);
    EXPECT_TRUE(scene->CapsValid);
    EXPECT_EQ(scene->Caps.MaxStreamStride, 256u);
    EXPECT_EQ(scene->BackgroundColor, 0xFFFFFFFFu);
    EXPECT_EQ(scene->WindowHandle, enginetest::TestWindow());
    EXPECT_EQ(scene->PresentWindow, enginetest::TestWindow());
    EXPECT_EQ(scene->LastError, S_OK);
}

TEST_F(SceneConstruction, WindowedPresentationTakesTheDisplayModeAndScreenSize) {
    d3d.Settings().DisplayMode = {1280, 800, 60, D3DFMT_R5G6B5};
    auto scene = MakeWindowedScene();
    const D3DPRESENT_PARAMETERS& p = Device().Created().PresentParameters;
    EXPECT_EQ(p.Windowed, TRUE);
    EXPECT_EQ(p.hDeviceWindow, enginetest::TestWindow());
    EXPECT_EQ(p.EnableAutoDepthStencil, TRUE);
    EXPECT_EQ(p.AutoDepthStencilFormat, D3DFMT_D16);
    EXPECT_EQ(p.BackBufferCount, 1u);
    EXPECT_EQ(p.SwapEffect, D3DSWAPEFFECT_DISCARD);
    EXPECT_EQ(p.BackBufferFormat, D3DFMT_R5G6B5);
    EXPECT_EQ(p.BackBufferWidth, 1280u);
    EXPECT_EQ(p.BackBufferHeight, 800u);
    EXPECT_EQ(p.FullScreen_PresentationInterval, 0u);

    auto half = MakeScene(false, D3DSWAPEFFECT_DISCARD, 0, 640, 0, true, 0);
    EXPECT_EQ(half->PresentParameters.BackBufferWidth, 640u);
    EXPECT_EQ(half->PresentParameters.BackBufferHeight, 0u);
}

TEST_F(SceneConstruction, MultisamplingNeedsDiscardAndIgnoresTypeOne) {
    auto typeFor = [&](D3DSWAPEFFECT swap, UINT samples) {
        return MakeScene(false, swap, samples, 0, 0, true, 0)->PresentParameters.MultiSampleType;
    };
    EXPECT_EQ(typeFor(D3DSWAPEFFECT_DISCARD, 2), 2u);
    EXPECT_EQ(typeFor(D3DSWAPEFFECT_DISCARD, 19), 2u);
    EXPECT_EQ(typeFor(D3DSWAPEFFECT_DISCARD, 16), 16u);
    EXPECT_EQ(typeFor(D3DSWAPEFFECT_DISCARD, 1), D3DMULTISAMPLE_NONE);
    EXPECT_EQ(typeFor(D3DSWAPEFFECT_DISCARD, 17), D3DMULTISAMPLE_NONE);
    EXPECT_EQ(typeFor(D3DSWAPEFFECT_DISCARD, 18), D3DMULTISAMPLE_NONE);
    EXPECT_EQ(typeFor(D3DSWAPEFFECT_FLIP, 2), D3DMULTISAMPLE_NONE);
}

TEST_F(SceneConstruction, DeviceCreationFallsBackTowardsSoftware) {
    d3d.Fail("CreateDevice", D3DERR_NOTAVAILABLE, 1);
    d3d.Fail("CreateDevice", D3DERR_NOTAVAILABLE, 2);
    auto scene = MakeWindowedScene(0);
    EXPECT_EQ(CreateDeviceFlags(), (std::vector<std::string>{"0x50)", "0x40)", "0x80)"}));
    EXPECT_EQ(Device().Created().BehaviorFlags, D3DCREATE_MIXED_VERTEXPROCESSING);
}

TEST_F(SceneConstruction, TheFirstModeTriedIsTheOneAsked) {
    d3d.Fail("CreateDevice", D3DERR_NOTAVAILABLE, 1);
    auto mixedFirst = MakeWindowedScene(2);
    EXPECT_EQ(CreateDeviceFlags(), (std::vector<std::string>{"0x80)", "0x20)"}));
    d3d.ClearLog();
    auto software = MakeWindowedScene(3);
    EXPECT_EQ(CreateDeviceFlags(), std::vector<std::string>{"0x20)"});
}

TEST_F(SceneConstruction, AModeAboveThreeFailsWithoutAnAttempt) {
    EXPECT_EQ(ExceptionText([&] { MakeWindowedScene(4); }),
              "TkelDXScene: Cant create main device.\r\n\r\n(E_FAIL: An undetermined error occurred.)");
    EXPECT_TRUE(d3d.LogOf("CreateDevice").empty());
    EXPECT_EQ(d3d.LiveObjects(), 0);
}

TEST_F(SceneConstruction, WhenEveryAttemptFailsTheLastResultIsReportedAndNothingLeaks) {
    d3d.Fail("CreateDevice", D3DERR_OUTOFVIDEOMEMORY, 4);
    d3d.Fail("CreateDevice", D3DERR_NOTAVAILABLE);
    EXPECT_EQ(ExceptionText([&] { MakeWindowedScene(0); }),
              "TkelDXScene: Cant create main device.\r\n\r\n(D3DERR_OUTOFVIDEOMEMORY: There is not enough display "
              "memory to complete the call.)");
    EXPECT_EQ(d3d.LogOf("CreateDevice").size(), 4u);
    EXPECT_EQ(d3d.LiveObjects(), 0);
}

TEST_F(SceneConstruction, MissingDirect3DOrDisplayModeEndsConstruction) {
    d3d.Fail("Direct3DCreate8", E_FAIL);
    EXPECT_EQ(ExceptionText([&] { MakeWindowedScene(); }),
              "TkelDXScene: Cant create interface.\r\n\r\n(E_FAIL: An undetermined error occurred.)");
    d3d.ClearFailures();
    d3d.Fail("GetAdapterDisplayMode", D3DERR_INVALIDCALL);
    EXPECT_EQ(ExceptionText([&] { MakeWindowedScene(); }),
              "TkelDXScene: Cant read display settings.\r\n\r\n" + kInvalidCallDetail);
    EXPECT_EQ(d3d.LiveObjects(), 0);
}

TEST_F(SceneConstruction, FullScreenTakesTheFirstFormatThatPasses) {
    auto scene = MakeFullScreenScene(true);
    EXPECT_EQ(d3d.LogOf("CheckDeviceType"), std::vector<std::string>{"CheckDeviceType(0, 1, 22, 22, 0)"});
    const D3DPRESENT_PARAMETERS& p = scene->PresentParameters;
    EXPECT_EQ(p.BackBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(p.Windowed, FALSE);
    EXPECT_EQ(p.FullScreen_PresentationInterval, 10u);
    EXPECT_EQ(p.BackBufferWidth, 640u);
    EXPECT_TRUE(d3d.LogOf("GetAdapterDisplayMode").empty());
}

TEST_F(SceneConstruction, FullScreenFallsBackThroughTheFormatTable) {
    d3d.Settings().FullScreenFormats = {{D3DFMT_X1R5G5B5, D3DFMT_A1R5G5B5}};
    auto scene = MakeFullScreenScene(true);
    EXPECT_EQ(d3d.LogOf("CheckDeviceType"),
              (std::vector<std::string>{"CheckDeviceType(0, 1, 22, 22, 0)", "CheckDeviceType(0, 1, 22, 21, 0)",
                                        "CheckDeviceType(0, 1, 23, 23, 0)", "CheckDeviceType(0, 1, 24, 24, 0)",
                                        "CheckDeviceType(0, 1, 24, 25, 0)"}));
    EXPECT_EQ(scene->PresentParameters.BackBufferFormat, D3DFMT_A1R5G5B5);
}

TEST_F(SceneConstruction, WithoutTrueColorThe32BitFormatsAreNeverTried) {
    auto scene = MakeFullScreenScene(false);
    EXPECT_EQ(d3d.LogOf("CheckDeviceType"), std::vector<std::string>{"CheckDeviceType(0, 1, 23, 23, 0)"});
    EXPECT_EQ(scene->PresentParameters.BackBufferFormat, D3DFMT_R5G6B5);
}

TEST_F(SceneConstruction, NoPassingFullScreenFormatEndsConstruction) {
    d3d.Settings().FullScreenFormats.clear();
    EXPECT_EQ(ExceptionText([&] { MakeFullScreenScene(true); }),
              "TkelDXScene: Display/Backbuffer-Format is not supported.\r\n\r\n(E_FAIL: An undetermined error "
              "occurred.)");
    EXPECT_TRUE(d3d.LogOf("CreateDevice").empty());
    EXPECT_EQ(d3d.LiveObjects(), 0);
}

TEST_F(SceneConstruction, UnreadableCapsAreRecordedOrRaisedByTheirSwitch) {
    d3d.Fail("GetDeviceCaps", D3DERR_INVALIDCALL);
    auto scene = MakeWindowedScene();
    EXPECT_FALSE(scene->CapsValid);
    RaiseOnCapsError = true;
    EXPECT_EQ(ExceptionText([&] { MakeWindowedScene(); }),
              "TkelDXScene: Couldnt read device-caps.\r\n\r\n" + kInvalidCallDetail);
}

TEST_F(SceneConstruction, AFailedStateIsSkippedUnlessStateErrorsRaise) {
    d3d.Fail("SetRenderState(137,", D3DERR_INVALIDCALL);
    auto scene = MakeWindowedScene();
    EXPECT_EQ(d3d.LogOf("SetRenderState").size(), 10u);
    EXPECT_EQ(d3d.LogOf("SetTextureStageState").size(), 18u);
    EXPECT_EQ(Device().RenderState(D3DRS_AMBIENT), 0xFF6E6E6Eu);

    RaiseOnStateError = true;
    scene.reset();
    EXPECT_EQ(ExceptionText([&] { MakeWindowedScene(); }),
              "TkelDXScene: Cant read/set render state.\r\n\r\n" + kInvalidCallDetail);
    EXPECT_EQ(d3d.LiveObjects(), 0);

    d3d.ClearFailures();
    d3d.Fail("SetTextureStageState", D3DERR_INVALIDCALL, 18);
    EXPECT_EQ(ExceptionText([&] { MakeWindowedScene(); }),
              "TkelDXScene: Cant read/set texture state.\r\n\r\n" + kInvalidCallDetail);
}

TEST_F(SceneConstruction, DestructionReleasesBuffersDeviceAndInterfaceInOrder) {
    auto scene = MakeWindowedScene();
    scene->RequestVertexBufferSize(100);
    scene->RequestIndexBufferSize(60);
    scene->CreateBuffers();
    d3d.ClearLog();
    scene.reset();
    EXPECT_EQ(d3d.Log(), (std::vector<std::string>{"Destroyed(IB1)", "Destroyed(VB1)", "Destroyed(D1)",
                                                   "Destroyed(D3D1)"}));
    EXPECT_EQ(d3d.LiveObjects(), 0);
}
