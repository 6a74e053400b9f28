// The registry's keys and values in memory, and their text form: an INI file
// with one section per key and one line per value,
//
//   [SOFTWARE\Brindle\Lumetta]
//   "Directory"="/opt/lumetta"
//   "ButtonInPicasa"=dword:00000001
//
// Strings are quoted with \\, \" and \n escapes; integers are 32-bit, written
// as eight hexadecimal digits after "dword:". Reading is lenient: an unquoted
// name or value is taken as it stands, and lines that fit no form are skipped
// (they are gone after the next write).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace registry {

using Value = std::variant<std::string, std::int32_t>;

class RegistryData {
public:
    // "SOFTWARE\\Brindle\" -> "SOFTWARE\Brindle": empty parts dropped.
    static std::string NormalisedPath(std::string_view key);

    static RegistryData Parse(std::string_view text);
    std::string Serialise() const;

    // The key itself or any key below it exists.
    bool HasKey(std::string_view key) const;
    // Creates the key when missing (the keys above it then exist through it).
    void CreateKey(std::string_view key);
    // Sets a value of an existing key; false when the key does not exist.
    bool Set(std::string_view key, std::string_view name, Value value);
    // The value, or nullopt when the key or the value is missing.
    std::optional<Value> Get(std::string_view key, std::string_view name) const;

private:
    struct Entry {
        std::string name;
        Value value;
    };
    struct Key {
        std::string path;
        std::vector<Entry> entries;
    };
    Key* FindKey(std::string_view normalisedPath);
    const Key* FindKey(std::string_view normalisedPath) const;

    std::vector<Key> keys_;
};

}  // namespace registry
