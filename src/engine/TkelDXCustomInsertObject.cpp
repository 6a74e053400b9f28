#include "TkelDXCustomInsertObject.h"

#include "EngineSwitches.h"
#include "TkelDXScene.h"

namespace kelDX8 {

const char* TkelDXCustomInsertObject::ClassName() const { return "TkelDXCustomInsertObject"; }

void TkelDXCustomInsertObject::Create(TkelDXScene* NewScene) {
    TkelDXCustomTransform::Create(NewScene);
    Visible = true;
    const float grey = 200.0f / 255.0f;
    Material = {};
    Material.Diffuse = {grey, grey, grey, 0.7f};
    Material.Ambient = {grey, grey, grey, 0.7f};
    Material.Specular = {0, 0, 0, 0.7f};
    Material.Emissive = {0, 0, 0, 0.7f};
    Material.Power = 15.0f;
}

TkelDXCustomInsertObject::~TkelDXCustomInsertObject() {
    if (Scene && Scene->CurrentObject == this) Scene->CurrentObject = nullptr;
}

void TkelDXCustomInsertObject::AfterInsert() {}

void TkelDXCustomInsertObject::Insert() {
    Scene->CurrentObject = this;
    CheckResult(Scene->Device->SetMaterial(&Material), "Cant set light/material properties.", DescribeD3DResult,
                RaiseOnStateError);
    Changed = true;
    AfterInsert();
}

void TkelDXCustomInsertObject::Draw() {
    if (Scene->CurrentObject != this)
        CheckResult(D3DERR_INVALIDCALL, "No insert method before draw method.", DescribeD3DResult, true);
    if (Changed || Scene->Changed) Scene->ApplyWorldTransform();
    Changed = false;
}

}  // namespace kelDX8
