#include "slideshow/LoadImageThread.h"

#include <exception>

TLoadImageThread::TLoadImageThread(kelDX8::TkelDXTexture& Texture, std::string FileName, TLoaderTiming Timing)
    : Texture(Texture), FileName(std::move(FileName)), Timing(Timing), Thread([this] { Execute(); }) {}

TLoadImageThread::~TLoadImageThread() { Thread.join(); }

void TLoadImageThread::Execute() {
    for (int attempt = 1; attempt <= Timing.Attempts; ++attempt) {
        try {
            Texture.LoadFromFile(FileName);
            State = 't';
            return;
        } catch (const std::exception&) {
            // A slot still bound, or a file that cannot be read: try again later.
        }
        if (attempt < Timing.Attempts) std::this_thread::sleep_for(Timing.Retry);
    }
    State = 'f';
}
