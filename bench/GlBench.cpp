// The OpenGL backend on Mesa (Xvfb, 1920 x 1080): preparing the texture of a
// 24-megapixel JPEG on the loader thread, what that costs the main thread, and
// the time of one frame of the photo surface.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "BenchPhotos.h"
#include "GlTestDisplay.h"
#include "Pictures.h"
#include "SlideshowScene.h"
#include "platform/gl/TextureFileLoader.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using lumetta::images::BgraImage;

constexpr int kWidth = 1920, kHeight = 1080;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

const fs::path& Photo() { return benchphotos::LargePhoto(); }

std::unique_ptr<gltest::SlideshowScene> slideshow;

gltest::SlideshowScene& Slideshow() {
    if (!slideshow) slideshow = std::make_unique<gltest::SlideshowScene>(kWidth, kHeight);
    return *slideshow;
}

// One frame as the slide cycle draws it: the step's sleep (Delay 2: 20 ms),
// then Render. Returns the Render time.
Clock::duration PacedFrame() {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    auto start = Clock::now();
    Slideshow().scene().Render();
    return Clock::now() - start;
}

// Runs `work` on a second thread per iteration while the main thread draws
// paced frames of the photo on screen; the iteration time is the work's. The
// counters tell how much slower the main thread's frames were meanwhile.
template <typename Work>
void WhileTheMainThreadDraws(benchmark::State& state, Work work) {
    auto& s = Slideshow();
    if (!s.texture().Texture) s.LoadOnLoaderThread(Photo());
    if (!s.texture().IsActive()) s.ShowLoaded(Photo());
    double idle = 0;
    for (int i = 0; i < 20; ++i) idle += Ms(PacedFrame());
    idle /= 20;
    double busyFrames = 0, busyMs = 0;
    for (auto _ : state) {
        std::atomic<bool> done{false};
        bool ok = false;
        Clock::time_point start = Clock::now(), end;
        std::thread loader([&] {
            ok = work();
            end = Clock::now();
            done = true;
        });
        while (!done) {
            busyMs += Ms(PacedFrame());
            ++busyFrames;
        }
        loader.join();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        if (!ok) state.SkipWithError("the work failed");
    }
    state.counters["main_frame_ms_idle"] = idle;
    state.counters["main_frame_ms_meanwhile"] = busyFrames ? busyMs / busyFrames : 0;
    state.counters["main_extra_ms_per_photo"] = (busyMs - idle * busyFrames) / state.iterations();
}

// The whole preparation on the loader thread (decode with DCT scaling, area
// downscale to 1920 x 1280, mip chain, upload through the upload thread) into
// a second texture, as slot B is filled while slot A is shown.
void TexturePreparationOnLoaderThread(benchmark::State& state) {
    WhileTheMainThreadDraws(state, [] {
        d3d8::TextureFileRequest request{Photo().c_str(), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                         D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0};
        IDirect3DTexture8* next = nullptr;
        HRESULT hr = gl::LoadTextureFromFile(Slideshow().scene().Device.get(), request, nullptr, &next);
        if (next) next->Release();
        return SUCCEEDED(hr);
    });
}
BENCHMARK(TexturePreparationOnLoaderThread)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(8);

// The same processor work without the GL (decode, downscale, mip chain): what
// the main thread's frames lose to a busy second core alone.
void SamePixelWorkWithoutTheGl(benchmark::State& state) {
    WhileTheMainThreadDraws(state, [] {
        auto decoded = lumetta::images::DecodePicture(Photo(), 1920, 1280);
        if (!decoded) return false;
        BgraImage level = lumetta::images::DownscaleArea(decoded->image, 1920, 1280);
        while (level.width > 1 || level.height > 1) level = lumetta::images::HalveForMipLevel(level);
        return true;
    });
}
BENCHMARK(SamePixelWorkWithoutTheGl)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(8);

// What the main thread does for a photo prepared in the background: bind its
// texture and draw the first frame with it, beside a steady frame of the same
// photo; the slide cycle's fit of the surface is timed apart (it is not
// texture work).
void MainThreadShareOfANewPhoto(benchmark::State& state) {
    auto& s = Slideshow();
    double bind = 0, fit = 0, first = 0, steady = 0;
    for (auto _ : state) {
        state.PauseTiming();
        s.FreeTexture();
        s.LoadOnLoaderThread(Photo());
        state.ResumeTiming();
        auto t0 = Clock::now();
        s.BindTexture();
        auto t1 = Clock::now();
        s.FitSurface(Photo());
        auto t2 = Clock::now();
        s.scene().Render();
        auto t3 = Clock::now();
        s.scene().Render();
        auto t4 = Clock::now();
        bind += Ms(t1 - t0);
        fit += Ms(t2 - t1);
        first += Ms(t3 - t2);
        steady += Ms(t4 - t3);
    }
    double n = static_cast<double>(state.iterations());
    state.counters["bind_ms"] = bind / n;
    state.counters["fit_ms"] = fit / n;
    state.counters["first_frame_ms"] = first / n;
    state.counters["steady_frame_ms"] = steady / n;
    state.counters["texture_share_ms"] = (bind + first - steady) / n;
}
BENCHMARK(MainThreadShareOfANewPhoto)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(12);

// One frame of the photo surface at 1920 x 1080: clear, the 50 x 50 map's
// insert (copy of its vertices and indices), stage settings, draw, present.
void FrameOfOnePhoto(benchmark::State& state) {
    auto& s = Slideshow();
    if (!s.texture().Texture) s.LoadOnLoaderThread(Photo());
    if (!s.texture().IsActive()) s.ShowLoaded(Photo());
    for (auto _ : state) s.scene().Render();
}
BENCHMARK(FrameOfOnePhoto)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    slideshow.reset();
    gltest::EndTestDisplay();
    return 0;
}
