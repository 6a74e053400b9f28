#include "SetColor.h"

#include "EngineSwitches.h"
#include "TkelDXCustomInsertObject.h"
#include "TkelDXScene.h"

namespace kelDX8 {
namespace {

constexpr int kBackground = 1;
constexpr int kMaterialAmbient = 5;
constexpr int kMaterialDiffuse = 6;
constexpr int kMaterialEmissive = 7;
constexpr int kMaterialSpecular = 8;
constexpr int kAmbientLight = 10;

D3DCOLORVALUE* MaterialColor(D3DMATERIAL8& material, int kind) {
    switch (kind) {
        case kMaterialAmbient: return &material.Ambient;
        case kMaterialDiffuse: return &material.Diffuse;
        case kMaterialEmissive: return &material.Emissive;
        case kMaterialSpecular: return &material.Specular;
        default: return nullptr;
    }
}

void SetAmbientLight(TkelDXCustomObject& object, TColor color) {
    IDirect3DDevice8* device = object.Scene->Device.get();
    DWORD ambient = 0;
    if (!object.CheckResult(device->GetRenderState(D3DRS_AMBIENT, &ambient), "Cant read/set render state.",
                            DescribeD3DResult, RaiseOnStateError))
        ambient = 0;
    SetColorRGB(ambient, color);
    object.CheckResult(device->SetRenderState(D3DRS_AMBIENT, ambient), "Cant read/set render state.",
                       DescribeD3DResult, RaiseOnStateError);
}

}  // namespace

void SetColor(TkelDXCustomObject* Object, int Kind, TColor Color) {
    if (!Object) return;
    if (Kind == kBackground) {
        if (auto* scene = dynamic_cast<TkelDXScene*>(Object)) SetColorRGB(scene->BackgroundColor, Color);
    } else if (Kind == kAmbientLight) {
        SetAmbientLight(*Object, Color);
    } else if (auto* inserted = dynamic_cast<TkelDXCustomInsertObject*>(Object)) {
        if (D3DCOLORVALUE* target = MaterialColor(inserted->Material, Kind)) SetColorValueRGB(*target, Color);
    }
}

}  // namespace kelDX8
