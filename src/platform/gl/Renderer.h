// Turns the device's state into GL state and issues the draw calls. The device
// has checked the call (ranges, formats, locks); the renderer runs on the
// device's thread with its context current.
#pragma once

#include <array>

#include <qopengl.h>

#include "DeviceStates.h"
#include "ProgramCache.h"
#include "VertexLayout.h"

class QOpenGLFunctions_2_1;

namespace gl {

class GlIndexBuffer;
class GlTexture;
class GlVertexBuffer;

struct DrawSource {
    const DeviceStates& states;
    const VertexLayout& layout;
    const GlVertexBuffer& vertices;
    UINT stride;
    const std::array<const GlTexture*, DeviceStates::kStages>& textures;
    int viewportWidth, viewportHeight;  // pixels of the window
};

class Renderer {
public:
    Renderer(QOpenGLFunctions_2_1& f, int maxStages);

    // D3DERR_DRIVERINTERNALERROR when the pipeline's program cannot be built, or
    // the D3DERR_UNSUPPORTED... result of a stage operation this device lacks.
    HRESULT DrawArrays(const DrawSource& source, GLenum mode, UINT firstVertex, UINT count);
    HRESULT DrawElements(const DrawSource& source, const GlIndexBuffer& indices, UINT baseVertex, GLenum mode,
                         UINT startIndex, UINT count);

private:
    HRESULT Prepare(const DrawSource& source, UINT baseVertex);
    void ApplyOutputStates(const DeviceStates& states);
    void BindTexture(const DeviceStates& states, DWORD stage, const GlTexture& texture);
    void BindAttributes(const DrawSource& source, UINT baseVertex);
    void SetUniforms(const Program& program, const DeviceStates& states, const PipelineDescription& pipeline);

    QOpenGLFunctions_2_1& f_;
    int maxStages_;
    ProgramCache programs_;
    unsigned enabledAttributes_ = 0;
};

// The matrix that takes Direct3D's clip-space depth (0..w) to OpenGL's (-w..w).
D3DMATRIX DepthRemap();

}  // namespace gl
