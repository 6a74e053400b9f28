// Direct3D's fixed-function vertex and pixel processing written as one small
// GLSL 1.20 program per state combination: transform (row vectors, depth
// remapped by the caller's matrix), the unlit or ambient-only lit vertex
// colour, the texture-coordinate transform, the texture stages' colour and
// alpha operations, specular add and the alpha test. Pure C++: the program
// text is built here and compiled by the ProgramCache.
#pragma once

#include <array>
#include <string>

#include "DeviceStates.h"
#include "VertexLayout.h"

namespace gl {

// Attribute locations bound before linking.
constexpr int kPositionAttribute = 0;
constexpr int kDiffuseAttribute = 1;
constexpr int kSpecularAttribute = 2;
constexpr int kFirstTexCoordAttribute = 3;  // set i at 3 + i

struct StageDescription {
    DWORD colorOp = 0, colorArg1 = 0, colorArg2 = 0;
    DWORD alphaOp = 0, alphaArg1 = 0, alphaArg2 = 0;
    bool sampled = false;       // an argument reads the stage's texture
    bool textureBound = false;  // the stage has a texture (unbound reads as opaque white)
    int texCoordSet = -1;       // the vertex set it reads, -1 when the vertex has none
    DWORD transformFlags = D3DTTFF_DISABLE;
};

struct PipelineDescription {
    bool diffuse = false, specular = false;
    int textureSets = 0;
    bool lighting = false;
    DWORD diffuseSource = D3DMCS_MATERIAL, ambientSource = D3DMCS_MATERIAL, emissiveSource = D3DMCS_MATERIAL;
    bool specularEnable = false;
    DWORD alphaFunc = D3DCMP_ALWAYS;
    int stageCount = 0;  // stages before the first disabled colour operation
    std::array<StageDescription, DeviceStates::kStages> stages{};
};

struct ShaderSources {
    std::string vertex, fragment;
};

// The pipeline the current states select for vertices of `layout`, with
// `boundTextures[i]` telling whether stage i has a texture and `maxStages` the
// stages the GL can sample. D3DERR_UNSUPPORTEDCOLOROPERATION, ...ALPHAOPERATION,
// ...COLORARG or ...ALPHAARG for operations and arguments this device lacks.
HRESULT DescribePipeline(const DeviceStates& states, const VertexLayout& layout,
                         const std::array<bool, DeviceStates::kStages>& boundTextures, int maxStages,
                         PipelineDescription* out);

ShaderSources GenerateShaders(const PipelineDescription& pipeline);

}  // namespace gl
