// The help window: over the frozen show, a translucent black window covering
// the screen with the picture of the commands, links to the product's pages,
// "Donate" and "OK". It is created hidden, only hidden and shown again, and
// Escape or "OK" hides it.
#pragma once

#include <QWidget>
#include <functional>

#include "platform/shell/Shell.h"

class ActiveLabel;
class CentredPanel;
class QAction;

class TfrmHelp : public QWidget {
    Q_OBJECT
public:
    explicit TfrmHelp(shell::IShell& shell, QWidget* parent = nullptr);

    static constexpr double kOpacity = 220.0 / 255.0;

signals:
    void hidden();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void lblHiperLaczeClick();
    void lblHiperLaczeMouseEnter();
    void lblHiperLaczeMouseLeave();
    void pnlWsparcieClick();
    void PanelCloseClick();
    void PanelCloseMouseEnter(ActiveLabel* panel);
    void PanelCloseMouseLeave(ActiveLabel* panel);
    void actZamknijExecute();

    shell::IShell& shell_;
    CentredPanel* Panel1;
    ActiveLabel* imgLumetta;
    ActiveLabel* lblHiperLacze;
    ActiveLabel* Image1;
    ActiveLabel* imgLogo;
    ActiveLabel* pnlWsparcie;
    ActiveLabel* PanelClose;
    QAction* actZamknij;
};

// F1 during the show: the slideshow window is disabled while the help window
// is visible, and the window messages are processed until it is hidden, so the
// show stands still meanwhile. `setSlideshowEnabled` switches the slideshow
// window (whatever kind of window it is).
void ShowHelp(TfrmHelp& help, const std::function<void(bool enabled)>& setSlideshowEnabled);
