// Vertex and index buffers: a copy in memory that Lock hands out (so locked
// bytes can be read as well as written, and draws can check indices against
// the vertex buffer) and a GL buffer object that Unlock brings up to date.
#pragma once

#include <memory>
#include <vector>

#include <qopengl.h>

#include "ContextGroup.h"
#include "d3d8.h"

namespace gl {

class BufferStorage {
public:
    BufferStorage(std::shared_ptr<ContextGroup> group, GLenum target, UINT length);
    ~BufferStorage();
    BufferStorage(const BufferStorage&) = delete;
    BufferStorage& operator=(const BufferStorage&) = delete;

    HRESULT CreateObject();
    // Size 0 locks from the offset to the end. D3DERR_INVALIDCALL beyond the end,
    // when locked already, or without an out-pointer.
    HRESULT Lock(UINT offset, UINT size, BYTE** data, DWORD flags);
    HRESULT Unlock();

    bool locked() const { return locked_; }
    UINT length() const { return static_cast<UINT>(bytes_.size()); }
    const BYTE* bytes() const { return bytes_.data(); }
    GLuint name() const { return name_; }
    const ContextGroup* group() const { return group_.get(); }

private:
    std::shared_ptr<ContextGroup> group_;
    GLenum target_;
    std::vector<BYTE> bytes_;
    GLuint name_ = 0;
    bool locked_ = false, readOnly_ = false;
    UINT lockOffset_ = 0, lockSize_ = 0;
};

// What vertex and index buffers share: the storage, its locking, and creation.
template <typename Interface>
class GlBuffer : public RefCounted<Interface> {
public:
    HRESULT Lock(UINT offset, UINT size, BYTE** data, DWORD flags) override {
        return storage_.Lock(offset, size, data, flags);
    }
    HRESULT Unlock() override { return storage_.Unlock(); }
    const BufferStorage& storage() const { return storage_; }
    const ContextGroup* group() const { return storage_.group(); }

protected:
    GlBuffer(std::shared_ptr<ContextGroup> group, GLenum target, UINT length, DWORD usage, D3DPOOL pool)
        : storage_(std::move(group), target, length), usage_(usage), pool_(pool) {}

    // Gives `buffer` to `out` once its GL object exists; releases it otherwise.
    static HRESULT Publish(GlBuffer* buffer, Interface** out) {
        if (HRESULT hr = buffer->storage_.CreateObject(); FAILED(hr)) {
            buffer->Release();
            return hr;
        }
        *out = buffer;
        return D3D_OK;
    }

    BufferStorage storage_;
    DWORD usage_;
    D3DPOOL pool_;
};

class GlVertexBuffer final : public GlBuffer<IDirect3DVertexBuffer8> {
public:
    // D3DERR_INVALIDCALL for a length of 0.
    static HRESULT Create(std::shared_ptr<ContextGroup> group, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                          IDirect3DVertexBuffer8** out);
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_VERTEXBUFFER; }
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) override;

private:
    GlVertexBuffer(std::shared_ptr<ContextGroup> group, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool);
    DWORD fvf_;
};

class GlIndexBuffer final : public GlBuffer<IDirect3DIndexBuffer8> {
public:
    // D3DERR_INVALIDCALL for a length of 0 or a format other than 16- or 32-bit indices.
    static HRESULT Create(std::shared_ptr<ContextGroup> group, UINT length, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DIndexBuffer8** out);
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_INDEXBUFFER; }
    HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) override;
    UINT indexSize() const { return format_ == D3DFMT_INDEX32 ? 4 : 2; }

private:
    GlIndexBuffer(std::shared_ptr<ContextGroup> group, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool);
    D3DFORMAT format_;
};

}  // namespace gl
