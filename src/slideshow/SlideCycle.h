// The slide cycle: walks the photo list from the position the last show
// stopped at, shows one photo after another on the photo surface and wraps
// around at the end, until the user stops it. For each photo it binds a
// texture a background loader has prepared, starts the loader of the next
// photo into the other slot, fits the surface to the photo and runs up to 100
// animation steps of slow drift, reading the user's commands at every step.
// It also draws the frames (the scene's frame handler).
//
// Main thread only. The show runs inside TimerStartingSlideshowTimer; window
// events are served only where the cycle processes messages (after each photo,
// while waiting for a loader, while showing the window, in the commands'
// waits).
#pragma once

#include <memory>

#include "platform/input/SystemKeys.h"
#include "slideshow/LoadImageThread.h"
#include "slideshow/NoLoadablePhotos.h"
#include "slideshow/PhotoList.h"
#include "slideshow/RandomSource.h"
#include "slideshow/ShowObjects.h"
#include "slideshow/ShowServices.h"
#include "slideshow/ShowState.h"

class TLumettaSettings;

class TSlideCycle {
public:
    // Installs DrawFrame as the scene's frame handler. Photos may grow while
    // the show runs (a second start hands its photos over). Timing: how the
    // background loaders retry (tests make it short).
    TSlideCycle(TShowObjects& Objects, TShowState& State, const TPhotos& Photos, TLumettaSettings& Settings,
                TShowServices Services, TLoaderTiming Timing = {});
    // Waits for every loader, so that the slots can be released after it, and
    // removes the frame handler.
    ~TSlideCycle();
    TSlideCycle(const TSlideCycle&) = delete;
    TSlideCycle& operator=(const TSlideCycle&) = delete;

    // The show loop. Returns when the user has stopped the show, with Depth,
    // LastIndex and Delay stored in the settings; errors that escape a photo
    // end it early and leave the settings untouched. A photo that cannot be
    // loaded is skipped; when no photo of the list can be, TNoLoadablePhotos
    // ends the show.
    void TimerStartingSlideshowTimer();

    // The scene's frame handler: the cleared background and the surface with
    // its texture; nothing while a dialog is on screen. A failure requests the
    // end of the application.
    void DrawFrame();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
