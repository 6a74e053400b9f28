#include "entry_points.h"

#include <utility>

namespace d3d8 {
namespace {
Direct3DFactory& direct3DFactory() {
    static Direct3DFactory f;
    return f;
}
DirectInputFactory& directInputFactory() {
    static DirectInputFactory f;
    return f;
}
TextureFileLoader& textureFileLoader() {
    static TextureFileLoader f;
    return f;
}
}  // namespace

void SetDirect3DFactory(Direct3DFactory factory) { direct3DFactory() = std::move(factory); }
void SetDirectInputFactory(DirectInputFactory factory) { directInputFactory() = std::move(factory); }
const DirectInputFactory& DirectInputEntryPoint() { return directInputFactory(); }
void SetTextureFileLoader(TextureFileLoader loader) { textureFileLoader() = std::move(loader); }
const TextureFileLoader& InstalledTextureFileLoader() { return textureFileLoader(); }

}  // namespace d3d8

IDirect3D8* Direct3DCreate8(UINT SDKVersion) {
    const auto& f = d3d8::direct3DFactory();
    return f ? f(SDKVersion) : nullptr;
}
