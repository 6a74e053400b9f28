#include "fakes/FakeMediaPlayer.h"

using media::NotifyResult;

void FakeMediaPlayer::Advance(int ticks) {
    if (!playing_) return;
    position += ticks;
    if (position < kSongLength) return;
    position = kSongLength;
    playing_ = false;
    EndPendingPlay(NotifyResult::Successful);
}

void FakeMediaPlayer::BreakOff(const std::string& text) {
    errorText_ = text;
    playing_ = false;
    EndPendingPlay(NotifyResult::Failure);
}

int FakeMediaPlayer::DeliverNotifications(int limit) {
    int delivered = 0;
    while (!queue_.empty() && delivered < limit) {
        last_ = queue_.front();
        queue_.pop_front();
        ++delivered;
        if (handler_) handler_();
    }
    return delivered;
}

std::vector<std::string> FakeMediaPlayer::TakeCalls() {
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
}

void FakeMediaPlayer::Open() {
    Close();
    calls.push_back("Open " + fileName_);
    bool notify = notify_;
    notify_ = false;
    if (fileName_.empty() || unplayable.count(fileName_)) {
        errorText_ = "The song " + fileName_ + " cannot be opened: not a song.";
        throw media::MediaError(errorText_);
    }
    open_ = true;
    position = 0;
    if (notify) queue_.push_back(NotifyResult::Successful);
}

void FakeMediaPlayer::Play() {
    if (!open_) return;
    calls.push_back("Play");
    notify_ = false;
    if (playPending_) queue_.push_back(NotifyResult::Superseded);
    if (position >= kSongLength) position = 0;
    playPending_ = true;
    playing_ = true;
}

void FakeMediaPlayer::Stop() {
    if (!open_) return;
    calls.push_back("Stop");
    playing_ = false;
    EndPendingPlay(NotifyResult::Aborted);
}

void FakeMediaPlayer::Close() {
    if (!open_) return;
    calls.push_back("Close");
    EndPendingPlay(NotifyResult::Aborted);
    open_ = false;
    playing_ = false;
}

media::Mode FakeMediaPlayer::GetMode() const {
    if (!open_) return media::Mode::NotReady;
    return playing_ ? media::Mode::Playing : media::Mode::Stopped;
}

void FakeMediaPlayer::EndPendingPlay(NotifyResult result) {
    if (!playPending_) return;
    playPending_ = false;
    queue_.push_back(result);
}
