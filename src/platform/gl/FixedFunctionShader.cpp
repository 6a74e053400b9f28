#include "FixedFunctionShader.h"

#include <sstream>

namespace gl {
namespace {

constexpr DWORD kArgumentFlags = D3DTA_COMPLEMENT | D3DTA_ALPHAREPLICATE;

bool SupportedOperation(DWORD op) { return op >= D3DTOP_DISABLE && op <= D3DTOP_ADD; }

bool SupportedArgument(DWORD arg) { return (arg & ~(D3DTA_SELECTMASK | kArgumentFlags)) == 0 && (arg & D3DTA_SELECTMASK) <= D3DTA_SPECULAR; }

bool UsesArgument1(DWORD op) { return op != D3DTOP_DISABLE && op != D3DTOP_SELECTARG2; }
bool UsesArgument2(DWORD op) { return op != D3DTOP_DISABLE && op != D3DTOP_SELECTARG1; }

bool ReadsTexture(DWORD arg) { return (arg & D3DTA_SELECTMASK) == D3DTA_TEXTURE; }

// Keeps only the arguments an operation reads, so equal pipelines share a program.
HRESULT DescribeOperation(DWORD op, DWORD& arg1, DWORD& arg2, HRESULT badOp, HRESULT badArg) {
    if (!SupportedOperation(op)) return badOp;
    if (!UsesArgument1(op)) arg1 = 0;
    if (!UsesArgument2(op)) arg2 = 0;
    if (!SupportedArgument(arg1) || !SupportedArgument(arg2)) return badArg;
    return D3D_OK;
}

DWORD ResolveSource(DWORD source, const VertexLayout& layout, bool colorVertex) {
    if (colorVertex && source == D3DMCS_COLOR1 && layout.diffuse >= 0) return D3DMCS_COLOR1;
    if (colorVertex && source == D3DMCS_COLOR2 && layout.specular >= 0) return D3DMCS_COLOR2;
    return D3DMCS_MATERIAL;
}

std::string SourceExpression(DWORD source, const char* material) {
    if (source == D3DMCS_COLOR1) return "color1";
    if (source == D3DMCS_COLOR2) return "color2";
    return material;
}

std::string ArgumentExpression(DWORD arg) {
    std::string e;
    switch (arg & D3DTA_SELECTMASK) {
        case D3DTA_DIFFUSE: e = "vDiffuse"; break;
        case D3DTA_CURRENT: e = "current"; break;
        case D3DTA_TEXTURE: e = "texel"; break;
        case D3DTA_TFACTOR: e = "uTextureFactor"; break;
        default: e = "vSpecular"; break;
    }
    if (arg & D3DTA_ALPHAREPLICATE) e = "(" + e + ").aaaa";
    if (arg & D3DTA_COMPLEMENT) e = "(vec4(1.0) - " + e + ")";
    return e;
}

// The operation on the `part` (".rgb" or ".a") of the two arguments.
std::string OperationExpression(DWORD op, DWORD arg1, DWORD arg2, const char* part) {
    std::string x = ArgumentExpression(arg1) + part, y = ArgumentExpression(arg2) + part;
    switch (op) {
        case D3DTOP_SELECTARG1: return x;
        case D3DTOP_SELECTARG2: return y;
        case D3DTOP_MODULATE: return x + " * " + y;
        case D3DTOP_MODULATE2X: return "clamp(" + x + " * " + y + " * 2.0, 0.0, 1.0)";
        case D3DTOP_MODULATE4X: return "clamp(" + x + " * " + y + " * 4.0, 0.0, 1.0)";
        case D3DTOP_ADD: return "clamp(" + x + " + " + y + ", 0.0, 1.0)";
        default: return std::string("current") + part;  // a disabled alpha keeps the alpha so far
    }
}

const char* ComparisonOperator(DWORD func) {
    switch (func) {
        case D3DCMP_LESS: return "<";
        case D3DCMP_EQUAL: return "==";
        case D3DCMP_LESSEQUAL: return "<=";
        case D3DCMP_GREATER: return ">";
        case D3DCMP_NOTEQUAL: return "!=";
        case D3DCMP_GREATEREQUAL: return ">=";
        default: return nullptr;
    }
}

// The coordinate a stage samples with, from its varying vTexN (x, y, z, w).
std::string SampleCoordinate(int stage, DWORD flags) {
    std::string t = "vTex" + std::to_string(stage);
    int count = static_cast<int>(flags & 0xFF);
    if (count == 1) return "vec2(" + t + ".x, 0.0)";
    if (count >= 2 && count <= 4 && (flags & D3DTTFF_PROJECTED)) {
        return t + ".xy / " + t + "." + std::string(1, "xyzw"[count - 1]);
    }
    return t + ".xy";
}

void WriteVertexShader(std::ostringstream& s, const PipelineDescription& p) {
    s << "#version 120\n"
         "attribute vec3 aPosition;\n"
         "uniform mat4 uTransform;\n"
         "uniform vec4 uMaterialDiffuse, uMaterialAmbient, uMaterialEmissive, uAmbient;\n"
         "varying vec4 vDiffuse;\n"
         "varying vec4 vSpecular;\n";
    if (p.diffuse) s << "attribute vec4 aDiffuse;\n";
    if (p.specular) s << "attribute vec4 aSpecular;\n";
    for (int i = 0; i < p.textureSets; ++i) s << "attribute vec2 aTex" << i << ";\n";
    for (int i = 0; i < p.stageCount; ++i) {
        if (!p.stages[i].sampled) continue;
        s << "varying vec4 vTex" << i << ";\n";
        if (p.stages[i].transformFlags != D3DTTFF_DISABLE) s << "uniform mat4 uTexMatrix" << i << ";\n";
    }
    s << "void main() {\n"
         "  gl_Position = uTransform * vec4(aPosition, 1.0);\n";
    // Vertex colours are the bytes B, G, R, A.
    s << "  vec4 color1 = " << (p.diffuse ? "aDiffuse.bgra" : "vec4(1.0)") << ";\n";
    s << "  vec4 color2 = " << (p.specular ? "aSpecular.bgra" : "vec4(0.0)") << ";\n";
    if (p.lighting) {
        // No lights exist on this device: lighting leaves emissive plus ambient.
        s << "  vec4 emissive = " << SourceExpression(p.emissiveSource, "uMaterialEmissive") << ";\n"
          << "  vec4 ambient = " << SourceExpression(p.ambientSource, "uMaterialAmbient") << ";\n"
          << "  vec4 diffuse = " << SourceExpression(p.diffuseSource, "uMaterialDiffuse") << ";\n"
          << "  vDiffuse = vec4(clamp(emissive.rgb + uAmbient.rgb * ambient.rgb, 0.0, 1.0), diffuse.a);\n"
          << "  vSpecular = vec4(0.0);\n";
    } else {
        s << "  vDiffuse = color1;\n  vSpecular = color2;\n";
    }
    for (int i = 0; i < p.stageCount; ++i) {
        const StageDescription& st = p.stages[i];
        if (!st.sampled) continue;
        // Two-component coordinates enter the transform as (u, v, 1, 0), as Direct3D takes them.
        std::string uv = st.texCoordSet >= 0 ? "aTex" + std::to_string(st.texCoordSet) : "vec2(0.0)";
        if (st.transformFlags == D3DTTFF_DISABLE)
            s << "  vTex" << i << " = vec4(" << uv << ", 0.0, 1.0);\n";
        else
            s << "  vTex" << i << " = uTexMatrix" << i << " * vec4(" << uv << ", 1.0, 0.0);\n";
    }
    s << "}\n";
}

void WriteFragmentShader(std::ostringstream& s, const PipelineDescription& p) {
    s << "#version 120\n"
         "uniform vec4 uTextureFactor;\n"
         "uniform float uAlphaRef;\n"
         "varying vec4 vDiffuse;\n"
         "varying vec4 vSpecular;\n";
    for (int i = 0; i < p.stageCount; ++i) {
        if (!p.stages[i].sampled) continue;
        s << "varying vec4 vTex" << i << ";\n";
        if (p.stages[i].textureBound) s << "uniform sampler2D uTexture" << i << ";\n";
    }
    s << "void main() {\n"
         "  vec4 current = vDiffuse;\n"
         "  vec4 texel = vec4(1.0);\n";
    for (int i = 0; i < p.stageCount; ++i) {
        const StageDescription& st = p.stages[i];
        if (st.sampled)
            s << "  texel = "
              << (st.textureBound ? "texture2D(uTexture" + std::to_string(i) + ", " +
                                        SampleCoordinate(i, st.transformFlags) + ")"
                                  : "vec4(1.0)")
              << ";\n";
        s << "  current = vec4(" << OperationExpression(st.colorOp, st.colorArg1, st.colorArg2, ".rgb") << ", "
          << OperationExpression(st.alphaOp, st.alphaArg1, st.alphaArg2, ".a") << ");\n";
    }
    if (p.specularEnable) s << "  current.rgb = clamp(current.rgb + vSpecular.rgb, 0.0, 1.0);\n";
    if (p.alphaFunc == D3DCMP_NEVER) s << "  discard;\n";
    if (const char* op = ComparisonOperator(p.alphaFunc))
        s << "  if (!(floor(current.a * 255.0 + 0.5) " << op << " uAlphaRef)) discard;\n";
    s << "  gl_FragColor = current;\n}\n";
}

}  // namespace

HRESULT DescribePipeline(const DeviceStates& states, const VertexLayout& layout,
                         const std::array<bool, DeviceStates::kStages>& boundTextures, int maxStages,
                         PipelineDescription* out) {
    PipelineDescription p;
    p.diffuse = layout.diffuse >= 0;
    p.specular = layout.specular >= 0;
    p.textureSets = layout.textureSets;
    p.lighting = states.Render(D3DRS_LIGHTING) != FALSE;
    if (p.lighting) {
        bool colorVertex = states.Render(D3DRS_COLORVERTEX) != FALSE;
        p.diffuseSource = ResolveSource(states.Render(D3DRS_DIFFUSEMATERIALSOURCE), layout, colorVertex);
        p.ambientSource = ResolveSource(states.Render(D3DRS_AMBIENTMATERIALSOURCE), layout, colorVertex);
        p.emissiveSource = ResolveSource(states.Render(D3DRS_EMISSIVEMATERIALSOURCE), layout, colorVertex);
    }
    p.specularEnable = states.Render(D3DRS_SPECULARENABLE) != FALSE;
    if (states.Render(D3DRS_ALPHATESTENABLE) != FALSE) p.alphaFunc = states.Render(D3DRS_ALPHAFUNC);

    for (int i = 0; i < maxStages && i < static_cast<int>(DeviceStates::kStages); ++i) {
        StageDescription st;
        DWORD stage = static_cast<DWORD>(i);
        st.colorOp = states.Stage(stage, D3DTSS_COLOROP);
        if (st.colorOp == D3DTOP_DISABLE) break;
        st.colorArg1 = states.Stage(stage, D3DTSS_COLORARG1);
        st.colorArg2 = states.Stage(stage, D3DTSS_COLORARG2);
        st.alphaOp = states.Stage(stage, D3DTSS_ALPHAOP);
        st.alphaArg1 = states.Stage(stage, D3DTSS_ALPHAARG1);
        st.alphaArg2 = states.Stage(stage, D3DTSS_ALPHAARG2);
        if (HRESULT hr = DescribeOperation(st.colorOp, st.colorArg1, st.colorArg2, D3DERR_UNSUPPORTEDCOLOROPERATION,
                                           D3DERR_UNSUPPORTEDCOLORARG);
            FAILED(hr))
            return hr;
        if (HRESULT hr = DescribeOperation(st.alphaOp, st.alphaArg1, st.alphaArg2, D3DERR_UNSUPPORTEDALPHAOPERATION,
                                           D3DERR_UNSUPPORTEDALPHAARG);
            FAILED(hr))
            return hr;
        st.sampled = ReadsTexture(st.colorArg1) || ReadsTexture(st.colorArg2) || ReadsTexture(st.alphaArg1) ||
                     ReadsTexture(st.alphaArg2);
        if (st.sampled) {
            st.textureBound = boundTextures[stage];
            int set = static_cast<int>(states.Stage(stage, D3DTSS_TEXCOORDINDEX) & 0xFFFF);
            st.texCoordSet = set < layout.textureSets ? set : -1;
            st.transformFlags = states.Stage(stage, D3DTSS_TEXTURETRANSFORMFLAGS) & (0xFF | D3DTTFF_PROJECTED);
            if ((st.transformFlags & 0xFF) == 0) st.transformFlags = D3DTTFF_DISABLE;
        }
        p.stages[stage] = st;
        p.stageCount = i + 1;
    }
    *out = p;
    return D3D_OK;
}

ShaderSources GenerateShaders(const PipelineDescription& pipeline) {
    std::ostringstream vertex, fragment;
    WriteVertexShader(vertex, pipeline);
    WriteFragmentShader(fragment, pipeline);
    return {vertex.str(), fragment.str()};
}

}  // namespace gl
