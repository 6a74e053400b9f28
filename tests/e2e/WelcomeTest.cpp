// A start without arguments: the welcome window appears, the program's folder
// is recorded in the registry file, and where Picasa is installed the button
// request reaches the desktop's "picasa:" handler exactly once.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Harness.h"

using namespace e2e;

namespace {

std::string ReadText(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

// A home with a private configuration and data folder in which a recording
// handler is the desktop's choice for the "picasa:" scheme.
class WelcomeStart : public testing::Test {
protected:
    void SetUp() override {
        env_ = ProgramEnvironment(display_, home_);
        env_["XDG_DATA_HOME"] = (home_ / "data").string();
        env_["XDG_CURRENT_DESKTOP"] = "";
        env_["BROWSER"] = "";
        fs::path recorder = home_ / "record-picasa";
        WriteText(recorder, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + Requests().string() + "'\n");
        fs::permissions(recorder, fs::perms::owner_all);
        WriteText(home_ / "data" / "applications" / "picasa-recorder.desktop",
                  "[Desktop Entry]\nType=Application\nName=Picasa recorder\nExec=" + recorder.string() +
                      " %u\nMimeType=x-scheme-handler/picasa;\nNoDisplay=true\n");
        WriteText(home_ / "config" / "mimeapps.list",
                  "[Default Applications]\nx-scheme-handler/picasa=picasa-recorder.desktop\n");
    }

    fs::path RegistryFile() const { return home_ / "config" / "Lumetta" / "registry.ini"; }
    fs::path Requests() const { return home_ / "picasa-requests.txt"; }
    void InstallPicasa() { WriteText(RegistryFile(), "[SOFTWARE\\Google\\Picasa]\n"); }

    // The welcome window is on screen: its first bullet is white at its place
    // in the centred panel.
    bool WelcomeVisible() {
        auto shot = Screenshot::Grab(display_);
        int left = (shot.width() - 800) / 2, top = (shot.height() - 600) / 2;
        return Near(shot.At(left + 44, top + 120), {255, 255, 255}, 40);
    }

    // Starts the program of `install` without arguments, waits for its window,
    // takes a screenshot and closes the window with Escape.
    void StartAndClose(const Installation& install, const std::string& screenshot) {
        Process program({install.binary().string()}, env_, home_.path());
        ASSERT_TRUE(WaitUntil([&] { return WelcomeVisible() || !program.Running(); }, 30s)) << program.Output();
        ASSERT_TRUE(program.Running()) << program.Output();
        Screenshot::Grab(display_).SavePng(ArtifactFolder() / screenshot);
        Input(display_).Press("Escape");
        auto code = program.Wait(20s);
        ASSERT_TRUE(code) << "Escape did not end the program";
        EXPECT_EQ(*code, 0) << program.Output();
    }

    Display display_;
    TempDir home_;
    std::map<std::string, std::string> env_;
};

TEST_F(WelcomeStart, ShowsTheWindowRecordsTheFolderAndRequestsThePicasaButtonOnce) {
    InstallPicasa();
    Installation first;
    StartAndClose(first, "welcome-first-start.png");
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(Requests()); }, 10s)) << "no picasa: request reached the handler";
    std::string expected = "picasa://importbutton/?url=" + fs::canonical(first.folder()).string() + "/Lumetta.pbz\n";
    EXPECT_EQ(ReadText(Requests()), expected);
    std::string registry = ReadText(RegistryFile());
    EXPECT_NE(registry.find("\"Directory\"=\"" + fs::canonical(first.folder()).string() + "\"\n"), std::string::npos)
        << registry;
    EXPECT_NE(registry.find("\"ButtonInPicasa\"=dword:00000001"), std::string::npos) << registry;

    Installation moved;  // the program started from another folder
    StartAndClose(moved, "welcome-second-start.png");
    EXPECT_EQ(ReadText(Requests()), expected) << "the button is requested only once";
    registry = ReadText(RegistryFile());
    EXPECT_NE(registry.find("\"Directory\"=\"" + fs::canonical(moved.folder()).string() + "\"\n"), std::string::npos)
        << registry;
}

TEST_F(WelcomeStart, WithoutPicasaNoRequestIsMade) {
    Installation install;
    StartAndClose(install, "welcome-without-picasa.png");
    EXPECT_FALSE(fs::exists(Requests()));
    std::string registry = ReadText(RegistryFile());
    EXPECT_NE(registry.find("\"Directory\""), std::string::npos) << registry;
    EXPECT_EQ(registry.find("ButtonInPicasa"), std::string::npos) << registry;
}

}  // namespace
