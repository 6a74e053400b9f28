#include "windows/ShowDialogs.h"

#include "windows/Help.h"
#include "windows/Settings.h"

TShowDialogs::TShowDialogs(shell::IShell& Shell, TfrmSettings& Settings, TLumettaSettings& Store)
    : Shell(Shell), Settings(Settings), Store(Store) {}

TShowDialogs::~TShowDialogs() = default;

bool TShowDialogs::AnyVisible() { return (Help && Help->isVisible()) || Settings.isVisible(); }

void TShowDialogs::ShowHelp(const EnableWindow& SetSlideshowEnabled) {
    if (!Help) Help = std::make_unique<TfrmHelp>(Shell);
    ::ShowHelp(*Help, SetSlideshowEnabled);
}

void TShowDialogs::ShowSettings(const EnableWindow& SetSlideshowEnabled) {
    ::ShowSettings(Settings, Store, SetSlideshowEnabled);
}
