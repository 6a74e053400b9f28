// The texture file loader that a test installs behind D3DXCreateTextureFromFileA
// and ...ExA: it records every request and makes a texture on the device it is
// given (so the recording device logs it and names it T1, T2...), or fails.
//
//   fakes::FakeTextureFileLoader loader;      // installs itself
//   loader.FailFile("broken.jpg", D3DXERR_INVALIDDATA);
//   texture->LoadFromFile("photo.jpg");
//   loader.Requests()[0].ColorKey;    // and .Name, the file name
//
// Thread-safe: loader threads may load while the test reads the requests.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "entry_points.h"

namespace fakes {

class FakeTextureFileLoader {
public:
    // The loader's arguments as they came, with the file name kept.
    struct Request : d3d8::TextureFileRequest {
        std::string Name;
        bool WantsSourceInfo;
    };

    FakeTextureFileLoader();
    // Uninstalls the loader: file loads then fail with D3DERR_NOTAVAILABLE.
    ~FakeTextureFileLoader();
    FakeTextureFileLoader(const FakeTextureFileLoader&) = delete;
    FakeTextureFileLoader& operator=(const FakeTextureFileLoader&) = delete;

    // Loads of that file fail with Result; an empty name fails every file.
    void FailFile(const std::string& FileName, HRESULT Result);
    // The size of the textures made (64 x 64 unless set).
    void SetTextureSize(UINT Width, UINT Height);
    std::vector<Request> Requests() const;

private:
    HRESULT Load(IDirect3DDevice8* Device, const Request& Request, D3DXIMAGE_INFO* Info, IDirect3DTexture8** Texture);

    mutable std::mutex mutex_;
    std::vector<Request> requests_;
    std::map<std::string, HRESULT> failures_;
    UINT width_ = 64, height_ = 64;
};

}  // namespace fakes
