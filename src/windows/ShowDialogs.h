// The show's help window and settings dialog behind the slideshow window's
// dialog interface. The settings dialog stores its choices in the settings.
// The help window is made when it is first asked for, so that a show does not
// wait for it before its first photo.
#pragma once

#include <memory>

#include "slideshow/ShowDialogs.h"

namespace shell {
class IShell;
}
class TfrmHelp;
class TfrmSettings;
class TLumettaSettings;

class TShowDialogs final : public IShowDialogs {
public:
    TShowDialogs(shell::IShell& Shell, TfrmSettings& Settings, TLumettaSettings& Store);
    ~TShowDialogs();

    bool AnyVisible() override;
    void ShowHelp(const EnableWindow& SetSlideshowEnabled) override;
    void ShowSettings(const EnableWindow& SetSlideshowEnabled) override;

private:
    shell::IShell& Shell;
    std::unique_ptr<TfrmHelp> Help;
    TfrmSettings& Settings;
    TLumettaSettings& Store;
};
