#include "windows/ShowDialogs.h"

#include "windows/Help.h"
#include "windows/Settings.h"

TShowDialogs::TShowDialogs(SettingsParts Parts, TLumettaSettings& Store) : Parts(std::move(Parts)), Store(Store) {}

TShowDialogs::~TShowDialogs() = default;

void TShowDialogs::AttachMusic(TMusic& Music) {
    this->Music = &Music;
    if (Settings) Settings->AttachMusic(Music);
}

TfrmSettings& TShowDialogs::SettingsDialog() {
    if (!Settings) {
        Settings = std::make_unique<TfrmSettings>(Parts.ProgramFolder, Parts.Report, Parts.Shell, Parts.Downloader);
        if (Music) Settings->AttachMusic(*Music);
    }
    return *Settings;
}

bool TShowDialogs::AnyVisible() { return (Help && Help->isVisible()) || (Settings && Settings->isVisible()); }

void TShowDialogs::ShowHelp(const EnableWindow& SetSlideshowEnabled) {
    if (!Help) Help = std::make_unique<TfrmHelp>(Parts.Shell);
    ::ShowHelp(*Help, SetSlideshowEnabled);
}

void TShowDialogs::ShowSettings(const EnableWindow& SetSlideshowEnabled) {
    ::ShowSettings(SettingsDialog(), Store, SetSlideshowEnabled);
}

IMusicList& TShowDialogs::SongList::List() const { return Owner.SettingsDialog().MusicList(); }
int TShowDialogs::SongList::Count() const { return List().Count(); }
std::string TShowDialogs::SongList::Name(int index) const { return List().Name(index); }
void TShowDialogs::SongList::Select(int index) { List().Select(index); }
std::string TShowDialogs::SongList::SelectedPath() const { return List().SelectedPath(); }
