// The base of every drawable object and its insert-then-draw protocol.
//
// Per frame, from the scene's draw handler: Insert (the object becomes the
// scene's current object; its material and data go to the device), whatever
// device state the caller adds (a texture, stage settings), then Draw. Draw may
// be repeated as long as no other object was inserted in between.
#pragma once

#include "TkelDXCustomTransform.h"

namespace kelDX8 {

class TkelDXCustomInsertObject : public TkelDXCustomTransform {
public:
    // Sent by Insert. Diffuse and ambient (200/255, 200/255, 200/255, 0.7),
    // specular and emissive (0, 0, 0, 0.7), power 15.
    D3DMATERIAL8 Material{};
    // When false, Draw issues no draw call (it still applies the world transform).
    bool Visible = true;

    // An object freed while it is the scene's current object leaves none behind.
    ~TkelDXCustomInsertObject() override;
    const char* ClassName() const override;

    // Runs at the end of Insert; indexed meshes upload their indices here.
    virtual void AfterInsert();
    // Becomes the scene's CurrentObject, sets the material, marks the object
    // changed so that the next Draw sends its matrix, then AfterInsert.
    virtual void Insert();
    // Raises "No insert method before draw method." unless this object was
    // inserted last; applies the world transform when this object or the scene
    // has changed.
    virtual void Draw();
    // Fills the object with its class's sample shape.
    virtual void BuildDefaultShape() = 0;

protected:
    TkelDXCustomInsertObject() = default;
    void Create(TkelDXScene* Scene);
};

}  // namespace kelDX8
