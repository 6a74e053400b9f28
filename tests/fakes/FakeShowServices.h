// Fakes of the slide cycle's services: a host with a fake clock, the overlay,
// the music, the picture files and the system keys.
//
// The clock stands still except where the show lets time pass: Sleep moves it
// on by its milliseconds, and every Seconds() call by one millisecond, so the
// commands' holds (which poll without sleeping) see time go by. Actions
// lined up with At() run once the clock has reached their time; that is how a
// test releases a key it pressed.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "slideshow/ShowServices.h"

namespace fakes {

class FakeShowHost final : public IShowHost {
public:
    int width = 800, height = 600;
    bool visible = false;
    bool dialogVisible = false;
    int shown = 0, reactivated = 0, helps = 0, settingsShown = 0, endRequests = 0, messageRounds = 0;

    double now = 0;

    // Runs Action once the clock reaches Now + Delay seconds.
    void After(double Delay, std::function<void()> Action) { timeline_.emplace(now + Delay, std::move(Action)); }

    double Seconds() override {
        Pass(0.001);
        return now;
    }
    void Sleep(int Milliseconds) override {
        Pass(Milliseconds / 1000.0);
        // Loader threads work in real time meanwhile.
        std::this_thread::yield();
    }
    void ProcessMessages() override { ++messageRounds; }
    bool WindowVisible() override { return visible; }
    void ShowWindow() override {
        ++shown;
        visible = true;
    }
    void ReactivateWindow() override { ++reactivated; }
    bool DialogVisible() override { return dialogVisible; }
    void ShowHelp() override { ++helps; }
    void ShowSettings() override { ++settingsShown; }
    void RequestEndOfApplication() override { ++endRequests; }
    int ScreenWidth() override { return width; }
    int ScreenHeight() override { return height; }

private:
    void Pass(double Seconds) {
        now += Seconds;
        while (!timeline_.empty() && timeline_.begin()->first <= now) {
            auto action = std::move(timeline_.begin()->second);
            timeline_.erase(timeline_.begin());
            action();
        }
    }

    std::multimap<double, std::function<void()>> timeline_;
};

class RecordingOverlay final : public INavigationOverlay {
public:
    std::map<std::string, int> calls;

    void ShowForward() override { ++calls["Forward"]; }
    void ShowFastForward() override { ++calls["FastForward"]; }
    void ShowBackward() override { ++calls["Backward"]; }
    void ShowFastBackward() override { ++calls["FastBackward"]; }
    void CloseOverlay() override { ++calls["Close"]; }
};

class RecordingShowMusic final : public IShowMusic {
public:
    std::vector<std::string> calls;
    bool failToggle = false;

    void BeginShow() override { calls.push_back("BeginShow"); }
    void EndShow() override { calls.push_back("EndShow"); }
    void StartMusic() override { calls.push_back("StartMusic"); }
    void ToggleMusic() override {
        calls.push_back("ToggleMusic");
        if (failToggle) throw std::runtime_error("The song cannot be played.");
    }
};

// Pictures of 640 x 480 unless told otherwise.
class FakePictureFiles final : public IPictureFiles {
public:
    std::map<std::string, std::optional<Size>> sizes;
    std::vector<std::string> sizeReads;
    std::vector<std::pair<std::string, bool>> rotations;
    bool failRotation = false;
    // Runs at every turn, as the time a turn takes.

    std::optional<Size> ReadPictureSize(const std::string& Path) override {
        sizeReads.push_back(Path);
        auto found = sizes.find(Path);
        return found == sizes.end() ? std::optional<Size>(Size{640, 480}) : found->second;
    }
    void RotatePictureFile(const std::string& Path, bool Clockwise) override {
        if (failRotation) throw std::runtime_error("Cannot read " + Path);
        rotations.emplace_back(Path, Clockwise);
    }
};

// R and L on their US keys unless told otherwise.
class FakeSystemKeys final : public SystemKeys {
public:
    std::map<char32_t, std::uint8_t> letters{{U'r', 0x52}, {U'l', 0x4C}};
    bool alt = false;
    std::optional<ScreenPoint> cursor = ScreenPoint{400, 300};

    std::optional<std::uint8_t> VirtualKeyTyping(char32_t Character) override {
        auto found = letters.find(Character);
        return found == letters.end() ? std::nullopt : std::optional<std::uint8_t>(found->second);
    }
    bool AltDown() override { return alt; }
    std::optional<ScreenPoint> CursorPosition() override { return cursor; }
};

}  // namespace fakes
