#include "platform/registry/IniRegistry.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

namespace registry {

namespace fs = std::filesystem;

fs::path DefaultRegistryFile() {
    fs::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && fs::path(xdg).is_absolute()) {
        config = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) {
            const passwd* user = getpwuid(getuid());
            home = user ? user->pw_dir : "/";
        }
        config = fs::path(home) / ".config";
    }
    return config / "Lumetta" / "registry.ini";
}

IniRegistry::IniRegistry(fs::path file) : file_(std::move(file)) {}

std::optional<RegistryData> IniRegistry::Load() {
    std::error_code ec;
    fs::file_status status = fs::status(file_, ec);
    if (status.type() == fs::file_type::not_found) return RegistryData();
    if (ec || status.type() != fs::file_type::regular) return std::nullopt;
    std::ifstream in(file_, std::ios::binary);
    if (!in) return std::nullopt;
    std::stringstream text;
    text << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return RegistryData::Parse(text.str());
}

bool IniRegistry::Save(const RegistryData& data) {
    std::error_code ec;
    fs::create_directories(file_.parent_path(), ec);
    if (ec) return false;
    fs::path temporary = file_;
    temporary += ".new-" + std::to_string(getpid());
    std::string text = "; Lumetta registry: keys under HKEY_LOCAL_MACHINE\n" + data.Serialise();
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            fs::remove(temporary, ec);
            return false;
        }
    }
    fs::rename(temporary, file_, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

}  // namespace registry
