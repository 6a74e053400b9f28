#include "windows/WelcomeRegistration.h"

#include "windows/PicasaButton.h"

using registry::RegistryResult;

namespace {

std::string WithoutTrailingSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

// Records the folder and tells whether the button has been requested before.
bool RecordFolder(registry::IRegistry& registry, const std::string& folder) {
    if (registry.OpenKey(kLumettaKey, true) != RegistryResult::kOk) return false;
    registry.WriteString(kLumettaKey, kDirectoryValue, folder);
    auto flag = registry.ReadInteger(kLumettaKey, kButtonInPicasaValue);
    return flag.ok() && flag.value != 0;
}

}  // namespace

WelcomeRegistration RegisterProgram(registry::IRegistry& registry, shell::IShell& shell,
                                    const std::string& executableFolder) {
    std::string folder = WithoutTrailingSlash(executableFolder);
    WelcomeRegistration outcome;
    if (RecordFolder(registry, folder) || !registry.KeyExists(kPicasaKey)) return outcome;

    RequestPicasaButton(shell, folder);
    outcome.buttonRequested = true;
    RegistryResult stored = registry.OpenKey(kLumettaKey, true);
    if (stored == RegistryResult::kOk) stored = registry.WriteInteger(kLumettaKey, kButtonInPicasaValue, 1);
    if (stored != RegistryResult::kOk)
        outcome.storeError = std::string("Cannot store ") + kButtonInPicasaValue + " under HKEY_LOCAL_MACHINE\\" +
                             kLumettaKey + ": " + registry::Describe(stored) + ".";
    return outcome;
}
