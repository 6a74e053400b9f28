// What the slide cycle and its commands need from the window and the system,
// as small interfaces so that a whole show runs against fakes at full speed.
// Every operation is called on the main thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/input/SystemKeys.h"
#include "slideshow/RandomSource.h"

// The slideshow window and the application around it.
class IShowHost {
public:
    // Seconds of a steady clock; only differences are used.
    virtual double Seconds() = 0;
    virtual void Sleep(int Milliseconds) = 0;
    // Serves the window events that are pending (paint, the hand-off of a
    // second start, music notifications, the dialogs), then returns.
    virtual void ProcessMessages() = 0;

    virtual bool WindowVisible() = 0;
    // Shows the window over the whole screen and gives it the focus.
    virtual void ShowWindow() = 0;
    // The pointer at the right edge: the window is raised and activated, so
    // that a window that covered it falls behind.
    virtual void ReactivateWindow() = 0;
    // The help window or the settings dialog is on screen: frames draw nothing.
    virtual bool DialogVisible() = 0;
    // F1 and F2: return when the window has been closed again; the
    // slideshow window is disabled meanwhile.
    virtual void ShowHelp() = 0;
    virtual void ShowSettings() = 0;
    // Takes effect when control returns to the message loop.
    virtual void RequestEndOfApplication() = 0;

    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;

protected:
    ~IShowHost() = default;
};

// The navigation overlay: shows which jump the release of a held key or button
// will make. Each Show call shows its arrow at once (it serves the overlay's
// own paint events).
class INavigationOverlay {
public:
    virtual void ShowForward() = 0;
    virtual void ShowFastForward() = 0;
    virtual void ShowBackward() = 0;
    virtual void ShowFastBackward() = 0;
    virtual void CloseOverlay() = 0;

protected:
    ~INavigationOverlay() = default;
};

// The show's music. The player exists from BeginShow to EndShow.
class IShowMusic {
public:
    virtual void BeginShow() = 0;
    virtual void EndShow() = 0;
    // May throw the player's error (a song that cannot be opened or played).
    virtual void StartMusic() = 0;
    virtual void ToggleMusic() = 0;

protected:
    ~IShowMusic() = default;
};

// The picture files of the list.
class IPictureFiles {
public:
    struct Size {
        std::uint16_t Width;
        std::uint16_t Height;
    };
    // The picture's size as it is shown; nullopt when the file cannot be read
    // as a picture or a side exceeds 65535.
    virtual std::optional<Size> ReadPictureSize(const std::string& Path) = 0;
    // Turns the picture file on disk by a quarter turn. Throws std::runtime_error
    // with a readable message when the file cannot be read or written; the file
    // is then unchanged.
    virtual void RotatePictureFile(const std::string& Path, bool Clockwise) = 0;

protected:
    ~IPictureFiles() = default;
};

// Everything the slide cycle and its commands reach outside the engine.
struct TShowServices {
    IShowHost& Host;
    IShowMusic& Music;
    INavigationOverlay& Overlay;
    SystemKeys& Keys;
    IPictureFiles& Pictures;
    IRandomSource& Random;
};
