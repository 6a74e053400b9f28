// The main thread at a photo change: the real slide cycle on the OpenGL
// backend (Mesa on a private 1920 x 1080 Xvfb display, the X keyboard and
// mouse), showing 24-megapixel JPEGs with Delay 1 and drift on, through a host
// whose Sleep really sleeps. Every frame's start is recorded; the gap between
// the last frame of one photo and the first frame of the next, beside the
// ordinary gap between two frames of a photo, is what the change costs the
// main thread: binding the prefetched texture, reading the next photo's size,
// starting its successor's loader, the fit.
//
// Counters (milliseconds):
//   frame_gap_ms       median gap between two frames of one photo (the
//                      step's 10 ms sleep and one step of work)
//   frame_work_ms      median step of work: from the end of a step's sleep to
//                      the start of the next one (the frame's drawing, the
//                      input reads, the drift)
//   change_gap_max_ms  longest gap at a change to a prefetched photo
//   stall_ms           that gap minus frame_gap_ms: what the change adds
//   prefetched_changes changes whose photo was ready when it came up
//   waited_changes     changes that waited for their loader (not counted above)
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <thread>
#include <vector>

#include "BenchPhotos.h"
#include "GlTestDisplay.h"
#include "Pictures.h"
#include "XDirectInput.h"
#include "XSystemKeys.h"
#include "entry_points.h"
#include "platform/gl/GlDirect3D.h"
#include "slideshow/SlideCycle.h"
#include "startup/PhotoSettings.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWidth = 1920, kHeight = 1080;
// Eight list entries, so that the last change shown is not the wrap-around
// (a direct load on the main thread by design).
constexpr int kPhotosShown = 8;

double Now() { return std::chrono::duration<double>(Clock::now().time_since_epoch()).count(); }

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// What the main thread did, in time order (seconds of the steady clock).
struct Timeline {
    struct Frame {
        double start;
        int photo;
    };
    struct SleepSpan {
        double start, end;
    };
    std::vector<Frame> frames;
    std::vector<SleepSpan> sleeps;
    std::vector<double> messageRounds;  // when the cycle served window events
    // Per photo (from 1): whether the cycle loaded it directly (Jumped).
    std::vector<bool> direct{false};
    int photo = 0;

    int MessageRoundsBetween(double from, double to) const {
        return static_cast<int>(std::count_if(messageRounds.begin(), messageRounds.end(),
                                              [&](double t) { return t >= from && t <= to; }));
    }
};

// The window and the application as the show sees them, with time that passes.
class BenchHost final : public IShowHost {
public:
    BenchHost(QWindow& Window, TShowState& State, Timeline& Record) : window(Window), state(State), record(Record) {}
    int drawFailures = 0;

    double Seconds() override { return Now(); }
    void Sleep(int Milliseconds) override {
        double start = Now();
        std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
        record.sleeps.push_back({start, Now()});
    }
    void ProcessMessages() override {
        record.messageRounds.push_back(Now());
        QCoreApplication::processEvents();
        if (record.photo >= kPhotosShown) state.StopRequested = true;
    }
    bool WindowVisible() override { return window.isVisible(); }
    void ShowWindow() override { gltest::ShowAndWaitExposed(window); }
    void ReactivateWindow() override {}
    bool DialogVisible() override { return false; }
    void ShowHelp() override {}
    void ShowSettings() override {}
    void RequestEndOfApplication() override { ++drawFailures; }
    int ScreenWidth() override { return kWidth; }
    int ScreenHeight() override { return kHeight; }

private:
    QWindow& window;
    TShowState& state;
    Timeline& record;
};

// The picture sizes from the codecs, as the program reads them; each read
// starts a photo of the timeline.
class BenchPictures final : public IPictureFiles {
public:
    BenchPictures(const TShowState& State, Timeline& Record) : state(State), record(Record) {}

    std::optional<Size> ReadPictureSize(const std::string& Path) override {
        ++record.photo;
        record.direct.push_back(state.Jumped);
        auto size = lumetta::images::ReadPictureSize(Path);
        if (!size || size->width > 65535 || size->height > 65535) return std::nullopt;
        return Size{static_cast<std::uint16_t>(size->width), static_cast<std::uint16_t>(size->height)};
    }
    void RotatePictureFile(const std::string&, bool) override { throw std::runtime_error("not in this benchmark"); }

private:
    const TShowState& state;
    Timeline& record;
};

class SilentMusic final : public IShowMusic {
public:
    void BeginShow() override {}
    void EndShow() override {}
    void StartMusic() override {}
    void ToggleMusic() override {}
};

class NoOverlay final : public INavigationOverlay {
public:
    void ShowForward() override {}
    void ShowFastForward() override {}
    void ShowBackward() override {}
    void ShowFastBackward() override {}
    void CloseOverlay() override {}
};

struct ChangeFigures {
    double frameGap = 0, frameWork = 0, longestPrefetched = 0;
    int prefetched = 0, waited = 0;
};

ChangeFigures Analyse(const Timeline& t) {
    ChangeFigures f;
    std::vector<double> gaps, work;
    for (std::size_t i = 1; i < t.frames.size(); ++i) {
        const auto &before = t.frames[i - 1], &after = t.frames[i];
        double gap = after.start - before.start;
        if (before.photo == after.photo) {
            gaps.push_back(gap);
            continue;
        }
        // The cycle serves window events once between two photos, and again
        // every 100 ms while it waits for a loader; a shorter wait is not told
        // apart and counts as a stall.
        bool waited = t.MessageRoundsBetween(before.start, after.start) > 1;
        std::fprintf(stderr, "change to photo %d: %.1f ms%s\n", after.photo, gap * 1000,
                     t.direct[after.photo] ? " (direct load)" : waited ? " (waited for its loader)" : "");
        if (t.direct[after.photo]) continue;
        if (waited) {
            ++f.waited;
            continue;
        }
        ++f.prefetched;
        f.longestPrefetched = std::max(f.longestPrefetched, gap);
    }
    for (std::size_t i = 1; i < t.sleeps.size(); ++i) work.push_back(t.sleeps[i].start - t.sleeps[i - 1].end);
    f.frameGap = Median(gaps);
    f.frameWork = Median(work);
    return f;
}

void PhotoChangesOfAShow(benchmark::State& bench) {
    gltest::TestDisplay(kWidth, kHeight);
    gl::InstallOpenGLBackend();
    d3d8::SetDirectInputFactory(XDirectInput8Create);
    SetShowEngineSwitches();
    auto keys = XSystemKeys::Open();
    if (!keys) {
        bench.SkipWithError("no display for the keyboard");
        return;
    }
    const TPhotos photos(kPhotosShown, benchphotos::LargePhoto().string());
    for (auto _ : bench) {
        Timeline record;
        TShowState state;
        state.Delay = 1;
        TLumettaSettings settings("/nonexistent/lumetta/settings.txt", {"/nonexistent/lumetta"});
        settings.SetAllowMoving(true);
        auto window = gltest::ScreenWindow();
        BenchHost host(*window, state, record);
        BenchPictures pictures(state, record);
        SilentMusic music;
        NoOverlay overlay;
        TClockSeededRandom random;
        double start = Now();
        {
            TShowObjects objects(static_cast<HWND>(window.get()), kWidth, kHeight, state);
            TSlideCycle cycle(objects, state, photos, settings,
                              TShowServices{host, music, overlay, *keys, pictures, random});
            auto draw = objects.Scene->OnDraw;
            objects.Scene->OnDraw = [&](kelDX8::TkelDXCustomObject* sender) {
                // Not the frame of the bare background drawn before the first photo.
                if (record.photo > 0) record.frames.push_back({Now(), record.photo});
                draw(sender);
            };
            cycle.TimerStartingSlideshowTimer();
        }
        bench.SetIterationTime(Now() - start);
        auto figures = Analyse(record);
        bench.counters["frame_gap_ms"] = figures.frameGap * 1000;
        bench.counters["frame_work_ms"] = figures.frameWork * 1000;
        bench.counters["change_gap_max_ms"] = figures.longestPrefetched * 1000;
        bench.counters["stall_ms"] = (figures.longestPrefetched - figures.frameGap) * 1000;
        bench.counters["prefetched_changes"] = figures.prefetched;
        bench.counters["waited_changes"] = figures.waited;
        if (host.drawFailures) bench.SkipWithError("frames failed to draw");
    }
    d3d8::SetDirectInputFactory(nullptr);
}
BENCHMARK(PhotoChangesOfAShow)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gltest::EndTestDisplay();
    return 0;
}
