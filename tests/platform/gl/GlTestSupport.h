// A device on a window covering the test display, made through the backend's
// IDirect3D8, and helpers that fill its buffers and textures and draw.
#pragma once

#include <array>
#include <memory>

#include "GlTestDisplay.h"
#include "d3d8.h"

namespace gltest {

// The window and device of one test. The window is shown and exposed.
class DeviceWindow {
public:
    explicit DeviceWindow(bool depthBuffer = true);
    ~DeviceWindow();
    IDirect3DDevice8* device() const { return device_.get(); }
    QWindow& window() { return *window_; }
    IDirect3D8* direct3D() const { return d3d_.get(); }

    // Presents the frame and returns what the screen shows once the X server has it.
    e2e::Screenshot PresentAndGrab();

private:
    std::unique_ptr<QWindow> window_;
    ComPtr<IDirect3D8> d3d_;
    ComPtr<IDirect3DDevice8> device_;
};

// The presentation parameters the slideshow asks for: windowed, screen-sized, 16-bit depth.
D3DPRESENT_PARAMETERS WindowedParameters(QWindow* window, bool depthBuffer = true);

// A vertex of format 0x152: position, normal, diffuse (B, G, R, A), one texture set.
struct Vertex152 {
    float x, y, z;
    float nx, ny, nz;
    D3DCOLOR diffuse;
    float u, v;
};
static_assert(sizeof(Vertex152) == 36);
constexpr DWORD kFvf152 = 0x152;

// A rectangle from (x1, y1) at the top left to (x2, y2) at the bottom right, as
// a four-vertex strip (clockwise on screen) with texture coordinates 0..1.
std::array<Vertex152, 4> Quad(float x1, float y1, float x2, float y2, float z, D3DCOLOR diffuse = 0xFFFFFFFF);

// A device set for drawing plain vertex colours: identity transforms, no
// lighting, stage 0 disabled (so the colour is the vertices').
void UseVertexColours(IDirect3DDevice8* device);

// Matrices as the engine's camera builds them (left-handed, depth 0..1).
D3DMATRIX PerspectiveFovLH(float fovy, float aspect, float zn, float zf);
D3DMATRIX Translation(float x, float y, float z);

// A texture of `width` x `height` A8R8G8B8 pixels from `argb` (rows top first).
ComPtr<IDirect3DTexture8> MakeTexture(IDirect3DDevice8* device, int width, int height, const D3DCOLOR* argb);

// A vertex buffer holding `vertices`, and an index buffer holding `indices`.
ComPtr<IDirect3DVertexBuffer8> MakeVertexBuffer(IDirect3DDevice8* device, const Vertex152* vertices, int count);
template <typename Index>
ComPtr<IDirect3DIndexBuffer8> MakeIndexBuffer(IDirect3DDevice8* device, const Index* indices, int count);

// Draws `vertices` as a triangle strip with the device's current states, inside a scene.
void DrawStrip(IDirect3DDevice8* device, const Vertex152* vertices, int count);

e2e::Rgb RgbOf(D3DCOLOR c);

}  // namespace gltest
