// The slideshow window: the program's main window, which owns the photo list,
// builds it from the command line and serves the hand-off of a second start.
// It stays hidden until the show puts the first photo on it.
#pragma once

#include <QTimer>
#include <QWindow>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "platform/instance/InstanceChannel.h"
#include "slideshow/ErrorReport.h"
#include "slideshow/PhotoList.h"

class TLumettaSettings;

class TfrmSlideshowMain : public QWindow, public instance::IInstanceWindow {
    Q_OBJECT
public:
    // Builds the photo list from `Arguments`. With no pictures the window
    // closes and the end of the application is requested, so the message loop
    // ends as soon as it runs.
    TfrmSlideshowMain(TLumettaSettings& Settings, const std::vector<std::string>& Arguments,
                      IErrorReport& ErrorReport);

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
    void Action1Execute() { Close(); }

    // Shows "Image " + Index + " " + the error's message.
    void apevCatchErrorsException(const std::exception& Error);

    const TPhotos& GetPhotos() const { return Photos; }
    std::int32_t GetDelay() const { return Delay; }
    double GetSurfaceDepth() const { return SurfaceDepth; }
    bool IsStartTimerActive() const { return TimerStartingSlideshow.isActive(); }
    bool IsEndRequested() const { return EndRequested; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(const std::vector<std::string>& Arguments);
    void BuildPhotoList(const std::vector<std::string>& Arguments);
    void TimerStartingSlideshowTimer();
    void RequestEndOfApplication();
    // Runs `handler`; what it throws goes to the error report.
    template <typename Handler>
    void CatchErrors(Handler&& handler);

    TLumettaSettings& Settings;
    IErrorReport& ErrorReport;
    QTimer TimerStartingSlideshow;
    bool Created = false;
    bool EndRequested = false;

    bool StopRequested = false;
    std::int32_t Delay = 2;
    TPhotos Photos;
    std::int32_t Index = 0;
    double SurfaceDepth = 0;
};
