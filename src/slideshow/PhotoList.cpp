#include "slideshow/PhotoList.h"

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
