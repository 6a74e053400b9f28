#include "SettingsFixture.h"

#include "windows/Fonts.h"

#include <cstdlib>

// Qt and the libraries under it keep allocations for the process's life.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libxcb\nleak:libX11\nleak:libglib-2.0\nleak:libgobject-2.0\n"
           "leak:libdbus\nleak:libQt6XcbQpa\nleak:libGLX\nleak:swrast_dri\nleak:libLLVM\n";
}
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        display_ = std::make_unique<e2e::Display>(1024, 768);
        e2e::fs::permissions(runtime_.path(), e2e::fs::perms::owner_all, e2e::fs::perm_options::replace);
        setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
        setenv("DISPLAY", display_->name().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        unsetenv("WAYLAND_DISPLAY");
        static int argc = 1;
        static char name[] = "settings_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        RegisterWindowFonts();
    }
    void TearDown() override {
        app_.reset();
        display_.reset();
    }
    const e2e::Display& display() const { return *display_; }

private:
    e2e::TempDir runtime_;
    std::unique_ptr<e2e::Display> display_;
    std::unique_ptr<QApplication> app_;
};

GuiEnvironment* const kEnvironment =
    static_cast<GuiEnvironment*>(::testing::AddGlobalTestEnvironment(new GuiEnvironment));

}  // namespace

const e2e::Display& TestDisplay() { return kEnvironment->display(); }

SettingsTest::SettingsTest() {
    e2e::fs::create_directories(DisabledDir());
    for (const char* name : {"cello.mp3", "Bells.mp3", "anthem.mp3", "readme.txt"}) WriteSong(MusicDir(), name);
    for (const char* name : {"zither.mp3", "drums.mp3"}) WriteSong(DisabledDir(), name);
    dialog = std::make_unique<TfrmSettings>(program.path(), report, shellOpener, downloader);
    music = std::make_unique<TMusic>(dialog->MusicList(), random, report, [this] { return setting; });
    dialog->AttachMusic(*music);
    music->AttachPlayer(player);
}

SettingsTest::~SettingsTest() {
    music.reset();
    dialog.reset();
}

void SettingsTest::WriteSong(const e2e::fs::path& folder, const std::string& name) {
    std::ofstream(folder / name) << name;
}

std::string SettingsTest::Read(const e2e::fs::path& file) const {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> SettingsTest::Names(const TFileListBox& list) const {
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Name(i));
    return names;
}

void SettingsTest::ShowDialog() {
    dialog->setGeometry(dialog->screen()->geometry());
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), 10000));
}

void SettingsTest::ClickEntry(TFileListBox& list, int index) {
    QRect place = list.visualItemRect(list.item(index));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, place.center());
}
