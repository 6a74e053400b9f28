#include "GlBuffers.h"

#include <QOpenGLFunctions_2_1>

namespace gl {

BufferStorage::BufferStorage(std::shared_ptr<ContextGroup> group, GLenum target, UINT length)
    : group_(std::move(group)), target_(target), bytes_(length, 0) {}

BufferStorage::~BufferStorage() {
    if (name_ == 0) return;
    GLuint name = name_;
    group_->Run([name](QOpenGLFunctions_2_1& f) { f.glDeleteBuffers(1, &name); });
}

HRESULT BufferStorage::CreateObject() {
    return group_->RunChecked([this](QOpenGLFunctions_2_1& f) {
        f.glGenBuffers(1, &name_);
        f.glBindBuffer(target_, name_);
        f.glBufferData(target_, static_cast<GLsizeiptr>(bytes_.size()), bytes_.data(), GL_DYNAMIC_DRAW);
        f.glBindBuffer(target_, 0);
    });
}

HRESULT BufferStorage::Lock(UINT offset, UINT size, BYTE** data, DWORD flags) {
    if (!data || locked_ || offset > bytes_.size()) return D3DERR_INVALIDCALL;
    if (size == 0) size = static_cast<UINT>(bytes_.size()) - offset;
    if (size > bytes_.size() - offset) return D3DERR_INVALIDCALL;
    locked_ = true;
    readOnly_ = (flags & D3DLOCK_READONLY) != 0;
    lockOffset_ = offset;
    lockSize_ = size;
    *data = bytes_.data() + offset;
    return D3D_OK;
}

HRESULT BufferStorage::Unlock() {
    if (!locked_) return D3DERR_INVALIDCALL;
    locked_ = false;
    if (readOnly_ || lockSize_ == 0) return D3D_OK;
    return group_->Run([this](QOpenGLFunctions_2_1& f) {
        f.glBindBuffer(target_, name_);
        f.glBufferSubData(target_, lockOffset_, lockSize_, bytes_.data() + lockOffset_);
        f.glBindBuffer(target_, 0);
    });
}

GlVertexBuffer::GlVertexBuffer(std::shared_ptr<ContextGroup> group, UINT length, DWORD usage, DWORD fvf,
                               D3DPOOL pool)
    : GlBuffer(std::move(group), GL_ARRAY_BUFFER, length, usage, pool), fvf_(fvf) {}

HRESULT GlVertexBuffer::Create(std::shared_ptr<ContextGroup> group, UINT length, DWORD usage, DWORD fvf,
                               D3DPOOL pool, IDirect3DVertexBuffer8** out) {
    if (!out) return D3DERR_INVALIDCALL;
    *out = nullptr;
    if (length == 0 || pool > D3DPOOL_SCRATCH) return D3DERR_INVALIDCALL;
    return Publish(new GlVertexBuffer(std::move(group), length, usage, fvf, pool), out);
}

HRESULT GlVertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* desc) {
    if (!desc) return D3DERR_INVALIDCALL;
    *desc = {D3DFMT_UNKNOWN, D3DRTYPE_VERTEXBUFFER, usage_, pool_, storage_.length(), fvf_};
    return D3D_OK;
}

GlIndexBuffer::GlIndexBuffer(std::shared_ptr<ContextGroup> group, UINT length, DWORD usage, D3DFORMAT format,
                             D3DPOOL pool)
    : GlBuffer(std::move(group), GL_ELEMENT_ARRAY_BUFFER, length, usage, pool), format_(format) {}

HRESULT GlIndexBuffer::Create(std::shared_ptr<ContextGroup> group, UINT length, DWORD usage, D3DFORMAT format,
                              D3DPOOL pool, IDirect3DIndexBuffer8** out) {
    if (!out) return D3DERR_INVALIDCALL;
    *out = nullptr;
    if (length == 0 || pool > D3DPOOL_SCRATCH || (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32))
        return D3DERR_INVALIDCALL;
    return Publish(new GlIndexBuffer(std::move(group), length, usage, format, pool), out);
}

HRESULT GlIndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* desc) {
    if (!desc) return D3DERR_INVALIDCALL;
    *desc = {format_, D3DRTYPE_INDEXBUFFER, usage_, pool_, storage_.length()};
    return D3D_OK;
}

}  // namespace gl
