// Where the GL work of a device's buffers and textures runs. On the device's
// own thread it runs at once in the device's context; on any other thread, or
// after the device is gone, it runs on the upload thread, whose context shares
// the objects. Buffers and textures keep the group alive, so releasing one
// after its device, or from the loader thread, is safe.
#pragma once

#include <memory>
#include <thread>

#include "UploadThread.h"
#include "d3d8types.h"

class QOpenGLContext;
class QSurface;

namespace gl {

class ContextGroup {
public:
    // On the device's thread; `main` and `surface` stay valid until DeviceGone.
    ContextGroup(QOpenGLContext* main, QSurface* surface, QOpenGLFunctions_2_1* functions,
                 std::unique_ptr<UploadThread> upload);

    // Runs `work` with a current context of the group and returns when it is
    // done. D3DERR_NOTAVAILABLE when the calling thread has no way to the GL
    // (the platform cannot share contexts across threads).
    HRESULT Run(const GlWork& work);
    // Run for work that makes GL objects: D3DERR_OUTOFVIDEOMEMORY when the GL
    // reports an error for it.
    HRESULT RunChecked(const GlWork& work);

    // Makes the device's context current on its thread; false when it cannot be.
    bool MakeMainCurrent();
    bool OnDeviceThread() const { return std::this_thread::get_id() == deviceThread_; }

    // Called by the device, on its thread, before its context is destroyed.
    void DeviceGone();

private:
    const std::thread::id deviceThread_;
    QOpenGLContext* main_;  // read and written on the device's thread only
    QSurface* surface_;
    QOpenGLFunctions_2_1* functions_;
    std::unique_ptr<UploadThread> upload_;
};

}  // namespace gl
