// A whole show against fakes: the recording device, the fake DirectInput and
// texture loader, the fake host with its fake clock. The test lines up what the
// user does (keys pressed at a given frame of a given photo, released after a
// while), runs the show loop and reads the frames it drew.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "FakeDirectInput.h"
#include "FakeMusic.h"
#include "FakeShowServices.h"
#include "FakeTextureFileLoader.h"
#include "engine/EngineTestSupport.h"
#include "slideshow/SlideCycle.h"
#include "startup/PhotoSettings.h"

namespace showtest {

// What one drawn frame showed.
struct Frame {
    int Photo;  // 1 for the show's first photo, counted by the size reads
    int Index;
    char Slot;  // 'A', 'B', 'C', or '-' when none is bound
    D3DMATRIX World;
    double Time;
};

struct RunawayShow {};

class ShowTest : public enginetest::EngineTest {
protected:
    void SetUp() override { SetShowEngineSwitches(); }

    // The photo list p0.jpg ... and the engine objects for the fake screen.
    void MakeShow(int Count) {
        for (int i = 0; i < Count; ++i) photos.push_back(std::string("p").append(std::to_string(i)).append(".jpg"));
        objects = std::make_unique<TShowObjects>(enginetest::TestWindow(), host.width, host.height, state);
        cycle = std::make_unique<TSlideCycle>(*objects, state, photos, settings,
                                              TShowServices{host, music, overlay, keys, pictures, random}, timing);
        auto draw = objects->Scene->OnDraw;
        objects->Scene->OnDraw = [this, draw](kelDX8::TkelDXCustomObject* sender) {
            draw(sender);
            RecordFrame();
        };
    }
    // Drops the show and what it recorded, for the next one in the same test.
    void DiscardShow() {
        cycle.reset();
        objects.reset();
        state = TShowState{};
        input.ReleaseAllKeys();
        for (int button : {0, 1}) input.ReleaseButton(button);
        photos.clear();
        frames.clear();
        hiddenFrames = 0;
        surfaceInHiddenFrame = false;
        pictures.sizeReads.clear();
        triggers.clear();
        framesPerPhoto.clear();
    }
    // Runs the show to its end; frames go to `frames`.
    void Run() {
        try {
            cycle->TimerStartingSlideshowTimer();
        } catch (const RunawayShow&) {
            ADD_FAILURE() << "the show ran away after " << Shown().substr(0, 200);
        }
    }

    // Action runs when frame `Nth` (from 1) of the show's photo `Photo` has been drawn.
    void OnFrame(int Photo, int Nth, std::function<void()> Action) { triggers[{Photo, Nth}] = std::move(Action); }
    void PressFor(int Photo, int Nth, BYTE VirtualKey, double Seconds) {
        OnFrame(Photo, Nth, [=, this] {
            input.PressVirtualKey(VirtualKey);
            host.After(Seconds, [=, this] { input.ReleaseVirtualKey(VirtualKey); });
        });
    }
    // Released before the step after the next has read the keys.
    void Tap(int Photo, int Nth, BYTE VirtualKey) { PressFor(Photo, Nth, VirtualKey, 0.005); }
    // Escape at the first frame of that photo: the show ends with it.
    void StopAt(int Photo) { Tap(Photo, 1, 27); }

    std::vector<const Frame*> FramesOf(int Photo) const {
        std::vector<const Frame*> found;
        for (const auto& frame : frames)
            if (frame.Photo == Photo) found.push_back(&frame);
        return found;
    }
    // Position and slot of every photo shown, in order: "0A 1B 0C".
    std::string Shown() const {
        std::string text;
        int last = 0;
        for (const auto& frame : frames)
            if (frame.Photo != last) {
                last = frame.Photo;
                text += (text.empty() ? "" : " ") + std::to_string(frame.Index) + frame.Slot;
            }
        return text;
    }

    std::vector<std::string> photos;
    TShowState state;
    TLumettaSettings settings{"/nonexistent/lumetta/settings.txt", {"/nonexistent/lumetta"}};
    fakes::FakeShowHost host;
    fakes::RecordingShowMusic music;
    fakes::RecordingOverlay overlay;
    fakes::FakeSystemKeys keys;
    fakes::FakePictureFiles pictures;
    ScriptedRandom random;
    TLoaderTiming timing{std::chrono::milliseconds(1), 3};
    fakes::FakeDirectInput input;
    fakes::FakeTextureFileLoader loader;
    std::unique_ptr<TShowObjects> objects;
    std::unique_ptr<TSlideCycle> cycle;
    std::vector<Frame> frames;  // drawn on the shown window
    // Frames drawn while the window was still hidden, and whether the surface
    // was visible in any of them.
    int hiddenFrames = 0;
    bool surfaceInHiddenFrame = false;

private:
    char BoundSlot() const {
        const kelDX8::TkelDXTexture* bound = objects->Scene->ActiveTextures[0];
        if (bound == objects->TextureA.get()) return 'A';
        if (bound == objects->TextureB.get()) return 'B';
        if (bound == objects->TextureC.get()) return 'C';
        return '-';
    }
    void RecordFrame() {
        // A show that never ends is a test failure, not a hang. Not a
        // std::exception: the show ignores those where frames fail.
        if (frames.size() > 20000) throw RunawayShow{};
        if (!host.visible) {
            ++hiddenFrames;
            surfaceInHiddenFrame = surfaceInHiddenFrame || objects->Surface->Visible;
            return;
        }
        const int photo = static_cast<int>(pictures.sizeReads.size());
        frames.push_back({photo, state.Index, BoundSlot(), Device().Transform(D3DTS_WORLD), host.now});
        auto trigger = triggers.find({photo, ++framesPerPhoto[photo]});
        if (trigger != triggers.end()) trigger->second();
    }

    std::map<std::pair<int, int>, std::function<void()>> triggers;
    std::map<int, int> framesPerPhoto;
};

}  // namespace showtest
