#include "startup/UStartup.h"

#include <QApplication>
#include <QLocale>
#include <cstdlib>
#include <optional>

#include "platform/instance/LocalSocketLocator.h"
#include "platform/instance/LocalSocketRegistration.h"
#include "platform/instance/UnixSocket.h"
#include "slideshow/TextureMain.h"
#include "startup/HandOffRecord.h"
#include "startup/PhotoSettings.h"
#include "windows/ErrorMessageBox.h"
#include "platform/shell/DesktopShell.h"
#include "windows/Fonts.h"
#include "windows/Help.h"
#include "windows/NavigationIcons.h"
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
    return QCoreApplication::applicationDirPath().toStdString();
}

int RunShow(const std::vector<std::string>& Arguments, const std::optional<std::string>& socketPath) {
    fs::path folder = ExecutableFolder();
    TLumettaSettings Settings(OwnSettingsFileName(Arguments, folder),
                              {folder, QLocale::system().decimalPoint().toStdString()});
    ErrorMessageBox errorReport;
    TfrmSlideshowMain slideshow(Settings, Arguments, errorReport);
    shell::DesktopShell shell;
    TfrmHelp help(shell);
    TfrmNavigationIcons overlay;

    std::optional<instance::LocalSocketRegistration> registration;
    if (socketPath) {
        registration.emplace(*socketPath);
        registration->Register(slideshow);  // unreachable shows still run
    }

    QGuiApplication::setQuitOnLastWindowClosed(false);
    QApplication::exec();

    slideshow.hide();
    QCoreApplication::processEvents();
    Settings.Save();
    return 0;
}

}  // namespace

int RunLumetta(int argc, char** argv) {
    std::vector<std::string> Arguments(argv + 1, argv + argc);
    std::optional<std::string> socketPath = instance::unixsocket::SocketPath();
    if (socketPath) {
        instance::LocalSocketLocator locator(*socketPath);
        if (!CanStart(locator, Arguments)) return 0;
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
    return RunShow(Arguments, socketPath);
}
