// One Direct3D texture and the texture stage it binds to.
//
// Empty (no Texture) -> loaded (CreateTexture, LoadFromFile...) -> active
// (Activate; recorded in the scene's ActiveTextures) -> loaded (Deactivate) ->
// empty (Unload). A load while loaded unloads first; while active it is refused.
// As a transform, Matrix is the stage's texture-coordinate transform: only
// two-dimensional changes are accepted, and it reaches the device at Activate.
//
// LoadFromFile may run on a loader thread while the main thread draws; the
// texture takes no lock, so the device layer must cope with that.
#pragma once

#include <string>

#include "Colors.h"
#include "TkelDXCustomActiveTransform.h"
#include "d3d8.h"

namespace kelDX8 {

class TkelDXTexture : public TkelDXCustomActiveTransform {
public:
    // Mip levels asked for by the last creation or load (0 = a full chain); recorded only.
    WORD MipLevels = 0;
    // The stage (0 to 7) Activate binds to; set it before Activate.
    BYTE Stage = 0;
    ComPtr<IDirect3DTexture8> Texture;
    // The colour key handed to the file loader by the last load.
    D3DCOLOR ColorKey = 0;

    const char* ClassName() const override;

    // Z must be 0; the texture transform is two-dimensional.
    void Translate(float X, float Y, float Z) override;
    // Refused: only RotateZ turns a texture.
    void Rotate(float AxisX, float AxisY, float AxisZ, float Angle) override;
    void RotateX(float Angle) override;
    void RotateY(float Angle) override;
    // Z must be 1.
    void Scale(float X, float Y, float Z) override;

    bool IsActive() const override;
    void Activate() override;
    void Deactivate() override;

    // Empty managed A4R4G4B4 textures (256 x 256 by default, full mip chain).
    virtual void CreateEmpty();
    virtual void CreateEmpty(UINT Width, UINT Height);
    virtual void CreateEmpty(UINT Width, UINT Height, UINT MipLevels);
    // Render targets in the scene's back-buffer format (256 x 256 by default).
    virtual void CreateRenderTarget();
    virtual void CreateRenderTarget(UINT Width, UINT Height);
    virtual void CreateRenderTarget(UINT Width, UINT Height, UINT MipLevels);
    virtual void CreateTexture(UINT Width, UINT Height, UINT MipLevels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool);
    // With all of the loader's defaults and no colour key.
    virtual void LoadFromFile(const std::string& FileName);
    // The others hand a colour key to the loader (opaque black when UseColorKey
    // is false) and leave sizes and levels to the loader where not given.
    virtual void LoadFromFile(const std::string& FileName, bool UseColorKey, TColor KeyColor, float KeyAlpha);
    virtual void LoadFromFile(const std::string& FileName, UINT MipLevels, bool UseColorKey, TColor KeyColor,
                              float KeyAlpha);
    virtual void LoadFromFile(const std::string& FileName, UINT Width, UINT Height, bool UseColorKey, TColor KeyColor,
                              float KeyAlpha);
    virtual void LoadFromFile(const std::string& FileName, UINT Width, UINT Height, UINT MipLevels, DWORD Filter,
                              DWORD MipFilter, bool UseColorKey, TColor KeyColor, float KeyAlpha);
    virtual void LoadFromFileEx(const std::string& FileName, UINT Width, UINT Height, UINT MipLevels, DWORD Usage,
                                D3DFORMAT Format, D3DPOOL Pool, DWORD Filter, DWORD MipFilter, bool UseColorKey,
                                TColor KeyColor, float KeyAlpha, D3DXIMAGE_INFO* SourceInfo, PALETTEENTRY* Palette);
    // Releases the texture; refused while it is active on some stage.
    virtual void Unload();

    bool IsActiveOnAnyStage() const;
    // The three colour (alpha) states of Stage, set in the order of the arguments.
    void SetColorStage(DWORD Arg1, DWORD Arg2, DWORD Operation);
    void SetAlphaStage(DWORD Arg1, DWORD Arg2, DWORD Operation);
    // The colour of the texture: (current, texture, select argument 2).
    void SelectTextureColor();
    // The alpha of the vertices: (diffuse, texture, select argument 1).
    void SelectDiffuseAlpha();

protected:
    TkelDXTexture() = default;
    void Create(TkelDXScene* Scene);

private:
    // Raises when the loaded texture is active somewhere, else unloads it.
    void ReleaseForReplacement();
    void Refuse(const char* Message);
    void RefuseThreeDimensions();
    void CheckStage();
    void SetStageStates(const D3DTEXTURESTAGESTATETYPE (&States)[3], const DWORD (&Values)[3]);
};

}  // namespace kelDX8
