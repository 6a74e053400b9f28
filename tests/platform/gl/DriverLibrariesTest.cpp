#include <dlfcn.h>
#include <gtest/gtest.h>

#include <thread>

#include "GlTestSupport.h"
#include "platform/gl/DriverLibraries.h"

namespace {

// Qt loads its plugins on the main thread while the driver warms up on
// another; the two must not wait on each other's loader locks.
TEST(DriverLibraries, AreKeptWhileAnotherThreadLoadsAndUnloadsLibraries) {
    gltest::DeviceWindow window;  // the driver's libraries are loaded
    constexpr int kRounds = 400;
    std::thread keeper([] {
        for (int i = 0; i < kRounds; ++i) gl::KeepDriverLibrariesLoaded();
    });
    for (int i = 0; i < kRounds; ++i) {
        void* module = dlopen(LOADABLE_MODULE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module, nullptr) << dlerror();
        auto answer = reinterpret_cast<int (*)()>(dlsym(module, "LoadableModuleAnswer"));
        ASSERT_NE(answer, nullptr);
        EXPECT_EQ(answer(), 42);
        dlclose(module);
    }
    keeper.join();
}

}  // namespace
