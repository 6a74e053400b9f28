// The song folders beside the executable and the file work on them: "music"
// holds the songs that play, "music/disabled" the ones the user took out.
// Only "*.mp3" files count (the extension in any letter case, as the mask
// matches on the system the folders come from). Neither folder is created.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

std::filesystem::path MusicFolder(const std::filesystem::path& programFolder);
std::filesystem::path DisabledMusicFolder(const std::filesystem::path& programFolder);

// The names of the folder's songs, sorted without regard to letter case (ties
// in byte order). Empty when the folder is missing or unreadable.
std::vector<std::string> ListSongs(const std::filesystem::path& folder);

// The folder, a '/' unless the folder already ends in one, and the name.
std::string SongPath(const std::string& folder, const std::string& name);

// Moves a file into `folder` under its own name. A file of that name already
// there is kept and the move does not happen; failures are not reported, the
// folders show what happened.
void MoveSongTo(const std::filesystem::path& file, const std::filesystem::path& folder);

// Copies a file into `folder` under its own name, replacing a file of that
// name. Failures are not reported.
void CopySongTo(const std::filesystem::path& file, const std::filesystem::path& folder);
