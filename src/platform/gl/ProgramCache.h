// The compiled fixed-function programs, one per pipeline description, made on
// first use. Lives in the device's context and is used on its thread only.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>

#include "FixedFunctionShader.h"

class QOpenGLShaderProgram;

namespace gl {

struct Program {
    std::unique_ptr<QOpenGLShaderProgram> program;
    int transform = -1, textureFactor = -1, alphaRef = -1;
    int materialDiffuse = -1, materialAmbient = -1, materialEmissive = -1, ambient = -1;
    std::array<int, DeviceStates::kStages> texMatrix{}, sampler{};
};

class ProgramCache {
public:
    ProgramCache();
    ~ProgramCache();  // with the device's context current
    // Nullptr when the program does not compile or link.
    const Program* Get(const PipelineDescription& pipeline);

private:
    std::map<std::string, std::unique_ptr<Program>> programs_;
};

}  // namespace gl
