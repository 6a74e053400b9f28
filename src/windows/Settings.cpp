#include "windows/Settings.h"

#include "slideshow/SongFolders.h"
#include "startup/PhotoSettings.h"
#include "windows/Fonts.h"
#include "windows/PicasaButton.h"
#include "windows/WebPages.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QTimer>

#include <cmath>
#include <cstdlib>

namespace {

const std::string kMusicUrl = std::string("https://") + kProductHost + "/music/SetupLumettaMusic.exe";
const char* const kInstallerName = "SetupLumettaMusic.exe";
const char* const kDownloadCaption = "Download more music";
const int kHintMillis = 3000;
const QSize kPanelSize(606, 465);
const QColor kHoverGrey(128, 128, 128);

QPalette WhiteOnBlack(QPalette palette) {
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::AlternateBase})
        palette.setColor(role, Qt::black);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) palette.setColor(role, Qt::white);
    return palette;
}

// Radio and check indicators drawn white with a black mark, as on the
// system the window comes from; their captions stay white.
QPalette WhiteIndicators(QPalette palette) {
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    return palette;
}

// The caption while a download runs: the share done when the size is known,
// the kilobytes so far while it is not.
QString ProgressCaption(std::int64_t received, std::int64_t total) {
    if (total <= 0) return QString("Music downloading: %1 KB").arg(received / 1024);
    long percent = std::lround(100.0 * static_cast<double>(received) / static_cast<double>(total));
    return QString("Music downloading: %1 %").arg(percent);
}

// The download holds the dialog until it ends; the panel is painted here and
// now rather than whenever a paint request would be served.
void SetCaptionAtOnce(ActiveLabel* panel, const QString& caption) {
    panel->setText(caption);
    panel->repaint();
}

}  // namespace

std::string MusicInstallerUrl() {
    const char* url = std::getenv("LUMETTA_MUSIC_URL");
    return url && *url ? url : kMusicUrl;
}

TfrmSettings::TfrmSettings(const std::filesystem::path& programFolder, IErrorReport& report,
                           shell::IShell& shell, download::IDownloader& downloader, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint),
      programFolder_(programFolder),
      report_(report),
      shell_(shell),
      downloader_(downloader) {
    setWindowTitle("Settings");
    CoverScreen(this);
    setWindowOpacity(200.0 / 255.0);
    setPalette(WhiteOnBlack(palette()));
    setFont(WindowFont("Tahoma", 8));
    CreateControls();
    // FormCreate: a missing folder shows an empty list.
    FileListBoxDisabledMusic->SetDirectory(DisabledMusicFolder(programFolder_));
    FileListBoxMusic->SetDirectory(MusicFolder(programFolder_));
    QCoreApplication::instance()->installEventFilter(this);
}

void TfrmSettings::CreateControls() {
    QFont bold10 = WindowFont("Tahoma", 10, true), plain10 = WindowFont("Tahoma", 10);
    Panel1 = new CentredPanel(this, kPanelSize);

    RadioGroupMusic = new TRadioGroup("Music", {"off", "random", "selected"}, 3, Panel1);
    RadioGroupMusic->setFont(bold10);
    RadioGroupMusic->setPalette(WhiteIndicators(palette()));
    RadioGroupMusic->setGeometry(96, 8, 257, 62);
    connect(RadioGroupMusic, &TRadioGroup::clicked, this, &TfrmSettings::RadioGroupMusicClick);

    Label1 = MakeLabel(Panel1, "Label1", "Play these:", bold10, Qt::white, {96, 76});
    Label2 = MakeLabel(Panel1, "Label2", "Don't play these:", bold10, Qt::white, {441, 73});

    FileListBoxMusic = new TFileListBox(Panel1);
    FileListBoxMusic->setGeometry(96, 98, 201, 183);
    connect(FileListBoxMusic, &TFileListBox::clicked, this, &TfrmSettings::FileListBoxMusicClick);
    FileListBoxDisabledMusic = new TFileListBox(Panel1);
    FileListBoxDisabledMusic->setGeometry(334, 95, 201, 186);
    connect(FileListBoxDisabledMusic, &TFileListBox::clicked, this, &TfrmSettings::FileListBoxDisabledMusicClick);
    for (TFileListBox* list : {FileListBoxMusic, FileListBoxDisabledMusic}) list->setFont(plain10);

    PanelNowy = AddButtonPanel("PanelNowy", "+", "Pick your own mp3 file.", {303, 104, 25, 25},
                               &TfrmSettings::PanelNowyClick);
    PanelUsun = AddButtonPanel("PanelUsun", ">", "Don't play the song selected on the left.", {303, 135, 25, 25},
                               &TfrmSettings::PanelUsunClick);
    PanelDodaj = AddButtonPanel("PanelDodaj", "<", "Play the song selected on the right", {303, 166, 25, 25},
                                &TfrmSettings::PanelDodajClick);
    PanelDodajWszystkie = AddButtonPanel("PanelDodajWszystkie", "<<", "Play all songs", {303, 197, 25, 25},
                                         &TfrmSettings::PanelDodajWszystkieClick);

    chkAllowMoving = new QCheckBox("Zoom and rotate pictures", Panel1);
    chkAllowMoving->setFont(plain10);
    chkAllowMoving->setPalette(WhiteIndicators(palette()));
    chkAllowMoving->setGeometry(112, 336, 185, 17);

    pnlPrzyciskDoPicasy = AddButtonPanel("pnlPrzyciskDoPicasy", "Add Lumetta button to Picasa", "",
                                         {96, 374, 209, 25}, &TfrmSettings::pnlPrzyciskDoPicasyClick);
    pnlDownloadMusic = AddButtonPanel("pnlDownloadMusic", kDownloadCaption, "", {334, 374, 209, 25},
                                      &TfrmSettings::pnlDownloadMusicClick);
    pnlOK = AddButtonPanel("pnlOK", "OK", "", {392, 438, 81, 25}, &TfrmSettings::pnlOKClick);

    LabelHint = MakeLabel(Panel1, "LabelHint", "", font(), Qt::white, {96, 444});

    TimerHideHint = new QTimer(this);
    TimerHideHint->setInterval(kHintMillis);
    connect(TimerHideHint, &QTimer::timeout, this, &TfrmSettings::TimerHideHintTimer);

    dlgOpenMP3 = new QFileDialog(this, QString(), QString(), "MP3 (*.mp3)");
    dlgOpenMP3->setOption(QFileDialog::DontUseNativeDialog);
    dlgOpenMP3->setFileMode(QFileDialog::ExistingFile);
    dlgOpenMP3->setDefaultSuffix("mp3");

    actZamknij = new QAction(this);
    actZamknij->setShortcut(Qt::Key_Escape);
    addAction(actZamknij);
    connect(actZamknij, &QAction::triggered, this, &TfrmSettings::actZamknijExecute);
}

ActiveLabel* TfrmSettings::AddButtonPanel(const char* name, const QString& caption, const QString& hint, QRect place,
                                          void (TfrmSettings::*handler)()) {
    ActiveLabel* panel = MakeButtonPanel(Panel1, name, caption, font(), place);
    // These panels stand out with a raised bevel: light at the top and left,
    // shadow at the bottom and right.
    panel->setFrameShadow(QFrame::Raised);
    QPalette bevel = panel->palette();
    bevel.setColor(QPalette::Light, Qt::white);
    bevel.setColor(QPalette::Dark, QColor(160, 160, 160));
    panel->setPalette(bevel);
    panel->setToolTip(hint);
    connect(panel, &ActiveLabel::clicked, this, handler);
    connect(panel, &ActiveLabel::mouseEntered, this, [this, panel] { pnlOKMouseEnter(panel); });
    connect(panel, &ActiveLabel::mouseLeft, this, [this, panel] { pnlOKMouseLeave(panel); });
    return panel;
}

void TfrmSettings::LoadChoices(const std::string& music, bool allowMoving) {
    if (music == "none") {
        RadioGroupMusic->SetItemIndex(kOff);
    } else if (music == "random") {
        RadioGroupMusic->SetItemIndex(kRandom);
    } else {
        std::string name = std::filesystem::path(music).filename().string();
        for (int i = 0; i < FileListBoxMusic->Count(); ++i)
            if (FileListBoxMusic->Name(i) == name) {
                FileListBoxMusic->Select(i);
                break;
            }
        suppressModeClick_ = true;
        RadioGroupMusic->SetItemIndex(kSelected);
        suppressModeClick_ = false;
    }
    chkAllowMoving->setChecked(allowMoving);
}

void TfrmSettings::RunUntilHidden() {
    QEventLoop loop;
    connect(this, &TfrmSettings::hidden, &loop, &QEventLoop::quit);
    show();
    raise();
    activateWindow();
    if (isVisible()) loop.exec();
}

std::string TfrmSettings::MusicChoice() const {
    switch (RadioGroupMusic->ItemIndex()) {
        case kOff: return "none";
        case kRandom: return "random";
        default: return FileListBoxMusic->SelectedPath();
    }
}

bool TfrmSettings::AllowMovingChoice() const { return chkAllowMoving->isChecked(); }

void ShowSettings(TfrmSettings& dialog, TLumettaSettings& settings,
                  const std::function<void(bool enabled)>& setSlideshowEnabled) {
    dialog.LoadChoices(settings.GetMusic(), settings.GetAllowMoving());
    setSlideshowEnabled(false);
    dialog.RunUntilHidden();
    setSlideshowEnabled(true);
    settings.SetMusic(dialog.MusicChoice());
    settings.SetAllowMoving(dialog.AllowMovingChoice());
}

void TfrmSettings::RadioGroupMusicClick() {
    if (suppressModeClick_ || !isVisible()) return;
    Guarded([this] {
        switch (RadioGroupMusic->ItemIndex()) {
            case kOff: StopAndClose(); break;
            case kRandom:
                if (music_) music_->PlayRandomSong();
                break;
            case kSelected:
                StopAndClose();
                if (FileListBoxMusic->SelectedIndex() < 0 && FileListBoxMusic->Count() > 0 && music_)
                    FileListBoxMusic->Select(music_->Random().Below(FileListBoxMusic->Count()));
                // An empty list has nothing to play.
                if (FileListBoxMusic->SelectedIndex() >= 0) PlayFile(FileListBoxMusic->SelectedPath());
                break;
        }
    });
}

void TfrmSettings::FileListBoxMusicClick() {
    if (!isVisible() || FileListBoxMusic->SelectedIndex() < 0) return;
    if (RadioGroupMusic->ItemIndex() == kOff) RadioGroupMusic->SetItemIndex(kSelected);
    Guarded([this] { PlayFile(FileListBoxMusic->SelectedPath()); });
}

void TfrmSettings::FileListBoxDisabledMusicClick() {
    if (FileListBoxDisabledMusic->SelectedIndex() < 0) return;
    Guarded([this] { PlayFile(FileListBoxDisabledMusic->SelectedPath()); });
}

void TfrmSettings::PanelNowyClick() {
    if (dlgOpenMP3->exec() != QDialog::Accepted || dlgOpenMP3->selectedFiles().isEmpty()) return;
    CopySongTo(dlgOpenMP3->selectedFiles().first().toStdString(), MusicFolder(programFolder_));
    RefreshLists();
}

void TfrmSettings::PanelUsunClick() {
    if (FileListBoxMusic->SelectedIndex() < 0) return;
    // The song may be the one playing; it is let go before it moves.
    StopAndClose();
    QCoreApplication::processEvents();
    MoveSongTo(FileListBoxMusic->SelectedPath(), DisabledMusicFolder(programFolder_));
    RefreshLists();
}

void TfrmSettings::PanelDodajClick() {
    if (FileListBoxDisabledMusic->SelectedIndex() >= 0)
        MoveSongTo(FileListBoxDisabledMusic->SelectedPath(), MusicFolder(programFolder_));
    RefreshLists();
}

void TfrmSettings::PanelDodajWszystkieClick() {
    for (int i = 0; i < FileListBoxDisabledMusic->Count(); ++i)
        MoveSongTo(SongPath(FileListBoxDisabledMusic->Directory(), FileListBoxDisabledMusic->Name(i)),
                   MusicFolder(programFolder_));
    RefreshLists();
}

void TfrmSettings::pnlPrzyciskDoPicasyClick() {
    RequestPicasaButton(shell_, programFolder_.string());
}

void TfrmSettings::pnlDownloadMusicClick() {
    std::filesystem::path installer = programFolder_ / kInstallerName;
    try {
        downloader_.DownloadToFile(MusicInstallerUrl(), installer, [this](std::int64_t received, std::int64_t total) {
            SetCaptionAtOnce(pnlDownloadMusic, ProgressCaption(received, total));
        });
        shell_.Open(installer.string());
    } catch (const std::exception& error) {
        report_.ShowError(error.what());
    }
    SetCaptionAtOnce(pnlDownloadMusic, kDownloadCaption);
}

void TfrmSettings::ApplicationEvents1ShowHint(const QString& hint) {
    LabelHint->setText(hint);
    LabelHint->adjustSize();
    // A running timer is not restarted: the label empties 3000 ms after the
    // hint that started it, whatever came since.
    if (!TimerHideHint->isActive()) TimerHideHint->start();
}

void TfrmSettings::TimerHideHintTimer() {
    TimerHideHint->stop();
    LabelHint->clear();
}

void TfrmSettings::pnlOKMouseEnter(ActiveLabel* panel) { panel->SetBackground(kHoverGrey); }

void TfrmSettings::pnlOKMouseLeave(ActiveLabel* panel) { panel->SetBackground(Qt::black); }

bool TfrmSettings::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != this && !isAncestorOf(widget))) return false;
    // The hint goes to the label instead of a hint window.
    for (; widget && widget != this; widget = widget->parentWidget())
        if (!widget->toolTip().isEmpty()) {
            ApplicationEvents1ShowHint(widget->toolTip());
            break;
        }
    return true;
}

void TfrmSettings::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit hidden();
}

void TfrmSettings::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        report_.ShowError(error.what());
    }
}

void TfrmSettings::StopAndClose() {
    if (media::IMediaPlayer* player = Player()) {
        player->Stop();
        player->Close();
    }
}

void TfrmSettings::PlayFile(const std::string& path) {
    media::IMediaPlayer* player = Player();
    if (!player) return;
    StopAndClose();
    player->SetFileName(path);
    player->Open();
    player->Play();
}

void TfrmSettings::RefreshLists() {
    FileListBoxMusic->Refresh();
    FileListBoxDisabledMusic->Refresh();
}
