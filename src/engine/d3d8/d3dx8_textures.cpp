// The D3DX texture creators: an empty texture straight from the device, and
// textures from picture files through the installed loader.
#include "d3dx8.h"
#include "entry_points.h"

namespace {
constexpr UINT kDefaultTextureSize = 256;

UINT SizeOrDefault(UINT size) { return size == D3DX_DEFAULT ? kDefaultTextureSize : size; }
}  // namespace

HRESULT D3DXCreateTexture(IDirect3DDevice8* pDevice, UINT Width, UINT Height, UINT MipLevels, DWORD Usage,
                          D3DFORMAT Format, D3DPOOL Pool, IDirect3DTexture8** ppTexture) {
    if (pDevice == nullptr || ppTexture == nullptr) return D3DERR_INVALIDCALL;
    UINT levels = MipLevels == D3DX_DEFAULT ? 0 : MipLevels;
    return pDevice->CreateTexture(SizeOrDefault(Width), SizeOrDefault(Height), levels, Usage, Format, Pool,
                                  ppTexture);
}

HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice8* pDevice, const char* pSrcFile, IDirect3DTexture8** ppTexture) {
    return D3DXCreateTextureFromFileExA(pDevice, pSrcFile, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                        D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr,
                                        nullptr, ppTexture);
}

HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice8* pDevice, const char* pSrcFile, UINT Width, UINT Height,
                                     UINT MipLevels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool, DWORD Filter,
                                     DWORD MipFilter, D3DCOLOR ColorKey, D3DXIMAGE_INFO* pSrcInfo,
                                     PALETTEENTRY* /*pPalette: palettised textures are not supported*/,
                                     IDirect3DTexture8** ppTexture) {
    if (pDevice == nullptr || pSrcFile == nullptr || ppTexture == nullptr) return D3DERR_INVALIDCALL;
    *ppTexture = nullptr;
    const auto& loader = d3d8::InstalledTextureFileLoader();
    if (!loader) return D3DERR_NOTAVAILABLE;
    d3d8::TextureFileRequest request{pSrcFile, Width, Height, MipLevels, Usage, Format, Pool, Filter, MipFilter,
                                     ColorKey};
    return loader(pDevice, request, pSrcInfo, ppTexture);
}
