#include "startup/UStartup.h"

#include <QApplication>
#include <QLocale>
#include <cstdlib>
#include <optional>

#include "entry_points.h"
#include "kelDX8.h"
#include "platform/download/QtDownloader.h"
#include "platform/gl/DecodeAhead.h"
#include "platform/gl/GlDirect3D.h"
#include "platform/gl/XScreenSize.h"
#include "platform/input/XDirectInput.h"
#include "platform/input/XSystemKeys.h"
#include "platform/instance/LocalSocketLocator.h"
#include "platform/instance/LocalSocketRegistration.h"
#include "platform/instance/UnixSocket.h"
#include "platform/memory/LargeBuffers.h"
#include "platform/screensaver/ScreenSaver.h"
#include "slideshow/Music.h"
#include "slideshow/PhotoList.h"
#include "slideshow/PictureFiles.h"
#include "slideshow/ShowMusic.h"
#include "slideshow/ShowObjects.h"
#include "slideshow/TextureMain.h"
#include "startup/HandOffRecord.h"
#include "startup/PhotoSettings.h"
#include "windows/ErrorMessageBox.h"
#include "platform/shell/DesktopShell.h"
#include "windows/Fonts.h"
#include "windows/NavigationIcons.h"
#include "windows/ShowDialogs.h"
#include "windows/WelcomeRoad.h"

namespace fs = std::filesystem;

bool SendCommandLine(instance::IRunningInstance& Window, const std::vector<std::string>& Arguments) {
    std::vector<char> packed = handoff::PackArguments(Arguments);
    instance::TCopyDataStruct record{handoff::kCommandLineTag, static_cast<std::uint32_t>(packed.size()),
                                     packed.data()};
    return Window.SendCopyData(record) == 1;
}

bool HandOffToInstance(instance::IRunningInstance& Window, const std::vector<std::string>& Arguments) {
    bool done = Arguments.empty() || SendCommandLine(Window, Arguments);
    if (done) Window.SendShowInstance();
    return done;
}

bool CanStart(instance::IInstanceLocator& Locator, const std::vector<std::string>& Arguments) {
    auto window = Locator.FindRunningInstance();
    return !window || !HandOffToInstance(*window, Arguments);
}

std::string OwnSettingsFileName(const std::vector<std::string>& Arguments, const fs::path& ExecutableFolder) {
    const std::string first = Arguments.empty() ? std::string() : Arguments.front();
    std::error_code ec;
    if (!first.empty() && fs::is_directory(first, ec))
        return first + (first.ends_with('/') ? "" : "/") + "Lumetta/settings.txt";
    return (ExecutableFolder / "settings.txt").string();
}

namespace {

fs::path ExecutableFolder() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.parent_path();
    return fs::current_path(ec);
}

// The program's own backends behind the engine's device layer: drawing on
// OpenGL, the polled keyboard and pointer on the X display.
void InstallShowBackends(SystemKeys& keys) {
    gl::InstallOpenGLBackend();
    d3d8::SetDirectInputFactory(XDirectInput8Create);
    kelDX8::SetCursorPositionSource([&keys] {
        auto point = keys.CursorPosition().value_or(ScreenPoint{});
        return POINT{point.x, point.y};
    });
}

// The show's first photo decoding beside the making of the application, the
// window and the GL device, which otherwise all come before it.
std::unique_ptr<gl::DecodeAhead> DecodeFirstPhotoAhead(const std::vector<std::string>& Arguments,
                                                       TLumettaSettings& Settings) {
    TPhotos photos = PhotosFromArguments(Arguments);
    if (photos.empty()) return nullptr;
    const int first = FirstPosition(Settings.GetLastIndex(), static_cast<int>(photos.size()));
    return std::make_unique<gl::DecodeAhead>(photos[first], gl::XScreenSize);
}

int RunShow(const std::vector<std::string>& Arguments, const std::optional<std::string>& socketPath,
            const fs::path& folder, TLumettaSettings& Settings) {
    ErrorMessageBox errorReport;
    std::unique_ptr<XSystemKeys> keys = XSystemKeys::Open();
    if (!keys) {
        errorReport.ShowError("Cannot open the X display for the keyboard and the mouse.");
        return 1;
    }
    InstallShowBackends(*keys);

    shell::DesktopShell shell;
    download::QtDownloader downloader;
    TShowDialogs dialogs({folder, errorReport, shell, downloader}, Settings);
    TClockSeededRandom random;
    TMusic music(dialogs.MusicList(), random, errorReport, [&Settings] { return Settings.GetMusic(); });
    dialogs.AttachMusic(music);
    TShowMusic showMusic(music);
    TfrmNavigationIcons overlay;
    TPictureFiles pictures;
    std::unique_ptr<screensaver::IScreenSaver> screenSaver = screensaver::CreateSystemScreenSaver();

    TfrmSlideshowMain slideshow(Settings, Arguments, errorReport,
                                {showMusic, overlay, dialogs, *keys, pictures, random, *screenSaver});

    std::optional<instance::LocalSocketRegistration> registration;
    if (socketPath && !slideshow.CreationFailed()) {
        registration.emplace(*socketPath);
        registration->Register(slideshow);  // unreachable shows still run
    }

    QGuiApplication::setQuitOnLastWindowClosed(false);
    QApplication::exec();

    slideshow.hide();
    QCoreApplication::processEvents();
    Settings.Save();
    return slideshow.CreationFailed() || slideshow.NothingLoadable() ? 1 : 0;
}

}  // namespace

int RunLumetta(int argc, char** argv) {
    memory::ReturnLargeBuffersToTheSystem();
    std::vector<std::string> Arguments(argv + 1, argv + argc);
    std::optional<std::string> socketPath = instance::unixsocket::SocketPath();
    if (socketPath) {
        instance::LocalSocketLocator locator(*socketPath);
        if (!CanStart(locator, Arguments)) return 0;
    }

    SetShowEngineSwitches();
    // Before the application, which takes a while to make.
    const fs::path folder = ExecutableFolder();
    std::optional<TLumettaSettings> settings;
    std::unique_ptr<gl::DecodeAhead> firstPhoto;
    if (!Arguments.empty()) {
        settings.emplace(OwnSettingsFileName(Arguments, folder),
                         TSettingsPlace{folder, QLocale::system().decimalPoint().toStdString()});
        firstPhoto = DecodeFirstPhotoAhead(Arguments, *settings);
    }
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    // Qt sees no arguments: the command line holds only paths, and a folder
    // named like a Qt option must not change how the program runs.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    RegisterWindowFonts();

    if (Arguments.empty()) {
        RunWelcomeWindow();
        return 0;
    }
    return RunShow(Arguments, socketPath, folder, *settings);
}
