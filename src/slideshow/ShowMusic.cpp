#include "slideshow/ShowMusic.h"


TShowMusic::~TShowMusic() { EndShow(); }

void TShowMusic::BeginShow() {
    EndShow();
    MusicPlayer = std::make_unique<media::QtMediaPlayer>();
    Music.AttachPlayer(*MusicPlayer);
}

void TShowMusic::EndShow() {
    if (!MusicPlayer) return;
    Music.DetachPlayer();
    MusicPlayer.reset();
}
