// IDirect3DDevice8 over an OpenGL context on a QWindow. Used from the thread
// that created it (the GUI thread); other threads may only create, fill and
// release textures and read the capabilities and display mode, which never
// change after creation. Calls from other threads fail with D3DERR_INVALIDCALL.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "ContextGroup.h"
#include "DeviceStates.h"
#include "GlBuffers.h"
#include "GlTexture.h"
#include "Renderer.h"
#include "VertexLayout.h"
#include "d3d8.h"

class QOpenGLContext;
class QOpenGLFunctions_2_1;
class QWindow;

namespace gl {

class GlDevice final : public RefCounted<IDirect3DDevice8> {
public:
    // On the GUI thread. Prepares `window` for OpenGL (surface type, depth buffer,
    // no vertical sync), makes the context and the upload thread, and completes
    // `params` with the back-buffer size and format it chose. D3DERR_NOTAVAILABLE
    // when no OpenGL 2.1 context can be made, D3DERR_INVALIDCALL for parameters
    // it does not accept.
    static HRESULT Create(QWindow* window, D3DPRESENT_PARAMETERS& params, const D3DDISPLAYMODE& mode,
                          IDirect3DDevice8** out);

    HRESULT GetDeviceCaps(D3DCAPS8* caps) override;
    HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
    HRESULT SetMaterial(const D3DMATERIAL8* material) override;
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override;
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Present(const RECT* source, const RECT* dest, HWND window, const RGNDATA* dirty) override;
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                          IDirect3DTexture8** texture) override;
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                               IDirect3DVertexBuffer8** buffer) override;
    HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DIndexBuffer8** buffer) override;
    HRESULT SetVertexShader(DWORD handle) override;
    HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride) override;
    HRESULT SetIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT minIndex, UINT numVertices, UINT startIndex,
                                 UINT primitiveCount) override;

private:
    GlDevice(QWindow* window, std::unique_ptr<QOpenGLContext> context, QOpenGLFunctions_2_1& functions,
             const D3DPRESENT_PARAMETERS& params, const D3DDISPLAYMODE& mode);
    ~GlDevice() override;

    // The call comes from the device's thread and its context is current.
    bool Ready();
    // D3D_OK for a draw call to make, S_FALSE for one with nothing to draw;
    // `count` receives the vertices or indices it reads.
    HRESULT CheckDrawCall(D3DPRIMITIVETYPE type, UINT primitiveCount, std::uint64_t* count) const;
    // D3D_OK when a draw of `vertices` vertices from `first` may read the stream.
    HRESULT CheckStream(std::uint64_t first, std::uint64_t vertices) const;
    HRESULT CheckIndices(UINT startIndex, std::uint64_t count) const;
    DrawSource Source() const;
    int PixelWidth() const;
    int PixelHeight() const;

    QWindow* window_;
    std::unique_ptr<QOpenGLContext> context_;
    QOpenGLFunctions_2_1& gl_;
    std::shared_ptr<ContextGroup> group_;
    D3DPRESENT_PARAMETERS params_;
    D3DDISPLAYMODE mode_;
    D3DCAPS8 caps_;
    DeviceStates states_;
    Renderer renderer_;
    bool inScene_ = false;
    std::array<ComPtr<GlTexture>, DeviceStates::kStages> textures_;
    std::array<const GlTexture*, DeviceStates::kStages> boundTextures_{};
    ComPtr<GlVertexBuffer> stream_;
    UINT stride_ = 0;
    ComPtr<GlIndexBuffer> indices_;
    UINT baseVertex_ = 0;
    std::optional<VertexLayout> layout_;
};

}  // namespace gl
