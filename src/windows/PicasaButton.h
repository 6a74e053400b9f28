// The request that installs the program's button into Picasa: Picasa handles
// the "picasa:" scheme and imports the button that "Lumetta.pbz" beside the
// executable describes.
#pragma once

#include <string>

#include "platform/shell/Shell.h"

// "picasa://importbutton/?url=" + the executable's folder + "/Lumetta.pbz".
std::string PicasaButtonRequest(const std::string& executableFolder);

// Asks the shell to open that request; whether a handler took it is not known
// to the caller (the desktop's result is not examined).
void RequestPicasaButton(shell::IShell& shell, const std::string& executableFolder);
