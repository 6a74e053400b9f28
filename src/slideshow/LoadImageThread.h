// The background loader of one photo: a thread that loads one picture file
// into one texture slot, so that the slide cycle normally only binds a texture
// that already exists. The cycle makes a new loader for every photo and keeps
// at most two alive.
//
// Threads: made, asked and released on the main thread; the load runs on the
// loader's own thread. The main thread must not touch the texture while
// GetState() is 'n' and the loader lives; the slide cycle's slot rule sees to it.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "kelDX8.h"

// How a loader retries a failing load.
struct TLoaderTiming {
    std::chrono::milliseconds Retry{100};
    // Failed attempts after which the loader gives up: about 2 s by default.
    int Attempts = 20;
};

class TLoadImageThread {
public:
    // Starts loading at once. The texture must outlive the loader.
    TLoadImageThread(kelDX8::TkelDXTexture& Texture, std::string FileName, TLoaderTiming Timing = {});
    // Waits for the thread: until the load has succeeded or the loader has
    // given up. Never longer than Attempts x (Retry + one load).
    ~TLoadImageThread();
    TLoadImageThread(const TLoadImageThread&) = delete;
    TLoadImageThread& operator=(const TLoadImageThread&) = delete;

    // 'n' while loading, 't' once the texture holds the picture, 'f' when every
    // attempt failed (a missing or damaged file, or a slot that stayed bound).
    char GetState() const { return State.load(); }
    // Waits until GetState() is no longer 'n', at most `Limit`; true when it is not.
    bool WaitUntilDone(std::chrono::milliseconds Limit);
    const std::string& GetFileName() const { return FileName; }

private:
    void Execute();
    void Finish(char Result);

    kelDX8::TkelDXTexture& Texture;
    const std::string FileName;
    const TLoaderTiming Timing;
    std::atomic<char> State{'n'};
    std::mutex DoneMutex;
    std::condition_variable Done;
    std::thread Thread;  // last: starts once the fields above are set
};
