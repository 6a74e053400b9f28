#include "slideshow/PhotoSlots.h"

namespace {

// A direct load that fails this often in a row: the file is missing or damaged.
constexpr int kDirectLoadAttempts = 3;

// Unbinds and frees a slot; a slot that is not bound keeps its texture until
// its loader replaces it.
void FreeSlot(kelDX8::TkelDXTexture& Texture) {
    IgnoringFailure([&] {
        Texture.Deactivate();
        Texture.Unload();
    });
}

}  // namespace

TPhotoSlots::TPhotoSlots(TShowContext& Show, TLoaderTiming Timing)
    : Show(Show), Timing(Timing), A{*Show.Objects.TextureA, nullptr}, B{*Show.Objects.TextureB, nullptr} {}

TPhotoSlots::~TPhotoSlots() = default;

TPhotoSlots::Slot& TPhotoSlots::OwnSlot() { return Show.State.Index % 2 == 0 ? A : B; }
TPhotoSlots::Slot& TPhotoSlots::OtherSlot() { return Show.State.Index % 2 == 0 ? B : A; }

void TPhotoSlots::StartLoader(Slot& Target, int Position) {
    Target.Loader.reset();  // waits for the slot's last loader
    Target.Position = Position;
    Target.Loader = std::make_unique<TLoadImageThread>(Target.Texture, Show.Photos.at(Position), Timing);
}

void TPhotoSlots::StartFirstLoader() { StartLoader(OwnSlot(), Show.State.Index); }

bool TPhotoSlots::Prepare() {
    const int index = Show.State.Index;
    Slot& own = OwnSlot();
    Slot& other = OtherSlot();
    other.Loader.reset();
    FreeSlot(other.Texture);
    FreeSlot(*Show.Objects.TextureC);
    // A slot prepared for another position (the list grew at its end) is no use.
    if (!own.Loader || own.Position != index) Show.State.Jumped = true;
    const bool loaded = Show.State.Jumped || WaitForLoader(own);
    own.Loader.reset();
    return loaded;
}

void TPhotoSlots::StartNextLoader() {
    Slot& other = OtherSlot();
    if (other.Loader) return;
    const int index = Show.State.Index;
    StartLoader(other, index + 1 < Show.PhotoCount() ? index + 1 : 0);
}

bool TPhotoSlots::WaitForLoader(const Slot& Own) {
    // Window events every 100 ms; the photo goes on screen as soon as it is loaded.
    while (!Own.Loader->WaitUntilDone(std::chrono::milliseconds(100))) Show.Services.Host.ProcessMessages();
    return Own.Loader->GetState() == 't';
}

bool TPhotoSlots::Bind() {
    if (Show.State.Jumped) return LoadDirectly();
    OwnSlot().Texture.Activate();
    return true;
}

bool TPhotoSlots::LoadDirectly() {
    auto& c = *Show.Objects.TextureC;
    FreeSlot(c);
    for (int attempt = 0; attempt < kDirectLoadAttempts && !c.IsActive(); ++attempt) {
        IgnoringFailure([&] {
            c.LoadFromFile(Show.Photos.at(Show.State.Index));
            IgnoringFailure([&] { Show.Objects.TextureA->Deactivate(); });
            IgnoringFailure([&] { Show.Objects.TextureB->Deactivate(); });
            c.Activate();
        });
    }
    return c.IsActive();
}
