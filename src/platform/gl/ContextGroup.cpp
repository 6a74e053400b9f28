#include "ContextGroup.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions_2_1>

namespace gl {

ContextGroup::ContextGroup(QOpenGLContext* main, QSurface* surface, QOpenGLFunctions_2_1* functions,
                           std::unique_ptr<UploadThread> upload)
    : deviceThread_(std::this_thread::get_id()),
      main_(main),
      surface_(surface),
      functions_(functions),
      upload_(std::move(upload)) {}

bool ContextGroup::MakeMainCurrent() {
    if (!main_) return false;
    return QOpenGLContext::currentContext() == main_ || main_->makeCurrent(surface_);
}

HRESULT ContextGroup::Run(const GlWork& work) {
    if (OnDeviceThread() && main_) {
        if (!MakeMainCurrent()) return D3DERR_NOTAVAILABLE;
        work(*functions_);
        return D3D_OK;
    }
    if (!upload_ || !upload_->Run(work)) return D3DERR_NOTAVAILABLE;
    return D3D_OK;
}

HRESULT ContextGroup::RunChecked(const GlWork& work) {
    bool ok = false;
    HRESULT hr = Run([&work, &ok](QOpenGLFunctions_2_1& f) {
        while (f.glGetError() != GL_NO_ERROR) {
        }
        work(f);
        ok = f.glGetError() == GL_NO_ERROR;
    });
    if (FAILED(hr)) return hr;
    return ok ? D3D_OK : D3DERR_OUTOFVIDEOMEMORY;
}

void ContextGroup::DeviceGone() {
    main_ = nullptr;
    surface_ = nullptr;
    functions_ = nullptr;
}

}  // namespace gl
