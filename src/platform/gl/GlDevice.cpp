#include "GlDevice.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions_2_1>
#include <QOpenGLVersionFunctionsFactory>
#include <QThread>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "DeviceCaps.h"
#include "DriverLibraries.h"
#include "UploadThread.h"

namespace gl {
namespace {

struct DepthStencil {
    int depth, stencil;
};

std::optional<DepthStencil> DepthStencilOf(const D3DPRESENT_PARAMETERS& p) {
    if (!p.EnableAutoDepthStencil) return DepthStencil{0, 0};
    switch (p.AutoDepthStencilFormat) {
        case D3DFMT_D16: return DepthStencil{16, 0};
        case 73: return DepthStencil{15, 1};  // D3DFMT_D15S1
        case D3DFMT_D24S8: return DepthStencil{24, 8};
        case D3DFMT_D24X8: return DepthStencil{24, 0};
        case 79: return DepthStencil{24, 4};  // D3DFMT_D24X4S4
        case D3DFMT_D32: return DepthStencil{32, 0};
        default: return std::nullopt;
    }
}

QSurfaceFormat SurfaceFormatFor(const D3DPRESENT_PARAMETERS& p, DepthStencil ds) {
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setVersion(2, 1);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    f.setSwapInterval(0);  // Present puts the frame on screen at once
    f.setDepthBufferSize(ds.depth);
    f.setStencilBufferSize(ds.stencil);
    if (p.MultiSampleType >= 2) f.setSamples(static_cast<int>(p.MultiSampleType));
    return f;
}

bool Satisfies(const QSurfaceFormat& actual, const QSurfaceFormat& wanted) {
    return actual.depthBufferSize() >= wanted.depthBufferSize() &&
           actual.stencilBufferSize() >= wanted.stencilBufferSize() && actual.samples() >= wanted.samples();
}

// Gives the window an OpenGL surface of the format; recreates its native
// window when it already has one of another kind, keeping it shown or hidden.
bool PrepareWindow(QWindow& window, const QSurfaceFormat& format) {
    bool visible = window.isVisible();
    if (window.handle() && (window.surfaceType() != QSurface::OpenGLSurface || !Satisfies(window.format(), format)))
        window.destroy();
    if (!window.handle()) {
        window.setSurfaceType(QSurface::OpenGLSurface);
        window.setFormat(format);
        window.create();
        if (visible) window.setVisible(true);
    }
    return window.handle() != nullptr;
}

HRESULT CheckParameters(const D3DPRESENT_PARAMETERS& p, const D3DDISPLAYMODE& mode) {
    if (p.SwapEffect < D3DSWAPEFFECT_DISCARD || p.SwapEffect > D3DSWAPEFFECT_COPY_VSYNC || p.BackBufferCount > 3 ||
        p.MultiSampleType > 16 || (p.MultiSampleType >= 2 && p.SwapEffect != D3DSWAPEFFECT_DISCARD) ||
        !DepthStencilOf(p))
        return D3DERR_INVALIDCALL;
    if (!p.Windowed) return D3DERR_NOTAVAILABLE;  // this device draws into a window only
    D3DFORMAT bb = p.BackBufferFormat;
    if (bb != D3DFMT_UNKNOWN && bb != mode.Format && !(mode.Format == D3DFMT_X8R8G8B8 && bb == D3DFMT_A8R8G8B8))
        return D3DERR_NOTAVAILABLE;
    return D3D_OK;
}

GLenum PrimitiveMode(D3DPRIMITIVETYPE type) {
    switch (type) {
        case D3DPT_POINTLIST: return GL_POINTS;
        case D3DPT_LINELIST: return GL_LINES;
        case D3DPT_LINESTRIP: return GL_LINE_STRIP;
        case D3DPT_TRIANGLELIST: return GL_TRIANGLES;
        case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
        default: return GL_TRIANGLE_FAN;
    }
}

// Holds `given` in `slot` when it is an object of this device's group, or none.
template <typename Own, typename Given>
bool Adopt(Given* given, const ContextGroup* group, ComPtr<Own>& slot) {
    auto* own = dynamic_cast<Own*>(given);
    if (given && (!own || own->group() != group)) return false;
    if (own) own->AddRef();
    slot = ComPtr<Own>::Attach(own);
    return true;
}

}  // namespace

HRESULT GlDevice::Create(QWindow* window, D3DPRESENT_PARAMETERS& params, const D3DDISPLAYMODE& mode,
                         IDirect3DDevice8** out) {
    if (!out) return D3DERR_INVALIDCALL;
    *out = nullptr;
    if (!window || QThread::currentThread() != window->thread()) return D3DERR_INVALIDCALL;
    if (HRESULT hr = CheckParameters(params, mode); FAILED(hr)) return hr;
    QSurfaceFormat format = SurfaceFormatFor(params, *DepthStencilOf(params));
    if (!PrepareWindow(*window, format)) return D3DERR_NOTAVAILABLE;

    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(window->format());
    context->setScreen(window->screen());
    if (!context->create() || !context->makeCurrent(window)) return D3DERR_NOTAVAILABLE;
    auto [major, minor] = context->format().version();
    if (major < 2 || (major == 2 && minor < 1)) return D3DERR_NOTAVAILABLE;
    auto* functions = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_2_1>(context.get());
    if (!functions || !functions->initializeOpenGLFunctions()) return D3DERR_NOTAVAILABLE;
    KeepDriverLibrariesLoaded();

    qreal ratio = window->devicePixelRatio();
    if (params.BackBufferWidth == 0) params.BackBufferWidth = static_cast<UINT>(std::lround(window->width() * ratio));
    if (params.BackBufferHeight == 0)
        params.BackBufferHeight = static_cast<UINT>(std::lround(window->height() * ratio));
    if (params.BackBufferFormat == D3DFMT_UNKNOWN) params.BackBufferFormat = mode.Format;
    if (params.BackBufferCount == 0) params.BackBufferCount = 1;
    params.hDeviceWindow = window;
    *out = new GlDevice(window, std::move(context), *functions, params, mode);
    return D3D_OK;
}

GlDevice::GlDevice(QWindow* window, std::unique_ptr<QOpenGLContext> context, QOpenGLFunctions_2_1& functions,
                   const D3DPRESENT_PARAMETERS& params, const D3DDISPLAYMODE& mode)
    : window_(window),
      context_(std::move(context)),
      gl_(functions),
      group_(std::make_shared<ContextGroup>(context_.get(), window, &functions, UploadThread::Start(context_.get()))),
      params_(params),
      mode_(mode),
      caps_(QueryDeviceCaps(functions)),
      states_(params.EnableAutoDepthStencil != FALSE),
      renderer_(functions, TextureStagesOf(caps_)) {
}

GlDevice::~GlDevice() {
    group_->MakeMainCurrent();
    for (auto& t : textures_) t = nullptr;
    stream_ = nullptr;
    indices_ = nullptr;
    group_->DeviceGone();
    // The renderer's programs go with the context still current (members end after this body).
}

bool GlDevice::Ready() { return group_->OnDeviceThread() && group_->MakeMainCurrent(); }

int GlDevice::PixelWidth() const { return static_cast<int>(std::lround(window_->width() * window_->devicePixelRatio())); }
int GlDevice::PixelHeight() const {
    return static_cast<int>(std::lround(window_->height() * window_->devicePixelRatio()));
}

HRESULT GlDevice::GetDeviceCaps(D3DCAPS8* caps) {
    if (!caps) return D3DERR_INVALIDCALL;
    *caps = caps_;
    return D3D_OK;
}

HRESULT GlDevice::GetDisplayMode(D3DDISPLAYMODE* mode) {
    if (!mode) return D3DERR_INVALIDCALL;
    *mode = mode_;
    return D3D_OK;
}

HRESULT GlDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    return group_->OnDeviceThread() ? states_.SetRenderState(state, value) : D3DERR_INVALIDCALL;
}
HRESULT GlDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
    return group_->OnDeviceThread() ? states_.GetRenderState(state, value) : D3DERR_INVALIDCALL;
}
HRESULT GlDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
    return group_->OnDeviceThread() ? states_.SetStageState(stage, type, value) : D3DERR_INVALIDCALL;
}
HRESULT GlDevice::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) {
    return group_->OnDeviceThread() ? states_.GetStageState(stage, type, value) : D3DERR_INVALIDCALL;
}
HRESULT GlDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
    return group_->OnDeviceThread() ? states_.SetTransform(state, matrix) : D3DERR_INVALIDCALL;
}
HRESULT GlDevice::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
    return group_->OnDeviceThread() ? states_.GetTransform(state, matrix) : D3DERR_INVALIDCALL;
}
HRESULT GlDevice::SetMaterial(const D3DMATERIAL8* material) {
    return group_->OnDeviceThread() ? states_.SetMaterial(material) : D3DERR_INVALIDCALL;
}

HRESULT GlDevice::SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) {
    if (!group_->OnDeviceThread() || stage >= DeviceStates::kStages ||
        !Adopt(texture, group_.get(), textures_[stage]))
        return D3DERR_INVALIDCALL;
    boundTextures_[stage] = textures_[stage].get();
    return D3D_OK;
}

HRESULT GlDevice::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) {
    constexpr DWORD kAllFlags = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL;
    auto ds = *DepthStencilOf(params_);
    if ((count > 0 && !rects) || flags == 0 || (flags & ~kAllFlags) || ((flags & D3DCLEAR_ZBUFFER) && !ds.depth) ||
        ((flags & D3DCLEAR_STENCIL) && !ds.stencil) || !(z >= 0.0f && z <= 1.0f))
        return D3DERR_INVALIDCALL;
    if (!group_->OnDeviceThread()) return D3DERR_INVALIDCALL;
    if (!Ready()) return D3DERR_NOTAVAILABLE;
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET) {
        gl_.glClearColor(((color >> 16) & 0xFF) / 255.0f, ((color >> 8) & 0xFF) / 255.0f, (color & 0xFF) / 255.0f,
                         (color >> 24) / 255.0f);
        gl_.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_ZBUFFER) {
        gl_.glClearDepth(z);
        gl_.glDepthMask(GL_TRUE);  // a clear ignores ZWRITEENABLE; the next draw sets the mask again
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_STENCIL) {
        gl_.glClearStencil(static_cast<GLint>(stencil));
        gl_.glStencilMask(~0u);
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    if (count == 0) {
        gl_.glClear(mask);
        return D3D_OK;
    }
    // Rectangles are in back-buffer pixels from the top; the window may be another size.
    double sx = PixelWidth() / static_cast<double>(params_.BackBufferWidth);
    double sy = PixelHeight() / static_cast<double>(params_.BackBufferHeight);
    gl_.glEnable(GL_SCISSOR_TEST);
    for (DWORD i = 0; i < count; ++i) {
        const D3DRECT& r = rects[i];
        if (r.x2 <= r.x1 || r.y2 <= r.y1) continue;
        int x1 = static_cast<int>(std::lround(r.x1 * sx)), x2 = static_cast<int>(std::lround(r.x2 * sx));
        int y1 = static_cast<int>(std::lround(r.y1 * sy)), y2 = static_cast<int>(std::lround(r.y2 * sy));
        gl_.glScissor(x1, PixelHeight() - y2, x2 - x1, y2 - y1);
        gl_.glClear(mask);
    }
    gl_.glDisable(GL_SCISSOR_TEST);
    return D3D_OK;
}

HRESULT GlDevice::BeginScene() {
    if (!group_->OnDeviceThread() || inScene_) return D3DERR_INVALIDCALL;
    inScene_ = true;
    return D3D_OK;
}

HRESULT GlDevice::EndScene() {
    if (!group_->OnDeviceThread() || !inScene_) return D3DERR_INVALIDCALL;
    inScene_ = false;
    return D3D_OK;
}

HRESULT GlDevice::Present(const RECT* source, const RECT* dest, HWND window, const RGNDATA*) {
    if (!group_->OnDeviceThread() || source || dest || (window && window != window_)) return D3DERR_INVALIDCALL;
    if (!Ready()) return D3DERR_NOTAVAILABLE;
    // A hidden window shows nothing, as on a real display; the frame is drawn
    // (the GL is asked to carry it out) and dropped.
    if (window_->isExposed())
        context_->swapBuffers(window_);
    else
        gl_.glFlush();
    return D3D_OK;
}

HRESULT GlDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                IDirect3DTexture8** texture) {
    return GlTexture::Create(group_, caps_.MaxTextureWidth, width, height, levels, usage, format, pool, texture);
}

HRESULT GlDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                     IDirect3DVertexBuffer8** buffer) {
    return GlVertexBuffer::Create(group_, length, usage, fvf, pool, buffer);
}

HRESULT GlDevice::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                    IDirect3DIndexBuffer8** buffer) {
    return GlIndexBuffer::Create(group_, length, usage, format, pool, buffer);
}

HRESULT GlDevice::SetVertexShader(DWORD handle) {
    if (!group_->OnDeviceThread()) return D3DERR_INVALIDCALL;
    auto layout = DecodeVertexFormat(handle);
    if (!layout) return D3DERR_INVALIDCALL;
    layout_ = layout;
    return D3D_OK;
}

HRESULT GlDevice::SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride) {
    if (!group_->OnDeviceThread() || stream >= caps_.MaxStreams || stride > caps_.MaxStreamStride ||
        !Adopt(buffer, group_.get(), stream_))
        return D3DERR_INVALIDCALL;
    stride_ = stride;
    return D3D_OK;
}

HRESULT GlDevice::SetIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex) {
    if (!group_->OnDeviceThread() || !Adopt(buffer, group_.get(), indices_)) return D3DERR_INVALIDCALL;
    baseVertex_ = baseVertexIndex;
    return D3D_OK;
}

HRESULT GlDevice::CheckStream(std::uint64_t first, std::uint64_t vertices) const {
    if (!stream_ || stream_->storage().locked() || !layout_ || stride_ < layout_->size) return D3DERR_INVALIDCALL;
    std::uint64_t end = (first + vertices - 1) * stride_ + layout_->size;
    return end <= stream_->storage().length() ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT GlDevice::CheckIndices(UINT startIndex, std::uint64_t count) const {
    if (!indices_ || indices_->storage().locked()) return D3DERR_INVALIDCALL;
    UINT size = indices_->indexSize();
    if ((startIndex + count) * size > indices_->storage().length()) return D3DERR_INVALIDCALL;
    // Every index must name a vertex inside the stream: the GL does not check.
    const BYTE* at = indices_->storage().bytes() + static_cast<size_t>(startIndex) * size;
    std::uint32_t highest = 0;
    for (std::uint64_t i = 0; i < count; ++i, at += size) {
        std::uint32_t index = 0;
        if (size == 4)
            std::memcpy(&index, at, 4);
        else {
            std::uint16_t small;
            std::memcpy(&small, at, 2);
            index = small;
        }
        highest = std::max(highest, index);
    }
    return CheckStream(static_cast<std::uint64_t>(baseVertex_) + highest, 1);
}

DrawSource GlDevice::Source() const {
    return {states_, *layout_, *stream_.get(), stride_, boundTextures_, PixelWidth(), PixelHeight()};
}

HRESULT GlDevice::CheckDrawCall(D3DPRIMITIVETYPE type, UINT primitiveCount, std::uint64_t* count) const {
    auto n = VerticesForPrimitives(type, primitiveCount);
    if (!group_->OnDeviceThread() || !inScene_ || !n || primitiveCount > caps_.MaxPrimitiveCount)
        return D3DERR_INVALIDCALL;
    *count = *n;
    return primitiveCount == 0 ? S_FALSE : D3D_OK;
}

HRESULT GlDevice::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) {
    std::uint64_t vertices = 0;
    HRESULT hr = CheckDrawCall(type, primitiveCount, &vertices);
    if (hr == D3D_OK) hr = CheckStream(startVertex, vertices);
    if (hr != D3D_OK) return FAILED(hr) ? hr : D3D_OK;
    if (!Ready()) return D3DERR_NOTAVAILABLE;
    return renderer_.DrawArrays(Source(), PrimitiveMode(type), startVertex, static_cast<UINT>(vertices));
}

HRESULT GlDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT, UINT, UINT startIndex, UINT primitiveCount) {
    std::uint64_t indices = 0;
    HRESULT hr = CheckDrawCall(type, primitiveCount, &indices);
    if (hr == D3D_OK) hr = CheckIndices(startIndex, indices);
    if (hr != D3D_OK) return FAILED(hr) ? hr : D3D_OK;
    if (!Ready()) return D3DERR_NOTAVAILABLE;
    return renderer_.DrawElements(Source(), *indices_.get(), baseVertex_, PrimitiveMode(type), startIndex,
                                  static_cast<UINT>(indices));
}

}  // namespace gl
