// Unloadable photos. A photo whose texture cannot be made is skipped rather
// than waited for without end: when the loader of a prefetched photo gives up
// (State 'f', after about 2 s of retries) or the direct load into TextureC
// fails three times in a row, the photo is left out. No drift is applied and
// no frame drawn for it, so the photo before stays on screen, and the show goes
// on with the next photo as after a jump (Jumped: it is loaded directly). When
// as many photos have been skipped one after another as the list has entries,
// the show ends with TNoLoadablePhotos.
#include "slideshow/SlideCycle.h"

#include "slideshow/NoLoadablePhotos.h"
#include "slideshow/PhotoMotion.h"
#include "slideshow/PhotoSlots.h"
#include "slideshow/ShowCommands.h"
#include "slideshow/ShowContext.h"
#include "startup/PhotoSettings.h"

using namespace kelDX8;

namespace {

// The music from the show's start to its end, also when an error ends it.
class TMusicForShow {
public:
    explicit TMusicForShow(IShowMusic& Music) : Music(Music) { Music.BeginShow(); }
    ~TMusicForShow() {
        if (!ended) IgnoringFailure([&] { Music.EndShow(); });
    }
    void End() {
        ended = true;
        Music.EndShow();
    }

private:
    IShowMusic& Music;
    bool ended = false;
};

}  // namespace

struct TSlideCycle::Impl {
    Impl(TShowObjects& Objects, TShowState& State, const TPhotos& Photos, TLumettaSettings& Settings,
         TShowServices Services, TLoaderTiming Timing)
        : Show{Objects, State, Photos, Settings, Services}, Slots(Show, Timing) {}

    void StartPosition();
    bool ShowPhoto();
    void SetUpDrift(TPhotoMotion& Motion);
    void RunSteps(TPhotoMotion& Motion);
    void EndPhoto(const TPhotoMotion& Motion);
    void Advance();

    TShowContext Show;
    TPhotoSlots Slots;
};

TSlideCycle::TSlideCycle(TShowObjects& Objects, TShowState& State, const TPhotos& Photos, TLumettaSettings& Settings,
                         TShowServices Services, TLoaderTiming Timing)
    : impl_(std::make_unique<Impl>(Objects, State, Photos, Settings, Services, Timing)) {
    Objects.Scene->OnDraw = [this](TkelDXCustomObject*) { DrawFrame(); };
}

TSlideCycle::~TSlideCycle() { impl_->Show.Objects.Scene->OnDraw = nullptr; }

void TSlideCycle::TimerStartingSlideshowTimer() {
    auto& show = impl_->Show;
    if (show.Photos.empty()) throw TNoLoadablePhotos();
    impl_->StartPosition();
    impl_->Slots.StartFirstLoader();
    // The first frame costs the driver more than any later one (its buffers
    // are touched for the first time); one frame of the bare background, drawn
    // while the window is still hidden and the first photo loads, takes that
    // off the photo's first frame.
    if (!show.Services.Host.WindowVisible()) RenderIgnoringFailure(*show.Objects.Scene);
    // The player is made while the first photo loads.
    TMusicForShow music(show.Services.Music);
    int skippedInARow = 0;
    for (;;) {
        if (impl_->ShowPhoto())
            skippedInARow = 0;
        else if (++skippedInARow >= show.PhotoCount())
            throw TNoLoadablePhotos();
        show.Services.Host.ProcessMessages();
        if (show.State.StopRequested) break;
        impl_->Advance();
    }
    show.Settings.SetDepth(show.State.SurfaceDepth);
    show.Settings.SetLastIndex(show.State.Index);
    show.Settings.SetDelay(show.State.Delay);
    music.End();
}

void TSlideCycle::Impl::StartPosition() {
    Show.State.Index = FirstPosition(Show.Settings.GetLastIndex(), Show.PhotoCount());
}

void TSlideCycle::Impl::Advance() {
    auto& state = Show.State;
    ++state.Index;
    if (state.Index >= Show.PhotoCount()) {
        state.Index = 0;
        state.Jumped = true;
    }
    if (state.Index < 0) {
        state.Index = Show.PhotoCount() - 1;
        state.Jumped = true;
    }
}

// False when the photo could not be loaded and was skipped.
bool TSlideCycle::Impl::ShowPhoto() {
    if (!Slots.Prepare()) {
        Show.State.Jumped = true;
        return false;
    }
    const auto size = Show.Services.Pictures.ReadPictureSize(Show.Photos.at(Show.State.Index));
    if (!Slots.Bind()) {
        Show.State.Jumped = true;
        return false;
    }
    TPhotoMotion motion;
    auto& host = Show.Services.Host;
    FitSurface(*Show.Objects.Surface, Show.State, size.value_or(kUnreadableSize),
               static_cast<double>(host.ScreenWidth()) / host.ScreenHeight());
    SetUpDrift(motion);
    // Before the window is shown, so that its first paint already has the photo.
    Show.Objects.Surface->Visible = true;
    if (!host.WindowVisible()) {
        host.ShowWindow();
        host.ProcessMessages();
    }
    // Once the first photo is on screen: starting the music makes the player
    // and reads the songs to draw from, which must not delay the photo.
    if (!Show.State.MusicStarted) {
        Show.Services.Music.StartMusic();
        Show.State.MusicStarted = true;
    }
    RunSteps(motion);
    EndPhoto(motion);
    return true;
}

void TSlideCycle::Impl::SetUpDrift(TPhotoMotion& Motion) {
    Motion = DrawMotion(Show.Services.Random);
    if (Show.Settings.GetAllowMoving()) PreCompensate(*Show.Objects.Surface, Show.State, Motion);
}

void TSlideCycle::Impl::RunSteps(TPhotoMotion& Motion) {
    auto& state = Show.State;
    auto& objects = Show.Objects;
    while (Motion.Step <= kStepsPerPhoto) {
        state.Jumped = false;
        if (ReadKeyboardCommands(Show, Motion)) return;
        if (ReadMouseCommands(Show, Motion)) return;
        if (!state.Paused && Show.Settings.GetAllowMoving()) {
            objects.Camera->Deactivate();
            DriftOneStep(*objects.Surface, Motion);
            objects.Camera->Activate();
        }
        if (state.Paused) {
            Show.Services.Host.Sleep(100);
        } else {
            Show.Services.Host.Sleep(state.Delay * 10);
            ++Motion.Step;
        }
        RenderIgnoringFailure(*objects.Scene);
        // After this photo's first frame, so that it does not share the processor
        // with the next photo's decoding. A command before that frame leaves the
        // next photo to be loaded directly.
        Slots.StartNextLoader();
    }
}

void TSlideCycle::Impl::EndPhoto(const TPhotoMotion& Motion) {
    auto& state = Show.State;
    // The photo after the last one, at position 0, was prepared into the odd slot.
    if (!state.Jumped) state.Jumped = state.Index == Show.PhotoCount() - 1 && state.Index % 2 == 0;
    RenderIgnoringFailure(*Show.Objects.Scene);
    state.CarryX = -Motion.SumX;
    state.CarryY = -Motion.SumY;
}

void TSlideCycle::DrawFrame() {
    auto& show = impl_->Show;
    if (show.Services.Host.DialogVisible()) return;
    auto& objects = show.Objects;
    try {
        objects.Scene->Clear();
        objects.Surface->Insert();
        // Stage 0, shared by the three slots: colour from the texture, alpha from the vertices.
        objects.TextureA->SetColorStage(D3DTA_CURRENT, D3DTA_TEXTURE, D3DTOP_SELECTARG2);
        objects.TextureA->SetAlphaStage(D3DTA_DIFFUSE, D3DTA_TEXTURE, D3DTOP_SELECTARG1);
        objects.Surface->Draw();
    } catch (const std::exception&) {
        show.Services.Host.RequestEndOfApplication();
    }
}
