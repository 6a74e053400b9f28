// Textures: the state machine and its refusals, what reaches the stage on
// Activate and Deactivate, the values each creation and load overload hands on,
// and the two-dimensional transform.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "DevicesTestSupport.h"
#include "FakeTextureFileLoader.h"
#include "engine/MatrixExpectations.h"

using namespace kelDX8;
using namespace enginetest;

namespace {

class TextureTest : public SceneTest {
protected:
    std::unique_ptr<TkelDXTexture> NewTexture(BYTE stage = 0) {
        auto texture = New<TkelDXTexture>(scene.get());
        texture->Stage = stage;
        return texture;
    }
    std::unique_ptr<TkelDXTexture> LoadedTexture(BYTE stage = 0) {
        auto texture = NewTexture(stage);
        texture->LoadFromFile("photo.jpg");
        return texture;
    }
    fakes::FakeTextureFileLoader::Request LastRequest() { return loader.Requests().back(); }

    fakes::FakeTextureFileLoader loader;
};

const char* const kNotLoaded = "TkelDXTexture: No texture loaded, use LoadFromFile before.";
const char* const kAlreadyActive = "TkelDXTexture: This texture ist already active on this stage.";
const char* const kOtherActive = "TkelDXTexture: Any other texture ist active on this stage.";
const char* const kNotActive = "TkelDXTexture: Texture is not active on this stage, couldnt be deactivated.";
const char* const kUnloadActive =
    "TkelDXTexture: Operation is not possible because texture is active in some stage, use Deactivate with this "
    "stage before.";
const char* const kReplaceActive =
    "TkelDXTexture: Other texture is loaded and active in some stage, use Deactivate and Unload before loading new "
    "texture.)";
const char* const kTwoDimensional =
    "TkelDXTexture: TextureTransformation is 2-dimensional, operation or parameter not possible.";

}  // namespace

TEST_F(TextureTest, StateMachineRefusesWhatWouldBreakTheStageTable) {
    auto texture = NewTexture();
    EXPECT_FALSE(texture->Texture);
    EXPECT_EQ(RaisedHeadline([&] { texture->Activate(); }), kNotLoaded);
    EXPECT_EQ(RaisedHeadline([&] { texture->Deactivate(); }), kNotActive);

    texture->LoadFromFile("photo.jpg");
    ASSERT_TRUE(texture->Texture);
    EXPECT_FALSE(texture->IsActive());
    texture->Activate();
    EXPECT_TRUE(texture->IsActive());
    EXPECT_EQ(scene->ActiveTextures[0], texture.get());
    EXPECT_EQ(Device().Texture(0), texture->Texture.get());

    EXPECT_EQ(RaisedHeadline([&] { texture->Activate(); }), kAlreadyActive);
    EXPECT_EQ(scene->ActiveTextures[0], texture.get()) << "the first activation stays";
    EXPECT_EQ(RaisedHeadline([&] { texture->Unload(); }), kUnloadActive);
    EXPECT_EQ(RaisedHeadline([&] { texture->LoadFromFile("next.jpg"); }), kReplaceActive);
    EXPECT_EQ(RaisedHeadline([&] { texture->CreateEmpty(); }), kReplaceActive);
    EXPECT_TRUE(texture->Texture) << "a refused load keeps the texture";

    texture->Deactivate();
    EXPECT_FALSE(texture->IsActive());
    EXPECT_EQ(scene->ActiveTextures[0], nullptr);
    EXPECT_EQ(Device().Texture(0), nullptr);
    EXPECT_EQ(RaisedHeadline([&] { texture->Deactivate(); }), kNotActive);

    const int live = d3d.LiveObjects();
    texture->Unload();
    EXPECT_FALSE(texture->Texture);
    EXPECT_EQ(d3d.LiveObjects(), live - 1) << "the Direct3D texture is released";
    EXPECT_EQ(RaisedHeadline([&] { texture->Activate(); }), kNotLoaded);
}

TEST_F(TextureTest, StagesAreIndependentButEachHoldsOneTexture) {
    auto first = LoadedTexture(0);
    auto second = LoadedTexture(0);
    auto onStageOne = LoadedTexture(1);
    first->Activate();
    EXPECT_EQ(RaisedHeadline([&] { second->Activate(); }), kOtherActive);
    EXPECT_FALSE(second->IsActive());
    onStageOne->Activate();
    EXPECT_TRUE(first->IsActive());
    EXPECT_TRUE(onStageOne->IsActive());
    EXPECT_EQ(Device().Texture(1), onStageOne->Texture.get());
    EXPECT_EQ(RaisedHeadline([&] { first->Unload(); }), kUnloadActive);
    EXPECT_EQ(RaisedHeadline([&] { onStageOne->Unload(); }), kUnloadActive);

    // A texture active on stage 1 and then pointed at stage 0 is still active somewhere.
    onStageOne->Stage = 0;
    EXPECT_FALSE(onStageOne->IsActive());
    EXPECT_TRUE(onStageOne->IsActiveOnAnyStage());
    EXPECT_EQ(RaisedHeadline([&] { onStageOne->Unload(); }), kUnloadActive);
    onStageOne->Stage = 1;
    onStageOne->Deactivate();
    first->Deactivate();
}

TEST_F(TextureTest, StageBeyondTheTableIsRefused) {
    auto texture = LoadedTexture(8);
    EXPECT_EQ(RaisedHeadline([&] { texture->Activate(); }), "TkelDXTexture: No valid argument.");
    EXPECT_FALSE(texture->IsActive());
    EXPECT_EQ(RaisedHeadline([&] { texture->Deactivate(); }), kNotActive);
}

TEST_F(TextureTest, LoadOverLoadedTextureReleasesTheOldOneFirst) {
    auto texture = LoadedTexture();
    d3d.ClearLog();
    EXPECT_EQ(RaisedHeadline([&] { texture->LoadFromFile("next.jpg"); }), "");
    // The new texture may well have the old one's address, freed just before.
    EXPECT_TRUE(texture->Texture);
    const auto log = d3d.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "Destroyed(T1)");
    EXPECT_EQ(log[1].rfind("CreateTexture(", 0), 0u);
}

TEST_F(TextureTest, ActivateSendsTheTextureTransformAndItsFlags) {
    auto texture = LoadedTexture(2);
    texture->Activate();
    EXPECT_EQ(Device().TextureStageState(2, D3DTSS_TEXTURETRANSFORMFLAGS), D3DTTFF_DISABLE);
    ExpectMatrixNear(Device().Transform(D3DTS_TEXTURE0 + 2), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});

    texture->Deactivate();
    texture->Translate(0.5f, 0, 0);
    EXPECT_EQ(Device().TextureStageState(2, D3DTSS_TEXTURETRANSFORMFLAGS), D3DTTFF_DISABLE)
        << "a change reaches the device only at Activate";
    texture->Activate();
    EXPECT_EQ(Device().TextureStageState(2, D3DTSS_TEXTURETRANSFORMFLAGS), D3DTTFF_COUNT2);
    ExpectMatrixNear(Device().Transform(D3DTS_TEXTURE0 + 2), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5f, 0, 0, 1});
    EXPECT_EQ(Device().TextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS), 0u) << "other stages untouched";

    texture->Deactivate();
    EXPECT_EQ(Device().TextureStageState(2, D3DTSS_TEXTURETRANSFORMFLAGS), D3DTTFF_DISABLE);
    ExpectMatrixNear(Device().Transform(D3DTS_TEXTURE0 + 2), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
}

TEST_F(TextureTest, TransformIsTwoDimensional) {
    auto texture = NewTexture();
    texture->Translate(0.5f, 0.25f, 0);
    const D3DMATRIX translated = texture->Matrix;
    EXPECT_EQ(RaisedHeadline([&] { texture->Translate(0, 0, 1); }), kTwoDimensional);
    EXPECT_EQ(RaisedHeadline([&] { texture->Rotate(0, 0, 1, 0.5f); }), kTwoDimensional);
    EXPECT_EQ(RaisedHeadline([&] { texture->RotateX(0.5f); }), kTwoDimensional);
    EXPECT_EQ(RaisedHeadline([&] { texture->RotateY(0.5f); }), kTwoDimensional);
    EXPECT_EQ(RaisedHeadline([&] { texture->Scale(2, 2, 2); }), kTwoDimensional);
    EXPECT_EQ(std::memcmp(&texture->Matrix, &translated, sizeof translated), 0) << "refusals change nothing";
    EXPECT_EQ(RaisedHeadline([&] { texture->RotateZ(0.5f); }), "");
    EXPECT_EQ(RaisedHeadline([&] { texture->Scale(2, 3, 1); }), "");
    EXPECT_NE(std::memcmp(&texture->Matrix, &translated, sizeof translated), 0);
}

TEST_F(TextureTest, LoadOverloadsHandOnTheirRows) {
    using R = fakes::FakeTextureFileLoader::Request;
    auto texture = NewTexture();
    auto expectRow = [&](const R& r, UINT w, UINT h, UINT levels, DWORD filter, DWORD mipFilter, D3DCOLOR key) {
        EXPECT_EQ(r.Name, "a.bmp");
        EXPECT_EQ(r.Width, w);
        EXPECT_EQ(r.Height, h);
        EXPECT_EQ(r.MipLevels, levels);
        EXPECT_EQ(r.Usage, D3DUSAGE_RENDERTARGET);
        EXPECT_EQ(r.Format, D3DFMT_UNKNOWN);
        EXPECT_EQ(r.Pool, D3DPOOL_DEFAULT);
        EXPECT_EQ(r.Filter, filter);
        EXPECT_EQ(r.MipFilter, mipFilter);
        EXPECT_EQ(r.ColorKey, key);
        EXPECT_FALSE(r.WantsSourceInfo);
        EXPECT_EQ(texture->ColorKey, key);
    };
    texture->LoadFromFile("a.bmp", true, 0x0000FF, 1.0f);  // row A, pure red key
    expectRow(LastRequest(), 0, 0, 0, D3DX_FILTER_LINEAR, D3DX_FILTER_NONE, 0xFFFF0000);
    texture->LoadFromFile("a.bmp", 3u, false, 0x0000FF, 1.0f);  // row B: the key is opaque black
    expectRow(LastRequest(), 0, 0, 3, D3DX_FILTER_LINEAR, D3DX_FILTER_LINEAR, 0xFF000000);
    EXPECT_EQ(texture->MipLevels, 3);
    texture->LoadFromFile("a.bmp", 640u, 480u, true, 0xFFFFFF, 0.5f);  // row C
    expectRow(LastRequest(), 640, 480, 0, D3DX_FILTER_LINEAR, D3DX_FILTER_NONE, 0x80FFFFFF);
    texture->LoadFromFile("a.bmp", 64u, 32u, 70000u, D3DX_FILTER_BOX, D3DX_FILTER_POINT, false, 0, 0.0f);  // row D
    expectRow(LastRequest(), 64, 32, 70000, D3DX_FILTER_BOX, D3DX_FILTER_POINT, 0xFF000000);
    EXPECT_EQ(texture->MipLevels, 65535) << "recorded as at most 65535";
}

TEST_F(TextureTest, PlainLoadTakesTheLoadersDefaultsAndNoColorKey) {
    auto texture = NewTexture();
    texture->LoadFromFile("a.bmp", 2u, true, 0x00FF00, 1.0f);
    texture->LoadFromFile("photo.jpg");
    const auto r = LastRequest();
    EXPECT_EQ(r.Width, D3DX_DEFAULT);
    EXPECT_EQ(r.MipLevels, D3DX_DEFAULT);
    EXPECT_EQ(r.Usage, 0u);
    EXPECT_EQ(r.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(r.ColorKey, 0u);
    EXPECT_EQ(texture->ColorKey, 0xFF000000);
    EXPECT_EQ(texture->MipLevels, 0);

    D3DXIMAGE_INFO info{};
    texture->LoadFromFileEx("b.jpg", 1, 2, 3, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_FILTER_TRIANGLE,
                            D3DX_FILTER_BOX, false, 0, 1.0f, &info, nullptr);
    EXPECT_TRUE(LastRequest().WantsSourceInfo);
    EXPECT_EQ(info.Width, 64u) << "the loader fills the source information";
}

TEST_F(TextureTest, CreationsAskTheDeviceForTheirKind) {
    scene->PresentParameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    auto texture = NewTexture();
    d3d.ClearLog();
    texture->CreateEmpty();
    texture->CreateEmpty(128, 64);
    texture->CreateEmpty(128, 64, 1);
    texture->CreateRenderTarget();
    texture->CreateRenderTarget(32, 16);
    texture->CreateRenderTarget(32, 16, 2);
    const std::vector<std::string> expected = {
        "CreateTexture(256, 256, 0, 0x0, 26, 1)", "CreateTexture(128, 64, 0, 0x0, 26, 1)",
        "CreateTexture(128, 64, 1, 0x0, 26, 1)",  "CreateTexture(256, 256, 0, 0x1, 22, 0)",
        "CreateTexture(32, 16, 0, 0x1, 22, 0)",   "CreateTexture(32, 16, 2, 0x1, 22, 0)",
    };
    EXPECT_EQ(d3d.LogOf("CreateTexture"), expected);
    EXPECT_EQ(texture->MipLevels, 2);
    EXPECT_EQ(texture->ColorKey, 0xFF000000);
}

TEST_F(TextureTest, FailedLoadFollowsTheStateSwitch) {
    loader.FailFile("broken.jpg", D3DERR_INVALIDCALL);
    auto texture = NewTexture();
    EXPECT_EQ(RaisedHeadline([&] { texture->LoadFromFile("broken.jpg"); }), "");
    EXPECT_FALSE(texture->Texture);
    EXPECT_EQ(scene->LastError, D3DERR_INVALIDCALL);
    EXPECT_EQ(RaisedHeadline([&] { texture->Activate(); }), kNotLoaded);

    RaiseOnStateError = true;
    EXPECT_EQ(RaisedHeadline([&] { texture->LoadFromFile("broken.jpg"); }), "TkelDXTexture: Cant load texture.");
    EXPECT_FALSE(texture->Texture);
    d3d.Fail("CreateTexture", D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(RaisedHeadline([&] { texture->CreateEmpty(); }), "TkelDXTexture: Cant load texture.");
}

// A loader thread fills a texture while the scene's thread goes on drawing:
// its results must not race with the scene's own record of the last result.
TEST_F(TextureTest, LoadsOnAnotherThreadRaiseButLeaveTheScenesRecordAlone) {
    RaiseOnStateError = true;
    loader.FailFile("broken.jpg", D3DERR_INVALIDCALL);
    auto texture = NewTexture();
    scene->ClearLastError();
    std::string raised;
    std::thread([&] { raised = RaisedHeadline([&] { texture->LoadFromFile("broken.jpg"); }); }).join();
    EXPECT_EQ(raised, "TkelDXTexture: Cant load texture.");
    EXPECT_EQ(scene->LastError, 0);
    EXPECT_EQ(scene->LastErrorText, "");
}

TEST_F(TextureTest, StageStatesAreSetInOrderAndChecked) {
    auto texture = NewTexture(1);
    d3d.ClearLog();
    texture->SelectTextureColor();
    texture->SelectDiffuseAlpha();
    const std::vector<std::string> expected = {
        "SetTextureStageState(1, 2, 1)", "SetTextureStageState(1, 3, 2)", "SetTextureStageState(1, 1, 3)",
        "SetTextureStageState(1, 5, 0)", "SetTextureStageState(1, 6, 2)", "SetTextureStageState(1, 4, 2)",
    };
    EXPECT_EQ(d3d.LogOf("SetTextureStageState"), expected);

    d3d.ClearLog();
    d3d.Fail("SetTextureStageState(1, 3,", D3DERR_INVALIDCALL);
    texture->SetColorStage(1, 2, 3);
    EXPECT_EQ(d3d.LogOf("SetTextureStageState").size(), 3u) << "not raised: the third is still set";
    RaiseOnStateError = true;
    d3d.ClearLog();
    EXPECT_EQ(RaisedHeadline([&] { texture->SetColorStage(1, 2, 3); }), "TkelDXTexture: Cant read/set texture state.");
    EXPECT_EQ(d3d.LogOf("SetTextureStageState").size(), 2u);
}

TEST_F(TextureTest, RefusedBindingRaisesOnlyUnderTheStateSwitch) {
    auto texture = LoadedTexture();
    d3d.Fail("SetTexture", D3DERR_INVALIDCALL);
    RaiseOnStateError = true;
    EXPECT_EQ(RaisedHeadline([&] { texture->Activate(); }), "TkelDXTexture: Cant set texture to the stage.");
    EXPECT_FALSE(texture->IsActive());
}
