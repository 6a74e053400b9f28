#include "UploadThread.h"

#include <QCoreApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions_2_1>
#include <QOpenGLVersionFunctionsFactory>
#include <QThread>

namespace gl {

struct UploadThread::Task {
    const GlWork* work;
    bool done = false;
    bool ran = false;
};

std::unique_ptr<UploadThread> UploadThread::Start(QOpenGLContext* share) {
    if (!QOpenGLContext::supportsThreadedOpenGL()) return nullptr;
    std::unique_ptr<UploadThread> t(new UploadThread);
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(share->format());
    context->setShareContext(share);
    context->setScreen(share->screen());
    if (!context->create() || !context->shareContext()) return nullptr;
    t->surface_ = new QOffscreenSurface(share->screen());
    t->surface_->setFormat(context->format());
    t->surface_->create();
    if (!t->surface_->isValid()) {
        delete t->surface_;
        return nullptr;
    }
    UploadThread* self = t.get();
    t->thread_ = QThread::create([self] { self->Loop(); });
    context->moveToThread(t->thread_);
    t->context_ = context.release();
    t->thread_->start();
    return t;
}

UploadThread::~UploadThread() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_->wait();
    delete thread_;
    // The surface belongs to the GUI thread; from elsewhere it is deleted there.
    if (QCoreApplication::instance() && QThread::currentThread() != QCoreApplication::instance()->thread())
        surface_->deleteLater();
    else
        delete surface_;
}

void UploadThread::Loop() {
    QOpenGLFunctions_2_1* f = nullptr;
    if (context_->makeCurrent(surface_)) {
        f = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_2_1>(context_);
        if (f && !f->initializeOpenGLFunctions()) f = nullptr;
    }
    std::unique_lock lock(mutex_);
    failed_ = f == nullptr;
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
        if (tasks_.empty()) break;  // stopping, and everything handed over is done
        Task* task = tasks_.front();
        tasks_.pop_front();
        if (f) {
            lock.unlock();
            (*task->work)(*f);
            f->glFinish();
            lock.lock();
            task->ran = true;
        }
        task->done = true;
        wake_.notify_all();
    }
    lock.unlock();
    context_->doneCurrent();
    delete context_;
}

bool UploadThread::Run(const GlWork& work) {
    Task task{&work};
    std::unique_lock lock(mutex_);
    if (stopping_ || failed_) return false;
    tasks_.push_back(&task);
    wake_.notify_all();
    wake_.wait(lock, [&task] { return task.done; });
    return task.ran;
}

}  // namespace gl
