// The photo surface's per-photo and per-frame costs: reshaping the 50 x 50 map
// (positions, grid normals, texture coordinates) and one Insert + Draw, which
// copies the whole vertex and index arrays into the shared buffers.
#include <benchmark/benchmark.h>

#include "RecordingDirect3D.h"
#include "kelDX8.h"

namespace {

struct PhotoSurface {
    PhotoSurface() {
        scene = kelDX8::New<kelDX8::TkelDXScene>(reinterpret_cast<HWND>(0x1), false, D3DSWAPEFFECT_DISCARD, 10u, 0u,
                                                 0u, 0u, true, BYTE{0});
        map = kelDX8::New<kelDX8::TkelDXMultiMap>(scene.get(), 50u, 50u, 36u, DWORD{0x152});
        scene->CreateBuffers();
        d3d.KeepLog(false);
    }
    fakes::Direct3DRecorder d3d;
    std::unique_ptr<kelDX8::TkelDXScene> scene;
    std::unique_ptr<kelDX8::TkelDXMultiMap> map;
};

void SetPlaneOnThePhotoSurface(benchmark::State& state) {
    PhotoSurface surface;
    float aspect = 4.0f / 3.0f;
    for (auto _ : state) {
        surface.map->SetPlane({0, 3, 0}, {0, 0, 0}, {3 * aspect, 0, 0});
        benchmark::DoNotOptimize(surface.map->Vertices.data());
        aspect = aspect == 4.0f / 3.0f ? 3.0f / 2.0f : 4.0f / 3.0f;
    }
}
BENCHMARK(SetPlaneOnThePhotoSurface)->Unit(benchmark::kMicrosecond);

void InsertAndDrawThePhotoSurface(benchmark::State& state) {
    PhotoSurface surface;
    surface.map->SetPlane({0, 3, 0}, {0, 0, 0}, {4, 0, 0});
    surface.scene->Device->BeginScene();
    for (auto _ : state) {
        surface.map->Insert();
        surface.map->Draw();
    }
    surface.scene->Device->EndScene();
}
BENCHMARK(InsertAndDrawThePhotoSurface)->Unit(benchmark::kMicrosecond);

}  // namespace
