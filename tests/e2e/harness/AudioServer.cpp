#include "AudioServer.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace e2e {

namespace {

// Whether a client can connect to the daemon's socket.
bool Accepts(const fs::path& socketFile) {
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::string path = socketFile.string();
    if (path.size() >= sizeof(address.sun_path)) {
        close(fd);
        return false;
    }
    path.copy(address.sun_path, path.size());
    bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    close(fd);
    return connected;
}

void Put16(std::vector<char>& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::vector<char>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void WriteToneWav(const fs::path& file, Millis length) {
    const std::uint32_t rate = 22050;
    const auto samples = static_cast<std::uint32_t>(rate * length.count() / 1000);
    std::vector<char> out;
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    Put32(out, 36 + samples * 2);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, rate);
    Put32(out, rate * 2);
    Put16(out, 2);
    Put16(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    Put32(out, samples * 2);
    for (std::uint32_t i = 0; i < samples; ++i)
        Put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * 440 * i / rate))));
    std::ofstream(file, std::ios::binary).write(out.data(), static_cast<std::streamsize>(out.size()));
}

}  // namespace

AudioServer::AudioServer() {
    fs::path runtime = dir_ / "runtime", socketFile = dir_ / "native";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    address_ = "unix:" + socketFile.string();
    daemon_ = std::make_unique<Process>(
        std::vector<std::string>{"/usr/bin/pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                                 "--disable-shm=yes", "--use-pid-file=no", "--log-target=stderr",
                                 "-L", "module-null-sink sink_name=lumetta_test_sink",
                                 "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + socketFile.string()},
        std::map<std::string, std::string>{{"HOME", dir_.path().string()},
                                           {"XDG_RUNTIME_DIR", runtime.string()},
                                           {"PULSE_RUNTIME_PATH", (runtime / "pulse").string()},
                                           {"XDG_CONFIG_HOME", (dir_ / "config").string()},
                                           {"DBUS_SESSION_BUS_ADDRESS", ""},
                                           {"DISPLAY", ""},
                                           {"PULSE_SERVER", ""}},
        dir_.path());
    bool ready = WaitUntil([&] { return !daemon_->Running() || Accepts(socketFile); }, 20s);
    if (!ready || !daemon_->Running())
        throw std::runtime_error("the sound server did not start: " + daemon_->Output());
}

AudioServer::~AudioServer() { daemon_.reset(); }

void AudioServer::UseInThisProcess() const { setenv("PULSE_SERVER", address_.c_str(), 1); }

void WriteToneMp3(const fs::path& file, Millis length) {
    TempDir work;
    fs::path wav = work / "tone.wav";
    WriteToneWav(wav, length);
    Process lame({"/usr/bin/lame", "--quiet", wav.string(), file.string()}, {}, work.path());
    if (lame.Wait(30s) != 0) throw std::runtime_error("lame failed: " + lame.Output());
}

}  // namespace e2e
