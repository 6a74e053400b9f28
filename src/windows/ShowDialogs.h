// The show's help window and settings dialog behind the slideshow window's
// dialog interface. The settings dialog stores its choices in the settings.
#pragma once

#include "slideshow/ShowDialogs.h"

class TfrmHelp;
class TfrmSettings;
class TLumettaSettings;

class TShowDialogs final : public IShowDialogs {
public:
    TShowDialogs(TfrmHelp& Help, TfrmSettings& Settings, TLumettaSettings& Store)
        : Help(Help), Settings(Settings), Store(Store) {}

    bool AnyVisible() override;
    void ShowHelp(const EnableWindow& SetSlideshowEnabled) override;
    void ShowSettings(const EnableWindow& SetSlideshowEnabled) override;

private:
    TfrmHelp& Help;
    TfrmSettings& Settings;
    TLumettaSettings& Store;
};
