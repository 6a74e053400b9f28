// The program's entry. Each start takes one of three roads: it hands its
// command line to a show that is already running and ends, shows the welcome
// window (no arguments), or runs a show of its own.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/instance/InstanceChannel.h"

// Sends the packed arguments as a copy-data record; true exactly when the
// running instance answers 1.
bool SendCommandLine(instance::IRunningInstance& Window, const std::vector<std::string>& Arguments);

// Without arguments the hand-off is done at once; otherwise it is done when
// SendCommandLine succeeds. A done hand-off then brings the running instance
// to the front. Returns whether the hand-off is done.
bool HandOffToInstance(instance::IRunningInstance& Window, const std::vector<std::string>& Arguments);

// False when a running instance took over this start (the process must end
// without creating a window or touching a settings file).
bool CanStart(instance::IInstanceLocator& Locator, const std::vector<std::string>& Arguments);

// FOLDER/Lumetta/settings.txt when the first argument names a folder (a
// trailing '/' is accepted), otherwise settings.txt beside the executable.
std::string OwnSettingsFileName(const std::vector<std::string>& Arguments,
                                const std::filesystem::path& ExecutableFolder);

int RunLumetta(int argc, char** argv);
