#include "ProgramCache.h"

#include <QOpenGLShaderProgram>

namespace gl {
namespace {

std::unique_ptr<Program> Build(const ShaderSources& sources, int textureSets) {
    auto p = std::make_unique<Program>();
    p->program = std::make_unique<QOpenGLShaderProgram>();
    QOpenGLShaderProgram& s = *p->program;
    if (!s.addShaderFromSourceCode(QOpenGLShader::Vertex, QByteArray::fromStdString(sources.vertex)) ||
        !s.addShaderFromSourceCode(QOpenGLShader::Fragment, QByteArray::fromStdString(sources.fragment)))
        return nullptr;
    s.bindAttributeLocation("aPosition", kPositionAttribute);
    s.bindAttributeLocation("aDiffuse", kDiffuseAttribute);
    s.bindAttributeLocation("aSpecular", kSpecularAttribute);
    for (int i = 0; i < textureSets; ++i)
        s.bindAttributeLocation(QByteArray("aTex") + QByteArray::number(i), kFirstTexCoordAttribute + i);
    if (!s.link()) return nullptr;
    p->transform = s.uniformLocation("uTransform");
    p->textureFactor = s.uniformLocation("uTextureFactor");
    p->alphaRef = s.uniformLocation("uAlphaRef");
    p->materialDiffuse = s.uniformLocation("uMaterialDiffuse");
    p->materialAmbient = s.uniformLocation("uMaterialAmbient");
    p->materialEmissive = s.uniformLocation("uMaterialEmissive");
    p->ambient = s.uniformLocation("uAmbient");
    for (size_t i = 0; i < DeviceStates::kStages; ++i) {
        p->texMatrix[i] = s.uniformLocation(QByteArray("uTexMatrix") + QByteArray::number(static_cast<int>(i)));
        p->sampler[i] = s.uniformLocation(QByteArray("uTexture") + QByteArray::number(static_cast<int>(i)));
    }
    return p;
}

}  // namespace

ProgramCache::ProgramCache() = default;
ProgramCache::~ProgramCache() = default;

const Program* ProgramCache::Get(const PipelineDescription& pipeline) {
    ShaderSources sources = GenerateShaders(pipeline);
    std::string key = sources.vertex + sources.fragment;
    auto it = programs_.find(key);
    if (it == programs_.end()) it = programs_.emplace(key, Build(sources, pipeline.textureSets)).first;
    return it->second.get();
}

}  // namespace gl
