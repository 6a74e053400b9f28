#include "GlDirect3D.h"

#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include <cmath>

#include "GlDevice.h"
#include "PictureTypes.h"
#include "TextureFileLoader.h"
#include "entry_points.h"

namespace gl {
namespace {

lumetta::images::PictureSize PrimaryScreenSize() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    QSize size = screen->geometry().size() * screen->devicePixelRatio();
    return {static_cast<std::uint32_t>(size.width()), static_cast<std::uint32_t>(size.height())};
}

class GlDirect3D final : public RefCounted<IDirect3D8> {
public:
    // GUI thread only: the screen is read there. D3DERR_INVALIDCALL from another
    // thread, for an adapter other than 0 or a null pointer.
    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override {
        if (adapter != D3DADAPTER_DEFAULT || !mode || !OnGuiThread()) return D3DERR_INVALIDCALL;
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen) return D3DERR_NOTAVAILABLE;
        const auto size = PrimaryScreenSize();
        *mode = {size.width, size.height,
                 static_cast<UINT>(std::lround(screen->refreshRate())),
                 screen->depth() == 16 ? D3DFMT_R5G6B5 : D3DFMT_X8R8G8B8};
        return D3D_OK;
    }

    // Windowed devices on the desktop's format only; full screen is not offered.
    HRESULT CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT displayFormat, D3DFORMAT backBufferFormat,
                            BOOL windowed) override {
        D3DDISPLAYMODE mode;
        if (HRESULT hr = GetAdapterDisplayMode(adapter, &mode); FAILED(hr)) return hr;
        if (type != D3DDEVTYPE_HAL || !windowed || displayFormat != mode.Format) return D3DERR_NOTAVAILABLE;
        bool matches = backBufferFormat == mode.Format ||
                       (mode.Format == D3DFMT_X8R8G8B8 && backBufferFormat == D3DFMT_A8R8G8B8);
        return matches ? D3D_OK : D3DERR_NOTAVAILABLE;
    }

    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behavior,
                         D3DPRESENT_PARAMETERS* params, IDirect3DDevice8** out) override {
        if (out) *out = nullptr;
        D3DDISPLAYMODE mode;
        if (HRESULT hr = GetAdapterDisplayMode(adapter, &mode); FAILED(hr)) return hr;
        if (!params || !out || !ValidBehavior(behavior)) return D3DERR_INVALIDCALL;
        if (type != D3DDEVTYPE_HAL) return D3DERR_NOTAVAILABLE;
        HWND window = params->hDeviceWindow ? params->hDeviceWindow : focusWindow;
        return GlDevice::Create(static_cast<QWindow*>(window), *params, mode, out);
    }

private:
    static bool OnGuiThread() {
        return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
    }

    // Exactly one vertex-processing mode; a pure device only with hardware processing.
    static bool ValidBehavior(DWORD b) {
        DWORD modes = b & (D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING |
                           D3DCREATE_MIXED_VERTEXPROCESSING);
        bool one = modes == D3DCREATE_SOFTWARE_VERTEXPROCESSING || modes == D3DCREATE_HARDWARE_VERTEXPROCESSING ||
                   modes == D3DCREATE_MIXED_VERTEXPROCESSING;
        return one && (!(b & D3DCREATE_PUREDEVICE) || modes == D3DCREATE_HARDWARE_VERTEXPROCESSING);
    }
};

}  // namespace

IDirect3D8* CreateDirect3D(UINT sdkVersion) {
    if (sdkVersion != D3D_SDK_VERSION || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return nullptr;
    return new GlDirect3D;
}

void InstallOpenGLBackend() {
    d3d8::SetDirect3DFactory(CreateDirect3D);
    d3d8::SetTextureFileLoader(LoadTextureFromFile);
}

}  // namespace gl
