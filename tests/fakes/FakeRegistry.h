// An in-memory registry with the real operations; it can be made read-only
// (every change fails, as without rights under HKEY_LOCAL_MACHINE) or
// unreadable (every operation fails).
#pragma once

#include "platform/registry/StoredRegistry.h"

namespace fakes {

class FakeRegistry final : public registry::StoredRegistry {
public:
    registry::RegistryData data;
    bool readOnly = false;
    bool unreadable = false;
    int saves = 0;  // successful changes

protected:
    std::optional<registry::RegistryData> Load() override {
        if (unreadable) return std::nullopt;
        return data;
    }
    bool Save(const registry::RegistryData& changed) override {
        if (readOnly || unreadable) return false;
        data = changed;
        ++saves;
        return true;
    }
};

}  // namespace fakes
