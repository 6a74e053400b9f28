// The recording vertex buffer, index buffer and texture. Each keeps its
// contents: what the engine writes between Lock and Unlock stays readable
// through Contents() / Pixels(). Lock fails with D3DERR_INVALIDCALL beyond the
// end or when already locked; Unlock when not locked.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CallRecorder.h"

namespace fakes {

// Counts itself among the core's live objects and carries its log name.
class RecordedObject : public NamedResource {
public:
    RecordedObject(std::shared_ptr<CallRecorder> recorder, const std::string& prefix);
    ~RecordedObject() override;
    const std::string& Name() const override { return name_; }

protected:
    std::shared_ptr<CallRecorder> recorder_;

private:
    std::string name_;
};

// The storage and lock rules that both buffer kinds share.
class LockableBytes {
public:
    explicit LockableBytes(UINT length) : bytes_(length) {}
    HRESULT Lock(UINT offset, UINT size, BYTE** data);
    HRESULT Unlock();
    bool Locked() const { return locked_; }
    const std::vector<BYTE>& Bytes() const { return bytes_; }

private:
    std::vector<BYTE> bytes_;
    bool locked_ = false;
};

// A vertex or an index buffer: Kind names it in the log ("VertexBuffer.Lock").
template <class Interface, class Desc>
class RecordingBuffer final : public RefCounted<Interface>, public RecordedObject {
public:
    RecordingBuffer(std::shared_ptr<CallRecorder> recorder, const char* kind, const char* prefix, const Desc& desc)
        : RecordedObject(std::move(recorder), prefix), kind_(kind), desc_(desc), storage_(desc.Size) {}

    D3DRESOURCETYPE GetType() override { return desc_.Type; }

    HRESULT Lock(UINT OffsetToLock, UINT SizeToLock, BYTE** ppbData, DWORD Flags) override {
        auto lock = recorder_->Lock();
        HRESULT hr = recorder_->Call(kind_ + ".Lock", OffsetToLock, SizeToLock, Flags);
        if (FAILED(hr)) {
            if (ppbData) *ppbData = nullptr;
            return hr;
        }
        HRESULT locked = storage_.Lock(OffsetToLock, SizeToLock, ppbData);
        return FAILED(locked) ? recorder_->Returned(locked) : hr;
    }

    HRESULT Unlock() override {
        auto lock = recorder_->Lock();
        HRESULT hr = recorder_->Call(kind_ + ".Unlock");
        if (FAILED(hr)) return hr;
        HRESULT unlocked = storage_.Unlock();
        return FAILED(unlocked) ? recorder_->Returned(unlocked) : hr;
    }

    HRESULT GetDesc(Desc* pDesc) override {
        auto lock = recorder_->Lock();
        HRESULT hr = recorder_->Call(kind_ + ".GetDesc");
        if (FAILED(hr)) return hr;
        if (!pDesc) return recorder_->Returned(D3DERR_INVALIDCALL);
        *pDesc = desc_;
        return hr;
    }

    const Desc& Description() const { return desc_; }
    std::vector<BYTE> Contents() const {
        auto lock = recorder_->Lock();
        return storage_.Bytes();
    }
    bool Locked() const {
        auto lock = recorder_->Lock();
        return storage_.Locked();
    }

private:
    std::string kind_;
    Desc desc_;
    LockableBytes storage_;
};

using RecordingVertexBuffer = RecordingBuffer<IDirect3DVertexBuffer8, D3DVERTEXBUFFER_DESC>;
using RecordingIndexBuffer = RecordingBuffer<IDirect3DIndexBuffer8, D3DINDEXBUFFER_DESC>;

// Four bytes per pixel at every level, whatever the format; Levels 0 makes a
// full chain down to 1 x 1.
class RecordingTexture final : public RefCounted<IDirect3DTexture8>, public RecordedObject {
public:
    RecordingTexture(std::shared_ptr<CallRecorder> recorder, UINT Width, UINT Height, UINT Levels, DWORD Usage,
                     D3DFORMAT Format, D3DPOOL Pool);

    D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
    DWORD GetLevelCount() override;
    HRESULT GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc) override;
    HRESULT LockRect(UINT Level, D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags) override;
    HRESULT UnlockRect(UINT Level) override;

    UINT Width() const { return width_; }
    UINT Height() const { return height_; }
    DWORD Usage() const { return usage_; }
    D3DFORMAT Format() const { return format_; }
    D3DPOOL Pool() const { return pool_; }
    std::vector<BYTE> Pixels(UINT Level) const;

private:
    UINT LevelWidth(UINT level) const;
    UINT LevelHeight(UINT level) const;

    UINT width_, height_;
    DWORD usage_;
    D3DFORMAT format_;
    D3DPOOL pool_;
    std::vector<LockableBytes> levels_;
};

}  // namespace fakes
