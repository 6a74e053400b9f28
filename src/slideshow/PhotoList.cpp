#include "slideshow/PhotoList.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// From the last dot of the name (after the last '/'), dot included.
std::string Extension(const std::string& path) {
    std::size_t nameStart = path.rfind('/');
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return {};
    return path.substr(dot);
}

// The folder of a file with its trailing '/'; "./" for a bare file name.
std::string FolderOf(const std::string& file) {
    std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? "./" : file.substr(0, slash + 1);
}

}  // namespace

bool HasPictureExtension(const std::string& Name) {
    std::string extension = UpperCase(Extension(Name));
    return extension == ".BMP" || extension == ".JPG" || extension == ".JPEG";
}

void CollectPictures(const std::string& Mask, TPhotos& List) {
    std::string folder = Mask.substr(0, Mask.rfind('/') + 1);
    TPhotos found;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (HasPictureExtension(name) && !it->is_directory(typeError)) found.push_back(folder + name);
    }
    if (ec) return;
    List.insert(List.end(), found.begin(), found.end());
}

TAddPathResult AddPath(TPhotos& Photos, const std::string& Path) {
    std::error_code ec;
    if (fs::is_directory(Path, ec)) {
        TPhotos pictures;
        CollectPictures(Path + (Path.ends_with('/') ? "*" : "/*"), pictures);
        if (pictures.empty()) return TAddPathResult::Rejected;
        Photos.insert(Photos.end(), pictures.begin(), pictures.end());
    } else if (fs::exists(Path, ec)) {
        if (!HasPictureExtension(Path)) return TAddPathResult::Rejected;
        Photos.push_back(Path);
    }
    return TAddPathResult::Accepted;
}

TPhotos PhotosFromArguments(const std::vector<std::string>& Arguments) {
    TPhotos photos;
    std::error_code ec;
    const std::string first = Arguments.empty() ? std::string() : Arguments.front();
    const bool firstIsFolder = !first.empty() && fs::is_directory(first, ec);
    if (!firstIsFolder && (first.empty() || !fs::exists(first, ec))) return photos;
    if (Arguments.size() == 1 && !firstIsFolder) {
        AddPath(photos, FolderOf(first));
    } else {
        for (const auto& argument : Arguments) AddPath(photos, argument);
    }
    return photos;
}

int FirstPosition(int LastIndex, int Count) { return LastIndex < 0 ? 0 : std::min(LastIndex, Count - 1); }
