// The song player the show and the settings dialog play music through: one
// song at a time, with open, play, stop and close requests and a notification
// when a request that asked for one completes. Pure C++; the backend beside
// this header plays through Qt Multimedia.
//
// Threading: every operation is called on the main (user-interface) thread.
// Notifications are queued events: they reach the end handler only when the
// main thread processes its pending events, never inside a request.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace media {

// What the device is doing, as the mode query reports it. A song player
// reports NotReady, Stopped and Playing; the other modes belong to devices
// that record, seek on their own, pause or have a door.
enum class Mode {
    NotReady,  // no song open
    Stopped,   // a song is open and does not play (before the first Play, after Stop, at its end)
    Playing,
    Recording,
    Seeking,
    Paused,
    Open,
};

// How the request that carried the notification ended.
enum class NotifyResult {
    Successful,  // completed: an Open done, a Play that reached the end of the song
    Superseded,  // a later Play replaced the Play that was waiting for the end
    Aborted,     // Stop or Close ended the song before its end
    Failure,     // playing broke off with an error (ErrorText tells which)
};

// A request that the player could not carry out; what() is a sentence for the
// user, naming the file where one is involved.
class MediaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class IMediaPlayer {
public:
    virtual ~IMediaPlayer() = default;

    // The song that Open opens: a full path.
    virtual void SetFileName(const std::string& fileName) = 0;
    virtual std::string FileName() const = 0;

    // Asks for a notification from the next Open or Play; the request is used
    // up by that command. Play notifies whether or not it was asked.
    virtual void SetNotify(bool notify) = 0;

    // Closes an open song first, then opens the file and waits, for a bounded
    // time, until it is ready to play; the song is then Stopped at its start.
    // When notify was requested, Successful is queued once the song is open.
    // Throws MediaError (the device stays closed) when the file is missing,
    // is not a song, or does not load in time.
    virtual void Open() = 0;

    // Plays the open song on from its position; a song at its end starts
    // again from the beginning. Returns at once. Its notification comes when
    // the song ends (Successful), is stopped or closed (Aborted), is replaced
    // by another Play (Superseded) or breaks off (Failure). Without an open
    // song it does nothing.
    virtual void Play() = 0;

    // Stops the open song where it is, so the next Play goes on from there.
    // Without an open song it does nothing.
    virtual void Stop() = 0;

    // Closes the open song, which silences it. Without one it does nothing.
    virtual void Close() = 0;

    virtual bool IsOpen() const = 0;
    virtual Mode GetMode() const = 0;

    // The result of the notification delivered last (Successful before any).
    virtual NotifyResult LastNotifyResult() const = 0;
    // The player's description of the last failure, empty when there was none.
    virtual std::string ErrorText() const = 0;

    // Called on the main thread for every notification, after
    // LastNotifyResult has been set to its result. The handler must not throw.
    virtual void SetEndHandler(std::function<void()> handler) = 0;
};

}  // namespace media
