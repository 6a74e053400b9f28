// The song player over Qt Multimedia (GStreamer): an MP3 file plays through
// the desktop's default audio output. The multimedia backend starts with the
// first Open, so a show without music never pays for starting it.
#pragma once

#include "platform/media/MediaPlayer.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QObject>

#include <chrono>
#include <memory>
#include <vector>

namespace media {

class QtMediaPlayer final : public QObject, public IMediaPlayer {
    Q_OBJECT

public:
    // `loadLimit` bounds how long Open waits for a song to load.
    explicit QtMediaPlayer(QObject* parent = nullptr,
                           std::chrono::milliseconds loadLimit = std::chrono::seconds(10));
    ~QtMediaPlayer() override;  // closes the song, which silences it

    void SetFileName(const std::string& fileName) override { fileName_ = fileName; }
    std::string FileName() const override { return fileName_; }
    void SetNotify(bool notify) override { notify_ = notify; }
    void Open() override;
    void Play() override;
    void Stop() override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    Mode GetMode() const override;
    NotifyResult LastNotifyResult() const override { return lastResult_; }
    std::string ErrorText() const override { return errorText_; }
    void SetEndHandler(std::function<void()> handler) override { endHandler_ = std::move(handler); }

    // Where the open song is, in milliseconds from its start.
    qint64 PositionMillis() const { return player_ ? player_->position() : 0; }

protected:
    void customEvent(QEvent* event) override;

private:
    void Post(NotifyResult result);
    void EndPendingPlay(NotifyResult result);
    // Waits, serving events but no user input, until the source has loaded or
    // failed or the limit has passed; returns whether it loaded.
    bool WaitUntilLoaded();
    [[noreturn]] void FailOpen(const std::string& reason);
    void OnMediaStatus(QMediaPlayer::MediaStatus status);
    void OnError(QMediaPlayer::Error error, const QString& text);

    void StartBackend();

    std::unique_ptr<QAudioOutput> output_;  // outlives the player that plays through it
    std::unique_ptr<QMediaPlayer> player_;
    std::chrono::milliseconds loadLimit_;
    std::string fileName_;
    bool notify_ = false;
    bool open_ = false;
    bool playing_ = false;
    bool playPending_ = false;  // a Play waits for its notification
    bool atEnd_ = false;
    int waitDepth_ = 0;         // nested waits of Open in progress
    std::string loadError_;     // the first error reported while loading
    std::vector<NotifyResult> deferred_;  // notifications that arrived during a wait
    NotifyResult lastResult_ = NotifyResult::Successful;
    std::string errorText_;
    std::function<void()> endHandler_;
};

}  // namespace media
