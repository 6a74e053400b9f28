#include "SettingsFixture.h"

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

void SettingsTest::ShowDialog() { ASSERT_TRUE(ShowAndWait(*dialog)); }

void SettingsTest::ClickEntry(TFileListBox& list, int index) {
    QRect place = list.visualItemRect(list.item(index));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, place.center());
}
