#include "DriverLibraries.h"

#include <dlfcn.h>
#include <link.h>

#include <string>
#include <vector>

namespace gl {
namespace {

bool IsDriverLibrary(const std::string& name) {
    return name.find("_dri.so") != std::string::npos || name.find("libLLVM") != std::string::npos ||
           name.find("libglapi") != std::string::npos;
}

}  // namespace

void KeepDriverLibrariesLoaded() {
    // The walk over the loaded objects holds the loader's list lock, and
    // dlopen takes the loader's own lock before that one: a dlopen from inside
    // the walk deadlocks against any other thread that is loading a library
    // (Qt loads its plugins on the main thread while the driver warms up on
    // another). So the names are gathered first and opened after the walk.
    std::vector<std::string> names;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* found) {
            std::string name = info->dlpi_name ? info->dlpi_name : "";
            if (IsDriverLibrary(name)) static_cast<std::vector<std::string>*>(found)->push_back(name);
            return 0;
        },
        &names);
    for (const std::string& name : names)
        dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);  // the extra reference is kept
}

}  // namespace gl
