// The engine objects of the slideshow window: the scene on the window, the one
// camera, the keyboard and mouse, the photo surface and the three texture
// slots, made and placed in the window's order for a screen of Width x Height
// pixels. Nothing is drawn until the first photo makes the surface visible.
//
// Construction raises the engine's errors (no usable device, for instance);
// the objects made until then are released again.
#pragma once

#include <memory>

#include "kelDX8.h"
#include "slideshow/ShowState.h"

struct TShowObjects {
    // Uses and sets State's surface placement (SurfaceDepth in, SurfaceX and
    // SurfaceY out).
    TShowObjects(HWND Window, int Width, int Height, TShowState& State);
    // Unbinds the slots, stops the scene and releases everything, slots first
    // and scene last. Every loader filling a slot must have finished.
    ~TShowObjects();
    TShowObjects(const TShowObjects&) = delete;
    TShowObjects& operator=(const TShowObjects&) = delete;

    std::unique_ptr<kelDX8::TkelDXScene> Scene;
    std::unique_ptr<kelDX8::TkelDXCamera> Camera;
    std::unique_ptr<kelDX8::TkelDXKeyboard> Keyboard;
    std::unique_ptr<kelDX8::TkelDXMouse> Mouse;
    std::unique_ptr<kelDX8::TkelDXMultiMap> Surface;
    // C holds a photo loaded directly after a jump, A the photos at even list
    // positions, B those at odd ones.
    std::unique_ptr<kelDX8::TkelDXTexture> TextureC, TextureA, TextureB;
};

// Sets the engine's four error switches as the program runs with them: state,
// index and capability errors raise, camera errors do not.
void SetShowEngineSwitches();
