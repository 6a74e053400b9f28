// The settings dialog: the music mode, which songs play (moving files
// between the music folder and the disabled folder beside the program), the
// user's own songs, "Zoom and rotate pictures", the Picasa button and the
// music download. A translucent, borderless window over the frozen show,
// made hidden when the show first needs it and shown again and again.
//
// Main thread only. Music changes act on the show's player at once; the
// choices reach the settings only through the caller, when it is hidden.
#pragma once

#include "platform/download/Downloader.h"
#include "platform/shell/Shell.h"
#include "slideshow/ErrorReport.h"
#include "slideshow/Music.h"
#include "windows/Controls.h"
#include "windows/FileListBox.h"
#include "windows/RadioGroup.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <string>

class QAction;
class QCheckBox;
class TLumettaSettings;
class QFileDialog;
class QLabel;
class QTimer;

// The music installer's address: $LUMETTA_MUSIC_URL when set, else the
// product's own.
std::string MusicInstallerUrl();

class TfrmSettings final : public QWidget {
    Q_OBJECT

public:
    enum MusicMode { kOff = 0, kRandom = 1, kSelected = 2 };

    // `programFolder` holds the music folders, the downloaded installer and
    // the Picasa button file.
    TfrmSettings(const std::filesystem::path& programFolder, IErrorReport& report, shell::IShell& shell,
                 download::IDownloader& downloader, QWidget* owner = nullptr);

    // The show's music; the dialog plays and previews through its player.
    // The music list of `music` must be FileListBoxMusic.
    void AttachMusic(TMusic& music) { music_ = &music; }
    IMusicList& MusicList() { return *FileListBoxMusic; }

    // The steps of showing the dialog: the choices from the settings, the
    // dialog itself (shown, with events served until it is hidden; no time
    // limit but the user's), and the choices to write back: "none", "random"
    // or the selected song's path (empty when none is selected).
    void LoadChoices(const std::string& music, bool allowMoving);
    void RunUntilHidden();
    std::string MusicChoice() const;
    bool AllowMovingChoice() const;

    // The form's components.
    CentredPanel* Panel1;
    TRadioGroup* RadioGroupMusic;
    QLabel* Label1;
    QLabel* Label2;
    TFileListBox* FileListBoxMusic;
    TFileListBox* FileListBoxDisabledMusic;
    ActiveLabel* PanelNowy;
    ActiveLabel* PanelUsun;
    ActiveLabel* PanelDodaj;
    ActiveLabel* PanelDodajWszystkie;
    QCheckBox* chkAllowMoving;
    ActiveLabel* pnlPrzyciskDoPicasy;
    ActiveLabel* pnlDownloadMusic;
    ActiveLabel* pnlOK;
    QLabel* LabelHint;
    QTimer* TimerHideHint;
    QFileDialog* dlgOpenMP3;
    QAction* actZamknij;

    // Event handlers.
    void RadioGroupMusicClick();
    void FileListBoxMusicClick();
    void FileListBoxDisabledMusicClick();
    void PanelNowyClick();
    void PanelUsunClick();
    void PanelDodajClick();
    void PanelDodajWszystkieClick();
    void pnlPrzyciskDoPicasyClick();
    void pnlDownloadMusicClick();
    void pnlOKClick() { hide(); }
    void actZamknijExecute() { hide(); }
    void ApplicationEvents1ShowHint(const QString& hint);
    void TimerHideHintTimer();
    void pnlOKMouseEnter(ActiveLabel* panel);
    void pnlOKMouseLeave(ActiveLabel* panel);

signals:
    void hidden();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void CreateControls();
    ActiveLabel* AddButtonPanel(const char* name, const QString& caption, const QString& hint, QRect place,
                                 void (TfrmSettings::*handler)());
    // Runs a handler; what it raises goes to the error report.
    void Guarded(const std::function<void()>& action);
    media::IMediaPlayer* Player() const { return music_ ? music_->Player() : nullptr; }
    void StopAndClose();
    void PlayFile(const std::string& path);
    void RefreshLists();

    std::filesystem::path programFolder_;
    IErrorReport& report_;
    shell::IShell& shell_;
    download::IDownloader& downloader_;
    TMusic* music_ = nullptr;
    bool suppressModeClick_ = false;
};

// F2 during the show: the dialog opens with the settings' music choice and
// "Zoom and rotate pictures"; the slideshow window is disabled while the
// dialog is visible and events are served until it is hidden, so the show
// stands still meanwhile; then `Music` and `AllowMoving` take the dialog's
// choices (saving them is left to the settings' owner). `setSlideshowEnabled`
// switches the slideshow window, whatever kind of window it is.
void ShowSettings(TfrmSettings& dialog, TLumettaSettings& settings,
                  const std::function<void(bool enabled)>& setSlideshowEnabled);
