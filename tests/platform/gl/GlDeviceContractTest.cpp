// The device's answers: states read back, Direct3D's defaults, limits, the
// display mode, and the D3DERR_* results of calls it refuses.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include <thread>

#include "GlTestSupport.h"
#include "platform/gl/GlDirect3D.h"
#include "platform/gl/GlTexture.h"
#include "platform/gl/VertexLayout.h"

using namespace gltest;

TEST(GlVertexLayout, DecodesTheFormatsOfTheEngineMeshes) {
    auto l = gl::DecodeVertexFormat(0x152);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->size, 36u);
    EXPECT_EQ(l->normal, 12);
    EXPECT_EQ(l->diffuse, 24);
    EXPECT_EQ(l->specular, -1);
    EXPECT_EQ(l->textureSets, 1);
    EXPECT_EQ(l->texture[0], 28);
    auto specular = gl::DecodeVertexFormat(0x2D2);  // specular colour and two sets
    ASSERT_TRUE(specular);
    EXPECT_EQ(specular->specular, 28);
    EXPECT_EQ(specular->texture[1], 40);
    EXPECT_EQ(specular->size, 48u);
    EXPECT_FALSE(gl::DecodeVertexFormat(0x144)) << "pre-transformed positions are not drawn";
    EXPECT_FALSE(gl::DecodeVertexFormat(0x10152)) << "three-component texture sets are not drawn";
    EXPECT_EQ(gl::VerticesForPrimitives(D3DPT_TRIANGLELIST, 4802), 14406u);
    EXPECT_EQ(gl::VerticesForPrimitives(D3DPT_TRIANGLESTRIP, 2), 4u);
    EXPECT_FALSE(gl::VerticesForPrimitives(9, 1));
}

TEST(GlDevice, StatesStartAtDirect3DDefaultsAndReadBackWhatWasSet) {
    DeviceWindow w;
    auto* d = w.device();
    DWORD v = 0;
    ASSERT_EQ(d->GetRenderState(D3DRS_ZENABLE, &v), D3D_OK);
    EXPECT_EQ(v, D3DZB_TRUE) << "a device with a depth buffer starts with depth testing";
    d->GetRenderState(D3DRS_LIGHTING, &v);
    EXPECT_EQ(v, static_cast<DWORD>(TRUE));
    d->GetRenderState(D3DRS_CULLMODE, &v);
    EXPECT_EQ(v, D3DCULL_CCW);
    d->GetRenderState(D3DRS_ZFUNC, &v);
    EXPECT_EQ(v, D3DCMP_LESSEQUAL);
    d->GetTextureStageState(0, D3DTSS_COLOROP, &v);
    EXPECT_EQ(v, D3DTOP_MODULATE);
    d->GetTextureStageState(1, D3DTSS_COLOROP, &v);
    EXPECT_EQ(v, D3DTOP_DISABLE);
    d->GetTextureStageState(3, D3DTSS_TEXCOORDINDEX, &v);
    EXPECT_EQ(v, 3u);

    ASSERT_EQ(d->SetRenderState(D3DRS_AMBIENT, 0xFF6E6E6E), D3D_OK);
    ASSERT_EQ(d->GetRenderState(D3DRS_AMBIENT, &v), D3D_OK);
    EXPECT_EQ(v, 0xFF6E6E6Eu);
    ASSERT_EQ(d->SetTextureStageState(7, D3DTSS_MIPFILTER, D3DTEXF_LINEAR), D3D_OK);
    ASSERT_EQ(d->GetTextureStageState(7, D3DTSS_MIPFILTER, &v), D3D_OK);
    EXPECT_EQ(v, D3DTEXF_LINEAR);
    D3DMATRIX m = Translation(1, 2, 3), back{};
    ASSERT_EQ(d->SetTransform(D3DTS_TEXTURE0 + 5, &m), D3D_OK);
    ASSERT_EQ(d->GetTransform(D3DTS_TEXTURE0 + 5, &back), D3D_OK);
    EXPECT_EQ(back._43, 3.0f);
    ASSERT_EQ(d->GetTransform(D3DTS_VIEW, &back), D3D_OK);
    EXPECT_EQ(back._11, 1.0f) << "transforms start as identity";

    EXPECT_EQ(d->SetRenderState(0, 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->SetRenderState(500, 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->GetRenderState(D3DRS_AMBIENT, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->SetTextureStageState(8, D3DTSS_COLOROP, D3DTOP_DISABLE), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->SetTextureStageState(0, 99, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->SetTransform(1, &m), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->SetTransform(D3DTS_WORLD, nullptr), D3DERR_INVALIDCALL);
}

TEST(GlDevice, ReportsTheScreenAndTheGlLimits) {
    DeviceWindow w;
    D3DDISPLAYMODE mode{};
    ASSERT_EQ(w.direct3D()->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode), D3D_OK);
    EXPECT_EQ(mode.Width, static_cast<UINT>(kScreenWidth));
    EXPECT_EQ(mode.Height, static_cast<UINT>(kScreenHeight));
    EXPECT_EQ(mode.Format, D3DFMT_X8R8G8B8);
    D3DDISPLAYMODE deviceMode{};
    ASSERT_EQ(w.device()->GetDisplayMode(&deviceMode), D3D_OK);
    EXPECT_EQ(deviceMode.Width, mode.Width);

    D3DCAPS8 caps{};
    ASSERT_EQ(w.device()->GetDeviceCaps(&caps), D3D_OK);
    EXPECT_GE(caps.MaxTextureWidth, 2048u);
    EXPECT_EQ(caps.MaxTextureHeight, caps.MaxTextureWidth);
    EXPECT_GE(caps.MaxVertexIndex, 65535u) << "the 50 x 50 photo surface needs 2500";
    EXPECT_GE(caps.MaxStreamStride, 36u);
    EXPECT_GE(caps.MaxPrimitiveCount, 4802u);
    EXPECT_GE(caps.MaxTextureBlendStages, 2u);
    EXPECT_EQ(caps.MaxStreams, 1u);
    ComPtr<IDirect3DTexture8> t;
    EXPECT_EQ(w.device()->CreateTexture(caps.MaxTextureWidth, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, t.put()),
              D3D_OK);
    EXPECT_EQ(w.device()->CreateTexture(caps.MaxTextureWidth + 1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, t.put()),
              D3DERR_INVALIDCALL);
}

TEST(GlDevice, CreationRefusesWhatItCannotGive) {
    DeviceWindow w;  // starts the application
    ComPtr<IDirect3D8> d3d = ComPtr<IDirect3D8>::Attach(gl::CreateDirect3D(D3D_SDK_VERSION));
    EXPECT_EQ(gl::CreateDirect3D(120), nullptr);
    QWindow other;
    other.setGeometry(0, 0, 64, 48);
    auto create = [&](D3DPRESENT_PARAMETERS p, DWORD behaviour, D3DDEVTYPE type = D3DDEVTYPE_HAL) {
        ComPtr<IDirect3DDevice8> device;
        return d3d->CreateDevice(D3DADAPTER_DEFAULT, type, &other, behaviour, &p, device.put());
    };
    D3DPRESENT_PARAMETERS p = WindowedParameters(&other);
    EXPECT_EQ(create(p, D3DCREATE_SOFTWARE_VERTEXPROCESSING, D3DDEVTYPE_REF), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(create(p, D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING), D3DERR_INVALIDCALL);
    EXPECT_EQ(create(p, D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE), D3DERR_INVALIDCALL);
    EXPECT_EQ(create(p, 0), D3DERR_INVALIDCALL);
    D3DPRESENT_PARAMETERS full = p;
    full.Windowed = FALSE;
    EXPECT_EQ(create(full, D3DCREATE_HARDWARE_VERTEXPROCESSING), D3DERR_NOTAVAILABLE);
    D3DPRESENT_PARAMETERS depth = p;
    depth.AutoDepthStencilFormat = D3DFMT_A8R8G8B8;
    EXPECT_EQ(create(depth, D3DCREATE_HARDWARE_VERTEXPROCESSING), D3DERR_INVALIDCALL);
    EXPECT_EQ(d3d->CreateDevice(1, D3DDEVTYPE_HAL, &other, D3DCREATE_MIXED_VERTEXPROCESSING, &p, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(d3d->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, TRUE), D3D_OK);
    EXPECT_EQ(d3d->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_R5G6B5, D3DFMT_R5G6B5, FALSE), D3DERR_NOTAVAILABLE);

    // A zero back-buffer size becomes the window's.
    D3DPRESENT_PARAMETERS zero = p;
    zero.BackBufferWidth = zero.BackBufferHeight = 0;
    zero.BackBufferFormat = D3DFMT_UNKNOWN;
    ComPtr<IDirect3DDevice8> device;
    ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, &other, D3DCREATE_MIXED_VERTEXPROCESSING, &zero, device.put()),
              D3D_OK);
    EXPECT_EQ(zero.BackBufferWidth, 64u);
    EXPECT_EQ(zero.BackBufferHeight, 48u);
    EXPECT_EQ(zero.BackBufferFormat, D3DFMT_X8R8G8B8);

    D3DDISPLAYMODE mode;
    HRESULT fromThread = 0;
    std::thread([&] { fromThread = d3d->GetAdapterDisplayMode(0, &mode); }).join();
    EXPECT_EQ(fromThread, D3DERR_INVALIDCALL) << "the screen is read on the GUI thread only";
}

TEST(GlDevice, AWindowAlreadyMadeForRasterPaintingIsRemadeForOpenGl) {
    DeviceWindow w;
    QWindow raster;
    raster.setGeometry(0, 0, 64, 48);
    raster.create();
    ASSERT_EQ(raster.surfaceType(), QSurface::RasterSurface);
    D3DPRESENT_PARAMETERS p = WindowedParameters(&raster);
    ComPtr<IDirect3DDevice8> device;
    ASSERT_EQ(w.direct3D()->CreateDevice(0, D3DDEVTYPE_HAL, &raster, D3DCREATE_HARDWARE_VERTEXPROCESSING, &p,
                                         device.put()),
              D3D_OK);
    EXPECT_EQ(raster.surfaceType(), QSurface::OpenGLSurface);
    EXPECT_GE(raster.format().depthBufferSize(), 16);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3D_OK);
}

TEST(GlDevice, DrawCallsRefuseWhatWouldReadOutsideTheirBuffers) {
    DeviceWindow w;
    auto* d = w.device();
    UseVertexColours(d);
    auto quad = Quad(-1, 1, 1, -1, 0.5f);
    auto vb = MakeVertexBuffer(d, quad.data(), 4);
    const std::uint16_t indices[6] = {0, 1, 2, 2, 1, 4};  // 4 is past the last vertex
    auto ib = MakeIndexBuffer(d, indices, 6);

    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3DERR_INVALIDCALL) << "outside a scene";
    ASSERT_EQ(d->BeginScene(), D3D_OK);
    EXPECT_EQ(d->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3DERR_INVALIDCALL) << "no stream";
    ASSERT_EQ(d->SetStreamSource(0, vb.get(), sizeof(Vertex152)), D3D_OK);
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3DERR_INVALIDCALL) << "no vertex format";
    EXPECT_EQ(d->SetVertexShader(0x144), D3DERR_INVALIDCALL);
    ASSERT_EQ(d->SetVertexShader(kFvf152), D3D_OK);
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3D_OK);
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLESTRIP, 1, 2), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->DrawPrimitive(42, 0, 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 0), D3D_OK) << "nothing to draw";
    ASSERT_EQ(d->SetStreamSource(0, vb.get(), 24), D3D_OK);
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3DERR_INVALIDCALL) << "stride below the format";
    ASSERT_EQ(d->SetStreamSource(0, vb.get(), sizeof(Vertex152)), D3D_OK);

    EXPECT_EQ(d->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 1), D3DERR_INVALIDCALL) << "no indices";
    ASSERT_EQ(d->SetIndices(ib.get(), 0), D3D_OK);
    EXPECT_EQ(d->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 1), D3D_OK);
    EXPECT_EQ(d->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 2), D3DERR_INVALIDCALL) << "index 4 of 4 vertices";
    EXPECT_EQ(d->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 3, 2), D3DERR_INVALIDCALL) << "past the indices";
    ASSERT_EQ(d->SetIndices(ib.get(), 1), D3D_OK);
    EXPECT_EQ(d->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 1), D3D_OK);
    ASSERT_EQ(d->SetIndices(ib.get(), 2), D3D_OK);
    EXPECT_EQ(d->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 1), D3DERR_INVALIDCALL) << "base vertex too far";

    BYTE* p = nullptr;
    ASSERT_EQ(vb->Lock(0, 36, &p, 0), D3D_OK);
    EXPECT_EQ(vb->Lock(0, 36, &p, 0), D3DERR_INVALIDCALL) << "locked twice";
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3DERR_INVALIDCALL) << "drawing a locked buffer";
    ASSERT_EQ(vb->Unlock(), D3D_OK);
    EXPECT_EQ(vb->Unlock(), D3DERR_INVALIDCALL);
    EXPECT_EQ(vb->Lock(100, 100, &p, 0), D3DERR_INVALIDCALL) << "beyond the end";
    ASSERT_EQ(vb->Lock(100, 0, &p, 0), D3D_OK) << "size 0 locks to the end";
    ASSERT_EQ(vb->Unlock(), D3D_OK);

    // An operation this device lacks is named in the result.
    ASSERT_EQ(d->SetTextureStageState(0, D3DTSS_COLOROP, 24), D3D_OK);  // DOTPRODUCT3
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3DERR_UNSUPPORTEDCOLOROPERATION);
    ASSERT_EQ(d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1), D3D_OK);
    ASSERT_EQ(d->SetTextureStageState(0, D3DTSS_ALPHAARG1, 5), D3D_OK);  // TEMP
    EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3DERR_UNSUPPORTEDALPHAARG);

    ASSERT_EQ(d->EndScene(), D3D_OK);
    EXPECT_EQ(d->EndScene(), D3DERR_INVALIDCALL);
    RECT r{0, 0, 1, 1};
    EXPECT_EQ(d->Present(&r, nullptr, nullptr, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->Clear(1, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 2.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 1.0f, 0), D3DERR_INVALIDCALL) << "no stencil buffer";
}

TEST(GlDevice, ResourcesAndBindingsCheckTheirArguments) {
    DeviceWindow w;
    auto* d = w.device();
    ComPtr<IDirect3DTexture8> t;
    EXPECT_EQ(d->CreateTexture(0, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, t.put()), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->CreateTexture(4, 4, 4, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, t.put()), D3DERR_INVALIDCALL)
        << "more levels than the chain";
    EXPECT_EQ(d->CreateTexture(4, 4, 1, 0, D3DFMT_D16, D3DPOOL_MANAGED, t.put()), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->CreateTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, t.put()),
              D3DERR_INVALIDCALL);
    ASSERT_EQ(d->CreateTexture(6, 3, 0, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED, t.put()), D3D_OK);
    EXPECT_EQ(t->GetLevelCount(), 3u);
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(t->GetLevelDesc(2, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, 1u);
    EXPECT_EQ(desc.Height, 1u);
    EXPECT_EQ(t->GetLevelDesc(3, &desc), D3DERR_INVALIDCALL);
    D3DLOCKED_RECT locked;
    RECT outside{0, 0, 7, 1};
    EXPECT_EQ(t->LockRect(0, &locked, &outside, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(t->UnlockRect(0), D3DERR_INVALIDCALL);
    EXPECT_EQ(d->SetTexture(8, t.get()), D3DERR_INVALIDCALL);
    ASSERT_EQ(d->SetTexture(0, t.get()), D3D_OK);
    ASSERT_EQ(d->SetTexture(0, nullptr), D3D_OK);
    EXPECT_EQ(d->SetStreamSource(1, nullptr, 36), D3DERR_INVALIDCALL);
    ComPtr<IDirect3DIndexBuffer8> ib;
    EXPECT_EQ(d->CreateIndexBuffer(12, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, ib.put()), D3DERR_INVALIDCALL);
    ComPtr<IDirect3DVertexBuffer8> vb;
    EXPECT_EQ(d->CreateVertexBuffer(0, 0, kFvf152, D3DPOOL_DEFAULT, vb.put()), D3DERR_INVALIDCALL);

    // A texture of another device cannot be bound.
    QWindow other;
    other.setGeometry(0, 0, 32, 32);
    D3DPRESENT_PARAMETERS p = WindowedParameters(&other);
    ComPtr<IDirect3DDevice8> second;
    ASSERT_EQ(w.direct3D()->CreateDevice(0, D3DDEVTYPE_HAL, &other, D3DCREATE_HARDWARE_VERTEXPROCESSING, &p,
                                         second.put()),
              D3D_OK);
    EXPECT_EQ(second->SetTexture(0, t.get()), D3DERR_INVALIDCALL);

    HRESULT fromThread = 0;
    std::thread([&] { fromThread = d->SetRenderState(D3DRS_LIGHTING, FALSE); }).join();
    EXPECT_EQ(fromThread, D3DERR_INVALIDCALL) << "state belongs to the device's thread";
}

TEST(GlTexture, LockedRectanglesStartWithTheContentAndUpdateOnlyThemselves) {
    DeviceWindow w;
    const D3DCOLOR red[16] = {0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000,
                              0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000,
                              0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000};
    auto t = MakeTexture(w.device(), 4, 4, red);
    RECT inner{1, 1, 3, 3};
    D3DLOCKED_RECT r;
    ASSERT_EQ(t->LockRect(0, &r, &inner, 0), D3D_OK);
    EXPECT_EQ(r.Pitch, 8);
    auto* px = static_cast<D3DCOLOR*>(r.pBits);
    EXPECT_EQ(px[0], 0xFFFF0000u) << "a lock without DISCARD shows the texture's pixels";
    px[0] = px[1] = px[2] = px[3] = 0xFF0000FF;
    ASSERT_EQ(t->UnlockRect(0), D3D_OK);
    ASSERT_EQ(t->LockRect(0, &r, nullptr, D3DLOCK_READONLY), D3D_OK);
    auto row = [&](int y) { return reinterpret_cast<D3DCOLOR*>(static_cast<BYTE*>(r.pBits) + y * r.Pitch); };
    EXPECT_EQ(row(0)[0], 0xFFFF0000u);
    EXPECT_EQ(row(1)[1], 0xFF0000FFu);
    EXPECT_EQ(row(2)[2], 0xFF0000FFu);
    EXPECT_EQ(row(2)[3], 0xFFFF0000u);
    EXPECT_EQ(row(3)[1], 0xFFFF0000u);
    ASSERT_EQ(t->UnlockRect(0), D3D_OK);
}

TEST(GlTexture, AWholeLevelIsWrittenFromRowsWithTheirOwnPitch) {
    DeviceWindow w;
    const D3DCOLOR red[4] = {0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000};
    auto t = MakeTexture(w.device(), 2, 2, red);
    auto* texture = dynamic_cast<gl::GlTexture*>(t.get());
    ASSERT_NE(texture, nullptr);
    // Two rows of two pixels, three pixels apart: the third of each row is not the picture's.
    const D3DCOLOR rows[6] = {0xFF000001, 0xFF000002, 0xFFFFFFFF, 0xFF000003, 0xFF000004, 0xFFFFFFFF};
    EXPECT_EQ(texture->WriteLevel(0, rows, 4), D3DERR_INVALIDCALL) << "shorter than a row";
    EXPECT_EQ(texture->WriteLevel(0, rows, 10), D3DERR_INVALIDCALL) << "not a whole number of pixels";
    EXPECT_EQ(texture->WriteLevel(2, rows, 12), D3DERR_INVALIDCALL) << "no such level";
    ASSERT_EQ(texture->WriteLevel(0, rows, 12), D3D_OK);

    D3DLOCKED_RECT r;
    ASSERT_EQ(t->LockRect(0, &r, nullptr, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(texture->WriteLevel(0, rows, 12), D3DERR_INVALIDCALL) << "the level is locked";
    auto* px = static_cast<D3DCOLOR*>(r.pBits);
    EXPECT_EQ(px[0], 0xFF000001u);
    EXPECT_EQ(px[1], 0xFF000002u);
    EXPECT_EQ(px[2], 0xFF000003u);
    EXPECT_EQ(px[3], 0xFF000004u);
    ASSERT_EQ(t->UnlockRect(0), D3D_OK);
}
