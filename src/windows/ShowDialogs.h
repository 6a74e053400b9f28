// The show's help window and settings dialog behind the slideshow window's
// dialog interface. The settings dialog stores its choices in the settings.
//
// Both are made when first needed, so that a show does not wait for them
// before its first photo. The show's music list is the settings dialog's own
// list of songs: music that draws from it makes the dialog too.
#pragma once

#include <filesystem>
#include <memory>

#include "slideshow/MusicList.h"
#include "slideshow/ShowDialogs.h"

namespace download {
class IDownloader;
}
namespace shell {
class IShell;
}
class IErrorReport;
class TfrmHelp;
class TfrmSettings;
class TLumettaSettings;
class TMusic;

class TShowDialogs final : public IShowDialogs {
public:
    // What the settings dialog is made with.
    struct SettingsParts {
        std::filesystem::path ProgramFolder;
        IErrorReport& Report;
        shell::IShell& Shell;
        download::IDownloader& Downloader;
    };

    TShowDialogs(SettingsParts Parts, TLumettaSettings& Store);
    ~TShowDialogs();

    // The settings dialog's list of songs, for the show's music.
    IMusicList& MusicList() { return Songs; }
    // The show's music, which the settings dialog plays and previews through;
    // it must draw from MusicList() and outlive the dialogs.
    void AttachMusic(TMusic& Music);

    bool AnyVisible() override;
    void ShowHelp(const EnableWindow& SetSlideshowEnabled) override;
    void ShowSettings(const EnableWindow& SetSlideshowEnabled) override;

private:
    class SongList final : public IMusicList {
    public:
        explicit SongList(TShowDialogs& Owner) : Owner(Owner) {}
        int Count() const override;
        std::string Name(int index) const override;
        void Select(int index) override;
        std::string SelectedPath() const override;

    private:
        IMusicList& List() const;
        TShowDialogs& Owner;
    };

    TfrmSettings& SettingsDialog();

    SettingsParts Parts;
    TLumettaSettings& Store;
    TMusic* Music = nullptr;
    SongList Songs{*this};
    std::unique_ptr<TfrmHelp> Help;
    std::unique_ptr<TfrmSettings> Settings;
};
