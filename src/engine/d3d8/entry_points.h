// The entry points that the original platform binds from its libraries, here
// installed by the program (or a test) before the engine uses them.
//
// Install them once at start-up, before any scene exists; they are read from
// the main thread and, for the texture file loader, from loader threads.
#pragma once

#include <functional>

#include "d3d8.h"
#include "dinput8.h"

namespace d3d8 {

// Creates the Direct3D interface for an SDK version; nullptr when unavailable.
using Direct3DFactory = std::function<IDirect3D8*(UINT SDKVersion)>;
void SetDirect3DFactory(Direct3DFactory factory);

// DirectInput8Create: (instance, version, interface id, out interface, outer).
using DirectInputFactory = std::function<HRESULT(HINSTANCE, DWORD, REFIID, void**, IUnknown*)>;
// An empty function means DirectInput is missing on this system.
void SetDirectInputFactory(DirectInputFactory factory);
const DirectInputFactory& DirectInputEntryPoint();

// The texture file loader behind D3DXCreateTextureFromFileA / ...ExA. The
// arguments are those of D3DXCreateTextureFromFileExA (the plain call passes
// D3DX_DEFAULT sizes and levels, usage 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED,
// D3DX_DEFAULT filters and colour key 0). Must be safe to call from a loader
// thread while the main thread draws with the same device.
struct TextureFileRequest {
    const char* FileName;
    UINT Width, Height, MipLevels;
    DWORD Usage;
    D3DFORMAT Format;
    D3DPOOL Pool;
    DWORD Filter, MipFilter;
    D3DCOLOR ColorKey;
};
using TextureFileLoader =
    std::function<HRESULT(IDirect3DDevice8*, const TextureFileRequest&, D3DXIMAGE_INFO*, IDirect3DTexture8**)>;
void SetTextureFileLoader(TextureFileLoader loader);
const TextureFileLoader& InstalledTextureFileLoader();

}  // namespace d3d8

// Nullptr when no factory is installed or the factory gives none.
IDirect3D8* Direct3DCreate8(UINT SDKVersion);
