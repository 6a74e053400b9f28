#include "slideshow/TextureMain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <filesystem>
#include <stdexcept>

#include "startup/HandOffRecord.h"
#include "startup/PhotoSettings.h"

namespace fs = std::filesystem;

namespace {

// The folder of a file with its trailing '/'; "./" for a bare file name.
std::string FolderOf(const std::string& file) {
    std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? "./" : file.substr(0, slash + 1);
}

}  // namespace

TfrmSlideshowMain::TfrmSlideshowMain(TLumettaSettings& Settings, const std::vector<std::string>& Arguments,
                                     IErrorReport& ErrorReport)
    : Settings(Settings), ErrorReport(ErrorReport) {
    setTitle(QStringLiteral("Brindle Slideshow"));
    TimerStartingSlideshow.setInterval(1);
    TimerStartingSlideshow.setSingleShot(true);
    connect(&TimerStartingSlideshow, &QTimer::timeout, this, &TfrmSlideshowMain::TimerStartingSlideshowTimer);
    FormCreate(Arguments);
    Created = true;
}

void TfrmSlideshowMain::FormCreate(const std::vector<std::string>& Arguments) {
    StopRequested = false;
    Delay = Settings.GetDelay() == -1 ? 2 : Settings.GetDelay();
    SurfaceDepth = Settings.GetDepth() == -1.0 ? 0 : Settings.GetDepth();

    // Borderless over the whole screen; given the geometry, since without a
    // window manager asking to be maximised does nothing.
    setFlag(Qt::FramelessWindowHint);
    if (QScreen* s = screen()) setGeometry(s->geometry());
    setWindowState(Qt::WindowMaximized);

    // The engine scene and the objects drawn on it (camera, input devices,
    // photo surface, texture slots) are made here, before the list is built.

    BuildPhotoList(Arguments);
}

void TfrmSlideshowMain::BuildPhotoList(const std::vector<std::string>& Arguments) {
    std::error_code ec;
    const std::string first = Arguments.empty() ? std::string() : Arguments.front();
    bool firstIsFolder = !first.empty() && fs::is_directory(first, ec);
    bool firstExists = firstIsFolder || (!first.empty() && fs::exists(first, ec));
    if (firstExists) {
        if (Arguments.size() == 1 && !firstIsFolder) {
            AddPath(FolderOf(first));  // a picture opened alone shows its whole folder
        } else {
            for (const auto& argument : Arguments) AddPath(argument);
        }
    }
    if (Photos.empty()) {
        Close();
        RequestEndOfApplication();
        return;
    }
    StopRequested = false;
    setCursor(Qt::BlankCursor);
    TimerStartingSlideshow.start();
}

void TfrmSlideshowMain::TimerStartingSlideshowTimer() {
    TimerStartingSlideshow.stop();
    // The show runs from here until the user stops it.
}

void TfrmSlideshowMain::AddPath(const std::string& Path) {
    if (::AddPath(Photos, Path) == TAddPathResult::Rejected) Close();
}

void TfrmSlideshowMain::RequestEndOfApplication() {
    EndRequested = true;
    // Queued, so that a request made before the message loop runs ends it at once.
    QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

void TfrmSlideshowMain::Close() {
    hide();
    if (Created) RequestEndOfApplication();
}

template <typename Handler>
void TfrmSlideshowMain::CatchErrors(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        apevCatchErrorsException(error);
    }
}

void TfrmSlideshowMain::apevCatchErrorsException(const std::exception& Error) {
    ErrorReport.ShowError("Image " + std::to_string(Index) + " " + Error.what());
}

void TfrmSlideshowMain::WMCopyData(instance::TWMCopyData& Message) {
    Message.Result = 0;
    CatchErrors([&] {
        const instance::TCopyDataStruct& record = *Message.CopyDataStruct;
        if (record.dwData != handoff::kCommandLineTag)
            throw std::runtime_error("Invalid data structure passed in WM_COPYDATA");
        auto arguments = handoff::UnpackArguments({record.lpData, record.cbData});
        if (!arguments) return;  // never read past the record's bytes
        for (const auto& argument : *arguments) AddPath(argument);
        Message.Result = 1;
    });
}

void TfrmSlideshowMain::WMShowInstance(instance::TMessage&) {
    if (windowStates() & Qt::WindowMinimized) setWindowStates(windowStates() & ~Qt::WindowMinimized);
    if (!isVisible()) setVisible(true);
    raise();
    requestActivate();
}

void TfrmSlideshowMain::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Action1Execute();
        return;
    }
    QWindow::keyPressEvent(event);
}

void TfrmSlideshowMain::closeEvent(QCloseEvent* event) {
    // Closing hides the window; it is destroyed only with the application.
    event->ignore();
    Close();
}
