// An application idle event for tests: keeps the handler the engine installs
// and runs it on demand.
#pragma once

#include <utility>

#include "ApplicationIdleHook.h"

namespace fakes {

class FakeIdleHook final : public kelDX8::IApplicationIdleHook {
public:
    FakeIdleHook() { kelDX8::SetApplicationIdleHook(this); }
    ~FakeIdleHook() override { kelDX8::SetApplicationIdleHook(nullptr); }

    void SetIdleHandler(kelDX8::IdleHandler Handler) override { handler_ = std::move(Handler); }
    bool Installed() const { return static_cast<bool>(handler_); }

    // Runs the idle event up to MaxTurns times, as long as a handler is
    // installed and it asks to be called again; returns the turns run.
    int RunIdle(int MaxTurns) {
        int turns = 0;
        while (turns < MaxTurns && handler_) {
            bool done = true;
            auto handler = handler_;  // the handler may clear itself
            handler(done);
            ++turns;
            if (done) break;
        }
        return turns;
    }

private:
    kelDX8::IdleHandler handler_;
};

}  // namespace fakes
