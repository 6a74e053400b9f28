// The show's music on the real player: a player made when the show begins and
// closed, which silences it, when the show ends.
#pragma once

#include <memory>

#include "platform/media/QtMediaPlayer.h"
#include "slideshow/Music.h"
#include "slideshow/ShowServices.h"

class TShowMusic final : public IShowMusic {
public:
    explicit TShowMusic(TMusic& Music) : Music(Music) {}
    ~TShowMusic();

    void BeginShow() override;
    void EndShow() override;
    void StartMusic() override { Music.StartMusic(); }
    void ToggleMusic() override { Music.ToggleMusic(); }

private:
    TMusic& Music;
    std::unique_ptr<media::QtMediaPlayer> MusicPlayer;
};
