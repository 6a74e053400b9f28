// The texture file loader behind D3DXCreateTextureFromFileA and ...ExA: JPEG
// and BMP files, told apart by their content, decoded upright and sized for the
// screen, with a full mip chain. Works through the IDirect3DDevice8 interface
// alone (display mode, capabilities, CreateTexture, LockRect, UnlockRect), so
// it runs on the loader thread with the OpenGL device, whose textures may be
// made from any thread. Pure C++.
#pragma once

#include <string>

#include "PictureTypes.h"
#include "Pictures.h"
#include "entry_points.h"

namespace gl {

// The texture size for a picture of upright size `picture`:
// - Width and Height of the request 0 or D3DX_DEFAULT: the picture scaled, with
//   its aspect kept, to the smallest size that covers the screen turned to the
//   picture's orientation (a portrait photo covers 1080 x 1920 on a 1920 x 1080
//   screen), never enlarged. A 6000 x 4000 photo on a 1920 x 1080 screen gives
//   1920 x 1280, a 4000 x 6000 one 1280 x 1920.
// - A side given in the request: that side, at most the picture's (no enlarging);
//   the other side given or the picture's own.
// Either way no side exceeds maxSide; a larger result shrinks, keeping its aspect.
lumetta::images::PictureSize ChooseTextureSize(lumetta::images::PictureSize picture,
                                               lumetta::images::PictureSize screen, UINT requestWidth,
                                               UINT requestHeight, UINT maxSide);

// The picture of `file` (upright size `picture`) decoded and brought to
// texture size `size`, with its full-size upright dimensions and kind.
lumetta::images::PictureResult<lumetta::images::DecodedPicture> DecodeAtTextureSize(
    const char* file, lumetta::images::PictureSize size, lumetta::images::PictureSize picture);

// The loader to install with d3d8::SetTextureFileLoader. Results:
// D3DERR_INVALIDCALL for null arguments, D3DERR_NOTFOUND for a missing file,
// D3DXERR_INVALIDDATA for a file that is not a readable JPEG or BMP,
// D3DERR_NOTAVAILABLE for a requested format other than A8R8G8B8 or X8R8G8B8,
// E_OUTOFMEMORY, or what the device's calls returned. A colour key other than
// 0 turns pixels of exactly that colour into transparent black (the texture is
// then A8R8G8B8 unless the request names X8R8G8B8). The filters are not used:
// sizes are always reduced with an area filter, mip levels by halving.
HRESULT LoadTextureFromFile(IDirect3DDevice8* device, const d3d8::TextureFileRequest& request,
                            D3DXIMAGE_INFO* info, IDirect3DTexture8** texture);

// Why the last failed load on this thread failed, for a person ("truncated
// JPEG data"); empty after a successful one.
const std::string& LastTextureFileError();

}  // namespace gl
