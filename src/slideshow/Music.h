// Background music of a show: off, a random song drawn anew after each song,
// or one selected song repeated without end. The `Music` setting chooses:
// "none", "random", or the full path of the selected song.
//
// Main thread only. The player exists only while a show runs; without one
// every operation does nothing.
#pragma once

#include "platform/media/MediaPlayer.h"
#include "slideshow/ErrorReport.h"
#include "slideshow/MusicList.h"
#include "slideshow/RandomSource.h"

#include <functional>
#include <string>

class TMusic {
public:
    // `readMusic` returns the current `Music` setting (never empty: an empty
    // setting reads as "random").
    TMusic(IMusicList& list, IRandomSource& random, IErrorReport& report, std::function<std::string()> readMusic);
    ~TMusic();
    TMusic(const TMusic&) = delete;
    TMusic& operator=(const TMusic&) = delete;

    // The show's player, from the show's start to its end: it gets the
    // one-shot notify request and MusicFinished as its end handler.
    void AttachPlayer(media::IMediaPlayer& player);
    void DetachPlayer();
    media::IMediaPlayer* Player() const { return player_; }

    // Starts the music with the first photo. A random song is played at once;
    // a selected song is only opened, and its open notification starts it.
    // Throws media::MediaError when the song cannot be opened.
    void StartMusic();
    // F3: stops the music, or starts it again (a selected song where it
    // stopped, in random mode a newly drawn song). Throws media::MediaError.
    void ToggleMusic();
    // The player's end handler: a song that played to its end is followed by
    // a new random song, or by itself. Never throws: failures, and failure
    // notifications, go to the error report.
    void MusicFinished();
    // Stops and closes the current song, selects a random entry of the music
    // list and plays it. With an empty list nothing plays. Throws
    // media::MediaError when the drawn song cannot be opened.
    void PlayRandomSong();

    bool MusicOn() const { return musicOn_; }
    bool MusicStarted() const { return musicStarted_; }
    void SetMusicStarted(bool started) { musicStarted_ = started; }
    IRandomSource& Random() const { return random_; }
    IErrorReport& Report() const { return report_; }

private:
    IMusicList& list_;
    IRandomSource& random_;
    IErrorReport& report_;
    std::function<std::string()> readMusic_;
    media::IMediaPlayer* player_ = nullptr;
    bool musicOn_ = false;
    bool musicStarted_ = false;
};
