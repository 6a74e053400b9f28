#include "windows/ShowDialogs.h"

#include "windows/Help.h"
#include "windows/Settings.h"

bool TShowDialogs::AnyVisible() { return Help.isVisible() || Settings.isVisible(); }

void TShowDialogs::ShowHelp(const EnableWindow& SetSlideshowEnabled) { ::ShowHelp(Help, SetSlideshowEnabled); }

void TShowDialogs::ShowSettings(const EnableWindow& SetSlideshowEnabled) {
    ::ShowSettings(Settings, Store, SetSlideshowEnabled);
}
