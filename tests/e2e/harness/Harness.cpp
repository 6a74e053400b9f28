#include "Harness.h"

// Qt before Xlib: Xlib defines macros (Status, Bool, None) that clash with Qt names.
#include <QImage>

#include <X11/Xlib.h>
#include <dirent.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace e2e {

bool WaitUntil(const std::function<bool()>& done, Millis limit, Millis step) {
    auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(step);
    }
}

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "lumetta-e2e-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests make folders read-only on purpose; give the rights back to remove them.
    for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        if (it->is_directory(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

namespace {

std::vector<char*> CStrings(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (auto& s : strings) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

std::vector<std::string> MergedEnvironment(const std::map<std::string, std::string>& overrides) {
    std::map<std::string, std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string entry(*e);
        auto eq = entry.find('=');
        if (eq != std::string::npos) env[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const auto& [k, v] : overrides) {
        if (v.empty())
            env.erase(k);
        else
            env[k] = v;
    }
    std::vector<std::string> out;
    for (const auto& [k, v] : env) out.push_back(k + "=" + v);
    return out;
}

int DecodeStatus(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status); }

}  // namespace

Process::Process(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                 const fs::path& outputDir) {
    static int counter = 0;
    out_ = outputDir / ("output-" + std::to_string(getpid()) + "-" + std::to_string(++counter) + ".txt");
    std::vector<std::string> args = argv;
    std::vector<std::string> envStrings = MergedEnvironment(env);
    auto cargs = CStrings(args);
    auto cenv = CStrings(envStrings);
    int fd = open(out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_ = fork();
    if (pid_ == 0) {
        if (fd >= 0) {
            dup2(fd, 1);
            dup2(fd, 2);
        }
        setpgid(0, 0);
        execve(cargs[0], cargs.data(), cenv.data());
        _exit(127);
    }
    if (fd >= 0) close(fd);
    if (pid_ < 0) throw std::runtime_error("fork failed");
}

Process::~Process() {
    if (Running()) Kill();
}

std::optional<int> Process::Wait(Millis limit) {
    WaitUntil([this] { return !Running(); }, limit, 20ms);
    return status_;
}

bool Process::Running() {
    if (status_) return false;
    int status = 0;
    pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_) status_ = DecodeStatus(status);
    return !status_;
}

void Process::Kill() {
    if (!Running()) return;
    kill(pid_, SIGKILL);
    int status = 0;
    if (waitpid(pid_, &status, 0) == pid_) status_ = DecodeStatus(status);
}

std::string Process::Output() const {
    std::ifstream in(out_);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Process::WaitForOutput(const std::string& text, Millis limit) const {
    return WaitUntil([&] { return Output().find(text) != std::string::npos; }, limit);
}

Display::Display(int width, int height) : width_(width), height_(height) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    pid_ = fork();
    if (pid_ == 0) {
        close(fds[0]);
        int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               "-noreset", "+extension", "GLX", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    auto end = std::chrono::steady_clock::now() + 20s;
    while (number.empty() || number.back() != '\n') {
        auto left = std::chrono::duration_cast<Millis>(end - std::chrono::steady_clock::now()).count();
        if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0) break;
        char c;
        if (read(fds[0], &c, 1) != 1) break;
        number += c;
    }
    close(fds[0]);
    if (number.empty() || number.back() != '\n') {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        throw std::runtime_error("Xvfb did not start");
    }
    number.pop_back();
    name_ = ":" + number;
}

Display::~Display() {
    kill(pid_, SIGTERM);
    bool ended = WaitUntil([this] { return waitpid(pid_, nullptr, WNOHANG) == pid_; }, 5s, 20ms);
    if (!ended) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool Near(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

namespace {
// The shift that moves a channel given by its mask down to bit 0.
int ShiftOf(unsigned long mask) {
    int s = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++s;
    }
    return s;
}
}  // namespace

Screenshot Screenshot::Grab(const Display& display) {
    ::Display* x = XOpenDisplay(display.name().c_str());
    if (!x) throw std::runtime_error("cannot open display " + display.name());
    Window root = DefaultRootWindow(x);
    XWindowAttributes attrs;
    XGetWindowAttributes(x, root, &attrs);
    XImage* image = XGetImage(x, root, 0, 0, attrs.width, attrs.height, AllPlanes, ZPixmap);
    Screenshot shot;
    if (image) {
        shot.width_ = attrs.width;
        shot.height_ = attrs.height;
        shot.pixels_.resize(static_cast<size_t>(attrs.width) * attrs.height);
        int rs = ShiftOf(image->red_mask), gs = ShiftOf(image->green_mask), bs = ShiftOf(image->blue_mask);
        for (int y = 0; y < attrs.height; ++y)
            for (int x0 = 0; x0 < attrs.width; ++x0) {
                unsigned long p = XGetPixel(image, x0, y);
                shot.pixels_[static_cast<size_t>(y) * attrs.width + x0] = {
                    static_cast<std::uint8_t>((p & image->red_mask) >> rs),
                    static_cast<std::uint8_t>((p & image->green_mask) >> gs),
                    static_cast<std::uint8_t>((p & image->blue_mask) >> bs)};
            }
        XDestroyImage(image);
    }
    XCloseDisplay(x);
    if (!image) throw std::runtime_error("cannot read the screen of " + display.name());
    return shot;
}

Rgb Screenshot::At(int x, int y) const { return pixels_.at(static_cast<size_t>(y) * width_ + x); }

bool Screenshot::SavePng(const fs::path& file) const {
    QImage image(width_, height_, QImage::Format_RGB888);
    for (int y = 0; y < height_; ++y)
        std::memcpy(image.scanLine(y), &pixels_[static_cast<size_t>(y) * width_], static_cast<size_t>(width_) * 3);
    return image.save(QString::fromStdString(file.string()), "PNG");
}

Screenshot::Box Screenshot::BoundsOfNot(Rgb background, int tolerance) const {
    Box box{width_, height_, -1, -1};
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (!Near(At(x, y), background, tolerance)) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

void Input::Run(const std::vector<std::string>& args) const {
    std::vector<std::string> argv = {"/usr/bin/xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    Process p(argv, {{"DISPLAY", display_}}, fs::temp_directory_path());
    if (p.Wait(10s) != 0) throw std::runtime_error("xdotool failed: " + p.Output());
}

void Input::Press(const std::string& key, Millis hold) const {
    KeyDown(key);
    std::this_thread::sleep_for(hold);
    KeyUp(key);
}
void Input::KeyDown(const std::string& key) const { Run({"keydown", key}); }
void Input::KeyUp(const std::string& key) const { Run({"keyup", key}); }
void Input::MoveMouse(int x, int y) const { Run({"mousemove", std::to_string(x), std::to_string(y)}); }
void Input::Click(int button, Millis hold) const {
    ButtonDown(button);
    std::this_thread::sleep_for(hold);
    ButtonUp(button);
}
void Input::ButtonDown(int button) const { Run({"mousedown", std::to_string(button)}); }
void Input::ButtonUp(int button) const { Run({"mouseup", std::to_string(button)}); }

bool Input::IsDown(const std::string& key) const {
    ::Display* x = XOpenDisplay(display_.c_str());
    if (!x) throw std::runtime_error("cannot open display " + display_);
    char keys[32];
    XQueryKeymap(x, keys);
    KeyCode code = XKeysymToKeycode(x, XStringToKeysym(key.c_str()));
    XCloseDisplay(x);
    return code != 0 && (keys[code / 8] & (1 << (code % 8)));
}

std::optional<std::string> Input::WaitForWindow(const std::string& title, Millis limit) const {
    std::string id;
    WaitUntil(
        [&] {
            Process p({"/usr/bin/xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"},
                      {{"DISPLAY", display_}}, fs::temp_directory_path());
            if (p.Wait(10s) != 0) return false;
            std::string out = p.Output();
            id = out.substr(0, out.find('\n'));
            return !id.empty();
        },
        limit, 100ms);
    if (id.empty()) return std::nullopt;
    return id;
}

void Input::Focus(const std::string& windowId) const { Run({"windowfocus", "--sync", windowId}); }

FolderWatch::FolderWatch() : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (fd_ < 0) throw std::runtime_error("inotify_init1 failed");
}

FolderWatch::~FolderWatch() { close(fd_); }

void FolderWatch::Watch(const fs::path& folder) {
    int wd = inotify_add_watch(fd_, folder.c_str(),
                               IN_OPEN | IN_CREATE | IN_MODIFY | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO);
    if (wd < 0) throw std::runtime_error("cannot watch " + folder.string());
    folders_[wd] = folder;
}

std::vector<std::string> FolderWatch::Touched() {
    std::vector<std::string> names;
    alignas(inotify_event) char buffer[8192];
    for (;;) {
        ssize_t n = read(fd_, buffer, sizeof buffer);
        if (n <= 0) break;
        for (char* p = buffer; p < buffer + n;) {
            auto* event = reinterpret_cast<inotify_event*>(p);
            if (event->len > 0) names.push_back((folders_[event->wd] / event->name).string());
            p += sizeof(inotify_event) + event->len;
        }
    }
    return names;
}

namespace {
sockaddr_un SocketAddress(const fs::path& file) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (file.string().size() >= sizeof address.sun_path) throw std::runtime_error("socket path too long");
    std::strcpy(address.sun_path, file.c_str());
    return address;
}
}  // namespace

void MakeStaleSocket(const fs::path& file) {
    sockaddr_un address = SocketAddress(file);
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    bool bound = fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) close(fd);
    if (!bound) throw std::runtime_error("cannot bind " + file.string());
}

bool SocketListens(const fs::path& file) {
    sockaddr_un address = SocketAddress(file);
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    bool connected = fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) close(fd);
    return connected;
}

namespace {
// An environment variable, or the value the build gave the harness.
std::string Setting(const char* name, const char* builtIn) {
    const char* value = std::getenv(name);
    return value && *value ? value : builtIn;
}
}  // namespace

std::string HandOffReceiverBinary() { return Setting("LUMETTA_HANDOFF_RECEIVER", LUMETTA_BUILT_HANDOFF_RECEIVER); }

Installation::Installation() {
    std::string binary = Setting("LUMETTA_BINARY", LUMETTA_BUILT_BINARY);
    std::error_code ec;
    fs::create_hard_link(binary, this->binary(), ec);
    if (ec) fs::copy_file(binary, this->binary());
}

std::map<std::string, std::string> ProgramEnvironment(const Display& display, const TempDir& home) {
    fs::create_directories(home / "config");
    fs::create_directories(home / "runtime");
    fs::permissions(home / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    std::map<std::string, std::string> env = {
        {"DISPLAY", display.name()},
        {"HOME", home.path().string()},
        {"XDG_CONFIG_HOME", (home / "config").string()},
        {"XDG_RUNTIME_DIR", (home / "runtime").string()},
        {"QT_QPA_PLATFORM", "xcb"},
        {"LIBGL_ALWAYS_SOFTWARE", "1"},
        {"WAYLAND_DISPLAY", ""},
        {"DBUS_SESSION_BUS_ADDRESS", ""},
    };
    env["LSAN_OPTIONS"] =
        "suppressions=" + Setting("LUMETTA_LSAN_SUPPRESSIONS", LUMETTA_BUILT_LSAN_SUPPRESSIONS) + ":print_suppressions=0";
    return env;
}

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

std::vector<std::string> DirectoryOrder(const fs::path& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return names;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
    return names;
}

void WriteSolidBmp(const fs::path& file, int width, int height, Rgb colour) {
    int stride = (width * 3 + 3) & ~3;
    std::uint32_t dataSize = static_cast<std::uint32_t>(stride) * height;
    std::vector<std::uint8_t> b(54 + dataSize, 0);
    auto put32 = [&](size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<std::uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    put32(34, dataSize);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            size_t at = 54 + static_cast<size_t>(y) * stride + x * 3;
            b[at] = colour.b;
            b[at + 1] = colour.g;
            b[at + 2] = colour.r;
        }
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
}

fs::path ArtifactFolder() {
    fs::path dir = Setting("LUMETTA_E2E_ARTIFACTS", LUMETTA_BUILT_E2E_ARTIFACTS);
    fs::create_directories(dir);
    return dir;
}

}  // namespace e2e
