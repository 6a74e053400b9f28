// The slideshow window: the program's main window. It carries the engine scene
// the photos are drawn in, owns the photo list, builds it from the command line
// and serves the hand-off of a second start. It stays hidden, with an empty
// pointer, until the show puts the first photo on it.
#pragma once

#include <QTimer>
#include <QWindow>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "platform/input/SystemKeys.h"
#include "platform/instance/InstanceChannel.h"
#include "platform/screensaver/ScreenSaver.h"
#include "slideshow/ErrorReport.h"
#include "slideshow/PhotoList.h"
#include "slideshow/RandomSource.h"
#include "slideshow/ShowDialogs.h"
#include "slideshow/ShowServices.h"
#include "slideshow/ShowState.h"

class TLumettaSettings;
struct TShowObjects;
class TSlideCycle;

// What the window works with besides the settings: the show's music, overlay
// and dialogs, and the system's keys, picture files, random numbers and screen
// saver.
struct TSlideshowPartners {
    IShowMusic& Music;
    INavigationOverlay& Overlay;
    IShowDialogs& Dialogs;
    SystemKeys& Keys;
    IPictureFiles& Pictures;
    IRandomSource& Random;
    screensaver::IScreenSaver& ScreenSaver;
};

class TfrmSlideshowMain : public QWindow, public instance::IInstanceWindow, private IShowHost {
    Q_OBJECT
public:
    // Creates the engine objects on this window (on the installed Direct3D
    // factory) and builds the photo list from `Arguments`. When the engine
    // objects cannot be made the error is reported, no show starts and the end
    // of the application is requested (CreationFailed). With no pictures the
    // window closes and the end of the application is requested, so the
    // message loop ends as soon as it runs.
    TfrmSlideshowMain(TLumettaSettings& Settings, const std::vector<std::string>& Arguments,
                      IErrorReport& ErrorReport, TSlideshowPartners Partners);
    ~TfrmSlideshowMain() override;

    // A hand-off record: its arguments are added as if given on this
    // process's command line. Result 1 when accepted; 0 for another tag (which
    // is reported as an error) or a list without its terminating empty string.
    void WMCopyData(instance::TWMCopyData& Message) override;
    // Restores, shows and raises the window.
    void WMShowInstance(instance::TMessage& Message) override;

    // Adds one argument's pictures; a rejected argument closes the window.
    void AddPath(const std::string& Path);

    // Hides the window. Once it is created, this also requests the end of the
    // application, which takes effect when control returns to the message loop.
    void Close();
    // Escape: closes the window and ends a running show after its current step.
    void Action1Execute();

    // Shows "Image " + Index + " " + the error's message.
    void apevCatchErrorsException(const std::exception& Error);

    const TPhotos& GetPhotos() const { return Photos; }
    const TShowState& GetState() const { return State; }
    bool IsStartTimerActive() const { return TimerStartingSlideshow.isActive(); }
    bool IsEndRequested() const { return EndRequested; }
    bool CreationFailed() const { return !Objects; }
    // The show ended because none of its photos could be loaded.
    bool NothingLoadable() const { return NoLoadablePhotos; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void exposeEvent(QExposeEvent* event) override;

private:
    void FormCreate(const std::vector<std::string>& Arguments);
    void CreateEngineObjects();
    void BuildPhotoList(const std::vector<std::string>& Arguments);
    void FormPaint();
    void TimerStartingSlideshowTimer();
    void RequestEndOfApplication() override;
    // Runs `handler`; what it throws goes to the error report.
    template <typename Handler>
    void CatchErrors(Handler&& handler);

    // What the slide cycle asks of the window.
    double Seconds() override;
    void Sleep(int Milliseconds) override;
    void ProcessMessages() override;
    bool WindowVisible() override { return isVisible(); }
    void ShowWindow() override;
    void ReactivateWindow() override;
    bool DialogVisible() override { return Partners.Dialogs.AnyVisible(); }
    void ShowHelp() override;
    void ShowSettings() override;
    int ScreenWidth() override;
    int ScreenHeight() override;
    void SetInputEnabled(bool Enabled) { InputEnabled = Enabled; }
    void WaitForKeyRelease();

    TLumettaSettings& Settings;
    IErrorReport& ErrorReport;
    TSlideshowPartners Partners;
    QTimer TimerStartingSlideshow;
    bool Created = false;
    bool EndRequested = false;
    bool NoLoadablePhotos = false;
    bool ShowRunning = false;
    bool InputEnabled = true;

    TShowState State;
    TPhotos Photos;
    std::unique_ptr<TShowObjects> Objects;
    std::unique_ptr<TSlideCycle> Cycle;
};
