#include "EngineTestSupport.h"

using namespace kelDX8;

namespace {

using enginetest::ExceptionText;
using enginetest::kInvalidCallDetail;

const std::string kNoOnDraw = "TkelDXScene: No OnDraw-event found.\r\n\r\n" + kInvalidCallDetail;

class SceneFrame : public enginetest::EngineTest {
protected:
    void SetUp() override {
        scene = MakeWindowedScene();
        d3d.ClearLog();
    }
    std::string RenderFailure() {
        return ExceptionText([&] { scene->Render(); });
    }
    std::unique_ptr<TkelDXScene> scene;
};

}  // namespace

TEST_F(SceneFrame, AFrameBeginsDrawsEndsAndPresents) {
    TkelDXCustomObject* sender = nullptr;
    scene->OnDraw = [&](TkelDXCustomObject* s) {
        sender = s;
        scene->Clear();
    };
    scene->PresentWindow = reinterpret_cast<HWND>(0x99);
    scene->Render();
    EXPECT_EQ(d3d.Log(), (std::vector<std::string>{"BeginScene()", "Clear(0, null, 3, 0xFFFFFFFF, 1, 0)",
                                                   "EndScene()", "Present(null, null, 0x99, null)"}));
    EXPECT_EQ(sender, scene.get());
    EXPECT_EQ(scene->FrameCount, 1);
    EXPECT_FALSE(scene->Drawing);
    EXPECT_EQ(Device().PresentCount(), 1);
}

TEST_F(SceneFrame, WithoutOnDrawTheFrameStopsAndRaises) {
    scene->OnDraw = [](TkelDXCustomObject*) {};
    scene->Run();
    scene->OnDraw = nullptr;
    EXPECT_EQ(RenderFailure(), kNoOnDraw);
    EXPECT_FALSE(idle.Installed());
    EXPECT_TRUE(d3d.LogOf("BeginScene").empty());
    EXPECT_EQ(scene->FrameCount, 0);
    EXPECT_EQ(scene->LastErrorText, kNoOnDraw);
}

TEST_F(SceneFrame, OnErrorTakesTheMessageInsteadOfTheCaller) {
    std::vector<std::string> errors;
    scene->OnError = [&](const std::string& message) { errors.push_back(message); };
    EXPECT_NO_THROW(scene->Render());
    EXPECT_EQ(errors, std::vector<std::string>{kNoOnDraw});
}

TEST_F(SceneFrame, RenderInsideOnDrawReturnsAtOnce) {
    scene->OnDraw = [&](TkelDXCustomObject*) { scene->Render(); };
    scene->Render();
    EXPECT_EQ(scene->FrameCount, 1);
    EXPECT_EQ(d3d.LogOf("BeginScene").size(), 1u);
    bool done = true;
    scene->Drawing = true;
    scene->Idle(nullptr, done);
    EXPECT_FALSE(done);
    EXPECT_EQ(scene->FrameCount, 1);
}

TEST_F(SceneFrame, AFailureInOnDrawIsNotPresentedAndTheNextFrameStillBegins) {
    bool fail = true;
    scene->OnDraw = [&](TkelDXCustomObject*) {
        if (fail) throw std::runtime_error("draw failed");
    };
    EXPECT_THROW(scene->Render(), std::runtime_error);
    EXPECT_FALSE(scene->Drawing);
    EXPECT_EQ(d3d.Names(), (std::vector<std::string>{"BeginScene", "EndScene"}));
    EXPECT_FALSE(Device().InScene());
    fail = false;
    scene->Render();
    EXPECT_EQ(Device().PresentCount(), 1);
}

TEST_F(SceneFrame, DeviceFailuresOfTheFrameAlwaysRaise) {
    int draws = 0;
    scene->OnDraw = [&](TkelDXCustomObject*) { ++draws; };
    d3d.Fail("BeginScene", D3DERR_INVALIDCALL, 1);
    EXPECT_EQ(RenderFailure(), "TkelDXScene: Cant begin/end/present scene.\r\n\r\n" + kInvalidCallDetail);
    EXPECT_EQ(draws, 0);
    d3d.Fail("Present", D3DERR_DEVICELOST, 1);
    EXPECT_EQ(RenderFailure(),
              "TkelDXScene: Cant begin/end/present scene.\r\n\r\n(D3DERR_DEVICELOST: The device has been lost and "
              "cannot be restored at the moment.)");
    EXPECT_EQ(draws, 1);
    EXPECT_FALSE(scene->Drawing);
}

TEST_F(SceneFrame, RunDrawsFromTheIdleEventUntilStop) {
    int frames = 0;
    scene->Run([&](TkelDXCustomObject*) {
        if (++frames == 3) scene->Stop();
    });
    EXPECT_TRUE(idle.Installed());
    EXPECT_EQ(idle.RunIdle(10), 3);
    EXPECT_EQ(scene->FrameCount, 3);
    EXPECT_FALSE(idle.Installed());
}

TEST_F(SceneFrame, AFailedIdleFrameStopsTheLoop) {
    scene->OnError = [](const std::string&) {};
    scene->Run([&](TkelDXCustomObject*) { throw EkelDXError("x", E_FAIL); });
    EXPECT_EQ(idle.RunIdle(10), 1);
    EXPECT_FALSE(idle.Installed());
}

TEST_F(SceneFrame, RunNeedsAnIdleHookAndAFreedSceneLeavesNoHandler) {
    scene->OnDraw = [](TkelDXCustomObject*) {};
    scene->Run();
    scene.reset();
    EXPECT_FALSE(idle.Installed());

    scene = MakeWindowedScene();
    SetApplicationIdleHook(nullptr);
    EXPECT_THROW(scene->Run(), EkelDXError);
    EXPECT_NO_THROW(scene->Stop());
    SetApplicationIdleHook(&idle);
}

TEST_F(SceneFrame, ClearFailuresAreRecordedOrRaisedByTheirSwitch) {
    d3d.Fail("Clear", D3DERR_INVALIDCALL);
    EXPECT_NO_THROW(scene->Clear());
    EXPECT_EQ(scene->LastError, D3DERR_INVALIDCALL);
    RaiseOnStateError = true;
    EXPECT_EQ(ExceptionText([&] { scene->Clear(); }), "TkelDXScene: Cant clear device.\r\n\r\n" + kInvalidCallDetail);
}

TEST_F(SceneFrame, ASuccessfulCallLeavesItsResultAndDescription) {
    d3d.Fail("Clear", S_FALSE);
    scene->Clear();
    EXPECT_EQ(scene->LastError, S_FALSE);
    EXPECT_EQ(scene->LastErrorText, "S_FALSE: The call succeeded but did nothing.");
    d3d.ClearFailures();
    scene->Clear();
    EXPECT_EQ(scene->LastError, S_OK);
    EXPECT_EQ(scene->LastErrorText, "S_OK: The call succeeded.");
}

TEST_F(SceneFrame, BuffersAreAsLargeAsTheLargestRequestWithAllFormatBits) {
    scene->CreateBuffers();
    EXPECT_TRUE(d3d.Log().empty());

    auto other = MakeWindowedScene();
    d3d.ClearLog();
    other->RequestVertexBufferSize(900);
    other->RequestVertexBufferSize(300);
    other->RequestVertexFormat(0x152);
    other->RequestVertexFormat(0x1D2);
    other->RequestIndexBufferSize(28812);
    other->Index32 = true;
    other->CreateBuffers();
    EXPECT_EQ(d3d.Log(), (std::vector<std::string>{"CreateVertexBuffer(900, 0x0, 0x1D2, 0)",
                                                   "CreateIndexBuffer(28812, 0x0, 102, 0)"}));
    EXPECT_TRUE(other->VertexBuffer);
    EXPECT_TRUE(other->IndexBuffer);
}

TEST_F(SceneFrame, AfterCreateBuffersOnlyRequestsThatFitSucceed) {
    scene->RequestVertexBufferSize(900);
    scene->RequestVertexFormat(0x152);
    scene->CreateBuffers();
    EXPECT_NO_THROW(scene->RequestVertexBufferSize(900));
    EXPECT_NO_THROW(scene->RequestVertexFormat(0x052));
    const std::string tooLate = "TkelDXScene: Operation not possible after buffer creation.\r\n\r\n" + kInvalidCallDetail;
    auto failure = ExceptionText;
    EXPECT_EQ(failure([&] { scene->RequestVertexBufferSize(901); }), tooLate);
    EXPECT_EQ(failure([&] { scene->RequestIndexBufferSize(1); }), tooLate);
    EXPECT_EQ(failure([&] { scene->RequestVertexFormat(0x200); }), tooLate);
    EXPECT_EQ(failure([&] { scene->CreateBuffers(); }), tooLate);
    EXPECT_EQ(scene->VertexBufferSize, 900u);
}

TEST_F(SceneFrame, AFailedBufferCreationAlwaysRaises) {
    scene->RequestIndexBufferSize(12);
    d3d.Fail("CreateIndexBuffer", E_OUTOFMEMORY);
    EXPECT_THROW(scene->CreateBuffers(), EkelDXError);
    EXPECT_TRUE(scene->BuffersCreated);
}

TEST_F(SceneFrame, SetColorChangesTheBackgroundAndTheAmbientLightKeepingAlpha) {
    SetColor(scene.get(), 1, 0x101010);
    EXPECT_EQ(scene->BackgroundColor, 0xFF101010u);
    SetColor(scene.get(), 10, 0x0000FF);
    EXPECT_EQ(d3d.Log(), (std::vector<std::string>{"GetRenderState(139)", "SetRenderState(139, 4294901760)"}));
    EXPECT_EQ(Device().RenderState(D3DRS_AMBIENT), 0xFFFF0000u);

    d3d.Fail("GetRenderState", D3DERR_INVALIDCALL);
    SetColor(scene.get(), 10, 0x00FF00);
    EXPECT_EQ(Device().RenderState(D3DRS_AMBIENT), 0x0000FF00u);  // a failed read leaves 0
    RaiseOnStateError = true;
    EXPECT_THROW(SetColor(scene.get(), 10, 0), EkelDXError);

    SetColor(scene.get(), 12, 0x123456);
    SetColor(scene.get(), 5, 0x123456);  // a scene has no material
    EXPECT_EQ(scene->BackgroundColor, 0xFF101010u);
}

TEST_F(SceneFrame, ApplyingTheWorldTransformNeedsAnInsertedObject) {
    EXPECT_THROW(scene->ApplyWorldTransform(), EkelDXError);
}
