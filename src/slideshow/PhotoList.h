// The photo list: full paths of the pictures in show order, and the two
// operations that fill it from command-line arguments. Entries are only ever
// appended; the same path may appear more than once. Main thread only.
#pragma once

#include <string>
#include <vector>

using TPhotos = std::vector<std::string>;

enum class TAddPathResult { Accepted, Rejected };

// Appends the pictures one argument names: all pictures of a folder, or a
// picture file itself. Rejected (nothing added): a folder without pictures, a
// file with another extension. A path that does not exist adds nothing and is
// accepted.
TAddPathResult AddPath(TPhotos& Photos, const std::string& Path);

// The list a show starts with. When the first argument names neither an
// existing folder nor an existing file, none. A picture file given alone brings
// its whole folder; otherwise every argument adds its pictures, in order.
TPhotos PhotosFromArguments(const std::vector<std::string>& Arguments);

// The list position a show of Count photos starts at, from the stored one:
// -1 (none stored) and below start at the first photo, and a list that has
// shrunk starts at its last.
int FirstPosition(int LastIndex, int Count);

// Appends to `List` the pictures (.jpg, .jpeg, .bmp in any letter case) found
// by a folder search mask ("FOLDER/*"), each as the mask's folder part followed
// by the entry's name, in the order the directory returns them. Not
// recursive; sub-folders are never listed. A folder that cannot be read to its
// end adds nothing.
void CollectPictures(const std::string& Mask, TPhotos& List);

// Whether a file name ends in one of the picture extensions, in any letter case.
bool HasPictureExtension(const std::string& Name);
