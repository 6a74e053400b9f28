// The registry's operations over a store that loads and saves the whole
// RegistryData at once; the INI file backend and the tests' fake differ only
// in their store.
#pragma once

#include <optional>

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryData.h"

namespace registry {

class StoredRegistry : public IRegistry {
public:
    bool KeyExists(const std::string& key) override;
    RegistryResult OpenKey(const std::string& key, bool create) override;
    RegistryResult WriteString(const std::string& key, const std::string& name, const std::string& value) override;
    RegistryResult WriteInteger(const std::string& key, const std::string& name, std::int32_t value) override;
    RegistryRead<std::string> ReadString(const std::string& key, const std::string& name) override;
    RegistryRead<std::int32_t> ReadInteger(const std::string& key, const std::string& name) override;

protected:
    // The stored data, or nullopt when the store cannot be read.
    virtual std::optional<RegistryData> Load() = 0;
    // Replaces the stored data; false when it cannot be written (the old data then stays).
    virtual bool Save(const RegistryData& data) = 0;

private:
    RegistryResult Write(const std::string& key, const std::string& name, Value value);
    template <class T>
    RegistryRead<T> Read(const std::string& key, const std::string& name);
};

}  // namespace registry
