#include "slideshow/TextureMain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QDeadlineTimer>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "slideshow/NoLoadablePhotos.h"
#include "slideshow/ShowObjects.h"
#include "slideshow/SlideCycle.h"
#include "startup/HandOffRecord.h"
#include "startup/PhotoSettings.h"

TfrmSlideshowMain::TfrmSlideshowMain(TLumettaSettings& Settings, const std::vector<std::string>& Arguments,
                                     IErrorReport& ErrorReport, TSlideshowPartners Partners)
    : Settings(Settings), ErrorReport(ErrorReport), Partners(Partners) {
    setTitle(QStringLiteral("Brindle Slideshow"));
    TimerStartingSlideshow.setInterval(1);
    TimerStartingSlideshow.setSingleShot(true);
    connect(&TimerStartingSlideshow, &QTimer::timeout, this, &TfrmSlideshowMain::TimerStartingSlideshowTimer);
    FormCreate(Arguments);
    Created = true;
}

TfrmSlideshowMain::~TfrmSlideshowMain() {
    // The cycle waits for its loaders, so no slot is released while one is filled.
    Cycle.reset();
    Partners.ScreenSaver.SetScreenSaverActive(true);
    Objects.reset();
}

void TfrmSlideshowMain::FormCreate(const std::vector<std::string>& Arguments) {
    State.MusicStarted = false;
    State.Jumped = false;
    Partners.ScreenSaver.SetScreenSaverActive(false);
    State.PendingPush = State.PendingTurn = State.CarryX = State.CarryY = 0;
    State.StopRequested = false;
    State.Delay = Settings.GetDelay() == -1 ? 2 : Settings.GetDelay();
    State.SurfaceDepth = Settings.GetDepth() == -1.0 ? 0 : Settings.GetDepth();

    // Borderless over the whole screen; given the geometry, since without a
    // window manager asking to be maximised does nothing.
    setFlag(Qt::FramelessWindowHint);
    if (QScreen* s = screen()) setGeometry(s->geometry());
    setWindowState(Qt::WindowMaximized);

    CatchErrors([&] { CreateEngineObjects(); });
    if (!Objects) {
        // Without a scene there is nothing to show: the program ends.
        RequestEndOfApplication();
        return;
    }
    BuildPhotoList(Arguments);
}

void TfrmSlideshowMain::CreateEngineObjects() {
    auto objects = std::make_unique<TShowObjects>(static_cast<HWND>(static_cast<QWindow*>(this)), ScreenWidth(),
                                                  ScreenHeight(), State);
    TShowServices services{*this, Partners.Music, Partners.Overlay, Partners.Keys, Partners.Pictures, Partners.Random};
    Cycle = std::make_unique<TSlideCycle>(*objects, State, Photos, Settings, services);
    Objects = std::move(objects);
}

void TfrmSlideshowMain::BuildPhotoList(const std::vector<std::string>& Arguments) {
    Photos = PhotosFromArguments(Arguments);
    if (Photos.empty()) {
        Close();
        RequestEndOfApplication();
        return;
    }
    State.StopRequested = false;
    setCursor(Qt::BlankCursor);
    TimerStartingSlideshow.start();
}

void TfrmSlideshowMain::TimerStartingSlideshowTimer() {
    TimerStartingSlideshow.stop();
    ShowRunning = true;
    try {
        Cycle->TimerStartingSlideshowTimer();
    } catch (const TNoLoadablePhotos& error) {
        apevCatchErrorsException(error);
        NoLoadablePhotos = true;
    } catch (const std::exception& error) {
        // The window stays with its last frame; Escape still closes it.
        apevCatchErrorsException(error);
    }
    ShowRunning = false;
    if (State.StopRequested || NoLoadablePhotos) Close();
}

void TfrmSlideshowMain::FormPaint() {
    if (!Objects || Partners.Dialogs.AnyVisible()) return;
    try {
        Objects->Scene->Render();
    } catch (const std::exception&) {
    }
}

void TfrmSlideshowMain::exposeEvent(QExposeEvent*) {
    if (isExposed()) FormPaint();
}

double TfrmSlideshowMain::Seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void TfrmSlideshowMain::Sleep(int Milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds)); }

void TfrmSlideshowMain::ProcessMessages() { QCoreApplication::processEvents(); }

void TfrmSlideshowMain::ShowWindow() {
    if (QScreen* s = screen()) setGeometry(s->geometry());
    show();
    raise();
    requestActivate();
    // The first frame must land on a mapped window; a display that never maps
    // it still lets the show go on after the limit.
    QDeadlineTimer limit(2000);
    QTimer wake;  // lets the wait for events end at the limit
    wake.start(20);
    while (!isExposed() && !limit.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TfrmSlideshowMain::ReactivateWindow() {
    raise();
    requestActivate();
}

void TfrmSlideshowMain::ShowHelp() {
    Partners.Dialogs.ShowHelp([this](bool enabled) { SetInputEnabled(enabled); });
    WaitForKeyRelease();
}

void TfrmSlideshowMain::ShowSettings() {
    Partners.Dialogs.ShowSettings([this](bool enabled) { SetInputEnabled(enabled); });
    WaitForKeyRelease();
}

void TfrmSlideshowMain::WaitForKeyRelease() {
    // The Escape that closed a dialog is still down when the show reads its
    // keys again; it must not also end the show.
    while (Objects->Keyboard->Poll() && Objects->Keyboard->AnyKeyDown()) {
        Sleep(100);
        ProcessMessages();
    }
}

int TfrmSlideshowMain::ScreenWidth() {
    QScreen* s = screen();
    return s ? s->geometry().width() : width();
}

int TfrmSlideshowMain::ScreenHeight() {
    QScreen* s = screen();
    return s ? s->geometry().height() : height();
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

void TfrmSlideshowMain::Action1Execute() {
    // The request to end the application waits for the show loop to return;
    // the show must then stop rather than run on hidden.
    if (ShowRunning) State.StopRequested = true;
    Close();
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
    ErrorReport.ShowError("Image " + std::to_string(State.Index) + " " + Error.what());
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
    if (InputEnabled && event->key() == Qt::Key_Escape) {
        Action1Execute();
        return;
    }
    QWindow::keyPressEvent(event);
}

void TfrmSlideshowMain::closeEvent(QCloseEvent* event) {
    // Closing hides the window; it is destroyed only with the application.
    event->ignore();
    Action1Execute();
}
