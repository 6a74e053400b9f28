// The state a Direct3D 8-shaped device keeps between draw calls: render
// states, texture-stage states, transforms and the material, with Direct3D's
// defaults. What was set is what is read back. Pure C++: the OpenGL backend
// turns this state into GL state when it draws.
#pragma once

#include <array>

#include "d3d8types.h"

namespace gl {

// Render states that the header does not name but the drawing uses.
constexpr D3DRENDERSTATETYPE kTextureFactorState = 60;  // D3DRS_TEXTUREFACTOR

class DeviceStates {
public:
    static constexpr DWORD kStages = 8;
    static constexpr DWORD kRenderStateCount = 256;
    static constexpr DWORD kStageStateCount = 32;

    // `depthBuffer`: the device has a depth buffer, so depth testing starts on.
    explicit DeviceStates(bool depthBuffer);

    // D3DERR_INVALIDCALL for a state number outside the table or a null pointer.
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value);
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) const;
    // D3DERR_INVALIDCALL for a stage beyond 7 or a state outside the table.
    HRESULT SetStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value);
    HRESULT GetStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) const;
    // View, projection, texture 0-7 and world; anything else D3DERR_INVALIDCALL.
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix);
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) const;
    HRESULT SetMaterial(const D3DMATERIAL8* material);

    // Unchecked reads for the drawing code (arguments known to be valid).
    DWORD Render(D3DRENDERSTATETYPE state) const { return render_[state]; }
    DWORD Stage(DWORD stage, D3DTEXTURESTAGESTATETYPE type) const { return stages_[stage][type]; }
    const D3DMATRIX& World() const { return world_; }
    const D3DMATRIX& View() const { return view_; }
    const D3DMATRIX& Projection() const { return projection_; }
    const D3DMATRIX& TextureTransform(DWORD stage) const { return texture_[stage]; }
    const D3DMATERIAL8& Material() const { return material_; }

    // Whether world, view or projection changed since the last call.
    bool TakeTransformChange();

private:
    D3DMATRIX* TransformSlot(D3DTRANSFORMSTATETYPE state);

    std::array<DWORD, kRenderStateCount> render_{};
    std::array<std::array<DWORD, kStageStateCount>, kStages> stages_{};
    D3DMATRIX world_, view_, projection_;
    std::array<D3DMATRIX, kStages> texture_;
    D3DMATERIAL8 material_{};
    bool transformChanged_ = true;
};

// The identity matrix.
D3DMATRIX IdentityMatrix();
// a x b in the row-vector convention (a applies first).
D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b);

}  // namespace gl
