// The engine objects of the slideshow window, made and placed in its order on a
// window covering the screen, with its frame handler and the slide cycle's fit
// of the surface to a photo. For the drawing tests and the benchmarks.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <QWindow>

#include "kelDX8.h"

namespace gltest {

class SlideshowScene {
public:
    // Installs the OpenGL backend and the slideshow's error switches, creates
    // the objects for a width x height screen and shows the window.
    SlideshowScene(int width, int height);
    ~SlideshowScene();

    // LoadFromFile into the texture on a second thread while this thread draws
    // frames (at most 60 s); the exception's message, or empty.
    std::string LoadOnLoaderThread(const std::filesystem::path& photo);
    // Binds the texture, fits the surface to the photo and draws a frame, as the
    // slide cycle does; returns the photo's width / height.
    double ShowLoaded(const std::filesystem::path& photo);
    // The steps of ShowLoaded: the texture bound to stage 0; the surface fitted
    // to the photo's size (4 x 3 when it cannot be read) and made visible.
    void BindTexture();
    double FitSurface(const std::filesystem::path& photo);
    // Unbinds and frees the texture, as the slide cycle frees a slot.
    void FreeTexture();

    // The screen rectangle the fitted photo covers, in pixels, inclusive.
    struct Box {
        int left, top, right, bottom;
    };
    Box ExpectedBox(double aspect) const;

    kelDX8::TkelDXScene& scene() { return *scene_; }
    kelDX8::TkelDXTexture& texture() { return *texture_; }

private:
    int width_, height_;
    std::unique_ptr<QWindow> window_;
    std::unique_ptr<kelDX8::TkelDXScene> scene_;
    std::unique_ptr<kelDX8::TkelDXCamera> camera_;
    std::unique_ptr<kelDX8::TkelDXMultiMap> surface_;
    std::unique_ptr<kelDX8::TkelDXTexture> texture_;
    double x_ = 0, y_ = 0, depth_ = 0;
};

}  // namespace gltest
