// A Direct3D-shaped texture over a GL texture object. Locked pixels live in
// memory only while a level is locked; UnlockRect sends them to the GL. Any
// thread may create, fill and release a texture: the work goes through the
// device's context group (see ContextGroup.h). One thread at a time uses a
// given texture.
#pragma once

#include <memory>
#include <vector>

#include <qopengl.h>

#include "ContextGroup.h"
#include "TextureFormats.h"
#include "d3d8.h"

namespace gl {

class GlTexture final : public RefCounted<IDirect3DTexture8> {
public:
    // Checks the arguments against `maxSize` (D3DERR_INVALIDCALL) and creates
    // the GL storage of every level. Levels 0 means the full chain.
    static HRESULT Create(std::shared_ptr<ContextGroup> group, UINT maxSize, UINT width, UINT height, UINT levels,
                          DWORD usage, D3DFORMAT format, D3DPOOL pool, IDirect3DTexture8** out);

    D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
    DWORD GetLevelCount() override { return levelCount(); }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    // Without D3DLOCK_DISCARD the locked pixels start as the level's content.
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;

    // Fills all of `level` from `rows`, `pitch` bytes apart, in the texture's
    // format, without the copy that a lock makes: the texture file loader's
    // way in. D3DERR_INVALIDCALL while the level is locked or for a pitch
    // shorter than a row.
    HRESULT WriteLevel(UINT level, const void* rows, UINT pitch);

    GLuint name() const { return name_; }
    UINT levelCount() const { return static_cast<UINT>(levels_.size()); }
    const ContextGroup* group() const { return group_.get(); }

private:
    struct Level {
        Level(UINT w, UINT h) : width(w), height(h) {}
        UINT width, height;
        bool written = false;  // the GL holds content sent by UnlockRect
        bool locked = false;
        bool readOnly = false;
        RECT rect{};
        std::vector<BYTE> pixels;  // the locked rectangle, rows of rect width
    };

    GlTexture(std::shared_ptr<ContextGroup> group, const TextureFormat& format, DWORD usage, D3DPOOL pool);
    ~GlTexture() override;
    HRESULT CreateStorage();
    HRESULT ReadBack(UINT level);
    // Sends `rect` of `level` from `pixels`, whose rows are `rowLength` pixels apart.
    HRESULT SendPixels(UINT level, const RECT& rect, const void* pixels, UINT rowLength);

    std::shared_ptr<ContextGroup> group_;
    const TextureFormat& format_;
    DWORD usage_;
    D3DPOOL pool_;
    std::vector<Level> levels_;
    GLuint name_ = 0;
};

// The number of levels of a full mip chain for a width x height texture.
UINT FullMipChain(UINT width, UINT height);

}  // namespace gl
