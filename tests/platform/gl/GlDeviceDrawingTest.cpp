// What the OpenGL device puts on a real screen (Xvfb with Mesa): clears,
// vertex colours, textures with the slideshow's stage settings, Direct3D's
// transforms, depth, culling, indices and mip levels.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "GlTestSupport.h"

using namespace gltest;
using e2e::Near;
using e2e::Rgb;

namespace {
constexpr D3DCOLOR kBackground = 0xFF101010;
const Rgb kGrey = RgbOf(kBackground);

void ClearAll(IDirect3DDevice8* d, D3DCOLOR colour = kBackground) {
    ASSERT_EQ(d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, colour, 1.0f, 0), D3D_OK);
}
}  // namespace

TEST(GlDeviceDrawing, ClearFillsTheTargetAndRectanglesCountFromTheTop) {
    DeviceWindow w;
    auto* d = w.device();
    ClearAll(d, 0xFF204080);
    D3DRECT topLeft{0, 0, 160, 60};
    ASSERT_EQ(d->Clear(1, &topLeft, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0), D3D_OK);
    auto shot = w.PresentAndGrab();
    shot.SavePng(e2e::ArtifactFolder() / "gl-clear.png");
    EXPECT_TRUE(Near(shot.At(10, 10), {255, 0, 0}));
    EXPECT_TRUE(Near(shot.At(159, 59), {255, 0, 0}));
    EXPECT_TRUE(Near(shot.At(160, 10), {0x20, 0x40, 0x80}));
    EXPECT_TRUE(Near(shot.At(10, 60), {0x20, 0x40, 0x80}));
    EXPECT_TRUE(Near(shot.At(319, 239), {0x20, 0x40, 0x80}));
}

TEST(GlDeviceDrawing, VertexColoursAreReadAsBlueGreenRedAlphaBytes) {
    DeviceWindow w;
    auto* d = w.device();
    UseVertexColours(d);
    ClearAll(d);
    auto quad = Quad(-1, 1, 0, 0, 0.5f, 0xFF102030);
    DrawStrip(d, quad.data(), 4);
    auto shot = w.PresentAndGrab();
    EXPECT_TRUE(Near(shot.At(80, 60), {0x10, 0x20, 0x30}, 2));
    EXPECT_TRUE(Near(shot.At(240, 180), kGrey, 2));
}

// The slideshow's frame: colour from the texture (SELECTARG2 of CURRENT and
// TEXTURE), alpha from the vertex (SELECTARG1 of DIFFUSE and TEXTURE), a
// perspective camera, texture row 0 at the top.
TEST(GlDeviceDrawing, TexturedQuadTakesColourFromTextureAndAlphaFromVertex) {
    DeviceWindow w;
    auto* d = w.device();
    const D3DCOLOR texels[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    auto texture = MakeTexture(d, 2, 2, texels);
    D3DMATRIX world = Translation(0, 0, 0), view = Translation(0, 0, 2);
    D3DMATRIX projection = PerspectiveFovLH(std::numbers::pi_v<float> / 2, 4.0f / 3.0f, 0.1f, 10.0f);
    ASSERT_EQ(d->SetTransform(D3DTS_WORLD, &world), D3D_OK);
    ASSERT_EQ(d->SetTransform(D3DTS_VIEW, &view), D3D_OK);
    ASSERT_EQ(d->SetTransform(D3DTS_PROJECTION, &projection), D3D_OK);
    ASSERT_EQ(d->SetRenderState(D3DRS_LIGHTING, FALSE), D3D_OK);
    ASSERT_EQ(d->SetTexture(0, texture.get()), D3D_OK);
    ASSERT_EQ(d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_CURRENT), D3D_OK);
    ASSERT_EQ(d->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_TEXTURE), D3D_OK);
    ASSERT_EQ(d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2), D3D_OK);
    ASSERT_EQ(d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE), D3D_OK);
    ASSERT_EQ(d->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TEXTURE), D3D_OK);
    ASSERT_EQ(d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1), D3D_OK);
    // The quad spans x and y from -1 to 1 at depth 2 before a 90-degree, 4:3
    // camera: NDC x from -0.375 to 0.375 and y from -0.5 to 0.5, so pixels
    // 100..219 across and 60..179 down on a 320 x 240 screen.
    auto quad = Quad(-1, 1, 1, -1, 0, 0x40FFFF00);
    ClearAll(d, 0xFF000000);
    DrawStrip(d, quad.data(), 4);
    auto shot = w.PresentAndGrab();
    shot.SavePng(e2e::ArtifactFolder() / "gl-textured-quad.png");
    auto box = shot.BoundsOfNot({0, 0, 0});
    EXPECT_NEAR(box.left, 100, 1);
    EXPECT_NEAR(box.right, 219, 1);
    EXPECT_NEAR(box.top, 60, 1);
    EXPECT_NEAR(box.bottom, 179, 1);
    EXPECT_TRUE(Near(shot.At(130, 90), {255, 0, 0}));
    EXPECT_TRUE(Near(shot.At(190, 90), {0, 255, 0}));
    EXPECT_TRUE(Near(shot.At(130, 150), {0, 0, 255}));
    EXPECT_TRUE(Near(shot.At(190, 150), {255, 255, 255}));

    // With blending the vertex alpha (0x40) shows, not the texture's (0xFF).
    ASSERT_EQ(d->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE), D3D_OK);
    ASSERT_EQ(d->SetRenderState(D3DRS_SRCBLEND, 5), D3D_OK);   // SRCALPHA
    ASSERT_EQ(d->SetRenderState(D3DRS_DESTBLEND, 6), D3D_OK);  // INVSRCALPHA
    ClearAll(d, 0xFF000000);
    DrawStrip(d, quad.data(), 4);
    shot = w.PresentAndGrab();
    EXPECT_TRUE(Near(shot.At(130, 90), {0x40, 0, 0}, 3));
    EXPECT_TRUE(Near(shot.At(190, 150), {0x40, 0x40, 0x40}, 3));
}

TEST(GlDeviceDrawing, DepthTestKeepsTheNearerSurfaceAndClearIgnoresTheWriteMask) {
    DeviceWindow w;
    auto* d = w.device();
    UseVertexColours(d);
    auto near = Quad(-1, 1, 1, -1, 0.3f, 0xFF00FF00);
    auto far = Quad(-1, 1, 1, -1, 0.6f, 0xFFFF0000);
    auto same = Quad(-1, 1, 1, -1, 0.3f, 0xFF0000FF);
    ClearAll(d);
    DrawStrip(d, near.data(), 4);
    DrawStrip(d, far.data(), 4);
    EXPECT_TRUE(Near(w.PresentAndGrab().At(160, 120), {0, 255, 0})) << "the farther quad was drawn over the nearer";

    // Direct3D's default test is LESSEQUAL: an equal depth passes.
    ClearAll(d);
    DrawStrip(d, near.data(), 4);
    DrawStrip(d, same.data(), 4);
    EXPECT_TRUE(Near(w.PresentAndGrab().At(160, 120), {0, 0, 255}));

    ASSERT_EQ(d->SetRenderState(D3DRS_ZFUNC, D3DCMP_ALWAYS), D3D_OK);
    ClearAll(d);
    DrawStrip(d, near.data(), 4);
    DrawStrip(d, far.data(), 4);
    EXPECT_TRUE(Near(w.PresentAndGrab().At(160, 120), {255, 0, 0}));

    // Depth is Direct3D's 0..1 on both sides of the test: cleared to 0.5, a
    // vertex depth of 0.3 passes and one of 0.6 does not.
    ASSERT_EQ(d->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL), D3D_OK);
    ASSERT_EQ(d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackground, 0.5f, 0), D3D_OK);
    DrawStrip(d, far.data(), 4);
    EXPECT_TRUE(Near(w.PresentAndGrab().At(160, 120), kGrey, 2));
    ASSERT_EQ(d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackground, 0.5f, 0), D3D_OK);
    DrawStrip(d, near.data(), 4);
    EXPECT_TRUE(Near(w.PresentAndGrab().At(160, 120), {0, 255, 0}));

    ClearAll(d);
    DrawStrip(d, near.data(), 4);
    ASSERT_EQ(d->SetRenderState(D3DRS_ZWRITEENABLE, FALSE), D3D_OK);
    ClearAll(d);  // must still reset the depth buffer
    DrawStrip(d, far.data(), 4);
    EXPECT_TRUE(Near(w.PresentAndGrab().At(160, 120), {255, 0, 0}));
}

TEST(GlDeviceDrawing, CullModeDropsTheNamedWinding) {
    DeviceWindow w;
    auto* d = w.device();
    UseVertexColours(d);
    // Clockwise on screen: bottom left, top, bottom right.
    Vertex152 clockwise[3] = {{-0.5f, -0.5f, 0.5f, 0, 0, 0, 0xFFFFFFFF, 0, 0},
                              {0.0f, 0.5f, 0.5f, 0, 0, 0, 0xFFFFFFFF, 0, 0},
                              {0.5f, -0.5f, 0.5f, 0, 0, 0, 0xFFFFFFFF, 0, 0}};
    Vertex152 counter[3] = {clockwise[0], clockwise[2], clockwise[1]};
    auto drawn = [&](const Vertex152* v, DWORD cull) {
        EXPECT_EQ(d->SetRenderState(D3DRS_CULLMODE, cull), D3D_OK);
        ClearAll(d);
        auto vb = MakeVertexBuffer(d, v, 3);
        EXPECT_EQ(d->BeginScene(), D3D_OK);
        EXPECT_EQ(d->SetStreamSource(0, vb.get(), sizeof(Vertex152)), D3D_OK);
        EXPECT_EQ(d->SetVertexShader(kFvf152), D3D_OK);
        EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3D_OK);
        EXPECT_EQ(d->EndScene(), D3D_OK);
        return Near(w.PresentAndGrab().At(160, 130), {255, 255, 255});
    };
    EXPECT_TRUE(drawn(clockwise, D3DCULL_CCW));
    EXPECT_FALSE(drawn(counter, D3DCULL_CCW));
    EXPECT_FALSE(drawn(clockwise, D3DCULL_CW));
    EXPECT_TRUE(drawn(counter, D3DCULL_CW));
    EXPECT_TRUE(drawn(counter, D3DCULL_NONE));
}

// Two quads in one buffer; the indices name the second through the base vertex index.
TEST(GlDeviceDrawing, SixteenAndThirtyTwoBitIndicesDrawTheSameTriangles) {
    DeviceWindow w;
    auto* d = w.device();
    UseVertexColours(d);
    auto left = Quad(-1, 1, 0, -1, 0.5f, 0xFFFF0000);
    auto right = Quad(0, 1, 1, -1, 0.5f, 0xFF00FF00);
    Vertex152 vertices[8];
    std::copy(left.begin(), left.end(), vertices);
    std::copy(right.begin(), right.end(), vertices + 4);
    auto vb = MakeVertexBuffer(d, vertices, 8);
    const std::uint16_t small[6] = {0, 1, 2, 2, 1, 3};
    const std::uint32_t large[6] = {0, 1, 2, 2, 1, 3};
    auto ib16 = MakeIndexBuffer(d, small, 6);
    auto ib32 = MakeIndexBuffer(d, large, 6);
    for (IDirect3DIndexBuffer8* ib : {ib16.get(), ib32.get()}) {
        ClearAll(d);
        ASSERT_EQ(d->BeginScene(), D3D_OK);
        ASSERT_EQ(d->SetStreamSource(0, vb.get(), sizeof(Vertex152)), D3D_OK);
        ASSERT_EQ(d->SetVertexShader(kFvf152), D3D_OK);
        ASSERT_EQ(d->SetIndices(ib, 4), D3D_OK);
        ASSERT_EQ(d->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 2), D3D_OK);
        ASSERT_EQ(d->EndScene(), D3D_OK);
        auto shot = w.PresentAndGrab();
        EXPECT_TRUE(Near(shot.At(80, 120), kGrey, 2));
        EXPECT_TRUE(Near(shot.At(240, 20), {0, 255, 0}));
        EXPECT_TRUE(Near(shot.At(240, 220), {0, 255, 0}));
    }
}

namespace {
// A full-screen quad textured with `texture` (colour from the texture alone).
e2e::Screenshot DrawTextured(DeviceWindow& w, IDirect3DTexture8* texture, float x2 = 1, float y2 = -1) {
    auto* d = w.device();
    EXPECT_EQ(d->SetTexture(0, texture), D3D_OK);
    EXPECT_EQ(d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE), D3D_OK);
    EXPECT_EQ(d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1), D3D_OK);
    ClearAll(d);
    auto quad = Quad(-1, 1, x2, y2, 0.5f);
    DrawStrip(d, quad.data(), 4);
    return w.PresentAndGrab();
}
}  // namespace

// Two-component coordinates enter the texture transform as (u, v, 1, 0), so the
// third row moves them; addressing wraps.
TEST(GlDeviceDrawing, TextureTransformWithTwoCountsShiftsCoordinates) {
    DeviceWindow w;
    auto* d = w.device();
    UseVertexColours(d);
    const D3DCOLOR texels[2] = {0xFFFF0000, 0xFF00FF00};
    auto texture = MakeTexture(d, 2, 1, texels);
    D3DMATRIX shift = Translation(0, 0, 0);
    shift._31 = 0.5f;
    ASSERT_EQ(d->SetTransform(D3DTS_TEXTURE0, &shift), D3D_OK);
    auto plain = DrawTextured(w, texture.get());
    EXPECT_TRUE(Near(plain.At(40, 120), {255, 0, 0})) << "the transform applies only with D3DTTFF_COUNT2";
    ASSERT_EQ(d->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2), D3D_OK);
    auto shifted = DrawTextured(w, texture.get());
    EXPECT_TRUE(Near(shifted.At(40, 120), {0, 255, 0}));
    EXPECT_TRUE(Near(shifted.At(280, 120), {255, 0, 0})) << "coordinates beyond 1 wrap";
}

// A 4 x 4 texture drawn on 2 x 2 pixels samples level 1 when mip filtering is on.
TEST(GlDeviceDrawing, MipFilterSelectsTheLevelForTheDrawnSize) {
    DeviceWindow w;
    auto* d = w.device();
    UseVertexColours(d);
    ComPtr<IDirect3DTexture8> texture;
    ASSERT_EQ(d->CreateTexture(4, 4, 0, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, texture.put()), D3D_OK);
    ASSERT_EQ(texture->GetLevelCount(), 3u);
    const D3DCOLOR colours[3] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
    for (UINT level = 0; level < 3; ++level) {
        D3DLOCKED_RECT r;
        ASSERT_EQ(texture->LockRect(level, &r, nullptr, D3DLOCK_DISCARD), D3D_OK);
        UINT side = 4 >> level;
        for (UINT y = 0; y < side; ++y)
            for (UINT x = 0; x < side; ++x)
                reinterpret_cast<D3DCOLOR*>(static_cast<BYTE*>(r.pBits) + y * r.Pitch)[x] = colours[level];
        ASSERT_EQ(texture->UnlockRect(level), D3D_OK);
    }
    float x2 = -1 + 4.0f / kScreenWidth, y2 = 1 - 4.0f / kScreenHeight;  // 2 x 2 pixels
    ASSERT_EQ(d->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT), D3D_OK);
    ASSERT_EQ(d->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_POINT), D3D_OK);
    EXPECT_TRUE(Near(DrawTextured(w, texture.get(), x2, y2).At(0, 0), {0, 255, 0}));
    ASSERT_EQ(d->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_NONE), D3D_OK);
    EXPECT_TRUE(Near(DrawTextured(w, texture.get(), x2, y2).At(0, 0), {255, 0, 0}));
}

// No lights exist: lighting gives the ambient light times the material's ambient colour.
TEST(GlDeviceDrawing, LightingWithoutLightsLeavesAmbientAndEmissive) {
    DeviceWindow w;
    auto* d = w.device();
    UseVertexColours(d);
    D3DMATERIAL8 m{};
    m.Ambient = {1.0f, 0.5f, 0.0f, 1.0f};
    m.Emissive = {0.0f, 0.0f, 0.25f, 1.0f};
    m.Diffuse = {0, 0, 0, 1};
    ASSERT_EQ(d->SetMaterial(&m), D3D_OK);
    ASSERT_EQ(d->SetRenderState(D3DRS_LIGHTING, TRUE), D3D_OK);
    ASSERT_EQ(d->SetRenderState(D3DRS_AMBIENT, 0xFF808080), D3D_OK);
    ASSERT_EQ(d->SetRenderState(D3DRS_AMBIENTMATERIALSOURCE, D3DMCS_MATERIAL), D3D_OK);
    ClearAll(d);
    auto quad = Quad(-1, 1, 1, -1, 0.5f, 0xFFFFFFFF);
    DrawStrip(d, quad.data(), 4);
    EXPECT_TRUE(Near(w.PresentAndGrab().At(160, 120), {128, 64, 64}, 3));
}
