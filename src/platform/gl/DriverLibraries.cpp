#include "DriverLibraries.h"

#include <dlfcn.h>
#include <link.h>

#include <string>

namespace gl {

void KeepDriverLibrariesLoaded() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            std::string name = info->dlpi_name ? info->dlpi_name : "";
            if (name.find("_dri.so") != std::string::npos || name.find("libLLVM") != std::string::npos ||
                name.find("libglapi") != std::string::npos)
                dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);  // the extra reference is kept
            return 0;
        },
        nullptr);
}

}  // namespace gl
