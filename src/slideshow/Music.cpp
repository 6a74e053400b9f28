#include "slideshow/Music.h"

#include <filesystem>
#include <system_error>

namespace {
const char* const kOff = "none";
const char* const kRandom = "random";
}  // namespace

TMusic::TMusic(IMusicList& list, IRandomSource& random, IErrorReport& report, std::function<std::string()> readMusic)
    : list_(list), random_(random), report_(report), readMusic_(std::move(readMusic)) {}

TMusic::~TMusic() { DetachPlayer(); }

void TMusic::AttachPlayer(media::IMediaPlayer& player) {
    DetachPlayer();
    player_ = &player;
    player.SetNotify(true);
    player.SetEndHandler([this] { MusicFinished(); });
}

void TMusic::DetachPlayer() {
    if (player_) player_->SetEndHandler(nullptr);
    player_ = nullptr;
}

void TMusic::StartMusic() {
    if (!player_) return;
    std::string music = readMusic_();
    if (music == kOff) return;
    if (music == kRandom) {
        PlayRandomSong();
        musicOn_ = true;
        return;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(music, error)) return;
    player_->SetFileName(music);
    player_->Open();
    musicOn_ = true;
}

void TMusic::ToggleMusic() {
    if (musicOn_) {
        if (player_) player_->Stop();
        musicOn_ = false;
        return;
    }
    std::string music = readMusic_();
    if (music == kRandom) PlayRandomSong();
    if (music != kOff && player_) player_->Play();
    musicOn_ = true;
}

void TMusic::MusicFinished() {
    if (!player_) return;
    try {
        if (player_->LastNotifyResult() == media::NotifyResult::Failure) {
            report_.ShowError(player_->ErrorText());
            return;
        }
        if (player_->LastNotifyResult() != media::NotifyResult::Successful ||
            player_->GetMode() != media::Mode::Stopped)
            return;
        if (readMusic_() == kRandom) {
            PlayRandomSong();
            return;
        }
        player_->SetNotify(true);
        player_->Play();
    } catch (const std::exception& error) {
        report_.ShowError(error.what());
    }
}

void TMusic::PlayRandomSong() {
    if (!player_) return;
    player_->Stop();
    player_->Close();
    if (list_.Count() == 0) return;
    list_.Select(random_.Below(list_.Count()));
    player_->SetFileName(list_.SelectedPath());
    player_->Open();
    player_->Play();
}
