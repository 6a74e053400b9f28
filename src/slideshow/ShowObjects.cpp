#include "slideshow/ShowObjects.h"

#include <numbers>

using namespace kelDX8;

namespace {

constexpr TColor kBackground = 0x101010;  // dark grey
constexpr float kMouseSpeed = 0.0016666667f;

template <class Action>
void IgnoringFailure(Action&& action) {
    try {
        action();
    } catch (const std::exception&) {
    }
}

}  // namespace

void SetShowEngineSwitches() {
    RaiseOnStateError = true;
    RaiseOnCameraError = false;
    RaiseOnIndexError = true;
    RaiseOnCapsError = true;
}

TShowObjects::TShowObjects(HWND Window, int Width, int Height, TShowState& State) {
    const float w = static_cast<float>(Width), h = static_cast<float>(Height), aspect = w / h;
    Scene = New<TkelDXScene>(Window, false, D3DSWAPEFFECT_DISCARD, 10u, 0u, UINT(Width), UINT(Height), true, BYTE{0});
    SetColor(Scene.get(), 1, kBackground);
    Camera = New<TkelDXCamera>(Scene.get());
    Keyboard = New<TkelDXKeyboard>(Scene.get());
    Mouse = New<TkelDXMouse>(Scene.get());
    Mouse->Speed = kMouseSpeed;
    Surface = New<TkelDXMultiMap>(Scene.get(), 50u, 50u, 36u, DWORD{0x152});
    Surface->Translate(0, 0, static_cast<float>(-State.SurfaceDepth));
    TextureA = New<TkelDXTexture>(Scene.get());
    TextureB = New<TkelDXTexture>(Scene.get());
    TextureC = New<TkelDXTexture>(Scene.get());
    Scene->CreateBuffers();
    Surface->SetPlane({0, 3, 0}, {0, 0, 0}, {3 * aspect, 0, 0});
    // Upside down and facing the other way, which also turns the depth offset
    // above into +SurfaceDepth.
    Surface->RotateX(std::numbers::pi_v<float>);
    Surface->Translate(-1.5f * aspect, 1.5f, 0);
    State.SurfaceX = -1.5 * static_cast<double>(Width) / Height;
    State.SurfaceY = 1.5;
    Surface->Visible = false;
    Surface->SetAlpha(0.99f);
    Camera->MoveForward(1, -0.25f);  // the eye backwards to (0, 0, -1.25)
    Camera->SetProjectionParameter(1, aspect);
    Camera->Activate();
}

TShowObjects::~TShowObjects() {
    IgnoringFailure([&] { TextureA->Deactivate(); });
    IgnoringFailure([&] { TextureB->Deactivate(); });
    Scene->Stop();
    TextureA.reset();
    TextureB.reset();
    TextureC.reset();
    Surface.reset();
    Mouse.reset();
    Keyboard.reset();
    Camera.reset();
    Scene.reset();
}
