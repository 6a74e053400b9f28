#include "startup/HandOffRecord.h"

namespace handoff {

std::vector<char> PackArguments(const std::vector<std::string>& args) {
    std::size_t size = 1;
    for (const auto& a : args) size += a.size() + 1;
    std::vector<char> packed;
    packed.reserve(size);
    for (const auto& a : args) {
        packed.insert(packed.end(), a.begin(), a.end());
        packed.push_back('\0');
    }
    packed.push_back('\0');
    return packed;
}

std::optional<std::vector<std::string>> UnpackArguments(std::string_view packed) {
    std::vector<std::string> args;
    std::size_t pos = 0;
    while (pos < packed.size()) {
        if (packed[pos] == '\0') return args;  // the empty string ends the list
        std::size_t end = packed.find('\0', pos);
        if (end == std::string_view::npos) break;
        args.emplace_back(packed.substr(pos, end - pos));
        pos = end + 1;
    }
    return std::nullopt;
}

}  // namespace handoff
