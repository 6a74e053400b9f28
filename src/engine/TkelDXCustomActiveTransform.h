// A transform that can be the active one of its kind: the texture of a stage,
// the camera of the scene. Textures and cameras implement the three operations.
#pragma once

#include "TkelDXCustomTransform.h"

namespace kelDX8 {

class TkelDXCustomActiveTransform : public TkelDXCustomTransform {
public:
    const char* ClassName() const override { return "TkelDXCustomActiveTransform"; }

    virtual bool IsActive() const = 0;
    virtual void Activate() = 0;
    virtual void Deactivate() = 0;

protected:
    TkelDXCustomActiveTransform() = default;
};

}  // namespace kelDX8
