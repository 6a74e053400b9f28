// A song player without sound: songs are a count of ticks long and move on
// only when the test advances them; notifications wait in a queue until the
// test delivers them, as the real ones wait for the event loop.
#pragma once

#include "platform/media/MediaPlayer.h"

#include <deque>
#include <set>
#include <string>
#include <vector>

class FakeMediaPlayer final : public media::IMediaPlayer {
public:
    static constexpr int kSongLength = 100;

    // What the test sees and steers.
    std::vector<std::string> calls;  // "Open <file>", "Play", "Stop", "Close", in order
    std::set<std::string> unplayable;  // files that Open refuses
    int position = 0;

    // Plays `ticks` on; reaching the end stops the song and completes its Play.
    void Advance(int ticks);
    void FinishSong() { Advance(kSongLength - position); }
    // Playing breaks off with an error.
    void BreakOff(const std::string& text);
    // Delivers the queued notifications, and those their handling queues, in
    // order; at most `limit` of them. Returns how many were delivered.
    int DeliverNotifications(int limit = 100);
    bool NotifyRequested() const { return notify_; }
    std::vector<std::string> TakeCalls();

    void SetFileName(const std::string& fileName) override { fileName_ = fileName; }
    std::string FileName() const override { return fileName_; }
    void SetNotify(bool notify) override { notify_ = notify; }
    void Open() override;
    void Play() override;
    void Stop() override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    media::Mode GetMode() const override;
    media::NotifyResult LastNotifyResult() const override { return last_; }
    std::string ErrorText() const override { return errorText_; }
    void SetEndHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    void EndPendingPlay(media::NotifyResult result);

    std::string fileName_;
    bool notify_ = false;
    bool open_ = false;
    bool playing_ = false;
    bool playPending_ = false;
    std::deque<media::NotifyResult> queue_;
    media::NotifyResult last_ = media::NotifyResult::Successful;
    std::string errorText_;
    std::function<void()> handler_;
};
