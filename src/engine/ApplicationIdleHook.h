// The application's idle event, as the engine needs it for TkelDXScene::Run.
//
// The platform installs one hook at start-up (a zero-interval timer in the Qt
// shell; a fake in tests). The engine then sets and clears the one idle handler
// through it. Main thread only.
#pragma once

#include <functional>

namespace kelDX8 {

// Called whenever the application is idle. Set Done to false to be called again
// at once, to true to wait for the next message first.
using IdleHandler = std::function<void(bool& Done)>;

class IApplicationIdleHook {
public:
    virtual ~IApplicationIdleHook() = default;
    // Makes Handler the application's idle event, replacing any earlier one; an
    // empty Handler clears the event. May be called from inside the handler.
    virtual void SetIdleHandler(IdleHandler Handler) = 0;
};

// The hook is not owned and must outlive its use; nullptr uninstalls it.
void SetApplicationIdleHook(IApplicationIdleHook* Hook);
IApplicationIdleHook* ApplicationIdleHook();

// The engine's side: the handler is installed on behalf of an owner, so that an
// owner that goes away can take back its own handler without touching another's.
// Without a hook, InstallIdleHandler returns false and the others do nothing.
bool InstallIdleHandler(const void* Owner, IdleHandler Handler);
void ClearIdleHandler();
void ClearIdleHandlerOf(const void* Owner);

}  // namespace kelDX8
