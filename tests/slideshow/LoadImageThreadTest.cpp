// The background loader on its own (the shows load through it too): retrying
// while the slot is still bound, giving up on a file that never loads, and
// waiting for it, and release waiting for it.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "FakeTextureFileLoader.h"
#include "engine/devices/DevicesTestSupport.h"
#include "slideshow/LoadImageThread.h"

using namespace kelDX8;
using namespace std::chrono_literals;

namespace {

// A slot whose loads the test can hold back: each attempt takes the lock, and
// the first `failures` attempts fail.
class GuardedTexture : public TkelDXTexture {
public:
    std::mutex lock;
    int attempts = 0;
    int failures = 0;

    void LoadFromFile(const std::string& FileName) override {
        std::lock_guard guard(lock);
        if (++attempts <= failures) throw std::runtime_error("not yet");
        TkelDXTexture::LoadFromFile(FileName);
    }
    int Attempts() {
        std::lock_guard guard(lock);
        return attempts;
    }
};

// Bounded: a loader that never ends fails the test instead of hanging it.
template <class Condition>
bool Eventually(Condition condition) {
    const auto limit = std::chrono::steady_clock::now() + 20s;
    while (!condition())
        if (std::chrono::steady_clock::now() > limit) return false;
        else std::this_thread::sleep_for(1ms);
    return true;
}

class LoadImageThreadTest : public enginetest::SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        RaiseOnStateError = true;
    }
    fakes::FakeTextureFileLoader files;
};

}  // namespace

TEST_F(LoadImageThreadTest, RetriesWhileTheSlotIsBoundThenLoads) {
    auto texture = New<GuardedTexture>(scene.get());
    texture->TkelDXTexture::LoadFromFile("old.jpg");
    texture->Activate();
    TLoadImageThread loader(*texture, "new.jpg", {1ms, 100000});
    ASSERT_TRUE(Eventually([&] { return texture->Attempts() >= 3; }));
    EXPECT_FALSE(loader.WaitUntilDone(1ms));
    EXPECT_EQ(loader.GetState(), 'n');
    {
        std::lock_guard guard(texture->lock);
        texture->Deactivate();
    }
    ASSERT_TRUE(loader.WaitUntilDone(20s));
    EXPECT_EQ(loader.GetState(), 't');
    EXPECT_EQ(files.Requests().back().Name, "new.jpg");
}

TEST_F(LoadImageThreadTest, GivesUpOnAFileThatNeverLoads) {
    files.FailFile("broken.jpg", D3DXERR_INVALIDDATA);
    auto texture = New<TkelDXTexture>(scene.get());
    {
        TLoadImageThread loader(*texture, "broken.jpg", {1ms, 4});
        ASSERT_TRUE(loader.WaitUntilDone(20s));
        EXPECT_EQ(loader.GetState(), 'f');
    }
    EXPECT_EQ(files.Requests().size(), 4u);
    EXPECT_FALSE(texture->Texture);
}

TEST_F(LoadImageThreadTest, ReleaseWaitsForTheLoadToEnd) {
    auto texture = New<GuardedTexture>(scene.get());
    texture->failures = 5;
    { TLoadImageThread loader(*texture, "photo.jpg", {1ms, 20}); }
    EXPECT_EQ(texture->Attempts(), 6);
    EXPECT_TRUE(texture->Texture);
}
