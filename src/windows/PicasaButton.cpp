#include "windows/PicasaButton.h"

std::string PicasaButtonRequest(const std::string& executableFolder) {
    std::string folder = executableFolder;
    if (folder.empty() || folder.back() != '/') folder += '/';
    return "picasa://importbutton/?url=" + folder + "Lumetta.pbz";
}

void RequestPicasaButton(shell::IShell& shell, const std::string& executableFolder) {
    shell.Open(PicasaButtonRequest(executableFolder));
}
