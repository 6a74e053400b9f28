#include "platform/media/QtMediaPlayer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>

namespace media {

namespace {

// A notification on its way to the main thread's event queue.
class NotifyEvent final : public QEvent {
public:
    explicit NotifyEvent(NotifyResult result) : QEvent(EventType()), result_(result) {}
    NotifyResult result() const { return result_; }
    static QEvent::Type EventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

private:
    NotifyResult result_;
};

}  // namespace

QtMediaPlayer::QtMediaPlayer(QObject* parent, std::chrono::milliseconds loadLimit)
    : QObject(parent), loadLimit_(loadLimit) {}

void QtMediaPlayer::StartBackend() {
    if (player_) return;
    output_ = std::make_unique<QAudioOutput>();
    player_ = std::make_unique<QMediaPlayer>();
    player_->setAudioOutput(output_.get());
    connect(player_.get(), &QMediaPlayer::mediaStatusChanged, this, &QtMediaPlayer::OnMediaStatus);
    connect(player_.get(), &QMediaPlayer::errorOccurred, this, &QtMediaPlayer::OnError);
}

QtMediaPlayer::~QtMediaPlayer() { Close(); }

void QtMediaPlayer::Open() {
    Close();
    bool notify = notify_;
    notify_ = false;
    if (fileName_.empty()) throw MediaError("No song file has been named.");

    loadError_.clear();
    StartBackend();
    player_->setSource(QUrl::fromLocalFile(QString::fromStdString(fileName_)));
    if (!WaitUntilLoaded()) {
        std::string reason = loadError_;
        if (reason.empty() && player_->mediaStatus() == QMediaPlayer::LoadingMedia)
            reason = "it did not load within " + std::to_string(loadLimit_.count()) + " ms.";
        if (reason.empty()) reason = "it is not a song the player can play.";
        FailOpen(reason);
    }
    open_ = true;
    playing_ = false;
    atEnd_ = false;
    errorText_.clear();
    if (notify) Post(NotifyResult::Successful);
}

bool QtMediaPlayer::WaitUntilLoaded() {
    auto settled = [this] {
        auto status = player_->mediaStatus();
        return !loadError_.empty() || status == QMediaPlayer::InvalidMedia ||
               (status != QMediaPlayer::LoadingMedia && status != QMediaPlayer::NoMedia);
    };
    if (!settled()) {
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(player_.get(), &QMediaPlayer::mediaStatusChanged, &loop, [&] {
            if (settled()) loop.quit();
        });
        connect(player_.get(), &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
        limit.start(loadLimit_);
        ++waitDepth_;
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        --waitDepth_;
    }
    // Notifications that arrived meanwhile go back into the queue, in order.
    if (waitDepth_ == 0) {
        for (NotifyResult result : deferred_) Post(result);
        deferred_.clear();
    }
    auto status = player_->mediaStatus();
    return loadError_.empty() && status != QMediaPlayer::InvalidMedia && status != QMediaPlayer::LoadingMedia &&
           status != QMediaPlayer::NoMedia;
}

void QtMediaPlayer::FailOpen(const std::string& reason) {
    player_->stop();
    player_->setSource(QUrl());
    errorText_ = "The song " + fileName_ + " cannot be opened: " + reason;
    throw MediaError(errorText_);
}

void QtMediaPlayer::Play() {
    if (!open_) return;
    notify_ = false;  // Play notifies anyway; the request is used up
    if (playPending_) Post(NotifyResult::Superseded);
    if (atEnd_ || (player_->duration() > 0 && player_->position() >= player_->duration())) player_->setPosition(0);
    atEnd_ = false;
    playPending_ = true;
    playing_ = true;
    player_->play();
}

void QtMediaPlayer::Stop() {
    if (!open_) return;
    // QMediaPlayer::stop would rewind; pausing keeps the place.
    player_->pause();
    playing_ = false;
    EndPendingPlay(NotifyResult::Aborted);
}

void QtMediaPlayer::Close() {
    if (!open_) return;
    EndPendingPlay(NotifyResult::Aborted);
    player_->stop();
    player_->setSource(QUrl());
    open_ = false;
    playing_ = false;
}

Mode QtMediaPlayer::GetMode() const {
    if (!open_) return Mode::NotReady;
    return playing_ ? Mode::Playing : Mode::Stopped;
}

void QtMediaPlayer::EndPendingPlay(NotifyResult result) {
    if (!playPending_) return;
    playPending_ = false;
    Post(result);
}

void QtMediaPlayer::Post(NotifyResult result) { QCoreApplication::postEvent(this, new NotifyEvent(result)); }

void QtMediaPlayer::customEvent(QEvent* event) {
    if (event->type() != NotifyEvent::EventType()) return QObject::customEvent(event);
    NotifyResult result = static_cast<NotifyEvent*>(event)->result();
    if (waitDepth_ > 0) {
        deferred_.push_back(result);
        return;
    }
    lastResult_ = result;
    if (endHandler_) endHandler_();
}

void QtMediaPlayer::OnMediaStatus(QMediaPlayer::MediaStatus status) {
    if (status != QMediaPlayer::EndOfMedia || !open_) return;
    playing_ = false;
    atEnd_ = true;
    EndPendingPlay(NotifyResult::Successful);
}

void QtMediaPlayer::OnError(QMediaPlayer::Error, const QString& text) {
    if (!open_) {
        if (loadError_.empty()) loadError_ = text.isEmpty() ? "the player reported an error." : text.toStdString();
        return;
    }
    errorText_ = "The song " + fileName_ + " cannot be played: " + text.toStdString();
    playing_ = false;
    EndPendingPlay(NotifyResult::Failure);
}

}  // namespace media
