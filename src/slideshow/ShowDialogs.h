// The two windows that the show opens over itself: the help (F1) and the
// settings dialog (F2). While either is on screen the show stands still and
// draws nothing. Main thread only.
#pragma once

#include <functional>

class IShowDialogs {
public:
    using EnableWindow = std::function<void(bool Enabled)>;
    virtual bool AnyVisible() = 0;
    // Each returns when its window has been closed; `SetSlideshowEnabled`
    // switches the slideshow window off meanwhile and on again.
    virtual void ShowHelp(const EnableWindow& SetSlideshowEnabled) = 0;
    virtual void ShowSettings(const EnableWindow& SetSlideshowEnabled) = 0;

protected:
    ~IShowDialogs() = default;
};
