#include "DeviceStates.h"

#include <bit>
#include <utility>

namespace gl {
namespace {

constexpr DWORD kLastRenderState = 173;  // D3DRS_NORMALORDER
constexpr DWORD kLastStageState = 28;    // D3DTSS_RESULTARG

DWORD FloatBits(float f) { return std::bit_cast<DWORD>(f); }

void SetRenderDefaults(std::array<DWORD, DeviceStates::kRenderStateCount>& r, bool depthBuffer) {
    r[D3DRS_ZENABLE] = depthBuffer ? D3DZB_TRUE : D3DZB_FALSE;
    r[D3DRS_FILLMODE] = 3;   // D3DFILL_SOLID
    r[D3DRS_SHADEMODE] = 2;  // D3DSHADE_GOURAUD
    r[D3DRS_ZWRITEENABLE] = TRUE;
    r[D3DRS_LASTPIXEL] = TRUE;
    r[D3DRS_SRCBLEND] = 2;   // D3DBLEND_ONE
    r[D3DRS_DESTBLEND] = 1;  // D3DBLEND_ZERO
    r[D3DRS_CULLMODE] = D3DCULL_CCW;
    r[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
    r[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
    r[D3DRS_LIGHTING] = TRUE;
    r[D3DRS_COLORVERTEX] = TRUE;
    r[D3DRS_LOCALVIEWER] = TRUE;
    r[D3DRS_DIFFUSEMATERIALSOURCE] = D3DMCS_COLOR1;
    r[D3DRS_SPECULARMATERIALSOURCE] = D3DMCS_COLOR2;
    r[D3DRS_AMBIENTMATERIALSOURCE] = D3DMCS_MATERIAL;
    r[D3DRS_EMISSIVEMATERIALSOURCE] = D3DMCS_MATERIAL;
    r[kTextureFactorState] = 0xFFFFFFFF;
    // The less common states whose default is not 0, so that reading them back
    // gives what Direct3D gives.
    r[37] = FloatBits(1.0f);                          // FOGEND
    r[38] = FloatBits(1.0f);                          // FOGDENSITY
    r[53] = r[54] = r[55] = 1;                        // STENCILFAIL, STENCILZFAIL, STENCILPASS: KEEP
    r[56] = D3DCMP_ALWAYS;                            // STENCILFUNC
    r[58] = r[59] = 0xFFFFFFFF;                       // STENCILMASK, STENCILWRITEMASK
    r[136] = TRUE;                                    // CLIPPING
    r[154] = FloatBits(1.0f);                         // POINTSIZE
    r[158] = FloatBits(1.0f);                         // POINTSCALE_A
    r[161] = TRUE;                                    // MULTISAMPLEANTIALIAS
    r[162] = 0xFFFFFFFF;                              // MULTISAMPLEMASK
    r[164] = FloatBits(1.0f);                         // PATCHSEGMENTS
    r[166] = FloatBits(64.0f);                        // POINTSIZE_MAX
    r[168] = 0xF;                                     // COLORWRITEENABLE
    r[171] = 1;                                       // BLENDOP: ADD
    r[172] = 3;                                       // POSITIONORDER: cubic
    r[173] = 1;                                       // NORMALORDER: linear
}

void SetStageDefaults(std::array<DWORD, DeviceStates::kStageStateCount>& s, DWORD stage) {
    s[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
    s[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
    s[D3DTSS_COLORARG2] = D3DTA_CURRENT;
    s[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
    s[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
    s[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
    s[D3DTSS_TEXCOORDINDEX] = stage;
    s[D3DTSS_ADDRESSU] = s[D3DTSS_ADDRESSV] = s[D3DTSS_ADDRESSW] = D3DTADDRESS_WRAP;
    s[D3DTSS_MAGFILTER] = s[D3DTSS_MINFILTER] = D3DTEXF_POINT;
    s[D3DTSS_MIPFILTER] = D3DTEXF_NONE;
    s[D3DTSS_MAXANISOTROPY] = 1;
    s[D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_DISABLE;
    s[26] = s[27] = s[28] = D3DTA_CURRENT;  // COLORARG0, ALPHAARG0, RESULTARG
}

bool ValidStageState(D3DTEXTURESTAGESTATETYPE type) { return type >= 1 && type <= kLastStageState; }

}  // namespace

D3DMATRIX IdentityMatrix() {
    D3DMATRIX m{};
    m._11 = m._22 = m._33 = m._44 = 1.0f;
    return m;
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
    D3DMATRIX r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
            r.m[i][j] = sum;
        }
    return r;
}

DeviceStates::DeviceStates(bool depthBuffer)
    : world_(IdentityMatrix()), view_(IdentityMatrix()), projection_(IdentityMatrix()) {
    SetRenderDefaults(render_, depthBuffer);
    for (DWORD s = 0; s < kStages; ++s) {
        SetStageDefaults(stages_[s], s);
        texture_[s] = IdentityMatrix();
    }
}

HRESULT DeviceStates::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    if (state == 0 || state > kLastRenderState) return D3DERR_INVALIDCALL;
    render_[state] = value;
    return D3D_OK;
}

HRESULT DeviceStates::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) const {
    if (!value || state == 0 || state > kLastRenderState) return D3DERR_INVALIDCALL;
    *value = render_[state];
    return D3D_OK;
}

HRESULT DeviceStates::SetStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
    if (stage >= kStages || !ValidStageState(type)) return D3DERR_INVALIDCALL;
    stages_[stage][type] = value;
    return D3D_OK;
}

HRESULT DeviceStates::GetStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) const {
    if (!value || stage >= kStages || !ValidStageState(type)) return D3DERR_INVALIDCALL;
    *value = stages_[stage][type];
    return D3D_OK;
}

D3DMATRIX* DeviceStates::TransformSlot(D3DTRANSFORMSTATETYPE state) {
    switch (state) {
        case D3DTS_VIEW: return &view_;
        case D3DTS_PROJECTION: return &projection_;
        case D3DTS_WORLD: return &world_;
        default:
            if (state >= D3DTS_TEXTURE0 && state <= D3DTS_TEXTURE7) return &texture_[state - D3DTS_TEXTURE0];
            return nullptr;
    }
}

HRESULT DeviceStates::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
    D3DMATRIX* slot = TransformSlot(state);
    if (!slot || !matrix) return D3DERR_INVALIDCALL;
    *slot = *matrix;
    if (state == D3DTS_VIEW || state == D3DTS_PROJECTION || state == D3DTS_WORLD) transformChanged_ = true;
    return D3D_OK;
}

HRESULT DeviceStates::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) const {
    D3DMATRIX* slot = const_cast<DeviceStates*>(this)->TransformSlot(state);
    if (!slot || !matrix) return D3DERR_INVALIDCALL;
    *matrix = *slot;
    return D3D_OK;
}

HRESULT DeviceStates::SetMaterial(const D3DMATERIAL8* material) {
    if (!material) return D3DERR_INVALIDCALL;
    material_ = *material;
    return D3D_OK;
}

bool DeviceStates::TakeTransformChange() { return std::exchange(transformChanged_, false); }

}  // namespace gl
