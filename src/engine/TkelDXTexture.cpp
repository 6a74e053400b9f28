#include "TkelDXTexture.h"

#include <algorithm>

#include "EngineSwitches.h"
#include "TkelDXScene.h"
#include "d3dx8.h"

namespace kelDX8 {
namespace {

constexpr UINT kDefaultSize = 256;
constexpr D3DCOLOR kNoColorKey = 0xFF000000;
const char* const kTwoDimensional = "TextureTransformation is 2-dimensional, operation or parameter not possible.";
const char* const kCantSetTexture = "Cant set texture to the stage.";
const char* const kCantLoad = "Cant load texture.";

WORD RecordedLevels(UINT levels) { return static_cast<WORD>(std::min<UINT>(levels, 0xFFFF)); }

}  // namespace

const char* TkelDXTexture::ClassName() const { return "TkelDXTexture"; }

void TkelDXTexture::Create(TkelDXScene* NewScene) {
    TkelDXCustomActiveTransform::Create(NewScene);
    Stage = 0;
    Texture = nullptr;
}

void TkelDXTexture::Refuse(const char* Message) { CheckResult(D3DERR_INVALIDCALL, Message, DescribeD3DResult, true); }
void TkelDXTexture::RefuseThreeDimensions() { Refuse(kTwoDimensional); }

void TkelDXTexture::Translate(float X, float Y, float Z) {
    if (Z != 0.0f) RefuseThreeDimensions();
    TkelDXCustomActiveTransform::Translate(X, Y, Z);
}

void TkelDXTexture::Rotate(float, float, float, float) { RefuseThreeDimensions(); }
void TkelDXTexture::RotateX(float) { RefuseThreeDimensions(); }
void TkelDXTexture::RotateY(float) { RefuseThreeDimensions(); }

void TkelDXTexture::Scale(float X, float Y, float Z) {
    if (Z != 1.0f) RefuseThreeDimensions();
    TkelDXCustomActiveTransform::Scale(X, Y, Z);
}

// Stage indexes the scene's table of eight; a larger value would reach past it.
void TkelDXTexture::CheckStage() {
    if (Stage >= TextureStageCount) CheckResult(E_INVALIDARG, "No valid argument.", DescribeD3DResult, true);
}

bool TkelDXTexture::IsActive() const { return Stage < TextureStageCount && Scene->ActiveTextures[Stage] == this; }

bool TkelDXTexture::IsActiveOnAnyStage() const {
    return std::find(std::begin(Scene->ActiveTextures), std::end(Scene->ActiveTextures), this) !=
           std::end(Scene->ActiveTextures);
}

void TkelDXTexture::Activate() {
    if (!Texture) Refuse("No texture loaded, use LoadFromFile before.");
    CheckStage();
    if (TkelDXTexture* holder = Scene->ActiveTextures[Stage])
        Refuse(holder == this ? "This texture ist already active on this stage."
                              : "Any other texture ist active on this stage.");
    IDirect3DDevice8* device = Scene->Device.get();
    CheckResult(device->SetTexture(Stage, Texture.get()), kCantSetTexture, DescribeD3DResult, RaiseOnStateError);
    device->SetTransform(D3DTS_TEXTURE0 + Stage, &Matrix);
    device->SetTextureStageState(Stage, D3DTSS_TEXTURETRANSFORMFLAGS,
                                 IsTransformed() ? D3DTTFF_COUNT2 : D3DTTFF_DISABLE);
    Scene->ActiveTextures[Stage] = this;
}

void TkelDXTexture::Deactivate() {
    if (!IsActive()) Refuse("Texture is not active on this stage, couldnt be deactivated.");
    IDirect3DDevice8* device = Scene->Device.get();
    CheckResult(device->SetTexture(Stage, nullptr), kCantSetTexture, DescribeD3DResult, RaiseOnStateError);
    Scene->ActiveTextures[Stage] = nullptr;
    device->SetTextureStageState(Stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    device->SetTransform(D3DTS_TEXTURE0 + Stage, &IdentityMatrix);
}

void TkelDXTexture::ReleaseForReplacement() {
    if (!Texture) return;
    if (IsActiveOnAnyStage())
        Refuse("Other texture is loaded and active in some stage, use Deactivate and Unload before loading new "
               "texture.)");
    Unload();
}

void TkelDXTexture::Unload() {
    if (IsActiveOnAnyStage())
        Refuse("Operation is not possible because texture is active in some stage, use Deactivate with this stage "
               "before.");
    Texture = nullptr;
}

void TkelDXTexture::CreateEmpty() { CreateEmpty(kDefaultSize, kDefaultSize, 0); }
void TkelDXTexture::CreateEmpty(UINT Width, UINT Height) { CreateEmpty(Width, Height, 0); }
void TkelDXTexture::CreateEmpty(UINT Width, UINT Height, UINT Levels) {
    CreateTexture(Width, Height, Levels, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED);
}

void TkelDXTexture::CreateRenderTarget() { CreateRenderTarget(kDefaultSize, kDefaultSize, 0); }
void TkelDXTexture::CreateRenderTarget(UINT Width, UINT Height) { CreateRenderTarget(Width, Height, 0); }
void TkelDXTexture::CreateRenderTarget(UINT Width, UINT Height, UINT Levels) {
    CreateTexture(Width, Height, Levels, D3DUSAGE_RENDERTARGET, Scene->PresentParameters.BackBufferFormat,
                  D3DPOOL_DEFAULT);
}

void TkelDXTexture::CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage, D3DFORMAT Format,
                                  D3DPOOL Pool) {
    ReleaseForReplacement();
    MipLevels = RecordedLevels(Levels);
    ColorKey = kNoColorKey;
    CheckResult(D3DXCreateTexture(Scene->Device.get(), Width, Height, Levels, Usage, Format, Pool, Texture.put()),
                kCantLoad, DescribeD3DResult, RaiseOnStateError);
}

void TkelDXTexture::LoadFromFile(const std::string& FileName) {
    ReleaseForReplacement();
    CheckResult(D3DXCreateTextureFromFileA(Scene->Device.get(), FileName.c_str(), Texture.put()), kCantLoad,
                DescribeD3DResult, RaiseOnStateError);
    ColorKey = kNoColorKey;
    MipLevels = 0;
}

void TkelDXTexture::LoadFromFile(const std::string& FileName, bool UseColorKey, TColor KeyColor, float KeyAlpha) {
    LoadFromFile(FileName, 0, 0, 0, D3DX_FILTER_LINEAR, D3DX_FILTER_NONE, UseColorKey, KeyColor, KeyAlpha);
}

void TkelDXTexture::LoadFromFile(const std::string& FileName, UINT Levels, bool UseColorKey, TColor KeyColor,
                                 float KeyAlpha) {
    LoadFromFile(FileName, 0, 0, Levels, D3DX_FILTER_LINEAR, D3DX_FILTER_LINEAR, UseColorKey, KeyColor, KeyAlpha);
}

void TkelDXTexture::LoadFromFile(const std::string& FileName, UINT Width, UINT Height, bool UseColorKey,
                                 TColor KeyColor, float KeyAlpha) {
    LoadFromFile(FileName, Width, Height, 0, D3DX_FILTER_LINEAR, D3DX_FILTER_NONE, UseColorKey, KeyColor, KeyAlpha);
}

void TkelDXTexture::LoadFromFile(const std::string& FileName, UINT Width, UINT Height, UINT Levels, DWORD Filter,
                                 DWORD MipFilter, bool UseColorKey, TColor KeyColor, float KeyAlpha) {
    LoadFromFileEx(FileName, Width, Height, Levels, D3DUSAGE_RENDERTARGET, D3DFMT_UNKNOWN, D3DPOOL_DEFAULT, Filter,
                   MipFilter, UseColorKey, KeyColor, KeyAlpha, nullptr, nullptr);
}

void TkelDXTexture::LoadFromFileEx(const std::string& FileName, UINT Width, UINT Height, UINT Levels, DWORD Usage,
                                   D3DFORMAT Format, D3DPOOL Pool, DWORD Filter, DWORD MipFilter, bool UseColorKey,
                                   TColor KeyColor, float KeyAlpha, D3DXIMAGE_INFO* SourceInfo,
                                   PALETTEENTRY* Palette) {
    ReleaseForReplacement();
    MipLevels = RecordedLevels(Levels);
    ColorKey = UseColorKey ? ColorToARGB(KeyColor, KeyAlpha) : kNoColorKey;
    CheckResult(D3DXCreateTextureFromFileExA(Scene->Device.get(), FileName.c_str(), Width, Height, Levels, Usage,
                                             Format, Pool, Filter, MipFilter, ColorKey, SourceInfo, Palette,
                                             Texture.put()),
                kCantLoad, DescribeD3DResult, RaiseOnStateError);
}

void TkelDXTexture::SetStageStates(const D3DTEXTURESTAGESTATETYPE (&States)[3], const DWORD (&Values)[3]) {
    for (int i = 0; i < 3; ++i)
        CheckResult(Scene->Device->SetTextureStageState(Stage, States[i], Values[i]), "Cant read/set texture state.",
                    DescribeD3DResult, RaiseOnStateError);
}

void TkelDXTexture::SetColorStage(DWORD Arg1, DWORD Arg2, DWORD Operation) {
    SetStageStates({D3DTSS_COLORARG1, D3DTSS_COLORARG2, D3DTSS_COLOROP}, {Arg1, Arg2, Operation});
}

void TkelDXTexture::SetAlphaStage(DWORD Arg1, DWORD Arg2, DWORD Operation) {
    SetStageStates({D3DTSS_ALPHAARG1, D3DTSS_ALPHAARG2, D3DTSS_ALPHAOP}, {Arg1, Arg2, Operation});
}

void TkelDXTexture::SelectTextureColor() { SetColorStage(D3DTA_CURRENT, D3DTA_TEXTURE, D3DTOP_SELECTARG2); }
void TkelDXTexture::SelectDiffuseAlpha() { SetAlphaStage(D3DTA_DIFFUSE, D3DTA_TEXTURE, D3DTOP_SELECTARG1); }

}  // namespace kelDX8
