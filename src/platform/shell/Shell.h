// The desktop's "Open": hands a web address, a request of another program's
// scheme ("picasa:...") or a file to whatever the desktop has registered for it
// (browser, scheme handler, file opener).
//
// Contract:
// - Main thread only (the desktop services belong to the GUI thread).
// - Returns at once; the handler runs in its own process and is never waited for.
// - Never throws. The result says only whether the desktop accepted the
//   request (a handler was found and started); callers that have nothing to
//   tell the user may ignore it.
#pragma once

#include <string>

namespace shell {

class IShell {
public:
    virtual ~IShell() = default;

    // `target` is an address with a scheme ("https://...", "picasa://...") or
    // an absolute file path ("/home/me/setup.run").
    virtual bool Open(const std::string& target) = 0;
};

}  // namespace shell
