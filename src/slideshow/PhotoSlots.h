// The three texture slots and the two background loaders of the slide cycle.
//
// Slot rule: the photo at an even list position is shown from TextureA, the one
// at an odd position from TextureB, so that the slot on screen and the slot
// receiving the next photo always differ. A photo that is not the one prepared
// in the background (State.Jumped: after a jump, a wrap-around or a turned
// picture) is loaded directly, on the main thread, into TextureC.
//
// A slot is never touched while its loader may write it: its loader is waited
// for or released (which waits for its thread) first.
#pragma once

#include <memory>
#include <optional>

#include "slideshow/LoadImageThread.h"
#include "slideshow/ShowContext.h"

class TPhotoSlots {
public:
    TPhotoSlots(TShowContext& Show, TLoaderTiming Timing);
    // Waits for both loaders.
    ~TPhotoSlots();
    TPhotoSlots(const TPhotoSlots&) = delete;
    TPhotoSlots& operator=(const TPhotoSlots&) = delete;

    // The loader of the photo at State.Index, before the show's first photo.
    void StartFirstLoader();
    // Frees the other slot and TextureC; unless Jumped, waits for this photo's
    // loader, serving window events. False when that loader gave up: the photo
    // cannot be shown.
    bool Prepare();
    // Binds this photo's texture: the prefetched slot, or after a jump a
    // direct load into TextureC, tried a few times. False when the direct load
    // keeps failing; the photo before stays bound then. A failed binding of a
    // prefetched slot raises.
    bool Bind();
    // The next photo's loader, into the other slot; once per photo (Prepare
    // ends the last one), while this photo is bound and State.Index still names it.
    void StartNextLoader();

private:
    struct Slot {
        kelDX8::TkelDXTexture& Texture;
        std::unique_ptr<TLoadImageThread> Loader;
        // The list position the loader is loading.
        int Position = -1;
    };
    Slot& OwnSlot();
    Slot& OtherSlot();
    void StartLoader(Slot& Target, int Position);
    bool WaitForLoader(const Slot& Own);
    bool LoadDirectly();

    TShowContext& Show;
    const TLoaderTiming Timing;
    Slot A, B;
};
