// Everything the slideshow window works with, faked: the engine draws on the
// recording device and reads the fake input; music, overlay, dialogs, keys and
// screen saver only record. The photo files are the real ones.
#pragma once

#include "fakes/FakeDirectInput.h"
#include "fakes/FakeScreenSaver.h"
#include "fakes/FakeShowDialogs.h"
#include "fakes/FakeShowServices.h"
#include "fakes/FakeTextureFileLoader.h"
#include "fakes/RecordingDirect3D.h"
#include "slideshow/PictureFiles.h"
#include "slideshow/TextureMain.h"

namespace fakes {

struct FakeSlideshowPartners {
    Direct3DRecorder direct3D;
    FakeDirectInput input;
    FakeTextureFileLoader loader;
    RecordingShowMusic music;
    RecordingOverlay overlay;
    FakeShowDialogs dialogs;
    FakeSystemKeys keys;
    TPictureFiles pictures;
    TClockSeededRandom random;
    FakeScreenSaver screenSaver;

    TSlideshowPartners Partners() { return {music, overlay, dialogs, keys, pictures, random, screenSaver}; }
};

}  // namespace fakes
