#include "slideshow/TextureMain.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include "Harness.h"
#include "fakes/FakeSlideshowPartners.h"
#include "fakes/RecordingErrorReport.h"
#include "startup/HandOffRecord.h"
#include "startup/PhotoSettings.h"

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

namespace {

void Touch(const fs::path& file) { e2e::WriteFile(file, "x"); }

// A photo folder with one picture and a program folder for the settings; the
// engine draws on the recording device and reads the fake input.
struct Window {
    e2e::TempDir photos, program;
    std::string picture = (photos / "one.jpg").string();
    RecordingErrorReport report;
    fakes::FakeSlideshowPartners fakes;
    std::unique_ptr<TLumettaSettings> settings;
    std::unique_ptr<TfrmSlideshowMain> window;

    Window() {
        Touch(picture);
        settings = std::make_unique<TLumettaSettings>((program / "settings.txt").string(),
                                                      TSettingsPlace{program.path(), "."});
    }
    TfrmSlideshowMain& Create(const Args& args) {
        window = std::make_unique<TfrmSlideshowMain>(
            *settings, args, report, fakes.Partners());
        return *window;
    }
    ~Window() {
        window.reset();
        QCoreApplication::processEvents();  // deliver a pending end request with no loop running
    }
};

std::int32_t SendRecord(TfrmSlideshowMain& window, std::uint32_t tag, const std::string& bytes) {
    // The bytes live in a heap block of exactly their size, so that a read
    // past them is caught by the address sanitizer.
    auto exact = std::make_unique<char[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), exact.get());
    instance::TCopyDataStruct record{tag, static_cast<std::uint32_t>(bytes.size()), exact.get()};
    instance::TWMCopyData message{&record, 7};
    window.WMCopyData(message);
    return message.Result;
}

std::string Packed(const Args& args) {
    auto packed = handoff::PackArguments(args);
    return {packed.begin(), packed.end()};
}

// Whether the message loop, once running, ends by itself within a generous limit.
bool MessageLoopEnds() {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(20'000);
    return QCoreApplication::exec() == 0;
}

}  // namespace

TEST(TextureMain, PicturesFromTheCommandLineWaitForTheShowInAHiddenWindow) {
    Window w;
    Touch(w.photos / "two.bmp");
    auto& window = w.Create({w.photos.path().string()});
    EXPECT_EQ(window.GetPhotos().size(), 2u);
    EXPECT_EQ(window.title(), "Brindle Slideshow");
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.IsStartTimerActive());
    EXPECT_FALSE(window.IsEndRequested());
    EXPECT_EQ(window.GetState().Delay, 2) << "an unset delay starts with 2";
    EXPECT_EQ(window.GetState().SurfaceDepth, 0.0) << "an unset depth starts with 0";
}

TEST(TextureMain, DelayAndDepthComeFromTheSettings) {
    Window w;
    w.settings->SetDelay(7);
    w.settings->SetDepth(0.75);
    auto& window = w.Create({w.picture});
    EXPECT_EQ(window.GetState().Delay, 7);
    EXPECT_EQ(window.GetState().SurfaceDepth, 0.75);
}

TEST(TextureMain, SingleFileShowsItsWholeFolderWhateverItsExtension) {
    Window w;
    Touch(w.photos / "alone.png");
    auto& window = w.Create({(w.photos / "alone.png").string()});
    EXPECT_EQ(window.GetPhotos(), TPhotos{w.picture});
}

TEST(TextureMain, RejectedArgumentsAreSkippedWhenOthersSupplyPictures) {
    Window w;
    e2e::TempDir empty;
    Touch(empty / "a.png");
    auto& window = w.Create({(empty / "a.png").string(), empty.path().string(), w.photos.path().string()});
    EXPECT_EQ(window.GetPhotos(), TPhotos{w.picture});
    EXPECT_FALSE(window.IsEndRequested());
    EXPECT_TRUE(window.IsStartTimerActive());
}

TEST(TextureMain, NoPicturesEndTheMessageLoopAtOnce) {
    for (Args args : {Args{""}, Args{"", "PHOTOS"}, Args{"/does/not/exist", "PHOTOS"}, Args{"EMPTY"}}) {
        Window w;
        e2e::TempDir empty;
        for (auto& a : args) {
            if (a == "PHOTOS") a = w.photos.path().string();
            if (a == "EMPTY") a = empty.path().string();
        }
        auto& window = w.Create(args);
        EXPECT_TRUE(window.GetPhotos().empty());
        EXPECT_FALSE(window.IsStartTimerActive());
        EXPECT_TRUE(MessageLoopEnds()) << "first argument: " << args[0];
    }
}

TEST(TextureMain, HandedOffArgumentsAreAppendedInOrder) {
    Window w;
    e2e::TempDir more;
    Touch(more / "b.jpg");
    auto& window = w.Create({w.picture});
    EXPECT_EQ(SendRecord(window, handoff::kCommandLineTag, Packed({more.path().string(), w.picture})), 1);
    EXPECT_EQ(window.GetPhotos(), (TPhotos{w.picture, (more / "b.jpg").string(), w.picture}));
    EXPECT_TRUE(w.report.shown.empty());
    EXPECT_FALSE(window.IsEndRequested());
}

TEST(TextureMain, RecordWithAnotherTagIsReportedAndRefused) {
    Window w;
    auto& window = w.Create({w.picture});
    EXPECT_EQ(SendRecord(window, 0x12345678, Packed({w.picture})), 0);
    EXPECT_EQ(w.report.shown, std::vector<std::string>{"Image 0 Invalid data structure passed in WM_COPYDATA"});
    EXPECT_EQ(window.GetPhotos().size(), 1u);
}

TEST(TextureMain, ListWithoutItsTerminatorIsRefusedUnread) {
    Window w;
    auto& window = w.Create({w.picture});
    EXPECT_EQ(SendRecord(window, handoff::kCommandLineTag, w.picture), 0);
    EXPECT_EQ(SendRecord(window, handoff::kCommandLineTag, w.picture + std::string(1, '\0')), 0);
    EXPECT_EQ(window.GetPhotos().size(), 1u);
    EXPECT_TRUE(w.report.shown.empty());
}

TEST(TextureMain, RejectedHandOffArgumentEndsTheApplicationAfterTheShow) {
    Window w;
    e2e::TempDir empty;
    auto& window = w.Create({w.picture});
    EXPECT_EQ(SendRecord(window, handoff::kCommandLineTag, Packed({empty.path().string()})), 1);
    EXPECT_TRUE(window.IsEndRequested());
    w.fakes.input.PressVirtualKey(27);  // the show, should it start, stops at its first step
    EXPECT_TRUE(MessageLoopEnds());
}

TEST(TextureMain, ScreenSaverIsHeldOffWhileTheWindowExists) {
    Window w;
    w.Create({w.picture});
    EXPECT_EQ(w.fakes.screenSaver.requests, std::vector<bool>{false});
    w.window.reset();
    EXPECT_EQ(w.fakes.screenSaver.requests, (std::vector<bool>{false, true}));
}

TEST(TextureMain, FailedCreationIsReportedAndEndsTheProgram) {
    Window w;
    w.fakes.direct3D.Fail("CreateDevice", D3DERR_NOTAVAILABLE);
    auto& window = w.Create({w.picture});
    EXPECT_TRUE(window.CreationFailed());
    ASSERT_EQ(w.report.shown.size(), 1u);
    EXPECT_TRUE(w.report.shown[0].starts_with("Image 0 ")) << w.report.shown[0];
    EXPECT_FALSE(window.IsStartTimerActive()) << "no show starts";
    EXPECT_TRUE(window.GetPhotos().empty()) << "the list is not built";
    EXPECT_TRUE(MessageLoopEnds());
}

TEST(TextureMain, EscapeAtTheFirstStepStoresWhereTheShowStopped) {
    Window w;
    Touch(w.photos / "two.jpg");
    w.settings->SetLastIndex(1);
    auto& window = w.Create({w.photos.path().string()});
    w.fakes.input.PressVirtualKey(27);
    EXPECT_TRUE(MessageLoopEnds());
    EXPECT_FALSE(window.isVisible()) << "the window closes when the show ends";
    EXPECT_EQ(w.settings->GetLastIndex(), 1);
    EXPECT_EQ(w.settings->GetDelay(), 2);
    EXPECT_EQ(w.fakes.music.calls.front(), "BeginShow");
    EXPECT_EQ(w.fakes.music.calls.back(), "EndShow");
    EXPECT_TRUE(w.report.shown.empty());
}
