// What the slide cycle and its commands work on together: the window's engine
// objects, its show state and photo list, the settings and the services.
// Main thread only.
#pragma once

#include "slideshow/PhotoList.h"
#include "slideshow/ShowObjects.h"
#include "slideshow/ShowServices.h"
#include "slideshow/ShowState.h"

class TLumettaSettings;

struct TShowContext {
    TShowObjects& Objects;
    TShowState& State;
    const TPhotos& Photos;
    TLumettaSettings& Settings;
    TShowServices Services;

    int PhotoCount() const { return static_cast<int>(Photos.size()); }
};

// Runs Action; an engine failure (any std::exception) is dropped, as where
// the show can go on without what failed.
template <class Action>
void IgnoringFailure(Action&& action) {
    try {
        action();
    } catch (const std::exception&) {
    }
}

// One frame; a frame that fails is dropped, the next one draws again.
inline void RenderIgnoringFailure(kelDX8::TkelDXScene& Scene) {
    IgnoringFailure([&] { Scene.Render(); });
}
