// The machine-wide registry as the welcome and settings windows use it: keys
// under HKEY_LOCAL_MACHINE named by their path ("SOFTWARE\Brindle\Lumetta"),
// each holding named string and integer values.
//
// Contract of every operation:
// - Main thread only; not safe to call from two threads at once.
// - Key paths use backslashes; key and value names compare without regard to
//   letter case, as the registry does. Empty path parts are ignored
//   ("SOFTWARE\\X\" is "SOFTWARE\X").
// - Nothing throws: every failure comes back as a RegistryResult. A result
//   other than kOk leaves the stored data as it was.
// - Values can be written and read only in a key that exists: writes to a
//   missing key give kNoKey, never create it.
#pragma once

#include <cstdint>
#include <string>

namespace registry {

enum class RegistryResult {
    kOk,
    kNoKey,      // the key does not exist
    kNoValue,    // the key exists but has no value of that name
    kWrongType,  // the value exists with another type (a string read as an integer)
    kIoError,    // the store cannot be read or written (rights, disk, damaged file)
};

// Human-readable text of a result, for error messages.
const char* Describe(RegistryResult result);

template <class T>
struct RegistryRead {
    RegistryResult result = RegistryResult::kNoValue;
    T value{};
    bool ok() const { return result == RegistryResult::kOk; }
};

class IRegistry {
public:
    virtual ~IRegistry() = default;

    // Whether the key exists; a key exists too when only keys below it were created.
    // A store that cannot be read counts as holding no keys.
    virtual bool KeyExists(const std::string& key) = 0;

    // Opens the key, creating it (and the keys above it) when `create` is true
    // and it is missing. kOk when the key exists afterwards, kNoKey when it is
    // missing and `create` is false, kIoError when it cannot be created.
    virtual RegistryResult OpenKey(const std::string& key, bool create) = 0;

    virtual RegistryResult WriteString(const std::string& key, const std::string& name,
                                       const std::string& value) = 0;
    virtual RegistryResult WriteInteger(const std::string& key, const std::string& name, std::int32_t value) = 0;

    virtual RegistryRead<std::string> ReadString(const std::string& key, const std::string& name) = 0;
    virtual RegistryRead<std::int32_t> ReadInteger(const std::string& key, const std::string& name) = 0;
};

}  // namespace registry
