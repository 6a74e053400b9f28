#include "GlTexture.h"

#include <QOpenGLFunctions_2_1>

#include <algorithm>
#include <cstring>

namespace gl {

UINT FullMipChain(UINT width, UINT height) {
    UINT levels = 1;
    for (UINT size = std::max(width, height); size > 1; size >>= 1) ++levels;
    return levels;
}

HRESULT GlTexture::Create(std::shared_ptr<ContextGroup> group, UINT maxSize, UINT width, UINT height, UINT levels,
                          DWORD usage, D3DFORMAT format, D3DPOOL pool, IDirect3DTexture8** out) {
    if (!out) return D3DERR_INVALIDCALL;
    *out = nullptr;
    const TextureFormat* f = FindTextureFormat(format);
    UINT chain = FullMipChain(width, height);
    if (!f || width == 0 || height == 0 || width > maxSize || height > maxSize || levels > chain ||
        pool > D3DPOOL_SCRATCH || ((usage & D3DUSAGE_RENDERTARGET) && pool != D3DPOOL_DEFAULT) ||
        (usage & D3DUSAGE_DEPTHSTENCIL))
        return D3DERR_INVALIDCALL;
    auto* texture = new GlTexture(std::move(group), *f, usage, pool);
    for (UINT l = 0; l < (levels == 0 ? chain : levels); ++l)
        texture->levels_.emplace_back(std::max(1u, width >> l), std::max(1u, height >> l));
    if (HRESULT hr = texture->CreateStorage(); FAILED(hr)) {
        texture->Release();
        return hr;
    }
    *out = texture;
    return D3D_OK;
}

GlTexture::GlTexture(std::shared_ptr<ContextGroup> group, const TextureFormat& format, DWORD usage, D3DPOOL pool)
    : group_(std::move(group)), format_(format), usage_(usage), pool_(pool) {}

GlTexture::~GlTexture() {
    if (name_ == 0) return;
    GLuint name = name_;
    // Without any context left the name cannot be freed; it goes with the process.
    group_->Run([name](QOpenGLFunctions_2_1& f) { f.glDeleteTextures(1, &name); });
}

HRESULT GlTexture::CreateStorage() {
    return group_->RunChecked([this](QOpenGLFunctions_2_1& f) {
        f.glGenTextures(1, &name_);
        f.glBindTexture(GL_TEXTURE_2D, name_);
        f.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels_.size() - 1));
        for (size_t l = 0; l < levels_.size(); ++l)
            f.glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(l), format_.internalFormat,
                           static_cast<GLsizei>(levels_[l].width), static_cast<GLsizei>(levels_[l].height), 0,
                           format_.pixelFormat, format_.pixelType, nullptr);
        f.glBindTexture(GL_TEXTURE_2D, 0);
    });
}

HRESULT GlTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    if (!desc || level >= levels_.size()) return D3DERR_INVALIDCALL;
    const Level& l = levels_[level];
    *desc = {format_.format, D3DRTYPE_SURFACE, usage_, pool_, l.width * l.height * format_.bytesPerPixel,
             D3DMULTISAMPLE_NONE, l.width, l.height};
    return D3D_OK;
}

HRESULT GlTexture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
    if (!locked || level >= levels_.size() || levels_[level].locked) return D3DERR_INVALIDCALL;
    Level& l = levels_[level];
    RECT r = rect ? *rect : RECT{0, 0, static_cast<LONG>(l.width), static_cast<LONG>(l.height)};
    if (r.left < 0 || r.top < 0 || r.left >= r.right || r.top >= r.bottom || r.right > static_cast<LONG>(l.width) ||
        r.bottom > static_cast<LONG>(l.height))
        return D3DERR_INVALIDCALL;
    l.rect = r;
    size_t pitch = static_cast<size_t>(r.right - r.left) * format_.bytesPerPixel;
    l.pixels.assign(pitch * static_cast<size_t>(r.bottom - r.top), 0);
    if (l.written && !(flags & D3DLOCK_DISCARD))
        if (HRESULT hr = ReadBack(level); FAILED(hr)) {
            l.pixels = {};
            return hr;
        }
    l.locked = true;
    l.readOnly = (flags & D3DLOCK_READONLY) != 0;
    locked->Pitch = static_cast<INT>(pitch);
    locked->pBits = l.pixels.data();
    return D3D_OK;
}

HRESULT GlTexture::ReadBack(UINT level) {
    Level& l = levels_[level];
    size_t rowBytes = static_cast<size_t>(l.width) * format_.bytesPerPixel;
    std::vector<BYTE> whole(rowBytes * l.height);
    HRESULT hr = group_->Run([&](QOpenGLFunctions_2_1& f) {
        f.glBindTexture(GL_TEXTURE_2D, name_);
        f.glPixelStorei(GL_PACK_ALIGNMENT, 1);
        f.glGetTexImage(GL_TEXTURE_2D, static_cast<GLint>(level), format_.pixelFormat, format_.pixelType,
                        whole.data());
        f.glBindTexture(GL_TEXTURE_2D, 0);
    });
    if (FAILED(hr)) return hr;
    size_t pitch = static_cast<size_t>(l.rect.right - l.rect.left) * format_.bytesPerPixel;
    for (LONG y = l.rect.top; y < l.rect.bottom; ++y)
        std::memcpy(&l.pixels[static_cast<size_t>(y - l.rect.top) * pitch],
                    &whole[static_cast<size_t>(y) * rowBytes + static_cast<size_t>(l.rect.left) * format_.bytesPerPixel],
                    pitch);
    return D3D_OK;
}

HRESULT GlTexture::UnlockRect(UINT level) {
    if (level >= levels_.size() || !levels_[level].locked) return D3DERR_INVALIDCALL;
    Level& l = levels_[level];
    l.locked = false;
    HRESULT hr = D3D_OK;
    if (!l.readOnly) hr = SendPixels(level, l.rect, l.pixels.data(), static_cast<UINT>(l.rect.right - l.rect.left));
    l.pixels = {};
    return hr;
}

HRESULT GlTexture::WriteLevel(UINT level, const void* rows, UINT pitch) {
    if (level >= levels_.size() || levels_[level].locked || !rows) return D3DERR_INVALIDCALL;
    const Level& l = levels_[level];
    if (pitch % format_.bytesPerPixel != 0 || pitch / format_.bytesPerPixel < l.width) return D3DERR_INVALIDCALL;
    return SendPixels(level, RECT{0, 0, static_cast<LONG>(l.width), static_cast<LONG>(l.height)}, rows,
                      pitch / format_.bytesPerPixel);
}

HRESULT GlTexture::SendPixels(UINT level, const RECT& rect, const void* pixels, UINT rowLength) {
    HRESULT hr = group_->Run([&](QOpenGLFunctions_2_1& f) {
        f.glBindTexture(GL_TEXTURE_2D, name_);
        f.glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        f.glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(rowLength));
        f.glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), rect.left, rect.top, rect.right - rect.left,
                          rect.bottom - rect.top, format_.pixelFormat, format_.pixelType, pixels);
        f.glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        f.glBindTexture(GL_TEXTURE_2D, 0);
    });
    if (SUCCEEDED(hr)) levels_[level].written = true;
    return hr;
}

}  // namespace gl
