#include "TextureFileLoader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <new>
#include <optional>

#include "DecodeAhead.h"
#include "GlTexture.h"
#include "Pictures.h"

namespace gl {
namespace {

using lumetta::images::BgraImage;
using lumetta::images::DecodedPicture;
using lumetta::images::PictureResult;
using lumetta::images::PictureKind;
using lumetta::images::PictureSize;

thread_local std::string lastError;

HRESULT Fail(HRESULT hr, std::string message) {
    lastError = std::move(message);
    return hr;
}

bool Given(UINT side) { return side != 0 && side != D3DX_DEFAULT; }

std::uint32_t Scaled(std::uint32_t side, double scale) {
    return std::max<std::uint32_t>(1, static_cast<std::uint32_t>(std::lround(side * scale)));
}

// The picture scaled to cover `box` (both sides at least the box's), never above its own size.
PictureSize Cover(PictureSize picture, PictureSize box) {
    double scale = std::max(box.width / static_cast<double>(picture.width), box.height / static_cast<double>(picture.height));
    if (scale >= 1.0 || box.width == 0 || box.height == 0) return picture;
    return {std::max(Scaled(picture.width, scale), std::min(box.width, picture.width)),
            std::max(Scaled(picture.height, scale), std::min(box.height, picture.height))};
}

UINT MipLevelsFor(UINT requested, PictureSize size) {
    UINT full = 1;
    for (std::uint32_t side = std::max(size.width, size.height); side > 1; side >>= 1) ++full;
    return requested == 0 || requested == D3DX_DEFAULT ? full : std::min(requested, full);
}

void ApplyColorKey(BgraImage& image, D3DCOLOR key) {
    const std::uint8_t bgra[4] = {static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
                                  static_cast<std::uint8_t>(key >> 16), static_cast<std::uint8_t>(key >> 24)};
    for (size_t at = 0; at + 4 <= image.pixels.size(); at += 4)
        if (std::memcmp(&image.pixels[at], bgra, 4) == 0) std::memset(&image.pixels[at], 0, 4);
}

// The device is this backend's, so its textures are GlTextures; the picture's
// rows go to the GL as they are, without a locked copy.
HRESULT Upload(IDirect3DTexture8* texture, UINT level, const BgraImage& image) {
    auto* own = dynamic_cast<GlTexture*>(texture);
    if (!own) return D3DERR_INVALIDCALL;
    return own->WriteLevel(level, image.row(0), static_cast<UINT>(image.stride()));
}

HRESULT Load(IDirect3DDevice8* device, const d3d8::TextureFileRequest& request, D3DXIMAGE_INFO* info,
             IDirect3DTexture8** out) {
    D3DFORMAT format = request.Format;
    if (format == D3DFMT_UNKNOWN) format = request.ColorKey ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    if (format != D3DFMT_A8R8G8B8 && format != D3DFMT_X8R8G8B8)
        return Fail(D3DERR_NOTAVAILABLE, "the file loader makes 32-bit textures only");
    std::error_code ec;
    if (!std::filesystem::exists(request.FileName, ec)) return Fail(D3DERR_NOTFOUND, "file not found");

    auto picture = lumetta::images::ReadPictureSize(request.FileName);
    if (!picture) return Fail(D3DXERR_INVALIDDATA, picture.error().message);
    D3DDISPLAYMODE screen{};
    D3DCAPS8 caps{};
    if (HRESULT hr = device->GetDisplayMode(&screen); FAILED(hr)) return Fail(hr, "no display mode");
    if (HRESULT hr = device->GetDeviceCaps(&caps); FAILED(hr)) return Fail(hr, "no device capabilities");
    UINT maxSide = std::min(caps.MaxTextureWidth, caps.MaxTextureHeight);
    PictureSize size = ChooseTextureSize(picture.value(), {screen.Width, screen.Height}, request.Width,
                                         request.Height, maxSide);

    UINT levels = MipLevelsFor(request.MipLevels, size);
    ComPtr<IDirect3DTexture8> texture;
    const auto createTexture = [&] {
        return device->CreateTexture(size.width, size.height, levels, request.Usage, format, request.Pool,
                                     texture.put());
    };
    // While a head start decodes the file, the texture is made meanwhile. Other
    // loads make it after decoding, so that the decoder's pictures and the new
    // texture are not held at the same time.
    if (IsDecodingAhead(request.FileName)) {
        if (HRESULT hr = createTexture(); FAILED(hr)) return Fail(hr, "the device refused the texture");
    }

    std::optional<DecodedPicture> ahead = TakeDecodedAhead(request.FileName, size);
    auto decoded = ahead ? PictureResult<DecodedPicture>(std::move(*ahead))
                         : DecodeAtTextureSize(request.FileName, size, picture.value());
    if (!decoded) return Fail(D3DXERR_INVALIDDATA, decoded.error().message);
    BgraImage level = std::move(decoded->image);
    if (request.ColorKey) ApplyColorKey(level, request.ColorKey);

    if (!texture) {
        if (HRESULT hr = createTexture(); FAILED(hr)) return Fail(hr, "the device refused the texture");
    }
    for (UINT l = 0; l < levels; ++l) {
        if (l > 0) level = lumetta::images::HalveForMipLevel(level);
        if (HRESULT hr = Upload(texture.get(), l, level); FAILED(hr)) return Fail(hr, "the texture could not be filled");
    }
    if (info)
        *info = {decoded->uprightSize.width, decoded->uprightSize.height, 1, 1, D3DFMT_X8R8G8B8, D3DRTYPE_TEXTURE,
                 decoded->kind == PictureKind::Jpeg ? D3DXIFF_JPG : D3DXIFF_BMP};
    *out = texture.get();
    (*out)->AddRef();
    lastError.clear();
    return D3D_OK;
}

}  // namespace

PictureSize ChooseTextureSize(PictureSize picture, PictureSize screen, UINT requestWidth, UINT requestHeight,
                              UINT maxSide) {
    PictureSize size;
    if (!Given(requestWidth) && !Given(requestHeight)) {
        // The screen turned to the picture's orientation, so a portrait photo
        // costs what a landscape one does instead of covering the screen's width.
        std::uint32_t longSide = std::max(screen.width, screen.height), shortSide = std::min(screen.width, screen.height);
        bool portrait = picture.height > picture.width;
        size = Cover(picture, portrait ? PictureSize{shortSide, longSide} : PictureSize{longSide, shortSide});
    } else {
        size.width = Given(requestWidth) ? std::min(requestWidth, picture.width) : picture.width;
        size.height = Given(requestHeight) ? std::min(requestHeight, picture.height) : picture.height;
    }
    std::uint32_t longest = std::max(size.width, size.height);
    if (maxSide > 0 && longest > maxSide) {
        double scale = maxSide / static_cast<double>(longest);
        size = {std::min(maxSide, Scaled(size.width, scale)), std::min(maxSide, Scaled(size.height, scale))};
    }
    return size;
}

PictureResult<DecodedPicture> DecodeAtTextureSize(const char* file, PictureSize size, PictureSize picture) {
    PictureSize box = Cover(picture, size);
    auto decoded = lumetta::images::DecodePicture(file, box.width, box.height);
    if (decoded && decoded->image.size() != size)
        decoded->image = lumetta::images::DownscaleArea(decoded->image, size.width, size.height);
    return decoded;
}

HRESULT LoadTextureFromFile(IDirect3DDevice8* device, const d3d8::TextureFileRequest& request, D3DXIMAGE_INFO* info,
                            IDirect3DTexture8** texture) {
    if (!texture) return Fail(D3DERR_INVALIDCALL, "no texture to fill");
    *texture = nullptr;
    if (!device || !request.FileName) return Fail(D3DERR_INVALIDCALL, "no device or file name");
    try {
        return Load(device, request, info, texture);
    } catch (const std::bad_alloc&) {
        return Fail(E_OUTOFMEMORY, "out of memory");
    }
}

const std::string& LastTextureFileError() { return lastError; }

}  // namespace gl
