#include "platform/registry/StoredRegistry.h"

namespace registry {

const char* Describe(RegistryResult result) {
    switch (result) {
        case RegistryResult::kOk: return "success";
        case RegistryResult::kNoKey: return "the key does not exist";
        case RegistryResult::kNoValue: return "the value does not exist";
        case RegistryResult::kWrongType: return "the value has another type";
        case RegistryResult::kIoError: return "the registry file cannot be read or written";
    }
    return "unknown result";
}

bool StoredRegistry::KeyExists(const std::string& key) {
    auto data = Load();
    return data && data->HasKey(key);
}

RegistryResult StoredRegistry::OpenKey(const std::string& key, bool create) {
    auto data = Load();
    if (!data) return RegistryResult::kIoError;
    if (data->HasKey(key)) return RegistryResult::kOk;
    if (!create || RegistryData::NormalisedPath(key).empty()) return RegistryResult::kNoKey;
    data->CreateKey(key);
    return Save(*data) ? RegistryResult::kOk : RegistryResult::kIoError;
}

RegistryResult StoredRegistry::Write(const std::string& key, const std::string& name, Value value) {
    auto data = Load();
    if (!data) return RegistryResult::kIoError;
    if (!data->Set(key, name, std::move(value))) return RegistryResult::kNoKey;
    return Save(*data) ? RegistryResult::kOk : RegistryResult::kIoError;
}

RegistryResult StoredRegistry::WriteString(const std::string& key, const std::string& name, const std::string& value) {
    return Write(key, name, value);
}

RegistryResult StoredRegistry::WriteInteger(const std::string& key, const std::string& name, std::int32_t value) {
    return Write(key, name, value);
}

template <class T>
RegistryRead<T> StoredRegistry::Read(const std::string& key, const std::string& name) {
    auto data = Load();
    if (!data) return {RegistryResult::kIoError, {}};
    if (!data->HasKey(key)) return {RegistryResult::kNoKey, {}};
    auto value = data->Get(key, name);
    if (!value) return {RegistryResult::kNoValue, {}};
    if (const T* typed = std::get_if<T>(&*value)) return {RegistryResult::kOk, *typed};
    return {RegistryResult::kWrongType, {}};
}

RegistryRead<std::string> StoredRegistry::ReadString(const std::string& key, const std::string& name) {
    return Read<std::string>(key, name);
}

RegistryRead<std::int32_t> StoredRegistry::ReadInteger(const std::string& key, const std::string& name) {
    return Read<std::int32_t>(key, name);
}

}  // namespace registry
