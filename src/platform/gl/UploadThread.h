// A thread with its own OpenGL context, shared with the device's, on which
// threads without a context (the picture loader) create, fill and delete
// textures. Work handed to it is finished (glFinish) before Run returns, so
// the device's context may use the result at once.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFunctions_2_1;
class QThread;

namespace gl {

using GlWork = std::function<void(QOpenGLFunctions_2_1&)>;

class UploadThread {
public:
    // Starts the thread. Call on the GUI thread (the offscreen surface needs it)
    // with `share` current or not. Nullptr when the platform cannot run OpenGL on
    // a second thread or the context cannot be made.
    static std::unique_ptr<UploadThread> Start(QOpenGLContext* share);
    // Ends the thread after the work already handed over. From any thread.
    ~UploadThread();
    UploadThread(const UploadThread&) = delete;
    UploadThread& operator=(const UploadThread&) = delete;

    // Runs `work` on the thread and waits until the GL has finished it. Safe from
    // any number of threads. False when the thread has no usable context.
    bool Run(const GlWork& work);

private:
    struct Task;
    UploadThread() = default;
    void Loop();

    QOpenGLContext* context_ = nullptr;  // lives on, and is deleted by, the thread
    QOffscreenSurface* surface_ = nullptr;
    QThread* thread_ = nullptr;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Task*> tasks_;
    bool stopping_ = false;
    bool failed_ = false;
};

}  // namespace gl
