// The songs that random play draws from and from which one song can be
// selected: the names of the music folder's songs, in sorted order, with at
// most one entry selected. The settings dialog's left-hand list is one.
#pragma once

#include <string>

class IMusicList {
public:
    virtual ~IMusicList() = default;
    virtual int Count() const = 0;
    // The name (without folder) of entry `index`, 0 <= index < Count().
    virtual std::string Name(int index) const = 0;
    // Selects entry `index`, 0 <= index < Count(), without playing it.
    virtual void Select(int index) = 0;
    // The folder, a '/' unless the folder ends in one, and the selected name;
    // empty when nothing is selected.
    virtual std::string SelectedPath() const = 0;
};
