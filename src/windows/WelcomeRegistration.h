// What a start without arguments records: the program's folder under
// "SOFTWARE\Brindle\Lumetta" ("Directory", rewritten at every such start so it
// follows the program when it is moved) and, once per machine where Picasa is
// installed, the request for the program's Picasa button, remembered in
// "ButtonInPicasa".
#pragma once

#include <optional>
#include <string>

#include "platform/registry/Registry.h"
#include "platform/shell/Shell.h"

inline constexpr char kLumettaKey[] = "SOFTWARE\\Brindle\\Lumetta";
inline constexpr char kPicasaKey[] = "SOFTWARE\\Google\\Picasa";
inline constexpr char kDirectoryValue[] = "Directory";
inline constexpr char kButtonInPicasaValue[] = "ButtonInPicasa";

struct WelcomeRegistration {
    bool buttonRequested = false;
    // Set when the button was requested but "ButtonInPicasa" could not be
    // stored: the user is told, since the request will be made again next time.
    std::optional<std::string> storeError;
};

// Failures while recording "Directory" or reading the flag are ignored (the
// flag then counts as not set). `executableFolder` may end in a slash.
WelcomeRegistration RegisterProgram(registry::IRegistry& registry, shell::IShell& shell,
                                    const std::string& executableFolder);
