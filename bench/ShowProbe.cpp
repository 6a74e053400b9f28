// Runs one slideshow program (ours or another viewer) on the X display of
// $DISPLAY and watches the screen for its photos; the figures of
// bench/show_bench.sh come from here.
//
//   show_probe [--photos N] [--settle SECONDS] [--limit SECONDS] [--rss-at N,N...]
//              -- PROGRAM ARGS...
//
// Starts PROGRAM, waits until N photos have been on screen (the first one and
// N - 1 changes), waits SETTLE seconds more, reads the program's memory, then
// ends it with Escape held 150 ms (killed when it has not ended 15 s later).
// Prints key=value lines:
//   first_photo_s=  seconds from the start to the first photo on screen
//   photo=K t= rss_kib=   at each photo named by --rss-at (resident memory then)
//   peak_rss_kib= rss_kib=   VmHWM and VmRSS just before Escape
//   poll_ms=        mean time of one look at the screen (the resolution adds
//                   the 2 ms pause between looks)
//   end=exit CODE | killed
// Exit status 0 when every figure was taken, 1 otherwise (limit passed, the
// program ended or failed to start, no display).
//
// A photo is "on screen" when one of nine points around the screen's centre
// is neither black (the bare root window, or a viewer's own background) nor
// the show's dark grey 0x101010. A photo change is a new colour at one of the
// points, beyond what the drawing of one photo varies, seen on two looks in a
// row (so a frame read half-drawn does not count). The photos must therefore
// differ at those points and not be dark there; the script's photos do.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct Options {
    int photos = 1;
    double settle = 0;
    double limit = 120;
    std::set<int> rssAt;
    std::vector<char*> program;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options o;
    int i = 1;
    for (; i < argc && std::string(argv[i]) != "--"; ++i) {
        std::string name = argv[i];
        if (i + 1 >= argc) return std::nullopt;
        std::string value = argv[++i];
        if (name == "--photos") {
            o.photos = std::max(1, std::atoi(value.c_str()));
        } else if (name == "--settle") {
            o.settle = std::atof(value.c_str());
        } else if (name == "--limit") {
            o.limit = std::atof(value.c_str());
        } else if (name == "--rss-at") {
            std::istringstream list(value);
            for (std::string n; std::getline(list, n, ',');) o.rssAt.insert(std::atoi(n.c_str()));
        } else {
            return std::nullopt;
        }
    }
    for (++i; i < argc; ++i) o.program.push_back(argv[i]);
    if (o.program.empty()) return std::nullopt;
    o.program.push_back(nullptr);
    return o;
}

struct Rgb {
    int r, g, b;
};
constexpr int kPoints = 9;
using Look = std::array<Rgb, kPoints>;

int Distance(Rgb a, Rgb b) { return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)}); }

// Largest difference at any point.
int Distance(const Look& a, const Look& b) {
    int d = 0;
    for (int i = 0; i < kPoints; ++i) d = std::max(d, Distance(a[i], b[i]));
    return d;
}

bool IsBackground(Rgb c) { return Distance(c, {0, 0, 0}) <= 6 || Distance(c, {16, 16, 16}) <= 6; }

bool AnyPhoto(const Look& look) {
    return std::any_of(look.begin(), look.end(), [](Rgb c) { return !IsBackground(c); });
}

// Nine single pixels of the root window, one request each: far cheaper for the
// server than a larger image, so the watched program keeps the processor.
class ScreenPoints {
public:
    bool Open() {
        display_ = XOpenDisplay(nullptr);
        if (!display_) return false;
        root_ = DefaultRootWindow(display_);
        int w = DisplayWidth(display_, DefaultScreen(display_)), h = DisplayHeight(display_, DefaultScreen(display_));
        for (int i = 0; i < kPoints; ++i) points_[i] = {w / 2 + (i % 3 - 1) * w / 8, h / 2 + (i / 3 - 1) * h / 8};
        return true;
    }
    ~ScreenPoints() {
        if (display_) XCloseDisplay(display_);
    }

    Look Take() {
        auto start = Clock::now();
        Look look{};
        for (int i = 0; i < kPoints; ++i) {
            XImage* image = XGetImage(display_, root_, points_[i].first, points_[i].second, 1, 1, AllPlanes, ZPixmap);
            if (!image) continue;
            unsigned long p = XGetPixel(image, 0, 0);
            look[i] = {static_cast<int>((p >> 16) & 255), static_cast<int>((p >> 8) & 255), static_cast<int>(p & 255)};
            XDestroyImage(image);
        }
        spent_ += Clock::now() - start;
        ++looks_;
        return look;
    }
    double MeanLookMs() const { return looks_ ? Seconds(spent_) * 1000 / looks_ : 0; }

private:
    ::Display* display_ = nullptr;
    Window root_ = 0;
    std::array<std::pair<int, int>, kPoints> points_{};
    Clock::duration spent_{};
    long looks_ = 0;
};

long StatusKiB(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
    return -1;
}

pid_t Spawn(char* const* argv) {
    pid_t pid = 0;
    return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ) == 0 ? pid : -1;
}

// The status of a child that ends within the limit.
std::optional<int> WaitFor(pid_t pid, Clock::duration limit) {
    auto end = Clock::now() + limit;
    for (;;) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
        if (Clock::now() >= end) return std::nullopt;
        std::this_thread::sleep_for(5ms);
    }
}

void Xdotool(const char* action) {
    const char* argv[] = {"xdotool", action, "Escape", nullptr};
    pid_t pid = Spawn(const_cast<char* const*>(argv));
    if (pid > 0 && !WaitFor(pid, 5s)) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

volatile sig_atomic_t watched = 0;

// The watched program must not outlive the probe when the script is stopped.
void EndWatched(int signal) {
    if (watched > 0) kill(watched, SIGKILL);
    _exit(128 + signal);
}

class Watch {
public:
    Watch(const Options& options, ScreenPoints& screen) : options_(options), screen_(screen) {}

    // False when the limit passes or the program ends first.
    bool Run() {
        start_ = Clock::now();
        pid_ = Spawn(options_.program.data());
        if (pid_ <= 0) return Fail("cannot start " + std::string(options_.program[0]));
        watched = pid_;
        Look current{};
        std::optional<Look> candidate;
        Clock::time_point candidateTime;
        while (shown_ < options_.photos) {
            if (!Alive()) return false;
            Look look = screen_.Take();
            if (shown_ == 0) {
                if (AnyPhoto(look)) {
                    std::printf("first_photo_s=%.3f\n", Seconds(Clock::now() - start_));
                    current = look;
                    Shown(Clock::now());
                }
            } else if (Distance(look, current) <= 24) {
                candidate.reset();
            } else if (candidate && Distance(look, *candidate) <= 4) {
                current = look;
                Shown(candidateTime);
                candidate.reset();
            } else {
                candidate = look;
                candidateTime = Clock::now();
            }
            std::this_thread::sleep_for(2ms);
        }
        for (auto end = Clock::now() + std::chrono::duration<double>(options_.settle); Clock::now() < end;) {
            if (!Alive()) return false;
            std::this_thread::sleep_for(10ms);
        }
        std::printf("peak_rss_kib=%ld rss_kib=%ld\n", StatusKiB(pid_, "VmHWM"), StatusKiB(pid_, "VmRSS"));
        return true;
    }

    // Escape as a user presses it; the program is killed when it does not end.
    void End() {
        if (pid_ <= 0 || exited_) return;
        Xdotool("keydown");
        std::this_thread::sleep_for(150ms);
        Xdotool("keyup");
        if (auto status = WaitFor(pid_, 15s)) {
            std::printf("end=exit %d\n", *status);
        } else {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            std::printf("end=killed\n");
        }
        watched = 0;
    }

private:
    void Shown(Clock::time_point when) {
        ++shown_;
        if (options_.rssAt.count(shown_))
            std::printf("photo=%d t=%.2f rss_kib=%ld\n", shown_, Seconds(when - start_), StatusKiB(pid_, "VmRSS"));
        std::fflush(stdout);
    }

    bool Alive() {
        if (auto status = WaitFor(pid_, 0s)) {
            exited_ = true;
            watched = 0;
            return Fail("the program ended (status " + std::to_string(*status) + ") after " +
                        std::to_string(shown_) + " photos");
        }
        if (Seconds(Clock::now() - start_) > options_.limit)
            return Fail("limit of " + std::to_string(options_.limit) + " s passed after " + std::to_string(shown_) +
                        " photos");
        return true;
    }

    static bool Fail(const std::string& why) {
        std::fprintf(stderr, "show_probe: %s\n", why.c_str());
        return false;
    }

    const Options& options_;
    ScreenPoints& screen_;
    Clock::time_point start_;
    pid_t pid_ = -1;
    int shown_ = 0;
    bool exited_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    auto options = ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: show_probe [--photos N] [--settle S] [--limit S] [--rss-at N,N...] -- PROGRAM ARGS...\n");
        return 2;
    }
    ScreenPoints screen;
    if (!screen.Open()) {
        std::fprintf(stderr, "show_probe: cannot open the display %s\n", std::getenv("DISPLAY"));
        return 1;
    }
    signal(SIGINT, EndWatched);
    signal(SIGTERM, EndWatched);
    signal(SIGHUP, EndWatched);
    Watch watch(*options, screen);
    bool complete = watch.Run();
    watch.End();
    std::printf("poll_ms=%.2f\n", screen.MeanLookMs());
    return complete ? 0 : 1;
}
