#include "GlTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/gl/GlDirect3D.h"

namespace gltest {
namespace {

// Ends the display when the tests end, before static destructors run.
class DisplayEnd : public ::testing::Environment {
public:
    void TearDown() override { EndTestDisplay(); }
};
const auto* const displayEnd = ::testing::AddGlobalTestEnvironment(new DisplayEnd);

}  // namespace

D3DPRESENT_PARAMETERS WindowedParameters(QWindow* window, bool depthBuffer) {
    D3DPRESENT_PARAMETERS p{};
    p.Windowed = TRUE;
    p.hDeviceWindow = window;
    p.EnableAutoDepthStencil = depthBuffer ? TRUE : FALSE;
    p.AutoDepthStencilFormat = D3DFMT_D16;
    p.BackBufferCount = 1;
    p.SwapEffect = D3DSWAPEFFECT_DISCARD;
    p.BackBufferWidth = kScreenWidth;
    p.BackBufferHeight = kScreenHeight;
    p.BackBufferFormat = D3DFMT_X8R8G8B8;
    return p;
}

DeviceWindow::DeviceWindow(bool depthBuffer) {
    TestDisplay();
    window_ = ScreenWindow();
    d3d_ = ComPtr<IDirect3D8>::Attach(gl::CreateDirect3D(D3D_SDK_VERSION));
    if (!d3d_) throw std::runtime_error("no Direct3D interface");
    D3DPRESENT_PARAMETERS p = WindowedParameters(window_.get(), depthBuffer);
    HRESULT hr = d3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window_.get(),
                                    D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE, &p, device_.put());
    if (FAILED(hr)) throw std::runtime_error("no device: " + std::to_string(hr));
    ShowAndWaitExposed(*window_);
}

DeviceWindow::~DeviceWindow() {
    device_ = nullptr;
    d3d_ = nullptr;
    window_.reset();
}

e2e::Screenshot DeviceWindow::PresentAndGrab() {
    EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    return GrabScreen();
}

D3DMATRIX PerspectiveFovLH(float fovy, float aspect, float zn, float zf) {
    float yScale = 1.0f / std::tan(fovy / 2), xScale = yScale / aspect;
    D3DMATRIX m{};
    m._11 = xScale;
    m._22 = yScale;
    m._33 = zf / (zf - zn);
    m._34 = 1.0f;
    m._43 = -zn * zf / (zf - zn);
    return m;
}

D3DMATRIX Translation(float x, float y, float z) {
    D3DMATRIX m{};
    m._11 = m._22 = m._33 = m._44 = 1.0f;
    m._41 = x;
    m._42 = y;
    m._43 = z;
    return m;
}

ComPtr<IDirect3DTexture8> MakeTexture(IDirect3DDevice8* device, int width, int height, const D3DCOLOR* argb) {
    ComPtr<IDirect3DTexture8> t;
    EXPECT_EQ(device->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, t.put()), D3D_OK);
    D3DLOCKED_RECT r;
    EXPECT_EQ(t->LockRect(0, &r, nullptr, 0), D3D_OK);
    for (int y = 0; y < height; ++y)
        std::memcpy(static_cast<BYTE*>(r.pBits) + y * r.Pitch, argb + y * width, width * 4);
    EXPECT_EQ(t->UnlockRect(0), D3D_OK);
    return t;
}

namespace {
template <typename Buffer>
void Fill(Buffer* buffer, const void* data, size_t bytes) {
    BYTE* p = nullptr;
    EXPECT_EQ(buffer->Lock(0, 0, &p, 0), D3D_OK);
    std::memcpy(p, data, bytes);
    EXPECT_EQ(buffer->Unlock(), D3D_OK);
}
}  // namespace

ComPtr<IDirect3DVertexBuffer8> MakeVertexBuffer(IDirect3DDevice8* device, const Vertex152* vertices, int count) {
    ComPtr<IDirect3DVertexBuffer8> vb;
    UINT bytes = static_cast<UINT>(count * sizeof(Vertex152));
    EXPECT_EQ(device->CreateVertexBuffer(bytes, 0, kFvf152, D3DPOOL_DEFAULT, vb.put()), D3D_OK);
    Fill(vb.get(), vertices, bytes);
    return vb;
}

template <typename Index>
ComPtr<IDirect3DIndexBuffer8> MakeIndexBuffer(IDirect3DDevice8* device, const Index* indices, int count) {
    ComPtr<IDirect3DIndexBuffer8> ib;
    UINT bytes = static_cast<UINT>(count * sizeof(Index));
    D3DFORMAT format = sizeof(Index) == 4 ? D3DFMT_INDEX32 : D3DFMT_INDEX16;
    EXPECT_EQ(device->CreateIndexBuffer(bytes, 0, format, D3DPOOL_DEFAULT, ib.put()), D3D_OK);
    Fill(ib.get(), indices, bytes);
    return ib;
}
template ComPtr<IDirect3DIndexBuffer8> MakeIndexBuffer(IDirect3DDevice8*, const std::uint16_t*, int);
template ComPtr<IDirect3DIndexBuffer8> MakeIndexBuffer(IDirect3DDevice8*, const std::uint32_t*, int);

void DrawStrip(IDirect3DDevice8* device, const Vertex152* vertices, int count) {
    auto vb = MakeVertexBuffer(device, vertices, count);
    EXPECT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->SetStreamSource(0, vb.get(), sizeof(Vertex152)), D3D_OK);
    EXPECT_EQ(device->SetVertexShader(kFvf152), D3D_OK);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, count - 2), D3D_OK);
    EXPECT_EQ(device->EndScene(), D3D_OK);
}

std::array<Vertex152, 4> Quad(float x1, float y1, float x2, float y2, float z, D3DCOLOR diffuse) {
    return {{{x1, y1, z, 0, 0, -1, diffuse, 0, 0},
             {x2, y1, z, 0, 0, -1, diffuse, 1, 0},
             {x1, y2, z, 0, 0, -1, diffuse, 0, 1},
             {x2, y2, z, 0, 0, -1, diffuse, 1, 1}}};
}

void UseVertexColours(IDirect3DDevice8* device) {
    D3DMATRIX identity = Translation(0, 0, 0);
    for (D3DTRANSFORMSTATETYPE t : {D3DTS_WORLD, D3DTS_VIEW, D3DTS_PROJECTION})
        EXPECT_EQ(device->SetTransform(t, &identity), D3D_OK);
    EXPECT_EQ(device->SetRenderState(D3DRS_LIGHTING, FALSE), D3D_OK);
    EXPECT_EQ(device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_DISABLE), D3D_OK);
}

e2e::Rgb RgbOf(D3DCOLOR c) {
    return {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)};
}

}  // namespace gltest
