#include "FakeTextureFileLoader.h"

namespace fakes {

FakeTextureFileLoader::FakeTextureFileLoader() {
    d3d8::SetTextureFileLoader([this](IDirect3DDevice8* device, const d3d8::TextureFileRequest& r,
                                      D3DXIMAGE_INFO* info, IDirect3DTexture8** texture) {
        Request request{r, r.FileName, info != nullptr};
        request.FileName = nullptr;  // the caller's string does not outlive the call
        return Load(device, request, info, texture);
    });
}

FakeTextureFileLoader::~FakeTextureFileLoader() { d3d8::SetTextureFileLoader(nullptr); }

void FakeTextureFileLoader::FailFile(const std::string& FileName, HRESULT Result) {
    std::lock_guard lock(mutex_);
    failures_[FileName] = Result;
}

void FakeTextureFileLoader::SetTextureSize(UINT Width, UINT Height) {
    std::lock_guard lock(mutex_);
    width_ = Width;
    height_ = Height;
}

std::vector<FakeTextureFileLoader::Request> FakeTextureFileLoader::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

HRESULT FakeTextureFileLoader::Load(IDirect3DDevice8* Device, const Request& Request, D3DXIMAGE_INFO* Info,
                                    IDirect3DTexture8** Texture) {
    UINT width, height;
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(Request);
        for (const std::string& key : {Request.Name, std::string()}) {
            auto failure = failures_.find(key);
            if (failure != failures_.end()) return failure->second;
        }
        width = width_;
        height = height_;
    }
    if (Info) *Info = {width, height, 1, 1, D3DFMT_X8R8G8B8, D3DRTYPE_TEXTURE, D3DXIFF_JPG};
    // Like the real loader, it chooses the size and builds the whole mip chain.
    return Device->CreateTexture(width, height, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, Texture);
}

}  // namespace fakes
