#include "slideshow/LoadImageThread.h"

#include <exception>

TLoadImageThread::TLoadImageThread(kelDX8::TkelDXTexture& Texture, std::string FileName, TLoaderTiming Timing)
    : Texture(Texture), FileName(std::move(FileName)), Timing(Timing), Thread([this] { Execute(); }) {}

TLoadImageThread::~TLoadImageThread() { Thread.join(); }

bool TLoadImageThread::WaitUntilDone(std::chrono::milliseconds Limit) {
    std::unique_lock lock(DoneMutex);
    return Done.wait_for(lock, Limit, [this] { return State.load() != 'n'; });
}

void TLoadImageThread::Execute() {
    for (int attempt = 1; attempt <= Timing.Attempts; ++attempt) {
        try {
            Texture.LoadFromFile(FileName);
            Finish('t');
            return;
        } catch (const std::exception&) {
            // A slot still bound, or a file that cannot be read: try again later.
        }
        if (attempt < Timing.Attempts) std::this_thread::sleep_for(Timing.Retry);
    }
    Finish('f');
}

void TLoadImageThread::Finish(char Result) {
    {
        std::lock_guard lock(DoneMutex);
        State = Result;
    }
    Done.notify_all();
}
