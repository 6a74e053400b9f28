#include "RecordingResources.h"

#include <algorithm>
#include <utility>

namespace fakes {

RecordedObject::RecordedObject(std::shared_ptr<CallRecorder> recorder, const std::string& prefix)
    : recorder_(std::move(recorder)), name_(recorder_->NextName(prefix)) {
    recorder_->ObjectCreated(this);
}

RecordedObject::~RecordedObject() {
    recorder_->Record("Destroyed", "Destroyed(" + name_ + ")");
    recorder_->ObjectDestroyed(this);
}

HRESULT LockableBytes::Lock(UINT offset, UINT size, BYTE** data) {
    if (!data || locked_) return D3DERR_INVALIDCALL;
    *data = nullptr;
    UINT length = static_cast<UINT>(bytes_.size());
    if (size == 0) size = offset <= length ? length - offset : 0;
    if (offset > length || size > length - offset) return D3DERR_INVALIDCALL;
    locked_ = true;
    *data = bytes_.data() + offset;
    return D3D_OK;
}

HRESULT LockableBytes::Unlock() {
    if (!locked_) return D3DERR_INVALIDCALL;
    locked_ = false;
    return D3D_OK;
}

// ---- texture ----

namespace {
UINT FullChainLength(UINT width, UINT height) {
    UINT levels = 1;
    for (UINT size = std::max(width, height); size > 1; size /= 2) ++levels;
    return levels;
}
}  // namespace

RecordingTexture::RecordingTexture(std::shared_ptr<CallRecorder> recorder, UINT Width, UINT Height, UINT Levels,
                                   DWORD Usage, D3DFORMAT Format, D3DPOOL Pool)
    : RecordedObject(std::move(recorder), "T"),
      width_(Width),
      height_(Height),
      usage_(Usage),
      format_(Format),
      pool_(Pool) {
    UINT count = Levels == 0 ? FullChainLength(Width, Height) : Levels;
    for (UINT level = 0; level < count; ++level) levels_.emplace_back(LevelWidth(level) * LevelHeight(level) * 4);
}

UINT RecordingTexture::LevelWidth(UINT level) const { return std::max(1u, width_ >> level); }
UINT RecordingTexture::LevelHeight(UINT level) const { return std::max(1u, height_ >> level); }

DWORD RecordingTexture::GetLevelCount() {
    auto lock = recorder_->Lock();
    return static_cast<DWORD>(levels_.size());
}

HRESULT RecordingTexture::GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("Texture.GetLevelDesc", Level);
    if (FAILED(hr)) return hr;
    if (!pDesc || Level >= levels_.size()) return recorder_->Returned(D3DERR_INVALIDCALL);
    UINT w = LevelWidth(Level), h = LevelHeight(Level);
    *pDesc = {format_, D3DRTYPE_SURFACE, usage_, pool_, w * h * 4, D3DMULTISAMPLE_NONE, w, h};
    return hr;
}

HRESULT RecordingTexture::LockRect(UINT Level, D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("Texture.LockRect", Level, pRect, Flags);
    if (FAILED(hr)) return hr;
    if (!pLockedRect || Level >= levels_.size()) return recorder_->Returned(D3DERR_INVALIDCALL);
    UINT pitch = LevelWidth(Level) * 4;
    UINT offset = pRect ? static_cast<UINT>(pRect->top) * pitch + static_cast<UINT>(pRect->left) * 4 : 0;
    BYTE* bits = nullptr;
    HRESULT locked = levels_[Level].Lock(offset, 0, &bits);
    if (FAILED(locked)) return recorder_->Returned(locked);
    *pLockedRect = {static_cast<INT>(pitch), bits};
    return hr;
}

HRESULT RecordingTexture::UnlockRect(UINT Level) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("Texture.UnlockRect", Level);
    if (FAILED(hr)) return hr;
    if (Level >= levels_.size()) return recorder_->Returned(D3DERR_INVALIDCALL);
    HRESULT unlocked = levels_[Level].Unlock();
    return FAILED(unlocked) ? recorder_->Returned(unlocked) : hr;
}

std::vector<BYTE> RecordingTexture::Pixels(UINT Level) const {
    auto lock = recorder_->Lock();
    return Level < levels_.size() ? levels_[Level].Bytes() : std::vector<BYTE>{};
}

}  // namespace fakes
