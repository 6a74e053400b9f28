// Whole-file reads and replacing writes for the small text files the program keeps.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace textfile {

// The bytes of a regular file; nullopt when it is missing, not a regular file
// (a folder, a pipe) or cannot be read.
std::optional<std::string> Read(const std::filesystem::path& file);

// Replaces `file` with `content`. The bytes go to a temporary file in the same
// folder first, which is renamed over `file` only when all of them reached the
// disk, so a full disk or a read-only folder leaves the previous file as it
// was. Returns false on any failure.
bool Replace(const std::filesystem::path& file, const std::string& content);

}  // namespace textfile
