#include "Renderer.h"

#include <QOpenGLFunctions_2_1>
#include <QOpenGLShaderProgram>

#include <algorithm>
#include <bit>

#include "GlBuffers.h"
#include "GlTexture.h"

namespace gl {
namespace {

constexpr DWORD kColorWriteEnableState = 168;

struct Rgba {
    float r, g, b, a;
};

Rgba FromArgb(D3DCOLOR c) {
    return {((c >> 16) & 0xFF) / 255.0f, ((c >> 8) & 0xFF) / 255.0f, (c & 0xFF) / 255.0f, (c >> 24) / 255.0f};
}

// D3DCMP_NEVER ... D3DCMP_ALWAYS are GL_NEVER ... GL_ALWAYS in the same order.
GLenum Comparison(DWORD cmp) { return cmp >= D3DCMP_NEVER && cmp <= D3DCMP_ALWAYS ? GL_NEVER + (cmp - 1) : GL_ALWAYS; }

GLenum BlendFactor(DWORD blend) {
    switch (blend) {
        case 1: return GL_ZERO;
        case 3: return GL_SRC_COLOR;
        case 4: return GL_ONE_MINUS_SRC_COLOR;
        case 5: return GL_SRC_ALPHA;
        case 6: return GL_ONE_MINUS_SRC_ALPHA;
        case 7: return GL_DST_ALPHA;
        case 8: return GL_ONE_MINUS_DST_ALPHA;
        case 9: return GL_DST_COLOR;
        case 10: return GL_ONE_MINUS_DST_COLOR;
        case 11: return GL_SRC_ALPHA_SATURATE;
        default: return GL_ONE;
    }
}

GLint AddressMode(DWORD address) {
    switch (address) {
        case D3DTADDRESS_WRAP: return GL_REPEAT;
        case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
        case D3DTADDRESS_BORDER: return GL_CLAMP_TO_BORDER;
        default: return GL_CLAMP_TO_EDGE;
    }
}

GLint MinFilter(DWORD min, DWORD mip) {
    bool linear = min >= D3DTEXF_LINEAR;
    if (mip == D3DTEXF_POINT) return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    if (mip >= D3DTEXF_LINEAR) return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    return linear ? GL_LINEAR : GL_NEAREST;
}

const void* ByteOffset(size_t bytes) { return reinterpret_cast<const void*>(bytes); }

}  // namespace

D3DMATRIX DepthRemap() {
    D3DMATRIX m = IdentityMatrix();
    m._33 = 2.0f;
    m._43 = -1.0f;
    return m;
}

Renderer::Renderer(QOpenGLFunctions_2_1& f, int maxStages) : f_(f), maxStages_(maxStages) {}

HRESULT Renderer::DrawArrays(const DrawSource& source, GLenum mode, UINT firstVertex, UINT count) {
    if (HRESULT hr = Prepare(source, 0); FAILED(hr)) return hr;
    f_.glDrawArrays(mode, static_cast<GLint>(firstVertex), static_cast<GLsizei>(count));
    return D3D_OK;
}

HRESULT Renderer::DrawElements(const DrawSource& source, const GlIndexBuffer& indices, UINT baseVertex, GLenum mode,
                               UINT startIndex, UINT count) {
    if (HRESULT hr = Prepare(source, baseVertex); FAILED(hr)) return hr;
    f_.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices.storage().name());
    UINT size = indices.indexSize();
    f_.glDrawElements(mode, static_cast<GLsizei>(count), size == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT,
                      ByteOffset(static_cast<size_t>(startIndex) * size));
    return D3D_OK;
}

HRESULT Renderer::Prepare(const DrawSource& source, UINT baseVertex) {
    std::array<bool, DeviceStates::kStages> bound{};
    for (size_t i = 0; i < bound.size(); ++i) bound[i] = source.textures[i] != nullptr;
    PipelineDescription pipeline;
    if (HRESULT hr = DescribePipeline(source.states, source.layout, bound, maxStages_, &pipeline); FAILED(hr))
        return hr;
    const Program* program = programs_.Get(pipeline);
    if (!program || !program->program->bind()) return D3DERR_DRIVERINTERNALERROR;
    f_.glViewport(0, 0, source.viewportWidth, source.viewportHeight);
    ApplyOutputStates(source.states);
    SetUniforms(*program, source.states, pipeline);
    for (int i = 0; i < pipeline.stageCount; ++i) {
        const StageDescription& stage = pipeline.stages[static_cast<size_t>(i)];
        if (!stage.sampled || !stage.textureBound) continue;
        f_.glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(i));
        BindTexture(source.states, static_cast<DWORD>(i), *source.textures[static_cast<size_t>(i)]);
        f_.glUniform1i(program->sampler[static_cast<size_t>(i)], i);
    }
    f_.glActiveTexture(GL_TEXTURE0);
    BindAttributes(source, baseVertex);
    return D3D_OK;
}

void Renderer::ApplyOutputStates(const DeviceStates& s) {
    auto enable = [this](GLenum cap, bool on) { on ? f_.glEnable(cap) : f_.glDisable(cap); };
    enable(GL_DEPTH_TEST, s.Render(D3DRS_ZENABLE) != D3DZB_FALSE);
    f_.glDepthFunc(Comparison(s.Render(D3DRS_ZFUNC)));
    f_.glDepthMask(s.Render(D3DRS_ZWRITEENABLE) ? GL_TRUE : GL_FALSE);
    DWORD cull = s.Render(D3DRS_CULLMODE);
    enable(GL_CULL_FACE, cull == D3DCULL_CW || cull == D3DCULL_CCW);
    // Direct3D's front faces are clockwise on screen; CULLMODE names the winding to drop.
    f_.glFrontFace(cull == D3DCULL_CW ? GL_CCW : GL_CW);
    f_.glCullFace(GL_BACK);
    enable(GL_BLEND, s.Render(D3DRS_ALPHABLENDENABLE) != FALSE);
    DWORD src = s.Render(D3DRS_SRCBLEND), dst = s.Render(D3DRS_DESTBLEND);
    if (src == 12 || src == 13) {  // BOTHSRCALPHA, BOTHINVSRCALPHA set both factors
        dst = src == 12 ? 6 : 5;
        src = src == 12 ? 5 : 6;
    }
    f_.glBlendFunc(BlendFactor(src), BlendFactor(dst));
    DWORD fill = s.Render(D3DRS_FILLMODE);
    f_.glPolygonMode(GL_FRONT_AND_BACK, fill == 1 ? GL_POINT : fill == 2 ? GL_LINE : GL_FILL);
    enable(GL_DITHER, s.Render(D3DRS_DITHERENABLE) != FALSE);
    DWORD mask = s.Render(kColorWriteEnableState);
    f_.glColorMask(mask & 1, (mask >> 1) & 1, (mask >> 2) & 1, (mask >> 3) & 1);
}

void Renderer::SetUniforms(const Program& p, const DeviceStates& s, const PipelineDescription& pipeline) {
    D3DMATRIX m = Multiply(Multiply(Multiply(s.World(), s.View()), s.Projection()), DepthRemap());
    // A row-vector matrix stored row by row is, read column by column, the same
    // transform for GL's column vectors.
    f_.glUniformMatrix4fv(p.transform, 1, GL_FALSE, &m._11);
    for (int i = 0; i < pipeline.stageCount; ++i)
        if (p.texMatrix[static_cast<size_t>(i)] >= 0)
            f_.glUniformMatrix4fv(p.texMatrix[static_cast<size_t>(i)], 1, GL_FALSE,
                                  &s.TextureTransform(static_cast<DWORD>(i))._11);
    auto color = [this](int location, Rgba c) {
        if (location >= 0) f_.glUniform4f(location, c.r, c.g, c.b, c.a);
    };
    auto value = [](const D3DCOLORVALUE& v) { return Rgba{v.r, v.g, v.b, v.a}; };
    color(p.textureFactor, FromArgb(s.Render(kTextureFactorState)));
    color(p.ambient, FromArgb(s.Render(D3DRS_AMBIENT)));
    color(p.materialDiffuse, value(s.Material().Diffuse));
    color(p.materialAmbient, value(s.Material().Ambient));
    color(p.materialEmissive, value(s.Material().Emissive));
    if (p.alphaRef >= 0) f_.glUniform1f(p.alphaRef, static_cast<float>(s.Render(D3DRS_ALPHAREF) & 0xFF));
}

void Renderer::BindTexture(const DeviceStates& s, DWORD stage, const GlTexture& texture) {
    f_.glBindTexture(GL_TEXTURE_2D, texture.name());
    auto param = [this](GLenum name, GLint v) { f_.glTexParameteri(GL_TEXTURE_2D, name, v); };
    param(GL_TEXTURE_MAG_FILTER, s.Stage(stage, D3DTSS_MAGFILTER) >= D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
    param(GL_TEXTURE_MIN_FILTER, MinFilter(s.Stage(stage, D3DTSS_MINFILTER), s.Stage(stage, D3DTSS_MIPFILTER)));
    param(GL_TEXTURE_WRAP_S, AddressMode(s.Stage(stage, D3DTSS_ADDRESSU)));
    param(GL_TEXTURE_WRAP_T, AddressMode(s.Stage(stage, D3DTSS_ADDRESSV)));
    DWORD lastLevel = texture.levelCount() - 1;
    param(GL_TEXTURE_BASE_LEVEL, static_cast<GLint>(std::min(s.Stage(stage, D3DTSS_MAXMIPLEVEL), lastLevel)));
    f_.glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_LOD_BIAS, std::bit_cast<float>(s.Stage(stage, D3DTSS_MIPMAPLODBIAS)));
    Rgba border = FromArgb(s.Stage(stage, D3DTSS_BORDERCOLOR));
    f_.glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, &border.r);
}

void Renderer::BindAttributes(const DrawSource& source, UINT baseVertex) {
    const VertexLayout& l = source.layout;
    f_.glBindBuffer(GL_ARRAY_BUFFER, source.vertices.storage().name());
    size_t base = static_cast<size_t>(baseVertex) * source.stride;
    GLsizei stride = static_cast<GLsizei>(source.stride);
    unsigned wanted = 0;
    auto attribute = [&](int location, GLint size, GLenum type, bool normalized, int offset) {
        if (offset < 0) return;
        f_.glVertexAttribPointer(static_cast<GLuint>(location), size, type, normalized ? GL_TRUE : GL_FALSE, stride,
                                 ByteOffset(base + static_cast<size_t>(offset)));
        wanted |= 1u << location;
    };
    attribute(kPositionAttribute, 3, GL_FLOAT, false, 0);
    attribute(kDiffuseAttribute, 4, GL_UNSIGNED_BYTE, true, l.diffuse);
    attribute(kSpecularAttribute, 4, GL_UNSIGNED_BYTE, true, l.specular);
    for (int i = 0; i < l.textureSets; ++i) attribute(kFirstTexCoordAttribute + i, 2, GL_FLOAT, false, l.texture[i]);
    for (GLuint a = 0; a < 32; ++a) {
        bool on = wanted & (1u << a), was = enabledAttributes_ & (1u << a);
        if (on && !was) f_.glEnableVertexAttribArray(a);
        if (!on && was) f_.glDisableVertexAttribArray(a);
    }
    enabledAttributes_ = wanted;
}

}  // namespace gl
