// A running show as a second start sees it: the real slideshow window with its
// photo list, registered on the instance channel, that prints each message it
// handles and the list after it. Used by the end-to-end tests of the hand-off.
// Its show draws on the recording device and reads no keys, so it runs on any
// display and never ends by itself.
//
//   handoff_receiver SETTINGS_FILE [ARGUMENT...]
//
// Prints "listening" once reachable. With LUMETTA_RECEIVER_REFUSE=1 it answers
// every copy-data record with 0, as an instance that rejects the record.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/instance/LocalSocketRegistration.h"
#include "platform/instance/UnixSocket.h"
#include "fakes/FakeSlideshowPartners.h"
#include "slideshow/TextureMain.h"
#include "startup/PhotoSettings.h"

namespace {

class PrintedReport : public IErrorReport {
public:
    void ShowError(const std::string& Text) override { std::printf("report %s\n", Text.c_str()); }
};

class PrintingWindow : public instance::IInstanceWindow {
public:
    PrintingWindow(TfrmSlideshowMain& window, bool refuse) : window_(window), refuse_(refuse) {}

    void WMCopyData(instance::TWMCopyData& Message) override {
        if (!refuse_) window_.WMCopyData(Message);
        Print("copydata", Message.Result);
    }
    void WMShowInstance(instance::TMessage& Message) override {
        window_.WMShowInstance(Message);
        Print("showinstance", window_.isVisible() ? 1 : 0);
    }

private:
    void Print(const char* message, int result) {
        std::printf("message %s %d\n", message, result);
        for (const auto& photo : window_.GetPhotos()) std::printf("photo %s\n", photo.c_str());
        std::printf("end\n");
        std::fflush(stdout);
    }

    TfrmSlideshowMain& window_;
    bool refuse_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    QGuiApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    std::filesystem::path settingsFile = argv[1];
    TLumettaSettings settings(settingsFile.string(), {settingsFile.parent_path(), "."});
    PrintedReport report;
    fakes::FakeSlideshowPartners fakes;
    TfrmSlideshowMain window(settings, std::vector<std::string>(argv + 2, argv + argc), report, fakes.Partners());
    const char* refuse = std::getenv("LUMETTA_RECEIVER_REFUSE");
    PrintingWindow printing(window, refuse && std::strcmp(refuse, "1") == 0);

    auto path = instance::unixsocket::SocketPath();
    if (!path) return 3;
    instance::LocalSocketRegistration registration(*path);
    if (!registration.Register(printing)) return 4;
    std::printf("listening\n");
    std::fflush(stdout);
    return app.exec();
}
