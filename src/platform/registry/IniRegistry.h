// The registry kept in an INI file (format in RegistryData.h). Every operation
// reads the file afresh and every change rewrites it whole through a temporary
// file and a rename, so a crash never leaves half a file and other processes
// see each change at once (the last writer wins). A missing file is an empty
// registry; the file and its folder are created by the first change.
#pragma once

#include <filesystem>

#include "platform/registry/StoredRegistry.h"

namespace registry {

// $XDG_CONFIG_HOME/Lumetta/registry.ini, with ~/.config for an unset or
// relative XDG_CONFIG_HOME.
std::filesystem::path DefaultRegistryFile();

class IniRegistry final : public StoredRegistry {
public:
    explicit IniRegistry(std::filesystem::path file = DefaultRegistryFile());
    const std::filesystem::path& file() const { return file_; }

protected:
    std::optional<RegistryData> Load() override;
    bool Save(const RegistryData& data) override;

private:
    std::filesystem::path file_;
};

}  // namespace registry
