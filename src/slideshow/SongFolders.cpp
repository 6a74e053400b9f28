#include "slideshow/SongFolders.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsSongName(const fs::path& path) { return Lower(path.extension().string()) == ".mp3"; }

bool SortedBefore(const std::string& a, const std::string& b) {
    std::string la = Lower(a), lb = Lower(b);
    return la != lb ? la < lb : a < b;
}

}  // namespace

fs::path MusicFolder(const fs::path& programFolder) { return programFolder / "music"; }

fs::path DisabledMusicFolder(const fs::path& programFolder) { return programFolder / "music" / "disabled"; }

std::vector<std::string> ListSongs(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && IsSongName(it->path())) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end(), SortedBefore);
    return names;
}

std::string SongPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

void MoveSongTo(const fs::path& file, const fs::path& folder) {
    fs::path target = folder / file.filename();
    std::error_code error;
    // rename would replace an existing target; the target must be kept.
    if (fs::exists(target, error) || error || !fs::is_regular_file(file, error)) return;
    fs::rename(file, target, error);
    if (error == std::errc::cross_device_link && fs::copy_file(file, target, fs::copy_options::none, error))
        fs::remove(file, error);
}

void CopySongTo(const fs::path& file, const fs::path& folder) {
    std::error_code error;
    fs::copy_file(file, folder / file.filename(), fs::copy_options::overwrite_existing, error);
}
