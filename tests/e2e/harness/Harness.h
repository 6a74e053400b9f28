// End-to-end harness: a private Xvfb display, the real lumetta binary in a
// temporary install folder, key presses through xdotool, screenshots.
// Every wait here has a time limit.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;
namespace fs = std::filesystem;

// Polls `done` every `step` until it holds or `limit` has passed.
bool WaitUntil(const std::function<bool()>& done, Millis limit, Millis step = 50ms);

// A folder under the system's temporary folder, removed with its contents.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

// A child process with its output kept in files.
class Process {
public:
    Process(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
            const fs::path& outputDir);
    ~Process();  // kills the process when it still runs
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // The exit code, or -signal when killed by a signal; nullopt on time-out.
    std::optional<int> Wait(Millis limit);
    bool Running();
    void Kill();
    int pid() const { return pid_; }
    std::string Output() const;  // stdout and stderr so far
    // Waits until the output holds `text`; false when it does not within `limit`.
    bool WaitForOutput(const std::string& text, Millis limit) const;

private:
    int pid_ = -1;
    std::optional<int> status_;
    fs::path out_;
};

// An Xvfb server on a free display number, with GLX (Mesa).
class Display {
public:
    explicit Display(int width = 1024, int height = 768);
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;
    const std::string& name() const { return name_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    std::string name_;
    int width_, height_;
    int pid_ = -1;
};

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

// Whether two colours differ by at most `tolerance` in every channel.
bool Near(Rgb a, Rgb b, int tolerance = 8);

class Screenshot {
public:
    static Screenshot Grab(const Display& display);
    int width() const { return width_; }
    int height() const { return height_; }
    Rgb At(int x, int y) const;
    // Saves as PNG (for a person to look at); returns false on failure.
    bool SavePng(const fs::path& file) const;
    // The bounding box of the pixels that are not near `background`.
    struct Box {
        int left, top, right, bottom;  // inclusive; empty when right < left
        int width() const { return right - left + 1; }
        int height() const { return bottom - top + 1; }
    };
    Box BoundsOfNot(Rgb background, int tolerance = 8) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<Rgb> pixels_;
};

// Input as a person gives it, through xdotool on the display.
class Input {
public:
    explicit Input(const Display& display) : display_(display.name()) {}
    // Presses `key` (an X keysym name such as "Right", "space", "Escape", "r")
    // and holds it for `hold` before releasing.
    void Press(const std::string& key, Millis hold = 150ms) const;
    void KeyDown(const std::string& key) const;
    void KeyUp(const std::string& key) const;
    void MoveMouse(int x, int y) const;
    void Click(int button, Millis hold = 150ms) const;
    void ButtonDown(int button) const;
    void ButtonUp(int button) const;
    // Whether the X server sees the key down right now.
    bool IsDown(const std::string& key) const;
    // The id of a mapped window whose title is `title`, waiting up to `limit`
    // for it to appear; nullopt when none did.
    std::optional<std::string> WaitForWindow(const std::string& title, Millis limit) const;
    // Gives the keyboard focus to a window (there is no window manager).
    void Focus(const std::string& windowId) const;

private:
    void Run(const std::vector<std::string>& args) const;
    std::string display_;
};

// A folder that holds a copy of the program under test, so that the files it
// keeps beside its executable (settings.txt, music/) belong to this test alone.
class Installation {
public:
    Installation();
    const fs::path& folder() const { return dir_.path(); }
    fs::path binary() const { return dir_.path() / "lumetta"; }

private:
    TempDir dir_;
};

// The stand-in running show of the hand-off tests ($LUMETTA_HANDOFF_RECEIVER
// or the one built in this tree).
std::string HandOffReceiverBinary();

// Environment for the program: the display, a private configuration and runtime
// folder, the xcb platform and software OpenGL.
std::map<std::string, std::string> ProgramEnvironment(const Display& display, const TempDir& home);

// Records what happens to the entries of some folders (Linux inotify): opened,
// created, changed, removed or renamed, by entry name.
class FolderWatch {
public:
    FolderWatch();
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;
    void Watch(const fs::path& folder);
    // The events seen so far, as "folder/name" of the entries concerned.
    std::vector<std::string> Touched();

private:
    int fd_ = -1;
    std::map<int, fs::path> folders_;
};

// A socket file that nobody listens at, as a process that crashed leaves it.
void MakeStaleSocket(const fs::path& file);

// Whether a process listens at a local socket file.
bool SocketListens(const fs::path& file);

// The private runtime folder ProgramEnvironment gives the program.
inline fs::path RuntimeFolder(const TempDir& home) { return home / "runtime"; }

// The bytes of a file ("" when it cannot be read).
std::string ReadFile(const fs::path& file);
// Writes `text` to `file`, creating its folders.
void WriteFile(const fs::path& file, const std::string& text);
// The entry names of a folder in the order the directory returns them
// (readdir, without "." and "..").
std::vector<std::string> DirectoryOrder(const fs::path& folder);

// Writes a BMP file of one colour (24-bit, bottom-up); pictures for the tests
// that need no codec of the program.
void WriteSolidBmp(const fs::path& file, int width, int height, Rgb colour);

// Where tests keep screenshots for people to look at: $LUMETTA_E2E_ARTIFACTS or
// the build tree's e2e-artifacts folder.
fs::path ArtifactFolder();

}  // namespace e2e
