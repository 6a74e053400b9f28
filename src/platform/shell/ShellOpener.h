// Hands a web address, a scheme request ("picasa:...") or a file to the
// desktop, which opens it with its own handler (a browser, the scheme's
// registered program, the file's opener). Pure C++ consumer header.
//
// Main thread only. Whether the desktop managed to open it is not reported:
// callers ignore the result.
#pragma once

#include <string>

namespace shell {

class IShellOpener {
public:
    virtual ~IShellOpener() = default;
    // `target` is a URL with its scheme, or an absolute file path.
    virtual void Open(const std::string& target) = 0;
};

}  // namespace shell
