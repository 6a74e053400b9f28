#include "ApplicationIdleHook.h"

#include <utility>

namespace kelDX8 {
namespace {

struct IdleState {
    IApplicationIdleHook* hook = nullptr;
    const void* owner = nullptr;
};

IdleState& State() {
    static IdleState state;
    return state;
}

}  // namespace

void SetApplicationIdleHook(IApplicationIdleHook* Hook) { State() = {Hook, nullptr}; }

IApplicationIdleHook* ApplicationIdleHook() { return State().hook; }

bool InstallIdleHandler(const void* Owner, IdleHandler Handler) {
    auto& state = State();
    if (!state.hook) return false;
    state.owner = Owner;
    state.hook->SetIdleHandler(std::move(Handler));
    return true;
}

void ClearIdleHandler() {
    auto& state = State();
    state.owner = nullptr;
    if (state.hook) state.hook->SetIdleHandler(nullptr);
}

void ClearIdleHandlerOf(const void* Owner) {
    if (State().owner == Owner) ClearIdleHandler();
}

}  // namespace kelDX8
